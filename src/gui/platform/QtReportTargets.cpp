#include "platform/QtReportTargets.h"

#include <QFile>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

namespace kalorina::gui {

void PaperMillimetres(const QPageLayout& layout, int& width, int& height)
{
    QSizeF mm = layout.fullRect(QPageLayout::Millimeter).size();
    width = static_cast<int>(std::lround(mm.width()));
    height = static_cast<int>(std::lround(mm.height()));
}

QPageLayout DefaultReportLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

namespace {

void PrepareCanvas(QtCanvas& canvas, QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    canvas.SetReportFonts(true);
}

} // namespace

TCanvas& QtPainterTarget::BeginPage()
{
    if (pages_++ == 0) {
        painter_.begin(Device());
        canvas_ = std::make_unique<QtCanvas>(painter_);
        PrepareCanvas(*canvas_, painter_);
    } else {
        NextSheet();
    }
    return *canvas_;
}

void QtPainterTarget::EndDocument()
{
    if (painter_.isActive())
        painter_.end();
}

PdfReportTarget::PdfReportTarget(const QString& fileName, const QPageLayout& layout, int dpi)
    : writer_(std::make_unique<QPdfWriter>(fileName)), fileName_(fileName), layout_(layout), dpi_(dpi)
{
    writer_->setResolution(dpi);
    QPageLayout full = layout;
    full.setMargins(QMarginsF(0, 0, 0, 0));
    full.setMinimumMargins(QMarginsF(0, 0, 0, 0));
    writer_->setPageLayout(full);
    writer_->setCreator(QStringLiteral("Kalorina"));
}

PdfReportTarget::~PdfReportTarget() = default;

TPageSetup PdfReportTarget::PageSetup() const
{
    TPageSetup s;
    QRect px = layout_.fullRectPixels(dpi_);
    s.pageWidth = px.width();
    s.pageHeight = px.height();
    PaperMillimetres(layout_, s.paperWidthMM, s.paperHeightMM);
    return s;
}

QPaintDevice* PdfReportTarget::Device()
{
    return writer_.get();
}

void PdfReportTarget::NextSheet()
{
    writer_->newPage();
}

bool PdfReportTarget::Finish()
{
    EndDocument();
    writer_.reset(); // flushes and closes the file
    QFile written(fileName_);
    if (!written.open(QIODevice::ReadOnly) || written.size() < 16)
        return false;
    written.seek(std::max<qint64>(0, written.size() - 64));
    return written.readAll().contains("%%EOF");
}

namespace {

// A canvas that measures on a reference device and records what it draws.
class RecordingCanvas : public QtCanvas {
public:
    RecordingCanvas(QPaintDevice* device, RecordedPage& page) : QtCanvas(device), page_(page) { SetReportFonts(true); }
    void TextRect(const TRect& clip, int x, int y, const std::string& text) override
    {
        if (clip.Width() <= 0 || clip.Height() <= 0)
            return;
        QFont font = QFontInUse();
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pointSizeF() * PixelsPerInchY() / 72.0))));
        page_.Add({RecordedPage::Op::Text, QRect(clip.left, clip.top, clip.Width(), clip.Height()),
                   QPoint(x, y + TextMetrics().ascent), ToDisplayText(text), font, ToQColor(Font().colour)});
    }
    void Line(int x1, int y1, int x2, int y2) override
    {
        page_.Add({RecordedPage::Op::Line, QRect(QPoint(x1, y1), QPoint(x2, y2)), {}, {}, {}, ToQColor(PenColour())});
    }
    void FillRect(const TRect& r) override
    {
        page_.Add(
            {RecordedPage::Op::Fill, QRect(r.left, r.top, r.Width(), r.Height()), {}, {}, {}, ToQColor(BrushColour())});
    }
    void DrawPicture(const TRect& r, const std::string& name) override
    {
        page_.Add({RecordedPage::Op::Picture,
                   QRect(r.left, r.top, r.Width(), r.Height()),
                   {},
                   QString::fromStdString(name),
                   {},
                   {}});
    }

private:
    RecordedPage& page_;
};

} // namespace

void RecordedPage::Play(QPainter& painter) const
{
    for (const Op& op : ops_) {
        switch (op.kind) {
        case Op::Text:
            painter.save();
            painter.setClipRect(op.rect, Qt::IntersectClip);
            painter.setFont(op.font);
            painter.setPen(op.colour);
            painter.drawText(op.at, op.text);
            painter.restore();
            break;
        case Op::Line:
            painter.setPen(QPen(op.colour, 0));
            painter.drawLine(op.rect.topLeft(), op.rect.bottomRight());
            break;
        case Op::Fill:
            painter.fillRect(op.rect, op.colour);
            break;
        case Op::Picture: {
            QImage image = ReportPicture(op.text.toStdString());
            if (!image.isNull()) {
                painter.save();
                painter.setRenderHint(QPainter::SmoothPixmapTransform);
                painter.drawImage(op.rect, image);
                painter.restore();
            }
            break;
        }
        }
    }
}

PreviewReportTarget::PreviewReportTarget(const QPageLayout& layout, int layoutDpi) : layoutDpi_(layoutDpi)
{
    // Texts are measured on a picture of the layout resolution.
    reference_ = QImage(1, 1, QImage::Format_RGB32);
    const int dpm = static_cast<int>(std::lround(layoutDpi / 0.0254));
    reference_.setDotsPerMeterX(dpm);
    reference_.setDotsPerMeterY(dpm);
    setup_.preview = true;
    setup_.pixelsPerInch = layoutDpi;
    PaperMillimetres(layout, setup_.paperWidthMM, setup_.paperHeightMM);
    auto px = [&](int mm) { return static_cast<int>(setup_.pixelsPerInch * mm * 0.03937007874015748); };
    setup_.pageWidth = px(setup_.paperWidthMM);
    setup_.pageHeight = px(setup_.paperHeightMM);
}

TPageSetup PreviewReportTarget::PageSetup() const
{
    return setup_;
}

TCanvas& PreviewReportTarget::BeginPage()
{
    pages_.push_back(std::make_unique<RecordedPage>());
    canvas_ = std::make_unique<RecordingCanvas>(&reference_, *pages_.back());
    return *canvas_;
}

void PreviewReportTarget::EndPage()
{
    canvas_.reset();
}

void PreviewReportTarget::DrawPage(QPainter& painter, int index, const QRect& target) const
{
    if (index < 0 || index >= PageCount())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(target.topLeft());
    painter.scale(double(target.width()) / setup_.pageWidth, double(target.height()) / setup_.pageHeight);
    pages_[index]->Play(painter);
    painter.restore();
}

ImageReportTarget::ImageReportTarget(const QPageLayout& layout, int dpi, std::function<void(const QImage&, int)> onPage)
    : PreviewReportTarget(layout), dpi_(dpi), onPage_(std::move(onPage))
{
}

void ImageReportTarget::EndPage()
{
    PreviewReportTarget::EndPage();
    QImage image(DisplayWidth(dpi_), DisplayHeight(dpi_), QImage::Format_RGB32);
    const int dpm = static_cast<int>(std::lround(dpi_ / 0.0254));
    image.setDotsPerMeterX(dpm);
    image.setDotsPerMeterY(dpm);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawPage(painter, PageCount() - 1, image.rect());
    painter.end();
    if (onPage_)
        onPage_(image, PageCount());
    else
        images_.push_back(image);
}

} // namespace kalorina::gui
