#include "report/TPrintingForm.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/UsedMaterialsExport.h"
#include "document/TProject.h"
#include "lang/TLanguages.h"
#include "platform/DialogSupport.h"
#include "platform/Printer.h"
#include "platform/QtFormTranslator.h"
#include "platform/QtText.h"
#include "report/ReportFileName.h"
#include "report/THeatLoadReport.h"
#include "report/TManifoldReport.h"
#include "util/Error.h"

namespace kalorina::gui {

TPrintingForm::TPrintingForm(const TProject& project, const TDevices& devices, const TProgramOptions& programOptions,
                             const Services& services, PrinterService* printer, QWidget* parent)
    : TReportDialog(services, printer, parent), project_(project), devices_(devices), margins_(programOptions.margins)
{
    setObjectName(QStringLiteral("PrintingForm"));
    setWindowTitle(QStringLiteral("Nyomtatás"));
    BuildControls();
    TranslateForm(this);
    // From here on reports, column captions and group names speak the printing language.
    printing_.emplace();
    editor_ = std::make_unique<PrintingEditor>(project_, ProcessPrintingOptions());
    ShowView();
}

TPrintingForm::~TPrintingForm() = default;

void TPrintingForm::BuildControls()
{
    auto named = [](QWidget* w, const char* name) {
        w->setObjectName(QString::fromLatin1(name));
        return w;
    };
    ItemsTree = new QTreeWidget(this);
    named(ItemsTree, "ItemsTree");
    ItemsTree->setHeaderHidden(true);
    ItemsTree->setExpandsOnDoubleClick(false);
    ItemsTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ItemsTree->setMinimumWidth(220);
    All = new QRadioButton(QStringLiteral("Mind"), this);
    named(All, "All");
    SelectedOnly = new QRadioButton(QStringLiteral("Csak a kiválasztottak"), this);
    named(SelectedOnly, "SelectedOnly");
    auto* items = new QGroupBox(QStringLiteral("Nyomtatandó tételek"), this);
    named(items, "ItemsGroup");
    auto* itemsLayout = new QVBoxLayout(items);
    itemsLayout->addWidget(ItemsTree, 1);
    itemsLayout->addWidget(All);
    itemsLayout->addWidget(SelectedOnly);

    BuildReportControls();

    RoomsList = new QRadioButton(QStringLiteral("Helyiségek összesítője"), this);
    named(RoomsList, "RoomsList");
    RoomsFields = new QRadioButton(QStringLiteral("Helyiségek fűtőmezői"), this);
    named(RoomsFields, "RoomsFields");
    RoundsList = new QRadioButton(QStringLiteral("Körök összesítője"), this);
    named(RoundsList, "RoundsList");
    RoundsDetailed = new QRadioButton(QStringLiteral("Körök részletesen"), this);
    named(RoundsDetailed, "RoundsDetailed");
    Manifolds = new QRadioButton(QStringLiteral("Osztók kiosztása"), this);
    named(Manifolds, "Manifolds");
    HeatLoad = new QRadioButton(QStringLiteral("Hőveszteség"), this);
    named(HeatLoad, "HeatLoad");
    Plan = new QRadioButton(QStringLiteral("Alaprajz"), this);
    named(Plan, "Plan");
    auto* kinds = new QGroupBox(QStringLiteral("Nyomtatvány"), this);
    named(kinds, "KindGroup");
    auto* kindsLayout = new QGridLayout(kinds);
    const auto kindButtons = KindButtons();
    for (int i = 0; i < kReportKindCount; ++i) {
        LayoutButtons[i] = new QPushButton(QStringLiteral("Oszlopok..."), this);
        LayoutButtons[i]->setObjectName(QStringLiteral("Button%1").arg(i + 1));
        kindsLayout->addWidget(kindButtons[i], i, 0);
        kindsLayout->addWidget(LayoutButtons[i], i, 1);
        connect(LayoutButtons[i], &QPushButton::clicked, this, [this, i] { LayoutClick(i + 1); });
    }
    // A drawing has no columns to lay out.
    LayoutButtons[static_cast<int>(ReportKind::Plan)]->setEnabled(false);
    auto* kindGroup = new QButtonGroup(this);
    for (auto* b : kindButtons)
        kindGroup->addButton(b);
    connect(Manifolds, &QRadioButton::toggled, this, [this] { UpdateCsvButton(); });
    connect(HeatLoad, &QRadioButton::toggled, this, [this] { UpdateCsvButton(); });
    SaveAsCsv = new QPushButton(QStringLiteral("Mentés CSV-be..."), this);
    named(SaveAsCsv, "SaveAsCsv");
    // Beside "Save as PDF...", the other file the dialog writes.
    buttonRow_->insertWidget(buttonRow_->indexOf(this->SaveAsPdf) + 1, SaveAsCsv);
    connect(SaveAsCsv, &QPushButton::clicked, this, &TPrintingForm::SaveAsCsvClick);

    auto* right = new QVBoxLayout;
    right->addWidget(printerGroup_);
    right->addWidget(kinds);
    right->addWidget(pageGroup_);
    right->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(items, 1);
    top->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttonRow_);

