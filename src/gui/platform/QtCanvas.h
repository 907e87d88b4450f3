#pragma once
// The canvas of the core drawn with a QPainter: widgets, pixmaps, printers and
// recorded pages.  Without a painter it only measures, on the given device.
#include <QFont>
#include <QString>

#include "platform/Canvas.h"

class QPainter;
class QPaintDevice;

namespace kalorina::gui {

class QtCanvas : public TCanvas {
public:
    explicit QtCanvas(QPainter& painter);
    explicit QtCanvas(QPaintDevice* device);

    // Takes family, size, style and colour from a Qt font.
    void SetQFont(const QFont& font, TColor colour = clBlack);
    const QFont& QFontInUse() const { return qfont_; }
    // The Unicode text that is drawn for a code page 1250 text in the current font.
    QString ToDisplayText(const std::string& text) const;

    int PixelsPerInchX() const override;
    int PixelsPerInchY() const override;
    TTextMetrics TextMetrics() const override;
    int TextWidth(const std::string& text) const override;
    void TextRect(const TRect& clip, int x, int y, const std::string& text) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void FillRect(const TRect& rect) override;

protected:
    void FontChanged() override;

private:
    QPainter* painter_ = nullptr;
    QPaintDevice* device_ = nullptr;
    QFont qfont_;
    QString textFamily_;  // the family Greek letters are drawn with
    bool symbol_ = false;
};

QColor ToQColor(TColor colour);

} // namespace kalorina::gui
