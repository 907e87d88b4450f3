#include "platform/QtCanvas.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>

#include "platform/QtText.h"
#include "platform/SymbolFont.h"

namespace kalorina::gui {

QColor ToQColor(TColor colour)
{
    return QColor((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

QtCanvas::QtCanvas(QPainter& painter) : painter_(&painter), device_(painter.device())
{
    SetQFont(painter.font());
}

QtCanvas::QtCanvas(QPaintDevice* device) : device_(device)
{
    SetQFont(QFont());
}

void QtCanvas::SetQFont(const QFont& font, TColor colour)
{
    TFontAttributes a;
    a.name = Cp(font.family());
    a.size = font.pointSize() > 0 ? font.pointSize() : 10;
    a.bold = font.bold();
    a.italic = font.italic();
    a.underline = font.underline();
    a.colour = colour;
    qfont_ = font;
    SetFont(a);
}

void QtCanvas::FontChanged()
{
    const TFontAttributes& a = Font();
    symbol_ = a.name == kSymbolFontName;
    if (!symbol_)
        textFamily_ = Q(a.name);
    // Symbol fonts are rarely installed and never Unicode: Greek letters are drawn
    // with the text font instead.
    qfont_.setFamily(textFamily_);
    if (a.size > 0)
        qfont_.setPointSize(a.size);
    qfont_.setBold(a.bold);
    qfont_.setItalic(a.italic);
    qfont_.setUnderline(a.underline);
}

QString QtCanvas::ToDisplayText(const std::string& text) const
{
    if (!symbol_)
        return Q(text);
    QString out;
    for (unsigned char c : text)
        out += QString::fromUcs4(std::u32string(1, SymbolToUnicode(c)).data(), 1);
    return out;
}

int QtCanvas::PixelsPerInchX() const
{
    return device_ ? device_->logicalDpiX() : 96;
}

int QtCanvas::PixelsPerInchY() const
{
    return device_ ? device_->logicalDpiY() : 96;
}

TTextMetrics QtCanvas::TextMetrics() const
{
    QFontMetrics fm = device_ ? QFontMetrics(qfont_, device_) : QFontMetrics(qfont_);
    TTextMetrics m;
    m.ascent = fm.ascent();
    m.descent = fm.descent();
    m.height = fm.height();
    m.externalLeading = std::max(0, fm.leading());
    m.averageCharWidth = fm.averageCharWidth();
    return m;
}

int QtCanvas::TextWidth(const std::string& text) const
{
    QFontMetrics fm = device_ ? QFontMetrics(qfont_, device_) : QFontMetrics(qfont_);
    return fm.horizontalAdvance(ToDisplayText(text));
}

void QtCanvas::TextRect(const TRect& clip, int x, int y, const std::string& text)
{
    if (!painter_ || clip.Width() <= 0 || clip.Height() <= 0)
        return;
    painter_->save();
    painter_->setClipRect(QRect(clip.left, clip.top, clip.Width(), clip.Height()), Qt::IntersectClip);
    painter_->setFont(qfont_);
    painter_->setPen(ToQColor(Font().colour));
    QFontMetrics fm(qfont_, device_);
    painter_->drawText(x, y + fm.ascent(), ToDisplayText(text));
    painter_->restore();
}

void QtCanvas::Line(int x1, int y1, int x2, int y2)
{
    if (!painter_)
        return;
    painter_->save();
    painter_->setPen(QPen(ToQColor(PenColour()), 0));
    painter_->drawLine(x1, y1, x2, y2);
    painter_->restore();
}

void QtCanvas::FillRect(const TRect& rect)
{
    if (painter_)
        painter_->fillRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()), ToQColor(BrushColour()));
}

} // namespace kalorina::gui
