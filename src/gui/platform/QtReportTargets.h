#pragma once
// Report pages on Qt paint devices: a PDF file, pictures of the pages, and pages
// recorded for the preview.  The printer's target lives with the printing dialogs.
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "platform/QtCanvas.h"
#include "report/ReportTarget.h"

class QPdfWriter;

namespace kalorina::gui {

// The sheet of a page layout in millimetres, rounded.
void PaperMillimetres(const QPageLayout& layout, int& width, int& height);

// Pages drawn with one painter on one device that turns pages itself.
class QtPainterTarget : public TReportTarget {
public:
    TCanvas& BeginPage() override;
    void EndPage() override {}
    void EndDocument() override;

protected:
    // The device, begun on the first page; false when painting cannot start.
    virtual QPaintDevice* Device() = 0;
    virtual void NextSheet() = 0;

    QPainter painter_;
    std::unique_ptr<QtCanvas> canvas_;
    int pages_ = 0;
};

class PdfReportTarget : public QtPainterTarget {
public:
    PdfReportTarget(const QString& fileName, const QPageLayout& layout, int dpi = 600);
    ~PdfReportTarget() override;
    TPageSetup PageSetup() const override;
    // False when the file could not be written whole (a full disk leaves it without
    // the trailer every complete PDF ends with).
    bool Finish();

protected:
    QPaintDevice* Device() override;
    void NextSheet() override;

private:
    std::unique_ptr<QPdfWriter> writer_;
    QString fileName_;
    QPageLayout layout_;
    int dpi_;
};

// One recorded page: what was drawn on it, in the order drawn, to be replayed at
// any size on any device.  Fonts are kept at their pixel size of the recording, so
// that a replay scaled onto a printer keeps the proportions of the preview.
class RecordedPage {
public:
    struct Op {
        enum Kind { Text, Line, Fill, Picture } kind;
        QRect rect;   // clip (texts), the line's two points, the filled or picture rectangle
        QPoint at;    // baseline start of a text
        QString text; // text, or the picture's name
        QFont font;
        QColor colour;
    };
    void Add(Op op) { ops_.push_back(std::move(op)); }
    void Play(QPainter& painter) const;
    std::size_t Size() const { return ops_.size(); }

private:
    std::vector<Op> ops_;
};

// Pages recorded for the preview.  They are laid out at the resolution of the PDF
// files (kLayoutDpi), not at the screen's, so the preview shows the pages a PDF
// file or a printer gets, page breaks included; the preview scales them down.
class PreviewReportTarget : public TReportTarget {
public:
    static constexpr int kLayoutDpi = 600;
    explicit PreviewReportTarget(const QPageLayout& layout, int layoutDpi = kLayoutDpi);
    TPageSetup PageSetup() const override;
    TCanvas& BeginPage() override;
    void EndPage() override;

    // The page in layout units.
    int PageWidth() const { return setup_.pageWidth; }
    int PageHeight() const { return setup_.pageHeight; }
    // The page at its real size on a screen of `dpi` (100 % zoom).
    int DisplayWidth(int dpi = 96) const { return setup_.pageWidth * dpi / layoutDpi_; }
    int DisplayHeight(int dpi = 96) const { return setup_.pageHeight * dpi / layoutDpi_; }
    int PageCount() const { return static_cast<int>(pages_.size()); }
    const RecordedPage& Page(int index) const { return *pages_[index]; }
    // Draws a page stretched into `target`.
    void DrawPage(QPainter& painter, int index, const QRect& target) const;

private:
    int layoutDpi_;
    TPageSetup setup_;
    QImage reference_; // the device texts are measured on
    std::unique_ptr<QtCanvas> canvas_;
    std::vector<std::unique_ptr<RecordedPage>> pages_;
};

// Every page as a white picture at a resolution, laid out as the PDF files are.
// With `onPage` each finished page goes there (numbered from 1) instead of being kept.
class ImageReportTarget : public PreviewReportTarget {
public:
    ImageReportTarget(const QPageLayout& layout, int dpi, std::function<void(const QImage&, int)> onPage = {});
    void EndPage() override;
    const std::vector<QImage>& Images() const { return images_; }

private:
    int dpi_;
    std::vector<QImage> images_;
    std::function<void(const QImage&, int)> onPage_;
};

// A4 upright, the sheet reports are laid out on when no printer says otherwise.
QPageLayout DefaultReportLayout();

} // namespace kalorina::gui
