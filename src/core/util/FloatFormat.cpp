#include "util/FloatFormat.h"

#include <charconv>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "util/Error.h"
#include "util/FormatText.h"
#include "util/MessageText.h"

namespace kalorina {

namespace {

char InitialSeparator()
{
    const std::lconv* lc = std::localeconv();
    if (lc && lc->decimal_point && lc->decimal_point[0])
        return lc->decimal_point[0];
    return '.';
}

char& SeparatorSetting()
{
    static char separator = InitialSeparator();
    return separator;
}

// |value| as `precision` significant decimal digits d1 d2 ... and the exponent e of
// d1, so that |value| = d1.d2d3... × 10^e.
struct Decimal {
    std::string digits;
    int exponent = 0;
    bool negative = false;
    bool zero = true;
};

Decimal ToDecimal(double value, int precision)
{
    Decimal d;
    d.negative = std::signbit(value);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", precision - 1, std::fabs(value));
    std::string s(buf);
    auto e = s.find('e');
    for (std::size_t i = 0; i < e; ++i)
        if (s[i] >= '0' && s[i] <= '9')
            d.digits += s[i];
    d.exponent = std::atoi(s.c_str() + e + 1);
    d.zero = d.digits.find_first_not_of('0') == std::string::npos;
    if (d.zero) {
        d.exponent = 0;
        d.negative = false;
    }
    return d;
}

std::string ExponentText(int exponent, int minDigits, bool plusSign)
{
    std::string out = "E";
    if (exponent < 0)
        out += '-';
    else if (plusSign)
        out += '+';
    std::string n = std::to_string(std::abs(exponent));
    if (static_cast<int>(n.size()) < minDigits)
        n.insert(0, minDigits - n.size(), '0');
    return out + n;
}

std::string Scientific(const Decimal& d, bool keepZeros, int expDigits, bool plusSign, char sep)
{
    std::string mant = d.digits;
    if (!keepZeros)
        while (mant.size() > 1 && mant.back() == '0')
            mant.pop_back();
    std::string out = d.negative ? "-" : "";
    out += mant[0];
    if (mant.size() > 1) {
        out += sep;
        out.append(mant, 1);
    }
    return out + ExponentText(d.exponent, expDigits, plusSign);
}

// Rounds a digit string half away from zero to `keep` digits; returns true when the
// rounding carried into a new leading digit.
bool RoundDigits(std::string& digits, int keep)
{
    if (keep >= static_cast<int>(digits.size()))
        return false;
    bool up = keep >= 0 && digits[keep] >= '5';
    digits.resize(std::max(keep, 0));
    if (!up)
        return false;
    for (int i = keep - 1; i >= 0; --i) {
        if (digits[i] == '9') {
            digits[i] = '0';
        } else {
            ++digits[i];
            return false;
        }
    }
    digits.insert(digits.begin(), '1');
    return true;
}

std::string FixedText(Decimal d, int decimals, char sep)
{
    // Digits before the point: exponent + 1.
    int intDigits = d.exponent + 1;
    std::string digits = d.digits;
    if (RoundDigits(digits, intDigits + decimals))
        ++intDigits;
    // Pad so that the string covers intDigits + decimals positions.
    int total = intDigits + decimals;
    if (static_cast<int>(digits.size()) < total)
        digits.append(total - digits.size(), '0');
    std::string intPart, fracPart;
    if (intDigits <= 0) {
        intPart = "0";
        fracPart = std::string(std::min(-intDigits, decimals), '0') + digits;
        fracPart.resize(decimals, '0');
    } else {
        intPart = digits.substr(0, intDigits);
        fracPart = digits.substr(intDigits, decimals);
    }
    bool allZero = (intPart + fracPart).find_first_not_of('0') == std::string::npos;
    std::string out = d.negative && !allZero ? "-" : "";
    out += intPart;
    if (decimals > 0) {
        out += sep;
        out += fracPart;
    }
    return out;
}

} // namespace

namespace {
char (*separatorSource)() = nullptr;
bool separatorSet = false;
} // namespace

char DecimalSeparator()
{
    if (!separatorSet && separatorSource)
        if (char c = separatorSource())
            return c;
    return SeparatorSetting();
}

void SetDecimalSeparator(char separator)
{
    separatorSet = separator != 0;
    SeparatorSetting() = separator ? separator : InitialSeparator();
}

void SetDecimalSeparatorSource(char (*source)())
{
    separatorSource = source;
}

std::string WithDecimalSeparator(std::string text, char separator)
{
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    for (std::size_t i = 1; i + 1 < text.size(); ++i)
        if ((text[i] == '.' || text[i] == ',') && digit(text[i - 1]) && digit(text[i + 1]))
            text[i] = separator;
    return text;
}

std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits, char separator)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    precision = std::clamp(precision, 1, 17);
    Decimal d = ToDecimal(value, precision);
    switch (format) {
    case TFloatFormat::Exponent:
        return Scientific(d, true, std::clamp(digits, 0, 4), true, separator);
    case TFloatFormat::Fixed:
        if (d.exponent + 1 > precision)
            return Scientific(d, false, 0, false, separator);
        return FixedText(d, std::clamp(digits, 0, 18), separator);
    case TFloatFormat::General:
    default:
        if (d.zero)
            return "0";
        if (d.exponent + 1 <= precision && std::fabs(value) >= 0.00001) {
            std::string s = FixedText(d, std::max(0, precision - 1 - d.exponent), separator);
            if (s.find(separator) != std::string::npos) {
                while (s.back() == '0')
                    s.pop_back();
                if (s.back() == separator)
                    s.pop_back();
            }
            return s;
        }
        return Scientific(d, false, std::clamp(digits, 0, 4), false, separator);
    }
}

