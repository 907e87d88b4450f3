#include "catalogue/TXMLMacroItem.h"

#include <algorithm>

namespace kalorina {

namespace {
// Safety net for rewritings that neither shrink nor reproduce their ID directly
// but keep recreating it with their neighbours: real catalogue texts stay far below.
constexpr std::size_t kMaxExpandedLength = 1 << 20;
constexpr std::size_t kMaxReplacements = 1 << 20;

std::string ReplaceOnce(const std::string& text, const TXMLMacroItem& m)
{
    std::string out;
    std::size_t from = 0;
    for (std::size_t p; (p = text.find(m.ID, from)) != std::string::npos; from = p + m.ID.size()) {
        out.append(text, from, p - from);
        out += m.value;
    }
    out.append(text, from, std::string::npos);
    return out;
}

// Replaces the ID from its first occurrence at `p` on until it no longer occurs
// (the ID is not part of its value).
void ReplaceRepeatedly(std::string& s, const TXMLMacroItem& m, std::size_t p)
{
    const std::size_t idLen = m.ID.size();
    for (std::size_t count = 0; count < kMaxReplacements && p != std::string::npos; ++count) {
        s.replace(p, idLen, m.value);
        if (s.size() > kMaxExpandedLength)
            break;
        // Nothing before p held an occurrence, so the next one cannot start more
        // than idLen - 1 bytes before it: searching from there equals searching
        // from the start.
        p = s.find(m.ID, p >= idLen - 1 ? p - (idLen - 1) : 0);
    }
}

// Expands one macro in place; `p` is the first occurrence of its ID.
void ExpandAt(std::string& s, const TXMLMacroItem& m, std::size_t p)
{
    if (m.value.find(m.ID) != std::string::npos)
        s = ReplaceOnce(s, m);
    else
        ReplaceRepeatedly(s, m, p);
}
} // namespace

std::string ExpandMacro(const std::string& text, const TXMLMacroItem& m)
{
    std::string s = text;
    if (std::size_t p; !m.ID.empty() && (p = s.find(m.ID)) != std::string::npos)
        ExpandAt(s, m, p);
    return s;
}

std::string CatalogueMacros::ExpandMacros(const std::string& text) const
{
    std::string s = text;
    ExpandMacrosInPlace(s);
    return s;
}

void CatalogueMacros::ExpandMacrosInPlace(std::string& s) const
{
    // Most texts hold no macro at all: only a macro that occurs rewrites the text.
    // Macro names usually share their first byte ("%"): when they do, one search
    // for that byte tells a text without macros.
    int first = -1;
    for (const auto* list : {&local, &global})
        for (const auto& m : *list) {
            if (m.ID.empty())
                continue;
            const int c = static_cast<unsigned char>(m.ID[0]);
            if (first != -1 && first != c) {
                first = -2;
                break;
            }
            first = c;
        }
    if (first == -1 || (first >= 0 && s.find(static_cast<char>(first)) == std::string::npos))
        return;
    if (budgetExceeded)
        return;
    const std::size_t before = s.size();
    std::string original;
    bool kept = false;
    for (const auto* list : {&local, &global})
        for (const auto& m : *list)
            if (std::size_t p; !m.ID.empty() && (p = s.find(m.ID)) != std::string::npos) {
                if (!kept) {
                    original = s;
                    kept = true;
                }
                ExpandAt(s, m, p);
            }
    const std::size_t added = s.size() > before ? s.size() - before : 0;
    if (added > kExpansionBudget - std::min(expandedBytes, kExpansionBudget)) {
        budgetExceeded = true;
        if (kept)
            s = std::move(original);
        return;
    }
    expandedBytes += added;
}

} // namespace kalorina
