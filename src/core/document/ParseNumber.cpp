#include "document/ParseNumber.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

#include "catalogue/CatalogueTexts.h"
#include "util/Error.h"

namespace kalorina {

namespace {
[[noreturn]] void WrongValue()
{
    throw KalorinaError(CatalogueText("IDS_WRONGVALUE"));
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the longest prefix of the form [sign] digits [. digits] [(e|E) [sign] digits].
std::size_t NumericPrefix(const std::string& s, bool& hasDigits)
{
    std::size_t i = 0;
    hasDigits = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    while (i < s.size() && IsDigit(s[i])) {
        ++i;
        hasDigits = true;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
            hasDigits = true;
        }
    }
    if (hasDigits && i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        if (j < s.size() && IsDigit(s[j])) {
            while (j < s.size() && IsDigit(s[j]))
                ++j;
            i = j;
        }
    }
    return i;
}
} // namespace

long double ParseNumber(std::string_view text, NumberKind kind)
{
    std::string s(text);
    for (char& c : s)
        if (c == ',')
            c = '.';
    long double value = 0;
    if (!s.empty()) {
        char first = s[0];
        if (!IsDigit(first) && first != '+' && first != '-' && first != '.')
            WrongValue();
        bool hasDigits = false;
        std::size_t len = NumericPrefix(s, hasDigits);
        // A sign or a point alone is no number.
        if (!hasDigits)
            WrongValue();
        std::size_t start = s[0] == '+' ? 1 : 0;
        const char* begin = s.data() + start;
        const char* end = s.data() + len;
        auto [ptr, ec] = std::from_chars(begin, end, value);
        if (ec != std::errc() || ptr != end || !std::isfinite(value))
            WrongValue();
    }
    if (kind == NumberKind::AboveZero && !(value > 0))
        WrongValue();
    if (kind == NumberKind::ZeroOrAbove && !(value >= 0))
        WrongValue();
    return value;
}

} // namespace kalorina
