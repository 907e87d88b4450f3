#include "platform/FixedMetricsCanvas.h"

namespace kalorina {

FixedMetricsCanvas::FixedMetricsCanvas(int charWidth10, int height10, int externalLeading10, int pixelsPerInch)
    : charWidth10_(charWidth10), height10_(height10), externalLeading10_(externalLeading10), ppi_(pixelsPerInch)
{
    TFontAttributes font;
    font.name = "Fixed";
    SetFont(font);
}

int FixedMetricsCanvas::Scale(int value10) const
{
    return value10 * Font().size / 10;
}

TTextMetrics FixedMetricsCanvas::TextMetrics() const
{
    TTextMetrics m;
    m.height = Scale(height10_);
    m.descent = m.height / 4;
    m.ascent = m.height - m.descent;
    m.externalLeading = Scale(externalLeading10_);
    m.averageCharWidth = Scale(charWidth10_);
    return m;
}

int FixedMetricsCanvas::TextWidth(const std::string& text) const
{
    return static_cast<int>(text.size()) * Scale(charWidth10_);
}

void FixedMetricsCanvas::TextRect(const TRect& clip, int x, int y, const std::string& text)
{
    texts.push_back({clip, x, y, text, Font()});
}

void FixedMetricsCanvas::Line(int x1, int y1, int x2, int y2)
{
    lines.push_back({x1, y1, x2, y2, PenColour()});
}

void FixedMetricsCanvas::FillRect(const TRect& rect)
{
    fills.push_back({rect, BrushColour()});
}

bool FixedMetricsCanvas::PictureSize(const std::string& name, int& width, int& height) const
{
    auto it = pictureSizes.find(name);
    if (it == pictureSizes.end())
        return false;
    width = it->second.first;
    height = it->second.second;
    return true;
}

void FixedMetricsCanvas::DrawPicture(const TRect& rect, const std::string& name)
{
    if (pictureSizes.count(name))
        pictures.push_back({rect, name});
}

} // namespace kalorina
