#include "util/NumberFormat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kalorina {

namespace {
void StripZeros(std::string& s)
{
    auto point = s.find('.');
    if (point == std::string::npos)
        return;
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.')
        s.pop_back();
}
} // namespace

std::string FormatGeneral(double value, int digits, char decimalSeparator)
{
    if (!std::isfinite(value))
        return std::isnan(value) ? "NAN" : value > 0 ? "INF" : "-INF";
    if (value == 0)
        return "0";
    if (digits < 1)
        digits = 1;
    // Round to the significant digits first: the exponent is that of the rounded value.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", digits - 1, value);
    std::string sci = buf;
    auto e = sci.find('e');
    int exponent = std::atoi(sci.c_str() + e + 1);
    std::string out;
    if (exponent >= digits || std::fabs(value) < 0.00001) {
        std::string mantissa = sci.substr(0, e);
        StripZeros(mantissa);
        out = mantissa + "E" + std::to_string(exponent);
    } else {
        int decimals = digits - 1 - exponent;
        std::snprintf(buf, sizeof buf, "%.*f", decimals < 0 ? 0 : decimals, value);
        out = buf;
        StripZeros(out);
    }
    for (char& c : out)
        if (c == '.')
            c = decimalSeparator;
    if (out == "-0")
        out = "0";
    return out;
}

} // namespace kalorina
