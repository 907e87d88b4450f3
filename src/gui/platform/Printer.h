#pragma once
// The printer of the program: the one the user set up last, the print dialog before
// a job, and report pages drawn on it.  Tests put a printer that writes a PDF file
// in its place, so that nothing waits for a dialog.
#include <QPainter>
#include <QPrinter>
#include <QString>
#include <memory>
#include <string>

#include "platform/QtCanvas.h"
#include "report/ReportTarget.h"

class QWidget;

namespace kalorina::gui {

class PrinterService {
public:
    virtual ~PrinterService() = default;
    virtual QPrinter& Printer() = 0;
    // The printer set-up; true when the user confirmed.
    virtual bool Setup(QWidget* parent) = 0;
    // The print dialog before a job; false when cancelled.
    virtual bool Choose(QWidget* parent) = 0;
    // "Nyomtató neve" as the dialog shows it; the PDF writer when there is none.
    virtual QString PrinterName() = 0;
};

class SystemPrinter : public PrinterService {
public:
    static SystemPrinter& Instance();
    QPrinter& Printer() override { return *printer_; }
    bool Setup(QWidget* parent) override;
    bool Choose(QWidget* parent) override;
    QString PrinterName() override;

private:
    SystemPrinter();
    std::unique_ptr<QPrinter> printer_;
};

// What the user reads when the printer refuses a print job: the printer's name and
// what to check, in the language of the windows.
std::string PrintJobFailure(PrinterService& printer);

// Report pages on a printer, laid out on the whole sheet.
class PrinterReportTarget : public TReportTarget {
public:
    explicit PrinterReportTarget(QPrinter& printer);
    // Begins the print job; false when the printer refuses it (an unreachable printer,
    // an output file that cannot be written).  Pages begin it themselves otherwise.
    bool Start();
    TPageSetup PageSetup() const override;
    TCanvas& BeginPage() override;
    void EndPage() override {}
    void EndDocument() override;
    int Pages() const { return pages_; }

private:
    QPrinter& printer_;
    QPainter painter_;
    std::unique_ptr<QtCanvas> canvas_;
    int pages_ = 0;
};

} // namespace kalorina::gui
