#include "listview/TListHeaderFormatCol.h"

#include <cctype>

namespace kalorina {

namespace {

int ReadDigits(std::string_view& text, bool& any)
{
    long value = 0;
    any = false;
    while (!text.empty() && text.front() >= '0' && text.front() <= '9') {
        if (value < 100000)
            value = value * 10 + (text.front() - '0');
        text.remove_prefix(1);
        any = true;
    }
    return static_cast<int>(value);
}

std::int16_t Clamp16(int value)
{
    return static_cast<std::int16_t>(value > 32767 ? 32767 : value);
}

} // namespace

TAlignment AlignmentFromLetter(char letter)
{
    if (letter == 'c')
        return TAlignment::Center;
    if (letter == 'r')
        return TAlignment::Right;
    return TAlignment::Left;
}

char AlignmentLetter(TAlignment alignment)
{
    switch (alignment) {
    case TAlignment::Center:
        return 'c';
    case TAlignment::Right:
        return 'r';
    default:
        return 'l';
    }
}

const std::string& TListHeaderFormatCol::Caption(int line) const
{
    return customCaption ? customCaptionLines[line] : captionLines[line];
}

std::string TListHeaderFormatCol::FormatInteger(long long value) const
{
    if (!zeroShown && value == 0)
        return "-";
    return std::to_string(value);
}

std::string TListHeaderFormatCol::FormatReal(double value, char decimalSeparator) const
{
    if (!zeroShown && value == 0)
        return "-";
    if (customCaption)
        value *= factor;
    return FloatToStrF(value, realFormat, precision, digits, decimalSeparator);
}

void TListHeaderFormatCol::DrawCellText(TCanvas& canvas, const std::string& text, const TRect& rect, int indent) const
{
    int x = rect.left + indent;
    if (dataAlignment == TAlignment::Right)
        x = rect.right - canvas.TextWidth(text);
    else if (dataAlignment == TAlignment::Center)
        x = rect.left + (rect.Width() - canvas.TextWidth(text)) / 2;
    canvas.TextRect(rect, x, rect.top, text);
}

std::string TListHeaderFormatCol::NumberFormatText() const
{
    std::string out;
    char letter = 'S';
    if (valueKind == TValueKind::Real) {
        out = std::to_string(precision) + "." + std::to_string(digits);
        letter = realFormat == TFloatFormat::Exponent ? 'E' : realFormat == TFloatFormat::Fixed ? 'F' : 'G';
    } else if (valueKind == TValueKind::Integer) {
        letter = 'I';
    }
    out += zeroShown ? static_cast<char>(std::tolower(letter)) : letter;
    return out;
}

void TListHeaderFormatCol::ReadNumberFormat(std::string_view& text)
{
    bool any = false;
    if (!text.empty() && text.front() >= '0' && text.front() <= '9')
        precision = Clamp16(ReadDigits(text, any));
    if (!text.empty() && text.front() == '.') {
        text.remove_prefix(1);
        digits = Clamp16(ReadDigits(text, any));
    }
    if (text.empty())
        return;
    char letter = text.front();
    text.remove_prefix(1);
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    switch (upper) {
    case 'G':
        valueKind = TValueKind::Real;
        realFormat = TFloatFormat::General;
        break;
    case 'E':
        valueKind = TValueKind::Real;
        realFormat = TFloatFormat::Exponent;
        break;
    case 'F':
        valueKind = TValueKind::Real;
        realFormat = TFloatFormat::Fixed;
        break;
    case 'I':
        valueKind = TValueKind::Integer;
        break;
    default:
        valueKind = TValueKind::Text;
        break;
    }
    // Only the number letters in upper case ask for zeros as "-"; any lower-case
    // letter shows them, other letters leave the flag alone.
    if (std::islower(static_cast<unsigned char>(letter)))
        zeroShown = true;
    else if (upper == 'G' || upper == 'E' || upper == 'F' || upper == 'I')
        zeroShown = false;
}

} // namespace kalorina
