#include "materials/TUsedMaterialsPrintingForm.h"
#include "help/Help.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/AppPaths.h"
#include "app/TAboutBox.h"
#include "listview/TChangeHeaderForm.h"
#include "materials/MaterialTreeView.h"
#include "platform/DialogSupport.h"
#include "platform/Printer.h"
#include "platform/QtFormTranslator.h"
#include "platform/QtText.h"
#include "report/TPrintPreviewForm.h"

namespace kalorina::gui {

TUsedMaterialsPrintingForm::TUsedMaterialsPrintingForm(TUsedMaterial bill, TProject& project, const TDevices& devices,
                                                       const TProgramOptions& programOptions, const Services& services,
                                                       PrinterService* printer, QWidget* parent)
    : QDialog(parent), project_(project), devices_(devices), margins_(programOptions.margins), services_(services),
      printer_(printer ? printer : &SystemPrinter::Instance())
{
    setObjectName(QStringLiteral("UsedMaterialsPrintingForm"));
    setWindowTitle(QStringLiteral("Nyomtatás"));
    BuildControls();
    TranslateForm(this);
    editor_ = std::make_unique<UsedMaterialsPrintingEditor>(std::move(bill), ProcessPrintingOptions());
    ItemView->Fill(editor_->Tree());
    // The tree keeps the screen language; the pages and the table's captions speak
    // the printing language.
    printing_.emplace();
    ShowView();
}

TUsedMaterialsPrintingForm::~TUsedMaterialsPrintingForm() = default;

void TUsedMaterialsPrintingForm::BuildControls()
{
    ItemView = new MaterialTreeView(this);
    AllButton = new QRadioButton(QStringLiteral("Mind"), this);
    AllButton->setObjectName(QStringLiteral("AllButton"));
    SelectedButton = new QRadioButton(QStringLiteral("Csak a kijelöltek"), this);
    SelectedButton->setObjectName(QStringLiteral("SelectedButton"));
    auto* rows = new QGroupBox(QStringLiteral("Nyomtatandó tételek"), this);
    rows->setObjectName(QStringLiteral("ItemsGroup"));
    auto* rowsLayout = new QVBoxLayout(rows);
    rowsLayout->addWidget(ItemView, 1);
    rowsLayout->addWidget(AllButton);
    rowsLayout->addWidget(SelectedButton);

    PrinterName = NamedLabel("PrinterName", {}, this);
    Setup = NamedButton("Setup", QStringLiteral("Beállít..."), this);
    auto* printer = new QGroupBox(QStringLiteral("Nyomtató"), this);
    printer->setObjectName(QStringLiteral("PrinterGroup"));
    auto* printerLayout = new QHBoxLayout(printer);
    printerLayout->addWidget(PrinterName, 1);
    printerLayout->addWidget(Setup);

    Title = new QLineEdit(this);
    Title->setObjectName(QStringLiteral("Title"));
    Title->setMaxLength(static_cast<int>(PrintingOptions::kMaxTitle));
    auto check = [this](QCheckBox*& box, const char* name, const QString& text) {
        box = new QCheckBox(text, this);
        box->setObjectName(QString::fromLatin1(name));
    };
    check(ProjektDataCheckBox, "ProjektDataCheckBox", QStringLiteral("Projekt adatok"));
    check(PageNumberCheckBox, "PageNumberCheckBox", QStringLiteral("Oldalszám"));
    check(ProjektNameCheckBox, "ProjektNameCheckBox", QStringLiteral("Projekt fájl neve"));
    check(DateCheckBox, "DateCheckBox", QStringLiteral("Dátum"));
    TableColumns = NamedButton("TableColumns", QStringLiteral("Oszlopok..."), this);
    auto* page = new QGroupBox(QStringLiteral("Oldal"), this);
    page->setObjectName(QStringLiteral("PageGroup"));
    auto* pageLayout = new QGridLayout(page);
    pageLayout->addWidget(NamedLabel("TitleLabel", QStringLiteral("Fejléc:"), this), 0, 0);
    pageLayout->addWidget(Title, 0, 1);
    int line = 1;
    for (QCheckBox* box : {ProjektDataCheckBox, PageNumberCheckBox, ProjektNameCheckBox, DateCheckBox})
        pageLayout->addWidget(box, line++, 0, 1, 2);
    pageLayout->addWidget(TableColumns, line, 0, 1, 2, Qt::AlignLeft);

    Preview = NamedButton("Preview", QStringLiteral("Megtekint..."), this);
    SaveAsPdf = NamedButton("SaveAsPdf", QStringLiteral("Mentés PDF-be..."), this);
    OK = NamedButton("OK", QStringLiteral("Nyomtat"), this);
    OK->setDefault(true);
    Cancel = NamedButton("Cancel", QStringLiteral("Vissza"), this);
    Help = NamedButton("Help", QStringLiteral("Súgó"), this);
    InstallHelp(this, HelpTopic::Printing, Help);
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);

