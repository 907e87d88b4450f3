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

std::string FormatDate(int year, int month, int day, const std::string& form)
{
    const std::string& pattern = form.empty() ? std::string("%Y. %m. %d.") : form;
    auto two = [](int n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%' || i + 1 >= pattern.size()) {
            out += pattern[i];
            continue;
        }
        switch (pattern[++i]) {
        case 'Y':
            out += std::to_string(year);
            break;
        case 'm':
            out += two(month);
            break;
        case 'd':
            out += two(day);
            break;
        case 'e':
            out += std::to_string(day);
            break;
        case '%':
            out += '%';
            break;
        default:
            out += '%';
            out += pattern[i];
        }
    }
    return out;
}

} // namespace kalorina
