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

std::optional<DateParts> ReadDate(const std::string& text, const std::string& form)
{
    const std::string& pattern = form.empty() ? std::string("%Y. %m. %d.") : form;
    DateParts date;
    std::size_t at = 0;
    auto blanks = [&] {
        while (at < text.size() && text[at] == ' ')
            ++at;
    };
    auto number = [&](int most, int& into) {
        std::size_t start = at;
        into = 0;
        while (at < text.size() && at - start < static_cast<std::size_t>(most) && text[at] >= '0' && text[at] <= '9')
            into = into * 10 + (text[at++] - '0');
        return at > start;
    };
    blanks();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == ' ') {
            blanks();
            continue;
        }
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] != '%') {
            const char conversion = pattern[++i];
            const bool read = conversion == 'Y'          ? number(4, date.year)
                : conversion == 'm'                      ? number(2, date.month)
                : conversion == 'd' || conversion == 'e' ? number(2, date.day)
                                                         : false;
            if (!read)
                return std::nullopt;
            continue;
        }
        if (c == '%')
            ++i; // "%%" stands for one percent sign
        if (at >= text.size() || text[at] != c)
            return std::nullopt;
        ++at;
    }
    blanks();
    if (at != text.size() || date.year < 1 || date.month < 1 || date.month > 12 || date.day < 1)
        return std::nullopt;
    static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (date.year % 4 == 0 && date.year % 100 != 0) || date.year % 400 == 0;
    if (date.day > kDays[date.month - 1] || (date.month == 2 && date.day == 29 && !leap))
        return std::nullopt;
    return date;
}

} // namespace kalorina
