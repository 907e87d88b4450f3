#include "report/TPrintingForm.h"
#include "help/Help.h"

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

#include "app/AppPaths.h"
#include "app/TAboutBox.h"
#include "lang/TLanguages.h"
#include "listview/TChangeHeaderForm.h"
#include "platform/DialogSupport.h"
#include "platform/Printer.h"
#include "platform/QtFormTranslator.h"
#include "platform/QtText.h"
#include "util/Error.h"

namespace kalorina::gui {

TPrintingForm::TPrintingForm(TProject& project, const TDevices& devices, const TProgramOptions& programOptions,
                             const Services& services, PrinterService* printer, QWidget* parent)
    : QDialog(parent), project_(project), devices_(devices), margins_(programOptions.margins), services_(services),
      printer_(printer ? printer : &SystemPrinter::Instance())
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

    PrinterName = new QLabel(this);
    named(PrinterName, "PrinterName");
    Setup = new QPushButton(QStringLiteral("Beállít..."), this);
    named(Setup, "Setup");
    auto* printer = new QGroupBox(QStringLiteral("Nyomtató"), this);
    named(printer, "PrinterGroup");
    auto* printerLayout = new QHBoxLayout(printer);
    printerLayout->addWidget(PrinterName, 1);
    printerLayout->addWidget(Setup);

    Title = new QLineEdit(this);
    named(Title, "Title");
    Title->setMaxLength(static_cast<int>(PrintingOptions::kMaxTitle));
    ProjektDataCheckBox = new QCheckBox(QStringLiteral("Projekt adatok"), this);
    named(ProjektDataCheckBox, "ProjektDataCheckBox");
    PageNumberCheckBox = new QCheckBox(QStringLiteral("Oldalszám"), this);
    named(PageNumberCheckBox, "PageNumberCheckBox");
    ProjektNameCheckBox = new QCheckBox(QStringLiteral("Projekt fájl neve"), this);
    named(ProjektNameCheckBox, "ProjektNameCheckBox");
    DateCheckBox = new QCheckBox(QStringLiteral("Dátum"), this);
    named(DateCheckBox, "DateCheckBox");
    auto* page = new QGroupBox(QStringLiteral("Oldal"), this);
    named(page, "PageGroup");
    auto* pageLayout = new QGridLayout(page);
    pageLayout->addWidget(named(new QLabel(QStringLiteral("Fejléc:"), this), "TitleLabel"), 0, 0);
    pageLayout->addWidget(Title, 0, 1);
    pageLayout->addWidget(ProjektDataCheckBox, 1, 0, 1, 2);
    pageLayout->addWidget(PageNumberCheckBox, 2, 0, 1, 2);
    pageLayout->addWidget(ProjektNameCheckBox, 3, 0, 1, 2);
    pageLayout->addWidget(DateCheckBox, 4, 0, 1, 2);

    RoomsList = new QRadioButton(QStringLiteral("Helyiségek összesítője"), this);
    named(RoomsList, "RoomsList");
    RoomsFields = new QRadioButton(QStringLiteral("Helyiségek fűtőmezői"), this);
    named(RoomsFields, "RoomsFields");
    RoundsList = new QRadioButton(QStringLiteral("Körök összesítője"), this);
    named(RoundsList, "RoundsList");
    RoundsDetailed = new QRadioButton(QStringLiteral("Körök részletesen"), this);
    named(RoundsDetailed, "RoundsDetailed");
    auto* kinds = new QGroupBox(QStringLiteral("Nyomtatvány"), this);
    named(kinds, "KindGroup");
    auto* kindsLayout = new QGridLayout(kinds);
    QRadioButton* kindButtons[4] = {RoomsList, RoomsFields, RoundsList, RoundsDetailed};
    for (int i = 0; i < 4; ++i) {
        LayoutButtons[i] = new QPushButton(QStringLiteral("Oszlopok..."), this);
        LayoutButtons[i]->setObjectName(QStringLiteral("Button%1").arg(i + 1));
        kindsLayout->addWidget(kindButtons[i], i, 0);
        kindsLayout->addWidget(LayoutButtons[i], i, 1);
        connect(LayoutButtons[i], &QPushButton::clicked, this, [this, i] { LayoutClick(i + 1); });
    }
    auto* kindGroup = new QButtonGroup(this);
    for (auto* b : kindButtons)
        kindGroup->addButton(b);

