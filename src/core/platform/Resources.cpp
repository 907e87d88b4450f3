#include "platform/Resources.h"

#include <map>

#include "util/Codepage.h"

namespace kalorina {

std::optional<std::string_view> FindResource(std::string_view name)
{
    for (const EmbeddedResource* r = kEmbeddedResources; r->name; ++r)
        if (name == r->name)
            return std::string_view(reinterpret_cast<const char*>(r->data), r->size);
    return std::nullopt;
}

namespace {

// strings.txt: one entry per line, "<number><TAB><text>", the text taken literally
// except that "<CRLF>" stands for a carriage return and line feed.  Lines starting
// with ';' are comments.
std::map<int, std::string> ParseStringTable()
{
    std::map<int, std::string> table;
    auto raw = FindResource("strings.txt");
    if (!raw)
        return table;
    std::string_view rest = *raw;
    while (!rest.empty()) {
        auto eol = rest.find('\n');
        std::string_view line = rest.substr(0, eol);
        rest = eol == std::string_view::npos ? std::string_view() : rest.substr(eol + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == ';')
            continue;
        auto tab = line.find('\t');
        if (tab == std::string_view::npos)
            continue;
        int number = 0;
        bool ok = tab > 0;
        for (char c : line.substr(0, tab)) {
            if (c < '0' || c > '9') {
                ok = false;
                break;
            }
            number = number * 10 + (c - '0');
        }
        if (!ok)
            continue;
        std::string text;
        std::string_view body = line.substr(tab + 1);
        for (std::size_t i = 0; i < body.size(); ++i) {
            if (body.substr(i, 6) == "<CRLF>") {
                text += "\r\n";
                i += 5;
            } else {
                text += body[i];
            }
        }
        table[number] = Utf8ToCp1250(text);
    }
    return table;
}

} // namespace

std::string ResourceString(int number)
{
    static const std::map<int, std::string> table = ParseStringTable();
    auto it = table.find(number);
    return it == table.end() ? std::string() : it->second;
}

} // namespace kalorina
