#include "listview/RichCaption.h"

#include "platform/SymbolFont.h"

namespace kalorina {

std::vector<TRichCaptionSegment> ParseRichCaption(const std::string& text, bool shortForm)
{
    std::vector<TRichCaptionSegment> segments(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '\\') {
            segments.back().text += c;
            continue;
        }
        if (i + 1 >= text.size())
            break;
        char code = text[++i];
        switch (code) {
        case 'u':
        case 'd':
        case 'f':
        case 'p':
            segments.push_back({code, {}});
            break;
        case '\\':
            segments.back().text += '\\';
            break;
        case ';':
            if (shortForm)
                return segments;
            break;
        default:
            break; // unknown code: both characters are dropped
        }
    }
    return segments;
}

std::string RichCaptionPlainText(const std::string& text, bool shortForm)
{
    std::string out;
    for (const auto& s : ParseRichCaption(text, shortForm))
        out += s.text;
    return out;
}

namespace {

// Applies a segment's code to the canvas font; returns the vertical shift.
int ApplyCode(TCanvas& canvas, char code, const std::string& startName, int startSize, int lineHeight, int shift)
{
    switch (code) {
    case 'u':
        canvas.SetFontName(startName);
        canvas.SetFontSize(startSize * 2 / 3);
        return 0;
    case 'd':
        canvas.SetFontName(startName);
        canvas.SetFontSize(startSize * 2 / 3);
        return lineHeight / 3;
    case 'f':
        canvas.SetFontName(std::string(kSymbolFontName));
        return 0;
    case 'p':
        canvas.SetFontName(startName);
        canvas.SetFontSize(startSize);
        return 0;
    default:
        return shift;
    }
}

} // namespace

void DrawRichCaption(TCanvas& canvas, const std::string& text, TAlignment alignment, bool shortForm, const TRect& rect,
                     int indent, int lineHeight)
{
    const std::vector<TRichCaptionSegment> segments = ParseRichCaption(text, shortForm);
    const std::string startName = canvas.Font().name;
    const int startSize = canvas.Font().size;
    auto restore = [&] {
        canvas.SetFontName(startName);
        canvas.SetFontSize(startSize);
    };

    int offset = indent;
    if (alignment != TAlignment::Left) {
        int total = 0, shift = 0;
        for (const auto& s : segments) {
            shift = ApplyCode(canvas, s.code, startName, startSize, lineHeight, shift);
            if (!s.text.empty())
                total += canvas.TextWidth(s.text);
        }
        restore();
        offset = alignment == TAlignment::Right ? rect.Width() - total : (rect.Width() - total) / 2;
    }

    int drawn = 0, shift = 0;
    for (const auto& s : segments) {
        shift = ApplyCode(canvas, s.code, startName, startSize, lineHeight, shift);
        if (s.text.empty())
            continue;
        int x = rect.left + offset + drawn;
        TRect clip = rect;
        if (x > rect.left && x < rect.right)
            clip.left = x;
        canvas.TextRect(clip, x, rect.top + shift, s.text);
        drawn += canvas.TextWidth(s.text);
    }
    restore();
}

} // namespace kalorina