    Preview = new QPushButton(QStringLiteral("Megtekint..."), this);
    named(Preview, "Preview");
    SaveAsPdf = new QPushButton(QStringLiteral("Mentés PDF-be..."), this);
    named(SaveAsPdf, "SaveAsPdf");
    OK = new QPushButton(QStringLiteral("Nyomtat"), this);
    named(OK, "OK");
    OK->setDefault(true);
    Cancel = new QPushButton(QStringLiteral("Vissza"), this);
    named(Cancel, "Cancel");
    Help = new QPushButton(QStringLiteral("Súgó"), this);
    named(Help, "Help");
    InstallHelp(this, HelpTopic::Printing, Help);

    auto* right = new QVBoxLayout;
    right->addWidget(printer);
    right->addWidget(kinds);
    right->addWidget(page);
    right->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(items, 1);
    top->addLayout(right);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (auto* b : {Preview, SaveAsPdf, OK, Cancel, Help})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    connect(ItemsTree, &QTreeWidget::itemDoubleClicked, this, &TPrintingForm::ItemsTreeDblClick);
    connect(Setup, &QPushButton::clicked, this, [this] {
        printer_->Setup(this);
        PrinterName->setText(printer_->PrinterName());
    });
    connect(Preview, &QPushButton::clicked, this, &TPrintingForm::PreviewClick);
    connect(SaveAsPdf, &QPushButton::clicked, this, &TPrintingForm::SaveAsPdfClick);
    connect(OK, &QPushButton::clicked, this, &TPrintingForm::accept);
    connect(Cancel, &QPushButton::clicked, this, &TPrintingForm::reject);
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
    PrinterName->setText(printer_->PrinterName());
    Title->setText(Q(v.title));
    ProjektDataCheckBox->setChecked(v.projectData);
    PageNumberCheckBox->setChecked(v.pageNumbers);
    ProjektNameCheckBox->setChecked(v.fileName);
    DateCheckBox->setChecked(v.date);
    QRadioButton* kinds[4] = {RoomsList, RoomsFields, RoundsList, RoundsDetailed};
    kinds[static_cast<int>(v.kind)]->setChecked(true);
    showing_ = false;
}

void TPrintingForm::ReadControls()
{
    editor_->SetTitle(Cp(Title->text()));
    editor_->SetSwitch(PrintingOptions::kProjectData, ProjektDataCheckBox->isChecked());
    editor_->SetSwitch(PrintingOptions::kPageNumbers, PageNumberCheckBox->isChecked());
    editor_->SetSwitch(PrintingOptions::kFileName, ProjektNameCheckBox->isChecked());
    editor_->SetSwitch(PrintingOptions::kDate, DateCheckBox->isChecked());
    QRadioButton* kinds[4] = {RoomsList, RoomsFields, RoundsList, RoundsDetailed};
    for (int i = 0; i < 4; ++i)
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
    TReportEnvironment env = MakeReportEnvironment(editor_->Options(), ReportPicturePath().toStdString());
    env.identificationLine = TAboutBox(this).ReportIdentification();
    return MakeReport(editor_->Options().kind, project_, devices_, editor_->Tree(), editor_->PrintAll(), margins_,
                      std::move(env));
}

void TPrintingForm::PreviewClick()
{
    auto report = MakeChosenReport();
    PreviewReportTarget pages(printer_->Printer().pageLayout());
    report->Run(pages);
    // The PDF of the preview is laid out again on its own sheet, from the same choices.
    auto again = [this] { return MakeChosenReport(); };
    TPrintPreviewForm preview(pages, again, services_, *printer_, this);
    preview.exec();
}

void TPrintingForm::SaveAsPdfClick()
{
    SaveReportAsPdf([this] { return MakeChosenReport(); }, printer_->Printer().pageLayout(), services_);
}

void TPrintingForm::LayoutClick(int button)
{
    const ReportColumns columns = PrintingEditor::LayoutOfButton(button);
    TListHeaderFormat format;
    format.LoadFormat(columns.formatName);
    format.LoadLayout("Kalorina", columns.layoutName);
    TChangeHeaderForm form(format, LayoutButtons[button - 1]->font(), columns.layoutName, "Kalorina", services_, this);
    ExecWithPlacement(form);
}

void TPrintingForm::accept()
{
    auto report = MakeChosenReport();
    if (!printer_->Choose(this))
        return;
    PrinterReportTarget target(printer_->Printer());
    report->Run(target);
    QDialog::accept();
}

} // namespace kalorina::gui
