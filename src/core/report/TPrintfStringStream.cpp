#include "report/TPrintfStringStream.h"

#include <cstdio>

#include "lang/TLanguages.h"
#include "platform/Resources.h"
#include "report/RtfRenderer.h"
#include "util/Codepage.h"
#include "util/FloatFormat.h"

namespace kalorina {

namespace {

// Length of the conversion starting at format[pos] == '%', or 0 when none starts
// there ("%" + flags + width + precision + conversion letter).
std::size_t ConversionLength(const std::string& format, std::size_t pos, char& letter)
{
    std::size_t i = pos + 1;
    while (i < format.size() && std::string_view("-+ #0").find(format[i]) != std::string_view::npos)
        ++i;
    while (i < format.size() && format[i] >= '0' && format[i] <= '9')
        ++i;
    if (i < format.size() && format[i] == '.') {
        ++i;
        while (i < format.size() && format[i] >= '0' && format[i] <= '9')
            ++i;
    }
    if (i < format.size() && std::string_view("sfeEgGd").find(format[i]) != std::string_view::npos) {
        letter = format[i];
        return i + 1 - pos;
    }
    return 0;
}

std::string Unpercent(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%')
            ++i;
    }
    return out;
}

} // namespace

std::string FillTemplate(const std::string& raw, const std::string* text, double value)
{
    const TLanguages& lang = Languages();
    std::size_t pos = 0;
    while ((pos = raw.find('%', pos)) != std::string::npos) {
        if (pos + 1 < raw.size() && raw[pos + 1] == '%') {
            pos += 2;
            continue;
        }
        char letter = 0;
        std::size_t len = ConversionLength(raw, pos, letter);
        if (len == 0) {
            ++pos;
            continue;
        }
        std::string filled;
        if (letter == 's') {
            filled = text ? *text : std::string();
        } else {
            std::string conversion = raw.substr(pos, len);
            char buffer[400];
            if (letter == 'd')
                std::snprintf(buffer, sizeof buffer, conversion.c_str(), static_cast<int>(value));
            else
                std::snprintf(buffer, sizeof buffer, conversion.c_str(), value);
            filled = buffer;
            // Numbers are written with the language's decimal sign whatever the C
            // library's locale says.
            const char sign = DecimalSeparator();
            for (char& c : filled)
                if (c == ',' || c == '.')
                    c = sign;
        }
        std::string out = lang.ReplaceTokens(Unpercent(raw.substr(0, pos))) + filled
            + lang.ReplaceTokens(Unpercent(raw.substr(pos + len)));
        return out.size() > TPrintfStringStream::kMaxLine ? out.substr(0, TPrintfStringStream::kMaxLine) : out;
    }
    return lang.ReplaceTokens(Unpercent(raw));
}

void TPrintfStringStream::Clear()
{
    text_.clear();
    position_ = 0;
}

void TPrintfStringStream::Write(std::string_view text)
{
    text_.append(text);
}

void TPrintfStringStream::WriteText(int entry)
{
    Write(Languages().GetResourceText(entry));
}

void TPrintfStringStream::PrintfText(int entry, const std::string& text)
{
    // The value is printed as written: a backslash or brace in a room name must not
    // turn into RTF.
    const std::string escaped = EscapeRtfText(text);
    Write(FillTemplate(ResourceString(entry), &escaped, 0));
}

void TPrintfStringStream::PrintfValue(int entry, bool condition, float value)
{
    if (condition)
        Write(FillTemplate(ResourceString(entry), nullptr, static_cast<double>(value)));
}

void TPrintfStringStream::WriteRtfHeader(const std::string& name)
{
    auto raw = FindResource("rtf/" + name + ".rtf");
    if (raw)
        Write(Languages().ReplaceTokens(Utf8ToCp1250(std::string(*raw))));
}

} // namespace kalorina
