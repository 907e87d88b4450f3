#include "platform/Printer.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinterInfo>

#include "lang/TLanguages.h"
#include "platform/QtReportTargets.h"
#include "platform/QtText.h"
#include "util/FormatText.h"

namespace kalorina::gui {

SystemPrinter& SystemPrinter::Instance()
{
    static SystemPrinter printer;
    return printer;
}

SystemPrinter::SystemPrinter() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    // Without an installed printer the sheet is A4, as engineering offices print.
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        printer_->setPageSize(QPageSize(QPageSize::A4));
}

bool SystemPrinter::Setup(QWidget* parent)
{
    QPageSetupDialog dialog(printer_.get(), parent);
    return dialog.exec() == QDialog::Accepted;
}

bool SystemPrinter::Choose(QWidget* parent)
{
    QPrintDialog dialog(printer_.get(), parent);
    return dialog.exec() == QDialog::Accepted;
}

QString SystemPrinter::PrinterName()
{
    QString name = printer_->printerName();
    return name.isEmpty() ? QStringLiteral("PDF") : name;
}

std::string PrintJobFailure(PrinterService& printer)
{
    // Messages speak the windows' language, also while a printing dialog has switched
    // lookups to the printing language.
    TLanguages& languages = Languages();
    const bool printing = languages.PrintingMode;
    languages.PrintingMode = false;
    const std::string text = languages.GetText("IDS_PRINTJOBFAILED");
    languages.PrintingMode = printing;
    return FormatText(text, {Cp(printer.PrinterName())});
}

PrinterReportTarget::PrinterReportTarget(QPrinter& printer) : printer_(printer)
{
    printer_.setFullPage(true);
}

bool PrinterReportTarget::Start()
{
    return painter_.isActive() || painter_.begin(&printer_);
}

TPageSetup PrinterReportTarget::PageSetup() const
{
    TPageSetup s;
    const QPageLayout layout = printer_.pageLayout();
    const QRect full = layout.fullRectPixels(printer_.resolution());
    s.pageWidth = full.width();
    s.pageHeight = full.height();
    PaperMillimetres(layout, s.paperWidthMM, s.paperHeightMM);
    return s;
}

TCanvas& PrinterReportTarget::BeginPage()
{
    if (pages_++ == 0) {
        Start();
        canvas_ = std::make_unique<QtCanvas>(painter_);
        canvas_->SetReportFonts(true);
    } else {
        printer_.newPage();
    }
    return *canvas_;
}

void PrinterReportTarget::EndDocument()
{
    if (painter_.isActive())
        painter_.end();
}

} // namespace kalorina::gui
