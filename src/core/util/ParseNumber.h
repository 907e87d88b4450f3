#pragma once
// Reading numbers typed by the user or found in catalogue files: a comma or a point
// as decimal separator, the longest numeric prefix, and a check of the sign.
#include <string>

namespace kalorina {

enum class NumberKind { Any = 0, Positive = 1, NonNegative = 2 };

// Raises a KalorinaError with the text of IDS_WRONGVALUE when the text is not a number
// of the kind asked for.
long double ParseNumber(const std::string& text, NumberKind kind = NumberKind::Any);
inline long double ParseNumber(const std::string& text, int kind)
{
    return ParseNumber(text, static_cast<NumberKind>(kind));
}

} // namespace kalorina
