#pragma once
// The recorded pages of a report with zoom and page navigation; prints the page
// shown or saves the whole report as a PDF file.
#include <QDialog>
#include <functional>
#include <memory>

#include "app/PrintingEditor.h"
#include "platform/QtReportTargets.h"
#include "platform/Services.h"
#include "report/TBReport.h"

class QAction;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace kalorina::gui {

class PrinterService;
class TPageImage;

class TPrintPreviewForm : public QDialog {
    Q_OBJECT
public:
    // `makeReport` builds the same report again for a PDF file.
    TPrintPreviewForm(const PreviewReportTarget& pages, std::function<std::unique_ptr<TBReport>()> makeReport,
                      const Services& services, PrinterService& printer, QWidget* parent = nullptr);
    ~TPrintPreviewForm() override;

    PreviewNavigator& Navigator() { return navigator_; }
    void ShowView();

    QAction *First = nullptr, *Previous = nullptr, *Next = nullptr, *Last = nullptr, *Number = nullptr,
            *Print = nullptr, *SaveAsPdf = nullptr, *Exit = nullptr;
    QComboBox* ZoomComboBox = nullptr;
    QLabel* PageNumber = nullptr;
    QPushButton* Cancel = nullptr;
    QPushButton* Help = nullptr;
    QScrollArea* ScrollBox = nullptr;
    QWidget* PageImage = nullptr; // the page at the zoom, white around it
    // The name the PDF save dialog proposes; empty: none.
    std::string proposedPdf;

private:
    void NumberExecute();
    void PrintExecute();
    void SaveAsPdfExecute();
    void ZoomComboBoxChange(int index);

    const PreviewReportTarget& pages_;
    std::function<std::unique_ptr<TBReport>()> makeReport_;
    Services services_;
    PrinterService& printer_;
    PreviewNavigator navigator_;
};

// Saves a report as a PDF file chosen in a save dialog; shows why when it cannot.
// True when a file was written.
bool SaveReportAsPdf(const std::function<std::unique_ptr<TBReport>()>& makeReport, const QPageLayout& layout,
                     const Services& services, const std::string& proposedFile = {});

} // namespace kalorina::gui
