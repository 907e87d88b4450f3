#pragma once
// The canvas of the core drawn with a QPainter: widgets, pixmaps, printers, PDF
// files and recorded pages.  Without a painter it only measures, on the given device.
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QString>
#include <optional>

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

    // Report pages: a family this machine lacks is drawn with DejaVu instead of
    // whatever the font configuration would substitute, and glyphs are not hinted,
    // so a report is laid out the same on every Linux machine.
    void SetReportFonts(bool on);

    int PixelsPerInchX() const override;
    int PixelsPerInchY() const override;
    TTextMetrics TextMetrics() const override;
    int TextWidth(const std::string& text) const override;
    void TextRect(const TRect& clip, int x, int y, const std::string& text) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void FillRect(const TRect& rect) override;
    bool PictureSize(const std::string& name, int& width, int& height) const override;
    void DrawPicture(const TRect& rect, const std::string& name) override;

protected:
    void FontChanged() override;

private:
    QPainter* painter_ = nullptr;
    QPaintDevice* device_ = nullptr;
    QFont qfont_;
    std::optional<QFontMetrics> metrics_;
    QString textFamily_; // the family Greek letters are drawn with
    bool symbol_ = false;
    bool reportFonts_ = false;
    int averageCharWidth_ = 0;
};

QColor ToQColor(TColor colour);

// The family report pages use for `name`: the family itself when installed, else
// its metric twin of the Liberation fonts (Times New Roman, Arial, Courier New),
// else DejaVu Serif, DejaVu Sans Mono or DejaVu Sans by the kind of face asked for.
QString ReportFamily(const QString& name);

// A picture by the name reports use: the program's logo, or an image file.  Null
// when it cannot be read.  Pictures are read once and kept.
QImage ReportPicture(const std::string& name);

} // namespace kalorina::gui
