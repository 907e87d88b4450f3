#include "catalogue/TXMLMacroItem.h"

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
} // namespace

std::string ExpandMacro(const std::string& text, const TXMLMacroItem& m)
{
    if (m.ID.empty())
        return text;
    if (m.value.find(m.ID) != std::string::npos)
        return ReplaceOnce(text, m);
    std::string s = text;
    const std::size_t idLen = m.ID.size();
    std::size_t from = 0;
    for (std::size_t count = 0; count < kMaxReplacements; ++count) {
        std::size_t p = s.find(m.ID, from);
        if (p == std::string::npos)
            break;
        s.replace(p, idLen, m.value);
        if (s.size() > kMaxExpandedLength)
            break;
        // Nothing before p held an occurrence, so the next one cannot start more
        // than idLen - 1 bytes before it: searching from there equals searching
        // from the start.
        from = p >= idLen - 1 ? p - (idLen - 1) : 0;
    }
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
    for (const auto* list : {&local, &global})
        for (const auto& m : *list)
            if (!m.ID.empty() && s.find(m.ID) != std::string::npos)
                s = ExpandMacro(s, m);
}

} // namespace kalorina
