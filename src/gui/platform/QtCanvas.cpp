#include "platform/QtCanvas.h"

#include <QFontDatabase>
#include <QHash>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "platform/QtText.h"
#include "platform/SymbolFont.h"
#include "report/ReportTarget.h"

namespace kalorina::gui {

QColor ToQColor(TColor colour)
{
    return QColor((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

QString ReportFamily(const QString& name)
{
    static QHash<QString, QString> resolved;
    auto it = resolved.constFind(name);
    if (it != resolved.constEnd())
        return *it;
    const QStringList installed = QFontDatabase::families();
    auto has = [&](const QString& f) { return installed.contains(f, Qt::CaseInsensitive); };
    const QString lower = name.toLower();
    const bool mono = lower.contains(QLatin1String("courier")) || lower.contains(QLatin1String("mono"))
        || lower.contains(QLatin1String("consol")) || lower.contains(QLatin1String("fixed"));
    const bool sans = lower.contains(QLatin1String("sans")) || lower.contains(QLatin1String("arial"))
        || lower.contains(QLatin1String("helvetica")) || lower.contains(QLatin1String("verdana"))
        || lower.contains(QLatin1String("tahoma")) || lower.contains(QLatin1String("calibri"));
    // The Windows faces the templates were measured with have metric twins on Linux
    // (fonts-liberation2): tab stops and column widths then come out as designed.
    QString twin = lower == QLatin1String("times new roman") ? QStringLiteral("Liberation Serif")
        : lower == QLatin1String("arial")                    ? QStringLiteral("Liberation Sans")
        : lower == QLatin1String("courier new")              ? QStringLiteral("Liberation Mono")
                                                             : QString();
    QString family;
    if (!name.isEmpty() && has(name))
        family = name;
    else if (!twin.isEmpty() && has(twin))
        family = twin;
    else
        family = mono ? QStringLiteral("DejaVu Sans Mono")
            : sans    ? QStringLiteral("DejaVu Sans")
                      : QStringLiteral("DejaVu Serif");
    resolved.insert(name, family);
    return family;
}

namespace {

// The program's logo: a floor heating loop in a tile, drawn at 120 × 120 pixels
// (300 dpi, so 10 mm on paper).
QImage BuiltInLogo()
{
    QImage image(120, 120, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(120.0 / 64, 120.0 / 64);
    p.setPen(QPen(QColor(0x8a, 0x4b, 0x2a), 3));
    p.setBrush(QColor(0xf4, 0xef, 0xe6));
    p.drawRoundedRect(QRectF(4, 4, 56, 56), 8, 8);
    QPainterPath loop;
    loop.moveTo(14, 16);
    for (QPointF pt : {QPointF(50, 16), QPointF(50, 24), QPointF(14, 24), QPointF(14, 32), QPointF(50, 32),
                       QPointF(50, 40), QPointF(14, 40), QPointF(14, 48), QPointF(50, 48)})
        loop.lineTo(pt);
    p.setBrush(Qt::NoBrush);
    QPen pen(QColor(0xc8, 0x38, 0x2b), 4);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.drawPath(loop);
    return image;
}

// The average character width as the printer drivers the column formats were made
// for report it: the widths of the lower-case letters and the blank weighted by
// their frequency in English text.  Newer fonts average all their glyphs instead,
// which makes every table a third wider than designed.
int WeightedAverageCharWidth(const QFont& font, QPaintDevice* device)
{
    static const int weights[27] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6,  35, 20, 56,
                                    56, 17, 4,  49, 56,  71, 31, 10, 18, 3, 18, 2,  166};
    QFontMetricsF fm = device ? QFontMetricsF(font, device) : QFontMetricsF(font);
    double sum = 0;
    for (int i = 0; i < 26; ++i)
        sum += fm.horizontalAdvance(QChar('a' + i)) * weights[i];
    sum += fm.horizontalAdvance(QChar(' ')) * weights[26];
    return std::max(1, static_cast<int>(std::lround(sum / 1000)));
}

} // namespace

QImage ReportPicture(const std::string& name)
{
    static QHash<QString, QImage> cache;
    const QString key = QString::fromStdString(name);
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    QImage image = name == kLogoPicture ? BuiltInLogo() : QImage(key);
    cache.insert(key, image);
    return image;
}

QtCanvas::QtCanvas(QPainter& painter) : painter_(&painter), device_(painter.device())
{
    SetQFont(painter.font());
}

QtCanvas::QtCanvas(QPaintDevice* device) : device_(device)
{
    SetQFont(QFont());
}

void QtCanvas::SetReportFonts(bool on)
{
    reportFonts_ = on;
    FontChanged();
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
        textFamily_ = reportFonts_ ? ReportFamily(Q(a.name)) : Q(a.name);
    // Symbol fonts are rarely installed and never Unicode: Greek letters are drawn
    // with the text font instead.
    qfont_.setFamily(textFamily_);
    if (a.size > 0)
        qfont_.setPointSize(a.size);
    qfont_.setBold(a.bold);
    qfont_.setItalic(a.italic);
    qfont_.setUnderline(a.underline);
    if (reportFonts_)
        qfont_.setHintingPreference(QFont::PreferNoHinting);
    metrics_.emplace(device_ ? QFontMetrics(qfont_, device_) : QFontMetrics(qfont_));
    averageCharWidth_ = metrics_->averageCharWidth();
    if (reportFonts_)
        averageCharWidth_ = WeightedAverageCharWidth(qfont_, device_);
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
    const QFontMetrics& fm = *metrics_;
    TTextMetrics m;
    m.ascent = fm.ascent();
    m.descent = fm.descent();
    m.height = fm.height();
    m.externalLeading = std::max(0, fm.leading());
    m.averageCharWidth = averageCharWidth_;
    return m;
}

int QtCanvas::TextWidth(const std::string& text) const
{
    return metrics_->horizontalAdvance(ToDisplayText(text));
}

void QtCanvas::TextRect(const TRect& clip, int x, int y, const std::string& text)
{
    if (!painter_ || clip.Width() <= 0 || clip.Height() <= 0)
        return;
    painter_->save();
    painter_->setClipRect(QRect(clip.left, clip.top, clip.Width(), clip.Height()), Qt::IntersectClip);
    painter_->setFont(qfont_);
    painter_->setPen(ToQColor(Font().colour));
    painter_->drawText(x, y + metrics_->ascent(), ToDisplayText(text));
    painter_->restore();
}

void QtCanvas::Line(int x1, int y1, int x2, int y2)
{
    if (!painter_)
        return;
    painter_->save();
    // One pixel of the screen, a hairline of about a quarter point on paper.
    const int width = PixelsPerInchY() > 200 ? PixelsPerInchY() / 288 : 0;
    painter_->setPen(QPen(ToQColor(PenColour()), width));
    painter_->drawLine(x1, y1, x2, y2);
    painter_->restore();
}

void QtCanvas::FillRect(const TRect& rect)
{
    if (painter_)
        painter_->fillRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()), ToQColor(BrushColour()));
}

bool QtCanvas::PictureSize(const std::string& name, int& width, int& height) const
{
    QImage image = ReportPicture(name);
    if (image.isNull())
        return false;
    width = image.width();
    height = image.height();
    return true;
}

void QtCanvas::DrawPicture(const TRect& rect, const std::string& name)
{
    QImage image = ReportPicture(name);
    if (!painter_ || image.isNull())
        return;
    painter_->save();
    painter_->setRenderHint(QPainter::SmoothPixmapTransform);
    painter_->drawImage(QRect(rect.left, rect.top, rect.Width(), rect.Height()), image);
    painter_->restore();
}

} // namespace kalorina::gui