namespace {
// The general form with the fewest significant digits, up to `most`, whose value
// `fits`; `most` digits when none does.
template <class Fits>
std::string ShortestGeneral(double value, int most, char separator, Fits fits)
{
    // Fewer digits than the integer part has would turn 1000 into "1E3".
    const bool plain = std::fabs(value) >= 0.00001 && std::fabs(value) < 1e15;
    auto shortEnough = [&](int precision) {
        const std::string text = FloatToStrF(value, TFloatFormat::General, precision, 0, '.');
        return (!plain || text.find('E') == std::string::npos) && fits(LeadingFloat(text));
    };
    int precision = 1;
    if (std::isfinite(value))
        while (precision < most && !shortEnough(precision))
            ++precision;
    else
        precision = most;
    return FloatToStrF(value, TFloatFormat::General, precision, 0, separator);
}
} // namespace

std::string SingleToStr(float value, char separator)
{
    const float size = std::fabs(value);
    const double lastPlace = double(std::nextafter(size, std::numeric_limits<float>::infinity())) - size;
    return ShortestGeneral(value, 9, separator,
                           [value, lastPlace](double read) { return std::fabs(read - value) <= 4 * lastPlace; });
}

std::string FloatToStrWithin(double value, double tolerance, char separator)
{
    return ShortestGeneral(value, 15, separator, [&](double read) { return std::fabs(read - value) <= tolerance; });
}

double StrToFloat(const std::string& text, char separator)
{
    std::size_t i = 0, n = text.size();
    auto fail = [&]() -> double {
        throw KalorinaError(
            FormatText(MessageText("IDS_NOTAFLOAT", "'%s' is not a valid floating point value"), {text}));
    };
    while (i < n && text[i] == ' ')
        ++i;
    std::string canonical;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        canonical += text[i++];
    std::size_t mantDigits = 0;
    while (i < n && text[i] >= '0' && text[i] <= '9') {
        canonical += text[i++];
        ++mantDigits;
    }
    if (i < n && text[i] == separator) {
        canonical += '.';
        ++i;
        while (i < n && text[i] >= '0' && text[i] <= '9') {
            canonical += text[i++];
            ++mantDigits;
        }
    }
    if (mantDigits == 0)
        return fail();
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        canonical += 'e';
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            canonical += text[i++];
        std::size_t expDigits = 0;
        while (i < n && text[i] >= '0' && text[i] <= '9') {
            canonical += text[i++];
            ++expDigits;
        }
        if (expDigits == 0)
            return fail();
    }
    while (i < n && text[i] == ' ')
        ++i;
    if (i != n)
        return fail();
    return LeadingFloat(canonical);
}

double LeadingFloat(const std::string& text)
{
    // Only the plain decimal syntax: strtod alone would also take "0x1p3" or "inf".
    std::size_t i = 0, n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    std::size_t start = i;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digitsStart = i;
    while (i < n && text[i] >= '0' && text[i] <= '9')
        ++i;
    bool any = i > digitsStart;
    if (i < n && text[i] == '.') {
        std::size_t f = ++i;
        while (i < n && text[i] >= '0' && text[i] <= '9')
            ++i;
        any = any || i > f;
    }
    if (!any)
        return 0.0;
    std::size_t end = i;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-'))
            ++j;
        std::size_t expStart = j;
        while (j < n && text[j] >= '0' && text[j] <= '9')
            ++j;
        if (j > expStart)
            end = j;
    }
    std::string number = text.substr(start, end - start);
    // strtod honours the C locale's separator; hand it the one it expects.
    char cSep = InitialSeparator();
    if (cSep != '.')
        std::replace(number.begin(), number.end(), '.', cSep);
    return std::strtod(number.c_str(), nullptr);
}

double SingleAsShown(float value)
{
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value);
    double shown = value;
    if (written.ec == std::errc())
        std::from_chars(text, written.ptr, shown);
    return shown;
}

} // namespace kalorina
