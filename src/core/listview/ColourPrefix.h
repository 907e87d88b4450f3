#pragma once
// Row fillers flag a cell by starting its text with "\red", "\green" or "\blue";
// lists draw the rest of the text in that colour, reports print it plainly.
#include <string>
#include <string_view>

#include "platform/Canvas.h"

namespace kalorina {

struct TColourPrefix {
    std::size_t length = 0; // 0 when the text has no prefix
    TColor colour = clBlack;
};

// The prefix the text begins with ("\red" is tested first, then "\green", "\blue").
TColourPrefix FindColourPrefix(std::string_view text);

// The text without its colour prefix, or unchanged.
std::string StripColourPrefix(const std::string& text);

} // namespace kalorina
