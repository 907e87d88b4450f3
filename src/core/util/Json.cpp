#include "util/Json.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "util/Codepage.h"
#include "util/FloatFormat.h"

namespace kalorina {

std::string JsonText(const std::string& cp1250)
{
    std::string utf8 = Cp1250ToUtf8(cp1250);
    std::string out = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

std::string JsonNumber(double value)
{
    // JSON has no NaN or infinity; a 0 in their place would pass for a result.
    if (!std::isfinite(value))
        return "null";
    char buf[40];
    // Whole numbers (sizes, codes) exactly; fractions as the decimal the single they
    // are held in stands for (24.7, not the 24.7000008 nine digits would say),
    // always with a point.
    if (std::fabs(value) < 1e15 && value == std::floor(value)) {
        std::snprintf(buf, sizeof buf, "%.0f", value);
        return buf;
    }
    if (std::fabs(value) <= std::numeric_limits<float>::max())
        return SingleToStr(static_cast<float>(value), '.');
    std::snprintf(buf, sizeof buf, "%.9g", value);
    return buf;
}

} // namespace kalorina
