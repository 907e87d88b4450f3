#include "util/ParseNumber.h"

#include <cctype>
#include <charconv>

#include "util/Error.h"
#include "util/MessageText.h"

namespace kalorina {

namespace {
[[noreturn]] void Wrong()
{
    throw KalorinaError(MessageText("IDS_WRONGVALUE", "Wrong value"));
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

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
} // namespace

long double ParseNumber(const std::string& text, NumberKind kind)
{
    std::string t = text;
    for (char& c : t)
        if (c == ',')
            c = '.';
    long double value = 0;
    if (!t.empty()) {
        char first = t.front();
        if (!IsDigit(first) && first != '+' && first != '-' && first != '.')
            Wrong();
        std::size_t n = NumericPrefix(t);
        if (n == 0)
            Wrong();
        // from_chars ignores the process locale, which the GUI toolkit may change.
        std::size_t start = t[0] == '+' ? 1 : 0;
        auto r = std::from_chars(t.data() + start, t.data() + n, value);
        if (r.ec == std::errc::result_out_of_range)
            Wrong();
    }
    if (kind == NumberKind::Positive && !(value > 0))
        Wrong();
    if (kind == NumberKind::NonNegative && !(value >= 0))
        Wrong();
    return value;
}

} // namespace kalorina
