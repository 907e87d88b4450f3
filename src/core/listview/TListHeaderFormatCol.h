#pragma once
// One column of a table: what it shows (its id), how wide it is, how its caption and
// values are aligned, how numbers are written, and the user's own caption.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Canvas.h"
#include "util/FloatFormat.h"

namespace kalorina {

enum class TValueKind : std::uint8_t { Text = 0, Integer = 1, Real = 2 };

struct TListHeaderFormatCol {
    TAlignment titleAlignment = TAlignment::Left;
    TAlignment dataAlignment = TAlignment::Left;
    bool visible = true;
    std::int16_t columnId = 0; // the row filler's key and the name of the stored value
    std::int16_t width = 50;   // in average character widths of the font in use
    TValueKind valueKind = TValueKind::Text;
    std::int16_t precision = 5; // significant digits of reals
    std::int16_t digits = 3;    // decimals (fixed) or minimum exponent digits
    bool zeroShown = true;      // false: a value of 0 reads "-"
    TFloatFormat realFormat = TFloatFormat::General;
    std::array<std::string, 2> captionLines;
    bool included = true;
    bool customCaption = false;
    std::array<std::string, 2> customCaptionLines;
    float factor = 1.0f; // real values are multiplied by it while the custom caption is on

    bool IsNumber() const { return valueKind != TValueKind::Text; }
    // Caption line 0 or 1 as shown: the custom one while the custom caption is on.
    const std::string& Caption(int line) const;

    std::string FormatInteger(long long value) const;
    std::string FormatReal(double value) const { return FormatReal(value, DecimalSeparator()); }
    std::string FormatReal(double value, char decimalSeparator) const;

    // Draws a cell value in `rect` by the data alignment, clipped to it.
    void DrawCellText(TCanvas& canvas, const std::string& text, const TRect& rect, int indent) const;

    // The number format as stored and read: [precision][.digits]kind-letter, the letter
    // in upper case when zeros are shown as "-".  Reading consumes what it understands
    // from the front of `text`; the kind letter is always consumed.
    std::string NumberFormatText() const;
    void ReadNumberFormat(std::string_view& text);

    bool operator==(const TListHeaderFormatCol&) const = default;
};

TAlignment AlignmentFromLetter(char letter);
char AlignmentLetter(TAlignment alignment);

} // namespace kalorina
