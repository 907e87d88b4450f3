#include "report/TReportDialog.h"

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
#include "help/Help.h"
#include "listview/TChangeHeaderForm.h"
#include "listview/TListHeaderFormat.h"
#include "platform/DialogSupport.h"
#include "platform/Printer.h"
#include "platform/QtReportTargets.h"
#include "platform/QtText.h"
#include "report/TPrintPreviewForm.h"

namespace kalorina::gui {

TReportDialog::TReportDialog(const Services& services, PrinterService* printer, QWidget* parent)
    : QDialog(parent), services_(services), printer_(printer ? printer : &SystemPrinter::Instance())
{
}

void TReportDialog::BuildReportControls()
{
    PrinterName = NamedLabel("PrinterName", {}, this);
    Setup = NamedButton("Setup", QStringLiteral("Beállít..."), this);
    printerGroup_ = new QGroupBox(QStringLiteral("Nyomtató"), this);
    printerGroup_->setObjectName(QStringLiteral("PrinterGroup"));
    auto* printerLayout = new QHBoxLayout(printerGroup_);
    printerLayout->addWidget(PrinterName, 1);
    printerLayout->addWidget(Setup);

    Title = new QLineEdit(this);
    Title->setObjectName(QStringLiteral("Title"));
    Title->setMaxLength(static_cast<int>(PrintingOptions::kMaxTitle));
    auto check = [this](const char* name, const QString& text) {
        auto* box = new QCheckBox(text, this);
        box->setObjectName(QString::fromLatin1(name));
        return box;
    };
    ProjektDataCheckBox = check("ProjektDataCheckBox", QStringLiteral("Projekt adatok"));
    PageNumberCheckBox = check("PageNumberCheckBox", QStringLiteral("Oldalszám"));
    ProjektNameCheckBox = check("ProjektNameCheckBox", QStringLiteral("Projekt fájl neve"));
    DateCheckBox = check("DateCheckBox", QStringLiteral("Dátum"));
    pageGroup_ = new QGroupBox(QStringLiteral("Oldal"), this);
    pageGroup_->setObjectName(QStringLiteral("PageGroup"));
    pageLayout_ = new QGridLayout(pageGroup_);
    pageLayout_->addWidget(NamedLabel("TitleLabel", QStringLiteral("Fejléc:"), this), 0, 0);
    pageLayout_->addWidget(Title, 0, 1);
    nextPageRow_ = 1;
    for (QCheckBox* box : {ProjektDataCheckBox, PageNumberCheckBox, ProjektNameCheckBox, DateCheckBox})
        pageLayout_->addWidget(box, nextPageRow_++, 0, 1, 2);

    Preview = NamedButton("Preview", QStringLiteral("Megtekint..."), this);
    SaveAsPdf = NamedButton("SaveAsPdf", QStringLiteral("Mentés PDF-be..."), this);
    OK = NamedButton("OK", QStringLiteral("Nyomtat"), this);
    OK->setDefault(true);
    Cancel = NamedButton("Cancel", QStringLiteral("Vissza"), this);
    Help = NamedButton("Help", QStringLiteral("Súgó"), this);
    InstallHelp(this, HelpTopic::Printing, Help);
    buttonRow_ = new QHBoxLayout;
    buttonRow_->addStretch();
    for (auto* b : {Preview, SaveAsPdf, OK, Cancel, Help})
        buttonRow_->addWidget(b);

    connect(Setup, &QPushButton::clicked, this, [this] {
        printer_->Setup(this);
        PrinterName->setText(printer_->PrinterName());
    });
    connect(Preview, &QPushButton::clicked, this, &TReportDialog::PreviewClick);
    connect(SaveAsPdf, &QPushButton::clicked, this, &TReportDialog::SaveAsPdfClick);
    connect(OK, &QPushButton::clicked, this, &TReportDialog::accept);
    connect(Cancel, &QPushButton::clicked, this, &TReportDialog::reject);
}

void TReportDialog::ShowSwitches(const std::string& text, bool data, bool numbers, bool name, bool day)
{
    PrinterName->setText(printer_->PrinterName());
    Title->setText(Q(text));
    ProjektDataCheckBox->setChecked(data);
    PageNumberCheckBox->setChecked(numbers);
    ProjektNameCheckBox->setChecked(name);
    DateCheckBox->setChecked(day);
}

std::string TReportDialog::TitleText() const
{
    return Cp(Title->text());
}

bool TReportDialog::Checked(const QCheckBox* box)
{
    return box->isChecked();
}

TReportEnvironment TReportDialog::ProgramReportEnvironment(const PrintingOptions& options)
{
    TReportEnvironment env = MakeReportEnvironment(options, ReportPicturePath().toStdString());
    env.identificationLine = TAboutBox(this).ReportIdentification();
    return env;
}

void TReportDialog::PreviewClick()
{
    auto report = MakeChosenReport();
    PreviewReportTarget pages(printer_->Printer().pageLayout());
    report->Run(pages);
    // The PDF of the preview is laid out again on its own sheet, from the same choices.
    TPrintPreviewForm preview(
        pages, [this] { return MakeChosenReport(); }, services_, *printer_, this);
    preview.proposedPdf = ProposedFile("pdf");
    ExecWithPlacement(preview);
}

void TReportDialog::SaveAsPdfClick()
{
    SaveReportAsPdf([this] { return MakeChosenReport(); }, printer_->Printer().pageLayout(), services_,
                    ProposedFile("pdf"));
}

void TReportDialog::accept()
{
    auto report = MakeChosenReport();
    if (!printer_->Choose(this))
        return;
    PrinterReportTarget target(printer_->Printer());
    // A job the printer refuses has printed nothing: the dialog stays for another try.
    if (!target.Start()) {
        ShowFailure(services_, PrintJobFailure(*printer_));
        return;
    }
    report->Run(target);
    QDialog::accept();
}

void TReportDialog::EditColumns(const ReportColumns& columns, const QFont& font)
{
    TListHeaderFormat format;
    format.LoadFormat(columns.formatName);
    format.LoadLayout("Kalorina", columns.layoutName);
    TChangeHeaderForm form(format, font, columns.layoutName, "Kalorina", services_, this);
    ExecWithPlacement(form);
}

} // namespace kalorina::gui
