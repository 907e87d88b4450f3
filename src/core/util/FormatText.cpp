#include "util/FormatText.h"

namespace kalorina {

namespace {
std::string Fill(const std::string& format, const std::vector<std::string>& args, bool integers)
{
    std::string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            char c = format[i + 1];
            bool integer = c == 'd' || c == 'i' || c == 'u' || c == 'x' || c == 'X';
            if (c == 's' || (integers && integer)) {
                if (next < args.size())
                    out += args[next];
                ++next;
                ++i;
                continue;
            }
            if (c == '%') {
                out += '%';
                ++i;
                continue;
            }
        }
        out += format[i];
    }
    return out;
}
} // namespace

std::string FormatText(const std::string& format, const std::vector<std::string>& args)
{
    return Fill(format, args, false);
}

std::string FormatMessage(const std::string& format, const std::vector<std::string>& args)
{
    return Fill(format, args, true);
}

} // namespace kalorina
