#include "report/ReportDialogParts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>

#include "app/AppPaths.h"
#include "app/TAboutBox.h"
#include "listview/TChangeHeaderForm.h"
#include "listview/TListHeaderFormat.h"
#include "platform/DialogSupport.h"
#include "platform/Printer.h"
#include "platform/QtReportTargets.h"
#include "platform/QtText.h"
#include "report/TPrintPreviewForm.h"

namespace kalorina::gui {

ReportDialogParts::ReportDialogParts(QWidget* dialog, PrinterService& printer)
{
    printerName = NamedLabel("PrinterName", {}, dialog);
    setup = NamedButton("Setup", QStringLiteral("Beállít..."), dialog);
    printerGroup = new QGroupBox(QStringLiteral("Nyomtató"), dialog);
    printerGroup->setObjectName(QStringLiteral("PrinterGroup"));
    auto* printerLayout = new QHBoxLayout(printerGroup);
    printerLayout->addWidget(printerName, 1);
    printerLayout->addWidget(setup);
    QObject::connect(setup, &QPushButton::clicked, dialog, [dialog, &printer, name = printerName] {
        printer.Setup(dialog);
        name->setText(printer.PrinterName());
    });

    title = new QLineEdit(dialog);
    title->setObjectName(QStringLiteral("Title"));
    title->setMaxLength(static_cast<int>(PrintingOptions::kMaxTitle));
    auto check = [dialog](const char* name, const QString& text) {
        auto* box = new QCheckBox(text, dialog);
        box->setObjectName(QString::fromLatin1(name));
        return box;
    };
    projectData = check("ProjektDataCheckBox", QStringLiteral("Projekt adatok"));
    pageNumbers = check("PageNumberCheckBox", QStringLiteral("Oldalszám"));
    fileName = check("ProjektNameCheckBox", QStringLiteral("Projekt fájl neve"));
    date = check("DateCheckBox", QStringLiteral("Dátum"));
    pageGroup = new QGroupBox(QStringLiteral("Oldal"), dialog);
    pageGroup->setObjectName(QStringLiteral("PageGroup"));
    pageLayout = new QGridLayout(pageGroup);
    pageLayout->addWidget(NamedLabel("TitleLabel", QStringLiteral("Fejléc:"), dialog), 0, 0);
    pageLayout->addWidget(title, 0, 1);
    nextPageRow = 1;
    for (QCheckBox* box : {projectData, pageNumbers, fileName, date})
        pageLayout->addWidget(box, nextPageRow++, 0, 1, 2);

    preview = NamedButton("Preview", QStringLiteral("Megtekint..."), dialog);
    saveAsPdf = NamedButton("SaveAsPdf", QStringLiteral("Mentés PDF-be..."), dialog);
    ok = NamedButton("OK", QStringLiteral("Nyomtat"), dialog);
    ok->setDefault(true);
    cancel = NamedButton("Cancel", QStringLiteral("Vissza"), dialog);
    help = NamedButton("Help", QStringLiteral("Súgó"), dialog);
    buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    for (auto* b : {preview, saveAsPdf, ok, cancel, help})
        buttonRow->addWidget(b);
}

void ReportDialogParts::ShowSwitches(const std::string& text, bool data, bool numbers, bool name, bool day)
{
    title->setText(Q(text));
    projectData->setChecked(data);
    pageNumbers->setChecked(numbers);
    fileName->setChecked(name);
    date->setChecked(day);
}

std::string ReportDialogParts::TitleText() const
{
    return Cp(title->text());
}

bool ReportDialogParts::Checked(const QCheckBox* box)
{
    return box->isChecked();
}

TReportEnvironment ProgramReportEnvironment(const PrintingOptions& options, QWidget* parent)
{
    TReportEnvironment env = MakeReportEnvironment(options, ReportPicturePath().toStdString());
    env.identificationLine = TAboutBox(parent).ReportIdentification();
    return env;
}

void PreviewReport(const ReportMaker& makeReport, PrinterService& printer, const Services& services, QWidget* parent)
{
    auto report = makeReport();
    PreviewReportTarget pages(printer.Printer().pageLayout());
    report->Run(pages);
    // The PDF of the preview is laid out again on its own sheet, from the same choices.
    TPrintPreviewForm preview(pages, makeReport, services, printer, parent);
    preview.exec();
}

bool PrintReport(const ReportMaker& makeReport, PrinterService& printer, QWidget* parent)
{
    auto report = makeReport();
    if (!printer.Choose(parent))
        return false;
    PrinterReportTarget target(printer.Printer());
    report->Run(target);
    return true;
}

void EditReportColumns(const ReportColumns& columns, const QFont& font, const Services& services, QWidget* parent)
{
    TListHeaderFormat format;
    format.LoadFormat(columns.formatName);
    format.LoadLayout("Kalorina", columns.layoutName);
    TChangeHeaderForm form(format, font, columns.layoutName, "Kalorina", services, parent);
    ExecWithPlacement(form);
}

} // namespace kalorina::gui
