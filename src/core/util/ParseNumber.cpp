#include "util/ParseNumber.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>

#include "util/Error.h"
#include "util/MessageText.h"

namespace kalorina {

namespace {
[[noreturn]] void Wrong()
{
    throw KalorinaError(MessageText("IDS_WRONGVALUE", "Wrong value"));
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Length of the longest prefix of the form [+-]digits[.digits][(e|E)[+-]digits].
std::size_t NumericPrefix(const std::string& t)
{
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < t.size() && IsDigit(t[i]))
        ++i, ++digits;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && IsDigit(t[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < t.size() && (t[j] == '+' || t[j] == '-'))
            ++j;
        if (j < t.size() && IsDigit(t[j])) {
            while (j < t.size() && IsDigit(t[j]))
                ++j;
            i = j;
        }
    }
    return i;
}
// The plain decimals of catalogue files ("-12.345"): when the digits fit the
// significand and the power of ten is exact, one division rounds exactly as a
// full conversion would, at a fraction of its cost.  False for anything else
// (an exponent, too many digits), which takes the full conversion.
bool ExactDecimal(std::string_view s, long double& value)
{
    constexpr int bits = std::numeric_limits<long double>::digits;
    constexpr int maxScale = bits >= 64 ? 27 : bits >= 53 ? 22 : 0; // 10^k exact: 5^k fits the significand
    std::size_t i = 0;
    const bool negative = i < s.size() && s[i] == '-';
    if (negative)
        ++i;
    std::uint64_t mantissa = 0;
    int digits = 0, scale = 0;
    bool point = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (!IsDigit(c))
            return false;
        if (++digits > 19)
            return false;
        mantissa = mantissa * 10 + static_cast<unsigned>(c - '0');
        scale += point ? 1 : 0;
    }
    if (digits == 0 || scale > maxScale || (bits < 64 && mantissa >> bits != 0))
        return false;
    static const auto powers = [] {
        std::array<long double, 28> p{};
        p[0] = 1;
        for (std::size_t k = 1; k < p.size(); ++k)
            p[k] = p[k - 1] * 10; // exact up to maxScale
        return p;
    }();
    value = scale == 0 ? static_cast<long double>(mantissa) : static_cast<long double>(mantissa) / powers[scale];
    if (negative)
        value = -value;
    return true;
}
// Any number: a comma read as a point, the longest numeric prefix.
long double ParseGeneral(const std::string& text)
{
    std::string t = text;
    if (t.find(',') != std::string::npos)
        std::replace(t.begin(), t.end(), ',', '.');
    long double value = 0;
    if (!t.empty()) {
        char first = t.front();
        if (!IsDigit(first) && first != '+' && first != '-' && first != '.')
            Wrong();
        std::size_t n = NumericPrefix(t);
        if (n == 0)
            Wrong();
        std::size_t start = t[0] == '+' ? 1 : 0;
        if (!ExactDecimal(std::string_view(t.data() + start, n - start), value)) {
            // from_chars ignores the process locale, which the GUI toolkit may change.
            auto r = std::from_chars(t.data() + start, t.data() + n, value);
            if (r.ec == std::errc::result_out_of_range)
                Wrong();
        }
    }
    return value;
}
} // namespace

long double ParseNumber(const std::string& text, NumberKind kind)
{
    long double value = 0;
    // A plain decimal with a point (what catalogue files hold) is the whole text
    // read exactly; everything else goes the long way.
    if (text.empty() || text[0] == '+' || !ExactDecimal(text, value))
        value = ParseGeneral(text);
    // What a stored single cannot hold is no value of the program's.
    if (!(std::fabs(value) <= std::numeric_limits<float>::max()))
        Wrong();
    if (kind == NumberKind::Positive && !(value > 0))
        Wrong();
    if (kind == NumberKind::NonNegative && !(value >= 0))
        Wrong();
    return value;
}

} // namespace kalorina
