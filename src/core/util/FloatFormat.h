#pragma once
// Number-to-text conversions in the three forms the program shows numbers in, and
// the reverse, with the user's decimal separator.
#include <cstdint>
#include <string>

namespace kalorina {

enum class TFloatFormat : std::uint8_t { General = 0, Exponent = 1, Fixed = 2 };

// The decimal separator of the user's locale: initially the one localeconv() reports
// for the C library's current locale; the GUI may set the system's.
char DecimalSeparator();
void SetDecimalSeparator(char separator);

// `precision` significant digits (1..17).  General: the shorter of plain and
// scientific form, trailing zeros removed, plain while the integer digits fit in the
// precision and the magnitude is at least 0.00001; `digits` is the minimum number of
// exponent digits (0..4).  Exponent: d.ddd with precision digits, "E", a sign and at
// least `digits` exponent digits.  Fixed: `digits` decimals (0..18) of the value
// rounded to `precision` significant digits; scientific when the integer digits do
// not fit in the precision.
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                        char separator = DecimalSeparator());

// Text in the locale's form: optional blanks, sign, digits, the separator, digits,
// an optional exponent, optional blanks.  Anything else raises a KalorinaError.
double StrToFloat(const std::string& text, char separator = DecimalSeparator());

// The longest leading decimal number of `text` with '.' as the separator (as strtod
// in the C locale reads it, no hexadecimal and no infinities); 0 when it has none.
double LeadingFloat(const std::string& text);

} // namespace kalorina
