#include "materials/TUsedMaterialsPrintingForm.h"

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

#include "document/TProject.h"
#include "materials/MaterialTreeView.h"
#include "platform/DialogSupport.h"
#include "platform/Printer.h"
#include "platform/QtFormTranslator.h"
#include "platform/QtText.h"
#include "report/ReportFileName.h"
#include "report/TPrintPreviewForm.h"

namespace kalorina::gui {

TUsedMaterialsPrintingForm::TUsedMaterialsPrintingForm(TUsedMaterial bill, const TProject& project,
                                                       const TDevices& devices, const TProgramOptions& programOptions,
                                                       const Services& services, PrinterService* printer,
                                                       QWidget* parent)
    : TReportDialog(services, printer, parent), project_(project), devices_(devices), margins_(programOptions.margins)
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

    BuildReportControls();
    TableColumns = NamedButton("TableColumns", QStringLiteral("Oszlopok..."), this);
    pageLayout_->addWidget(TableColumns, nextPageRow_, 0, 1, 2, Qt::AlignLeft);

    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);

    auto* right = new QVBoxLayout;
    right->addWidget(printerGroup_);
    right->addWidget(pageGroup_);
    right->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(rows, 1);
    top->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttonRow_);
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
    connect(TableColumns, &QPushButton::clicked, this, &TUsedMaterialsPrintingForm::TableColumnsClick);
}

void TUsedMaterialsPrintingForm::ShowView()
{
    showing_ = true;
    const auto v = editor_->GetView();
    ItemView->ShowStates(*v.tree);
    AllButton->setChecked(v.all);
    SelectedButton->setChecked(!v.all);
    ShowPage(v);
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
    ReadPage(*editor_);
    editor_->SetAll(AllButton->isChecked());
}

std::string TUsedMaterialsPrintingForm::ProposedFile(const std::string& extension) const
{
    return ProposedFileName(project_.fileName, BillFileWord(), extension);
}

std::unique_ptr<TBReport> TUsedMaterialsPrintingForm::MakeChosenReport()
{
    ReadControls();
    editor_->Commit();
    return editor_->MakeReport(project_, devices_, margins_, ProgramReportEnvironment(editor_->Options()));
}

void TUsedMaterialsPrintingForm::TableColumnsClick()
{
    EditColumns(UsedMaterialsPrintingEditor::Layout(), TableColumns->font());
}

} // namespace kalorina::gui
