#pragma once
// Caption mark-up of list headers: backslash codes switch to superscript (\u),
// subscript (\d), Greek letters (\f) and back to plain (\p); \\ is a backslash and
// \; ends the short caption (the column's symbol) before its explanation.  Any
// other backslash pair is dropped.
#include <string>
#include <vector>

#include "platform/Canvas.h"

namespace kalorina {

struct TRichCaptionSegment {
    char code = 0; // the code that starts the segment: 0 at the start, 'u', 'd', 'f', 'p'
    std::string text;
};

// The segments of a caption line; the short form stops at "\;", the full form
// leaves the code out.
std::vector<TRichCaptionSegment> ParseRichCaption(const std::string& text, bool shortForm);

// The caption without its mark-up, as one would type it.
std::string RichCaptionPlainText(const std::string& text, bool shortForm);

// Draws one caption line into `rect`, clipped to it: left alignment starts at
// rect.left + indent, right alignment ends at rect.right, centred text sits in the
// middle.  Subscripts go down a third of `lineHeight`.  The canvas font is the
// starting font and gets its name and size back afterwards.
void DrawRichCaption(TCanvas& canvas, const std::string& text, TAlignment alignment, bool shortForm, const TRect& rect,
                     int indent, int lineHeight);

} // namespace kalorina
