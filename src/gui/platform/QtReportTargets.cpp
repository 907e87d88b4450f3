#include "platform/QtReportTargets.h"

#include <QPdfWriter>
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
    : writer_(std::make_unique<QPdfWriter>(fileName)), layout_(layout), dpi_(dpi)
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
    writer_.reset();  // flushes and closes the file
    return true;
}

ImageReportTarget::ImageReportTarget(const QPageLayout& layout, int dpi) : layout_(layout), dpi_(dpi) {}

TPageSetup ImageReportTarget::PageSetup() const
{
    TPageSetup s;
    QRect px = layout_.fullRectPixels(dpi_);
    s.pageWidth = px.width();
    s.pageHeight = px.height();
    PaperMillimetres(layout_, s.paperWidthMM, s.paperHeightMM);
    return s;
}

TCanvas& ImageReportTarget::BeginPage()
{
    TPageSetup s = PageSetup();
    current_ = QImage(s.pageWidth, s.pageHeight, QImage::Format_RGB32);
    const int dpm = static_cast<int>(std::lround(dpi_ / 0.0254));
    current_.setDotsPerMeterX(dpm);
    current_.setDotsPerMeterY(dpm);
    current_.fill(Qt::white);
    painter_.begin(&current_);
    canvas_ = std::make_unique<QtCanvas>(painter_);
    PrepareCanvas(*canvas_, painter_);
    return *canvas_;
}

void ImageReportTarget::EndPage()
{
    canvas_.reset();
    painter_.end();
    images_.push_back(current_);
}

PreviewReportTarget::PreviewReportTarget(const QPageLayout& layout)
{
    QPicture probe;
    setup_.preview = true;
    setup_.pixelsPerInch = probe.logicalDpiY();
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
    pages_.push_back(std::make_unique<QPicture>());
    pages_.back()->setBoundingRect(QRect(0, 0, setup_.pageWidth, setup_.pageHeight));
    painter_.begin(pages_.back().get());
    canvas_ = std::make_unique<QtCanvas>(painter_);
    PrepareCanvas(*canvas_, painter_);
    return *canvas_;
}

void PreviewReportTarget::EndPage()
{
    canvas_.reset();
    painter_.end();
}

void PreviewReportTarget::DrawPage(QPainter& painter, int index, const QRect& target) const
{
    if (index < 0 || index >= PageCount())
        return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(double(target.width()) / setup_.pageWidth, double(target.height()) / setup_.pageHeight);
    painter.drawPicture(0, 0, *pages_[index]);
    painter.restore();
}

} // namespace kalorina::gui
