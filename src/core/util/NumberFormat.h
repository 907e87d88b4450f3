#pragma once
// Number texts as the program shows them.
#include <string>

namespace kalorina {

// The general number format with `digits` significant digits: no trailing zeros, no
// decimal point for whole numbers, the given decimal separator, and scientific
// notation (as 1.2346E5) only for more than `digits` integer digits or values below
// 0.00001.
std::string FormatGeneral(double value, int digits, char decimalSeparator);

} // namespace kalorina
