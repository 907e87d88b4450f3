#pragma once
// A canvas with predictable metrics that draws nothing but records what it was
// asked to draw: every character is equally wide, and widths and heights scale
// with the point size.  Layout code is checked against it without any fonts.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/Canvas.h"

namespace kalorina {

class FixedMetricsCanvas : public TCanvas {
public:
    // Metrics of a 10-point font; other sizes scale linearly (integer arithmetic).
    explicit FixedMetricsCanvas(int charWidth10 = 6, int height10 = 13, int externalLeading10 = 2,
                                int pixelsPerInch = 96);

    struct DrawnText {
        TRect clip;
        int x = 0;
        int y = 0;
        std::string text;
        TFontAttributes font;
    };
    struct DrawnLine {
        int x1, y1, x2, y2;
        TColor colour;
    };
    struct FilledRect {
        TRect rect;
        TColor colour;
    };
    struct DrawnPicture {
        TRect rect;
        std::string name;
    };

    int PixelsPerInchX() const override { return ppi_; }
    int PixelsPerInchY() const override { return ppi_; }
    TTextMetrics TextMetrics() const override;
    int TextWidth(const std::string& text) const override;
    void TextRect(const TRect& clip, int x, int y, const std::string& text) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void FillRect(const TRect& rect) override;
    bool PictureSize(const std::string& name, int& width, int& height) const override;
    void DrawPicture(const TRect& rect, const std::string& name) override;

    // Pictures the canvas pretends to have: name → width, height in pixels.
    std::map<std::string, std::pair<int, int>> pictureSizes;

    std::vector<DrawnText> texts;
    std::vector<DrawnLine> lines;
    std::vector<FilledRect> fills;
    std::vector<DrawnPicture> pictures;

private:
    int Scale(int value10) const;
    int charWidth10_, height10_, externalLeading10_, ppi_;
};

} // namespace kalorina
