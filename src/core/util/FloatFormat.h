#pragma once
// Number-to-text conversions in the three forms the program shows numbers in, and
// the reverse, with the user's decimal separator.
#include <cstdint>
#include <string>

namespace kalorina {

enum class TFloatFormat : std::uint8_t { General = 0, Exponent = 1, Fixed = 2 };

// The decimal sign numbers are shown with: the one set with SetDecimalSeparator,
// else the one the active language writes (see SetDecimalSeparatorSource), else the
// one localeconv() reports for the C library's locale at first use.
char DecimalSeparator();
// 0 goes back to following the language.
void SetDecimalSeparator(char separator);
// Where the language's decimal sign comes from; the source answers 0 when the
// language does not say.
void SetDecimalSeparatorSource(char (*source)());

// `text` with each '.' or ',' that stands between two digits written as `separator`:
// for numbers that reach the program as text (a valve's presetting "2,5").
std::string WithDecimalSeparator(std::string text, char separator = DecimalSeparator());

// `precision` significant digits (1..17).  General: the shorter of plain and
// scientific form, trailing zeros removed, plain while the integer digits fit in the
// precision and the magnitude is at least 0.00001; `digits` is the minimum number of
// exponent digits (0..4).  Exponent: d.ddd with precision digits, "E", a sign and at
// least `digits` exponent digits.  Fixed: `digits` decimals (0..18) of the value
// rounded to `precision` significant digits; scientific when the integer digits do
// not fit in the precision.
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                        char separator = DecimalSeparator());

// A single in the general form with the fewest significant digits that lie within
// four units of its last place: 24.7f gives "24.7", not the 24.7000008 it is stored
// as, and a figure summed in singles the decimal it stands for (11.7 for the
// 11.700001 that adding 2.5 and 9.2 makes), which is all the precision it carries.
std::string SingleToStr(float value, char separator = DecimalSeparator());

// The general form with the fewest significant digits that lies within `tolerance`
// of `value`: for figures summed from singles, which carry less than a single's
// precision (a maximum of 9.7 m2 that the sums made 9.7000008).
std::string FloatToStrWithin(double value, double tolerance, char separator = DecimalSeparator());

// Text in the locale's form: optional blanks, sign, digits, the separator, digits,
// an optional exponent, optional blanks.  Anything else raises a KalorinaError.
// The double a reader should see for a single: the one nearest the single's
// shortest decimal form (12.3f gives 12.3, not 12.300000190734863, which widening
// the single's bits would give).
double SingleAsShown(float value);

double StrToFloat(const std::string& text, char separator = DecimalSeparator());

// The longest leading decimal number of `text` with '.' as the separator (as strtod
// in the C locale reads it, no hexadecimal and no infinities); 0 when it has none.
double LeadingFloat(const std::string& text);

} // namespace kalorina
