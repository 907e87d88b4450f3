#include "listview/ColourPrefix.h"

namespace kalorina {

TColourPrefix FindColourPrefix(std::string_view text)
{
    static constexpr struct {
        std::string_view prefix;
        TColor colour;
    } prefixes[] = {
        {"\\red", RGBColor(255, 0, 0)},
        {"\\green", RGBColor(0, 128, 0)},
        {"\\blue", RGBColor(0, 0, 255)},
    };
    for (const auto& p : prefixes)
        if (text.substr(0, p.prefix.size()) == p.prefix)
            return {p.prefix.size(), p.colour};
    return {};
}

std::string StripColourPrefix(const std::string& text)
{
    return text.substr(FindColourPrefix(text).length);
}

} // namespace kalorina