    auto* right = new QVBoxLayout;
    right->addWidget(printer);
    right->addWidget(page);
    right->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(rows, 1);
    top->addLayout(right);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (auto* b : {Preview, SaveAsPdf, OK, Cancel, Help})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    layout->addWidget(StatusBar);

    connect(ItemView, &MaterialTreeView::NodeDoubleClicked, this, [this](const std::vector<int>& path, bool shift) {
        ReadControls();
        if (editor_->DoubleClick(path, shift))
            ShowView();
    });
    connect(AllButton, &QRadioButton::toggled, this, [this](bool on) {
        if (!showing_)
            editor_->SetAll(on);
    });
    connect(Setup, &QPushButton::clicked, this, [this] {
        printer_->Setup(this);
        PrinterName->setText(printer_->PrinterName());
    });
    connect(TableColumns, &QPushButton::clicked, this, &TUsedMaterialsPrintingForm::TableColumnsClick);
    connect(Preview, &QPushButton::clicked, this, &TUsedMaterialsPrintingForm::PreviewClick);
    connect(SaveAsPdf, &QPushButton::clicked, this, &TUsedMaterialsPrintingForm::SaveAsPdfClick);
    connect(OK, &QPushButton::clicked, this, &TUsedMaterialsPrintingForm::accept);
    connect(Cancel, &QPushButton::clicked, this, &TUsedMaterialsPrintingForm::reject);
}

void TUsedMaterialsPrintingForm::ShowView()
{
    showing_ = true;
    const auto v = editor_->GetView();
    ItemView->ShowStates(*v.tree);
    AllButton->setChecked(v.all);
    SelectedButton->setChecked(!v.all);
    PrinterName->setText(printer_->PrinterName());
    Title->setText(Q(v.title));
    ProjektDataCheckBox->setChecked(v.projectData);
    PageNumberCheckBox->setChecked(v.pageNumbers);
    ProjektNameCheckBox->setChecked(v.fileName);
    DateCheckBox->setChecked(v.date);
    // An empty bill (no fields, no circuits with parts) has nothing to print.
    for (QPushButton* b : {Preview, SaveAsPdf, OK})
        b->setEnabled(!v.empty);
    if (v.warning.empty())
        StatusBar->clearMessage();
    else
        StatusBar->showMessage(Q(v.warning));
    showing_ = false;
}

void TUsedMaterialsPrintingForm::ReadControls()
{
    editor_->SetTitle(Cp(Title->text()));
    editor_->SetSwitch(PrintingOptions::kProjectData, ProjektDataCheckBox->isChecked());
    editor_->SetSwitch(PrintingOptions::kPageNumbers, PageNumberCheckBox->isChecked());
    editor_->SetSwitch(PrintingOptions::kFileName, ProjektNameCheckBox->isChecked());
    editor_->SetSwitch(PrintingOptions::kDate, DateCheckBox->isChecked());
    editor_->SetAll(AllButton->isChecked());
}

std::unique_ptr<TBReport> TUsedMaterialsPrintingForm::MakeChosenReport()
{
    ReadControls();
    editor_->Commit();
    TReportEnvironment env = MakeReportEnvironment(editor_->Options(), ReportPicturePath().toStdString());
    env.identificationLine = TAboutBox(this).ReportIdentification();
    return editor_->MakeReport(project_, devices_, margins_, std::move(env));
}

void TUsedMaterialsPrintingForm::PreviewClick()
{
    auto report = MakeChosenReport();
    PreviewReportTarget pages(printer_->Printer().pageLayout());
    report->Run(pages);
    auto again = [this] { return MakeChosenReport(); };
    TPrintPreviewForm preview(pages, again, services_, *printer_, this);
    preview.exec();
}

void TUsedMaterialsPrintingForm::SaveAsPdfClick()
{
    SaveReportAsPdf([this] { return MakeChosenReport(); }, printer_->Printer().pageLayout(), services_);
}

void TUsedMaterialsPrintingForm::TableColumnsClick()
{
    const ReportColumns columns = UsedMaterialsPrintingEditor::Layout();
    TListHeaderFormat format;
    format.LoadFormat(columns.formatName);
    format.LoadLayout("Kalorina", columns.layoutName);
    TChangeHeaderForm form(format, TableColumns->font(), columns.layoutName, "Kalorina", services_, this);
    ExecWithPlacement(form);
}

void TUsedMaterialsPrintingForm::accept()
{
    auto report = MakeChosenReport();
    if (!printer_->Choose(this))
        return;
    PrinterReportTarget target(printer_->Printer());
    report->Run(target);
    QDialog::accept();
}

} // namespace kalorina::gui
