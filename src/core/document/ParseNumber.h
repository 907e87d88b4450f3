#pragma once
// Reading a number typed by the user or written in a catalogue file.
#include <string_view>

namespace kalorina {

// Which values a number field accepts.
enum class NumberKind { Any = 0, AboveZero = 1, ZeroOrAbove = 2 };

// Accepts a comma or a point as decimal separator and ignores whatever follows the
// number ("12kg" reads as 12); the empty text reads as 0.  Fails with a
// KalorinaError carrying the text of IDS_WRONGVALUE.
long double ParseNumber(std::string_view text, NumberKind kind = NumberKind::Any);

} // namespace kalorina