    connect(ItemsTree, &QTreeWidget::itemDoubleClicked, this, &TPrintingForm::ItemsTreeDblClick);
    connect(All, &QRadioButton::toggled, this, [this](bool on) {
        if (!showing_)
            editor_->SetAll(on);
    });
}

void TPrintingForm::ShowView()
{
    showing_ = true;
    const auto v = editor_->GetView();
    ItemsTree->clear();
    QTreeWidgetItem* group = nullptr;
    for (const auto& node : v.nodes) {
        auto* item = node.hasParent && group ? new QTreeWidgetItem(group) : new QTreeWidgetItem(ItemsTree);
        if (!node.hasParent)
            group = item;
        item->setText(0, Q(node.text));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(0, node.state == 1 ? Qt::Checked : node.state == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
    }
    ItemsTree->expandAll();
    All->setChecked(v.all);
    SelectedOnly->setChecked(!v.all);
    ShowPage(v);
    KindButtons()[static_cast<int>(v.kind)]->setChecked(true);
    UpdateCsvButton();
    showing_ = false;
}

void TPrintingForm::ReadControls()
{
    ReadPage(*editor_);
    const auto kinds = KindButtons();
    for (int i = 0; i < kReportKindCount; ++i)
        if (kinds[i]->isChecked())
            editor_->SetKind(static_cast<ReportKind>(i));
    editor_->SetAll(All->isChecked());
}

void TPrintingForm::ItemsTreeDblClick(QTreeWidgetItem* item)
{
    // The node's position in the flat list: groups and their items in order.
    int index = 0;
    for (int g = 0; g < ItemsTree->topLevelItemCount(); ++g) {
        QTreeWidgetItem* group = ItemsTree->topLevelItem(g);
        if (group == item)
            break;
        int child = group->indexOfChild(item);
        if (child >= 0) {
            index += 1 + child;
            break;
        }
        index += 1 + group->childCount();
    }
    ReadControls();
    editor_->DoubleClick(index, QApplication::keyboardModifiers() & Qt::ShiftModifier);
    ShowView();
}

std::unique_ptr<TBReport> TPrintingForm::MakeChosenReport()
{
    ReadControls();
    editor_->Commit();
    return MakeReport(editor_->Options().kind, project_, devices_, editor_->Tree(), editor_->PrintAll(), margins_,
                      ProgramReportEnvironment(editor_->Options()));
}

std::string TPrintingForm::ProposedFile(const std::string& extension) const
{
    ReportKind kind = editor_->Options().kind;
    const auto buttons = KindButtons();
    for (int i = 0; i < kReportKindCount; ++i)
        if (buttons[i]->isChecked())
            kind = static_cast<ReportKind>(i);
    return ProposedFileName(project_.fileName, ReportFileWord(kind), extension);
}

std::array<QRadioButton*, kReportKindCount> TPrintingForm::KindButtons() const
{
    return {RoomsList, RoomsFields, RoundsList, RoundsDetailed, Manifolds, HeatLoad, Plan};
}

void TPrintingForm::UpdateCsvButton()
{
    SaveAsCsv->setEnabled(Manifolds->isChecked() || HeatLoad->isChecked());
}

void TPrintingForm::SaveAsCsvClick()
{
    ReadControls();
    editor_->Commit();
    FileDialogRequest request;
    request.save = true;
    request.title = Cp(QStringLiteral("Mentés CSV-be"));
    request.filter = "CSV (*.csv)|*.csv";
    request.defaultExtension = "csv";
    request.initialFile = ProposedFile("csv");
    const std::string path = services_.files->Run(request);
    if (path.empty())
        return;
    RunOrShowFailure(services_, [&] {
        if (HeatLoad->isChecked())
            WriteExportFile(path,
                            HeatLoadCsv(project_, ChosenHeatLoadRooms(project_, editor_->Tree(), editor_->PrintAll())));
        else
            WriteExportFile(
                path,
                ManifoldScheduleCsv(ChosenManifoldSchedules(project_, devices_, editor_->Tree(), editor_->PrintAll())));
    });
}

void TPrintingForm::LayoutClick(int button)
{
    EditColumns(PrintingEditor::LayoutOfButton(button), LayoutButtons[button - 1]->font());
}

} // namespace kalorina::gui
