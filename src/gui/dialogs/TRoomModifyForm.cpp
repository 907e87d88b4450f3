#include "dialogs/TRoomModifyForm.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "app/DialogEditor.h"
#include "calc/FloorHeatingField.h"
#include "catalogue/DeviceKind.h"
#include "catalogue/DeviceTreeWidget.h"
#include "catalogue/FloorHeatDBItem.h"
#include "catalogue/TDevices.h"
#include "dialogs/RoomHeatLoadPage.h"
#include "dialogs/TAreaForm.h"
#include "dialogs/TFloorHeatingModifyForm.h"
#include "dialogs/ZoneCombo.h"
#include "help/Help.h"
#include "lang/Alphabet.h"
#include "lang/BuiltInTexts.h"
#include "lang/TLanguages.h"
#include "listview/TListHeader.h"
#include "listview/TListViewWithHeader.h"
#include "platform/DialogSupport.h"
#include "platform/NumberInput.h"
#include "platform/QtFormTranslator.h"
#include "platform/QtText.h"
#include "util/Error.h"
#include "util/FloatFormat.h"

namespace kalorina::gui {

namespace {

// Rewrites a row's texts; its alignments stay as the list set them.
void SetRow(QTreeWidgetItem* item, const RowCells& cells)
{
    for (int i = 0; i < static_cast<int>(cells.size()); ++i)
        item->setText(i, Q(cells[i]));
}

// Shows `rows` in `list`: appended when rebuilding (or when the count changed),
// else written over the rows already there, so that the selection stays.
void ShowRows(TListViewWithHeader* list, const std::vector<RowCells>& rows, bool rebuild)
{
    if (rebuild || list->topLevelItemCount() != static_cast<int>(rows.size())) {
        list->clear();
        if (list->Header())
            list->Header()->SetScrollPos(0);
        for (const RowCells& cells : rows)
            list->AddRow(cells);
        return;
    }
    for (int i = 0; i < static_cast<int>(rows.size()); ++i)
        SetRow(list->topLevelItem(i), rows[i]);
}

void AddChildren(QTreeWidgetItem* parent, const DeviceTreeNode& node, std::vector<bool>::const_iterator& expanded,
                 std::vector<bool>::const_iterator end)
{
    for (const DeviceTreeNode& child : node.children) {
        auto* item = new QTreeWidgetItem(parent, QStringList{Q(child.text)});
        item->setData(0, Qt::UserRole, child.tag);
        const bool open = expanded != end && *expanded;
        if (expanded != end)
            ++expanded;
        AddChildren(item, child, expanded, end);
        item->setExpanded(open);
    }
}

DeviceTreeNode SaveNode(const QTreeWidgetItem* item, std::vector<bool>& expanded)
{
    DeviceTreeNode node{Cp(item->text(0)), DeviceTreeTag(item), {}};
    expanded.push_back(item->isExpanded());
    for (int i = 0; i < item->childCount(); ++i)
        node.children.push_back(SaveNode(item->child(i), expanded));
    return node;
}

// Depth first, in node index order.
QTreeWidgetItem* FindNode(QTreeWidget* tree, const std::function<bool(QTreeWidgetItem*)>& match)
{
    QTreeWidgetItemIterator it(tree);
    for (; *it; ++it)
        if (match(*it))
            return *it;
    return nullptr;
}

} // namespace

TRoomModifyForm::TRoomModifyForm(const TRoomItem& room, const TDevices& devices, const TProjektOptions& options,
                                 const Services& services, QWidget* parent)
    : QDialog(parent), editor_(room, devices, options), devices_(devices), services_(services)
{
    setObjectName(QStringLiteral("RoomModifyForm"));
    BuildControls();
    TranslateForm(this);
    setWindowTitle(Q(room.roomName));
    BuildSystemsTree();

    FloorHeatingsList->SetUp(ListHeader4, "RoomFloorHeatingsTitle", "RoomFloorHeatings1");
    FloorHeatingsChooseList->SetUp(ListHeader3, "FloorHeatingChoose", "FloorHeatingChoose1");
    ListHeader3->SetServices(services_);
    ListHeader4->SetServices(services_);

    FillFunctions();
    HeatLoadPage->Load();
    const RoomTexts t = editor_.InitialTexts();
    Function->setEditText(Q(t.function));
    Area->setText(Q(t.area));
    HeatingInSideTemp->setText(Q(t.inside));
    HeatingPower->setText(Q(t.heatLoss));
    FHForwardTemperature->setText(Q(t.forward));
    FHBackwardTemperature->setText(Q(t.ret));
    FHOversideTemperature->setText(Q(t.below));
    FHOversidek->setText(Q(t.downK));
    FHZoneType->setCurrentIndex(0);
    ProposeZoneForFunction();
    try {
        editor_.RecomputeFields();
    } catch (const KalorinaError& e) {
        ShowStatus(e.what());
    }
    RefreshRoomTotals(true);

    // The system chosen last time is chosen again.
    const std::string& last = RoomDialogState().lastFloorHeatingSystem;
    if (!last.empty())
        if (QTreeWidgetItem* node = FindNode(FloorHeatingsTreeView, [&](QTreeWidgetItem* i) {
                return DeviceTreeTag(i) != 0 && Cp(i->text(0)) == last;
            })) {
            const QSignalBlocker block(FloorHeatingsTreeView);
            FloorHeatingsTreeView->setCurrentItem(node);
            FloorHeatingsTreeView->scrollToItem(node);
        }
    SelectSystem();

    connect(FloorHeatingsTreeView, &QTreeWidget::currentItemChanged, this, &TRoomModifyForm::SelectSystem);
    connect(FloorHeatingSurfaceType, &QComboBox::currentTextChanged, this,
            &TRoomModifyForm::FloorHeatingSurfaceTypeChange);
    for (QLineEdit* e : {FHForwardTemperature, FHBackwardTemperature, FHPowerRequest, FHSurface, FHOversideTemperature,
                         FHOversidek, SurfaceR}) {
        connect(e, &QLineEdit::editingFinished, this, &TRoomModifyForm::FloorHeatingValueChange);
        connect(e, &QLineEdit::textEdited, this, [this] { chooseValuesTyped_ = true; });
    }
    connect(FHZoneType, &QComboBox::currentIndexChanged, this, &TRoomModifyForm::FloorHeatingValueChange);
    connect(FHZoneType, &QComboBox::activated, this, [this] { zoneFromFunction_ = false; });
    connect(Function, &QComboBox::currentTextChanged, this, &TRoomModifyForm::ProposeZoneForFunction);
    connect(RoomBelowKind, &QComboBox::currentIndexChanged, this, &TRoomModifyForm::BuildUpChanged);
    connect(RoomInsulationR, &QLineEdit::editingFinished, this, &TRoomModifyForm::BuildUpChanged);
    for (QLineEdit* e : {Area, HeatingInSideTemp, HeatingPower}) {
        connect(e, &QLineEdit::editingFinished, this, &TRoomModifyForm::ValueChanged);
        connect(e, &QLineEdit::textEdited, this, [this] { roomValuesTyped_ = true; });
    }
    connect(FloorHeatingsList, &QTreeWidget::itemSelectionChanged, this, &TRoomModifyForm::UpdateRoomActions);
    connect(FloorHeatingsChooseList, &QTreeWidget::itemSelectionChanged, this, &TRoomModifyForm::UpdateRoomActions);
    connect(FloorHeatingsChooseList, &QTreeWidget::itemDoubleClicked, this, [this] {
        UpdateRoomActions();
        if (AddFloorHeatingAction->isEnabled())
            AddFloorHeatingAction->trigger();
    });
    connect(FloorHeatingsList, &QTreeWidget::itemDoubleClicked, this, [this] {
        UpdateRoomActions();
        if (ModifyFloorHeatingAction->isEnabled())
            ModifyFloorHeatingAction->trigger();
    });
    connect(ListHeader3, &TListHeader::ColumnsChanged, this, [this] { RefreshChooseList(true); });
    connect(ListHeader4, &TListHeader::ColumnsChanged, this, [this] { RefreshFieldList(true); });

    UpdateRoomActions();
    initialised_ = true;
}

TRoomModifyForm::~TRoomModifyForm()
{
    SaveSystemsTree();
}

QAction* TRoomModifyForm::MakeAction(const char* name, const QString& caption)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    addAction(action);
    return action;
}

void TRoomModifyForm::BuildControls()
{
    AddFloorHeatingAction = MakeAction("AddFloorHeatingAction", QStringLiteral("Felvesz"));
    OptimimFloorHeatingAction = MakeAction("OptimimFloorHeatingAction", QStringLiteral("Optimum"));
    ModifyFloorHeatingAction = MakeAction("ModifyFloorHeatingAction", QStringLiteral("Módosít..."));
    IncrementFloorHeatingAction = MakeAction("IncrementFloorHeatingAction", QStringLiteral("Sűrít"));
    DecrementFloorHeatingAction = MakeAction("DecrementFloorHeatingAction", QStringLiteral("Ritkít"));
    DeleteFloorHeatingAction = MakeAction("DeleteFloorHeatingAction", QStringLiteral("Töröl"));
    connect(AddFloorHeatingAction, &QAction::triggered, this, &TRoomModifyForm::AddFloorHeatingActionExecute);
    connect(OptimimFloorHeatingAction, &QAction::triggered, this, &TRoomModifyForm::OptimimFloorHeatingActionExecute);
    connect(ModifyFloorHeatingAction, &QAction::triggered, this, &TRoomModifyForm::ModifyFloorHeatingActionExecute);
    connect(IncrementFloorHeatingAction, &QAction::triggered, this,
            &TRoomModifyForm::IncrementFloorHeatingActionExecute);
    connect(DecrementFloorHeatingAction, &QAction::triggered, this,
            &TRoomModifyForm::DecrementFloorHeatingActionExecute);
    connect(DeleteFloorHeatingAction, &QAction::triggered, this, &TRoomModifyForm::DeleteFloorHeatingActionExecute);
    auto button = [](QAction* action, const char* name) {
        auto* b = new QToolButton;
        b->setObjectName(QString::fromLatin1(name));
        b->setDefaultAction(action);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        return b;
    };

    // The room.
    auto* roomBox = new QGroupBox(QStringLiteral("Helyiség"));
    roomBox->setObjectName(QStringLiteral("RoomGroup"));
    auto* roomGrid = new QGridLayout(roomBox);
    Function = new QComboBox;
    Function->setObjectName(QStringLiteral("Function"));
    Function->setEditable(true);
    Function->setInsertPolicy(QComboBox::NoInsert);
    KeepTypedCase(Function);
    Area = FitNumberEdit(NamedEdit("Area"), InputKind::Area);
    HeatingInSideTemp = FitNumberEdit(NamedEdit("HeatingInSideTemp"), InputKind::Temperature);
    HeatingPower = FitNumberEdit(NamedEdit("HeatingPower"), InputKind::HeatLoss);
    int row = 0;
    auto roomLine = [&](const char* name, const QString& caption, QWidget* control, const QString& unit) {
        roomGrid->addWidget(NamedLabel(name, caption), row, 0);
        roomGrid->addWidget(control, row, 1);
        if (!unit.isEmpty())
            roomGrid->addWidget(NamedLabel((std::string(name) + "Unit").c_str(), unit), row, 2);
        ++row;
    };
    roomLine("FunctionLabel", QStringLiteral("Funkció:"), Function, {});
    roomLine("AreaLabel", QStringLiteral("Alapterület:"), Area, QStringLiteral("m2"));
    roomLine("HeatingInSideTempLabel", QStringLiteral("Belső hőmérséklet:"), HeatingInSideTemp, QStringLiteral("°C"));
    roomLine("HeatingPowerLabel", QStringLiteral("Hőveszteség:"), HeatingPower, QStringLiteral("W"));
    // A towel radiator beside the floor: the room then does not raise the supply.
    SupplementaryHeat = new QCheckBox(QStringLiteral("Kiegészítő fűtés megengedett"));
    SupplementaryHeat->setObjectName(QStringLiteral("SupplementaryHeat"));
    SupplementaryHeat->setChecked(editor_.Room().supplementaryHeatAllowed);
    roomGrid->addWidget(SupplementaryHeat, row++, 0, 1, 3);
    RoomBelowKind = new QComboBox;
    RoomBelowKind->setObjectName(QStringLiteral("RoomBelowKind"));
    RoomBelowKind->addItem(Q(TextOrBuiltIn("IDS_BELOWPROJECT")));
    for (int kind = 0; kind < kBelowKindCount; ++kind)
        RoomBelowKind->addItem(Q(TextOrBuiltIn("IDS_BELOWKIND+" + std::to_string(kind))));
    RoomInsulationR = FitNumberEdit(NamedEdit("RoomInsulationR"), InputKind::Resistance);
    {
        const auto& own = editor_.Room().buildUp;
        const FloorBuildUp shown = editor_.EffectiveBuildUp().value_or(FloorBuildUp{});
        RoomBelowKind->setCurrentIndex(own ? static_cast<int>(own->below) + 1 : 0);
        RoomInsulationR->setText(Q(FloatToStrF(shown.insulationResistance, TFloatFormat::General, 7, 0)));
        RoomInsulationR->setEnabled(own.has_value());
    }
    roomLine("RoomBelowKindLabel", QStringLiteral("Alatta:"), RoomBelowKind, {});
    roomLine("RoomInsulationRLabel", QStringLiteral("Hőszigetelés R:"), RoomInsulationR, QStringLiteral("m2K/W"));
    roomGrid->setRowStretch(row, 1);

    auto* fieldsBox = new QGroupBox(QStringLiteral("Padlófűtés mezők"));
    fieldsBox->setObjectName(QStringLiteral("FieldsGroup"));
    auto* fieldsLayout = new QVBoxLayout(fieldsBox);
    fieldsLayout->setSpacing(0);
    ListHeader4 = new TListHeader;
    ListHeader4->setObjectName(QStringLiteral("ListHeader4"));
    FloorHeatingsList = new TListViewWithHeader;
    FloorHeatingsList->setObjectName(QStringLiteral("FloorHeatingsList"));
    FloorHeatingsList->setContextMenuPolicy(Qt::CustomContextMenu);
    fieldsLayout->addWidget(ListHeader4);
    fieldsLayout->addWidget(FloorHeatingsList, 1);
    auto* fieldButtons = new QHBoxLayout;
    fieldButtons->addWidget(button(ModifyFloorHeatingAction, "ModifyFloorHeatingButton"));
    fieldButtons->addWidget(button(IncrementFloorHeatingAction, "IncrementFloorHeatingButton"));
    fieldButtons->addWidget(button(DecrementFloorHeatingAction, "DecrementFloorHeatingButton"));
    fieldButtons->addWidget(button(DeleteFloorHeatingAction, "DeleteFloorHeatingButton"));
    fieldButtons->addStretch(1);
    fieldsLayout->addLayout(fieldButtons);

    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    PopupMenu->addActions(
        {ModifyFloorHeatingAction, IncrementFloorHeatingAction, DecrementFloorHeatingAction, DeleteFloorHeatingAction});
    connect(FloorHeatingsList, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        UpdateRoomActions();
        PopupMenu->popup(FloorHeatingsList->viewport()->mapToGlobal(pos));
    });

    auto* top = new QHBoxLayout;
    top->addWidget(roomBox);
    top->addWidget(fieldsBox, 1);

    // The selection.
    FloorHeatingsTreeView = new QTreeWidget;
    FloorHeatingsTreeView->setObjectName(QStringLiteral("FloorHeatingsTreeView"));
    FloorHeatingsTreeView->setHeaderHidden(true);
    FloorHeatingsTreeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FloorHeatingsTreeView->setMinimumWidth(200);

    FloorHeatMainType = NamedLabel("FloorHeatMainType", {});
    FloorHeatMainType->installEventFilter(this);
    QFont bold = FloorHeatMainType->font();
    bold.setBold(true);
    FloorHeatMainType->setFont(bold);
    FloorHeatingSurfaceType = new QComboBox;
    FloorHeatingSurfaceType->setObjectName(QStringLiteral("FloorHeatingSurfaceType"));
    FloorHeatingSurfaceType->setEditable(true);
    FloorHeatingSurfaceType->setInsertPolicy(QComboBox::NoInsert);
    SurfaceR = FitNumberEdit(NamedEdit("SurfaceR"), InputKind::Resistance);
    FHForwardTemperature = FitNumberEdit(NamedEdit("FHForwardTemperature"), InputKind::WaterTemperature);
    FHBackwardTemperature = FitNumberEdit(NamedEdit("FHBackwardTemperature"), InputKind::WaterTemperature);
    FHZoneType = MakeZoneCombo("FHZoneType");
    FHPowerRequest = FitNumberEdit(NamedEdit("FHPowerRequest"), InputKind::PowerRequest);
    FHSurface = FitNumberEdit(NamedEdit("FHSurface"), InputKind::FreeArea);
    FHOversideTemperature = FitNumberEdit(NamedEdit("FHOversideTemperature"), InputKind::Temperature);
    FHOversidek = FitNumberEdit(NamedEdit("FHOversidek"), InputKind::DownK);

    auto* inputs = new QGridLayout;
    auto cell = [&](int r, int c, const char* name, const QString& caption, QWidget* control, const QString& unit) {
        inputs->addWidget(NamedLabel(name, caption), r, c * 3);
        inputs->addWidget(control, r, c * 3 + 1);
        inputs->addWidget(NamedLabel((std::string(name) + "Unit").c_str(), unit), r, c * 3 + 2);
    };
    inputs->addWidget(NamedLabel("FloorHeatingSurfaceTypeLabel", QStringLiteral("Burkolat:")), 0, 0);
    inputs->addWidget(FloorHeatingSurfaceType, 0, 1, 1, 4);
    cell(1, 0, "SurfaceRLabel", QStringLiteral("Hővezetési ellenállás:"), SurfaceR, QStringLiteral("m2K/W"));
    inputs->addWidget(NamedLabel("FHZoneTypeLabel", QStringLiteral("Zóna:")), 1, 3);
    inputs->addWidget(FHZoneType, 1, 4, 1, 2);
    cell(2, 0, "FHForwardTemperatureLabel", QStringLiteral("Előremenő:"), FHForwardTemperature, QStringLiteral("°C"));
    cell(2, 1, "FHBackwardTemperatureLabel", QStringLiteral("Visszatérő:"), FHBackwardTemperature,
         QStringLiteral("°C"));
    cell(3, 0, "FHPowerRequestLabel", QStringLiteral("Igényelt teljesítmény:"), FHPowerRequest, QStringLiteral("W"));
    cell(3, 1, "FHSurfaceLabel", QStringLiteral("Szabad felület:"), FHSurface, QStringLiteral("m2"));
    cell(4, 0, "FHOversideTemperatureLabel", QStringLiteral("Hőmérséklet alatta:"), FHOversideTemperature,
         QStringLiteral("°C"));
    cell(4, 1, "FHOversidekLabel", QStringLiteral("Hőátadás lefelé:"), FHOversidek, QStringLiteral("W/m2K"));

    ListHeader3 = new TListHeader;
    ListHeader3->setObjectName(QStringLiteral("ListHeader3"));
    FloorHeatingsChooseList = new TListViewWithHeader;
    FloorHeatingsChooseList->setObjectName(QStringLiteral("FloorHeatingsChooseList"));

    FHDistance1 = NamedLabel("FHDistance1", {});
    FHSurface1 = NamedLabel("FHSurface1", {});
    FHDistance2 = NamedLabel("FHDistance2", {});
    FHSurface2 = NamedLabel("FHSurface2", {});
    auto* optimum = new QHBoxLayout;
    optimum->addWidget(NamedLabel("OptimumLabel", QStringLiteral("Optimum:")));
    for (auto [distance, surface] : {std::pair{FHDistance1, FHSurface1}, std::pair{FHDistance2, FHSurface2}}) {
        distance->setMinimumWidth(30);
        distance->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        surface->setMinimumWidth(40);
        surface->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        optimum->addWidget(distance);
        optimum->addWidget(
            NamedLabel(distance == FHDistance1 ? "FHDistance1Unit" : "FHDistance2Unit", QStringLiteral("mm")));
        optimum->addWidget(surface);
        optimum->addWidget(
            NamedLabel(surface == FHSurface1 ? "FHSurface1Unit" : "FHSurface2Unit", QStringLiteral("m2")));
    }
    optimum->addStretch(1);
    optimum->addWidget(button(AddFloorHeatingAction, "AddFloorHeatingButton"));
    optimum->addWidget(button(OptimimFloorHeatingAction, "OptimimFloorHeatingButton"));

    auto* selection = new QVBoxLayout;
    selection->addWidget(FloorHeatMainType);
    selection->addLayout(inputs);
    auto* chooseBox = new QVBoxLayout;
    chooseBox->setSpacing(0);
    chooseBox->addWidget(ListHeader3);
    chooseBox->addWidget(FloorHeatingsChooseList, 1);
    selection->addLayout(chooseBox, 1);
    selection->addLayout(optimum);

    auto* systemsBox = new QGroupBox(QStringLiteral("Padlófűtés rendszer választás"));
    systemsBox->setObjectName(QStringLiteral("SystemsGroup"));
    auto* bottom = new QHBoxLayout(systemsBox);
    bottom->addWidget(FloorHeatingsTreeView);
    bottom->addLayout(selection, 1);

    auto* ok = NamedButton("OKButton", QStringLiteral("OK"));
    auto* cancel = NamedButton("CancelButton", QStringLiteral("Elvet"));
    auto* help = NamedButton("HelpButton", QStringLiteral("Súgó"));
    InstallHelp(this, HelpTopic::Room, help);
    connect(ok, &QPushButton::clicked, this, &TRoomModifyForm::accept);
    connect(cancel, &QPushButton::clicked, this, &TRoomModifyForm::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);

    StatusBar = NamedStatusBar();
    auto* roomPage = new QWidget;
    roomPage->setObjectName(QStringLiteral("RoomPage"));
    auto* roomLayout = new QVBoxLayout(roomPage);
    roomLayout->addLayout(top, 2);
    roomLayout->addWidget(systemsBox, 3);
    HeatLoadPage = new RoomHeatLoadPage(editor_);
    connect(HeatLoadPage, &RoomHeatLoadPage::HeatLossChanged, this, &TRoomModifyForm::HeatLossFollows);
    Pages = new QTabWidget;
    Pages->setObjectName(QStringLiteral("Pages"));
    Pages->addTab(roomPage, QStringLiteral("Helyiség és fűtőmezők"));
    Pages->addTab(HeatLoadPage, QStringLiteral("Hőveszteség"));
    auto* root = new QVBoxLayout(this);
    root->addWidget(Pages, 1);
    root->addLayout(buttons);
    root->addWidget(StatusBar);
    resize(980, 700);
}

void TRoomModifyForm::BuildSystemsTree()
{
    RoomDialogMemory& memory = RoomDialogState();
    if (!memory.savedSystemsTree) {
        FillDeviceTreeWidget(
            FloorHeatingsTreeView,
            devices_.FillDeviceTree(kFloorHeatingKind, Languages().GetText("IDS_FLOORHEATSTREEROOTNAME")));
        return;
    }
    // The tree as the last room dialog left it, branches open as they were.
    const DeviceTreeNode& root = *memory.savedSystemsTree;
    auto* top = new QTreeWidgetItem(FloorHeatingsTreeView, QStringList{Q(root.text)});
    top->setData(0, Qt::UserRole, root.tag);
    auto expanded = memory.savedExpanded.cbegin();
    if (expanded != memory.savedExpanded.cend())
        ++expanded;
    AddChildren(top, root, expanded, memory.savedExpanded.cend());
    top->setExpanded(true);
    memory.savedSystemsTree.reset();
    memory.savedExpanded.clear();
}

void TRoomModifyForm::SaveSystemsTree()
{
    QTreeWidgetItem* top = FloorHeatingsTreeView->topLevelItem(0);
    if (!top)
        return;
    RoomDialogMemory& memory = RoomDialogState();
    memory.savedExpanded.clear();
    memory.savedSystemsTree = SaveNode(top, memory.savedExpanded);
}

void TRoomModifyForm::ProposeZoneForFunction()
{
    const bool bathroom = RoomEditor::FunctionNamesBathroom(Cp(Function->currentText()));
    if (bathroom && FHZoneType->currentIndex() != kBathroomZone
        && (zoneFromFunction_ || FHZoneType->currentIndex() == 0)) {
        FHZoneType->setCurrentIndex(kBathroomZone);
        zoneFromFunction_ = true;
    } else if (!bathroom && zoneFromFunction_) {
        FHZoneType->setCurrentIndex(0);
        zoneFromFunction_ = false;
    }
}

void TRoomModifyForm::FillFunctions()
{
    std::vector<std::string> sorted = RoomEditor::RoomFunctions();
    SortAlphabetically(sorted);
    QStringList functions;
    for (const std::string& f : sorted)
        functions << Q(f);
    Function->addItems(functions);
}

void TRoomModifyForm::ShowStatus(const std::string& text)
{
    StatusBar->showMessage(Q(text));
}

void TRoomModifyForm::RefreshRoomTotals(bool rebuild)
{
    FHPowerRequest->setText(Q(editor_.PowerRequestText()));
    FHSurface->setText(Q(editor_.FreeAreaText()));
    RefreshChooseList(rebuild);
    RefreshFieldList(rebuild);
}

ChooseInputs TRoomModifyForm::ReadChooseInputs()
{
    ChooseInputs in;
    in.design.forward = NumberFromControl(FHForwardTemperature, InputKind::WaterTemperature);
    in.design.ret = NumberFromControl(FHBackwardTemperature, InputKind::WaterTemperature);
    in.design.inside = NumberFromControl(HeatingInSideTemp, InputKind::Temperature);
    in.design.power = NumberFromControl(FHPowerRequest, InputKind::PowerRequest);
    in.design.area = NumberFromControl(FHSurface, InputKind::FreeArea);
    in.design.below = NumberFromControl(FHOversideTemperature, InputKind::Temperature);
    in.design.downK = NumberFromControl(FHOversidek, InputKind::DownK);
    in.R = NumberFromControl(SurfaceR, InputKind::Resistance);
    in.covering = Cp(FloorHeatingSurfaceType->currentText());
    in.zone = FHZoneType->currentIndex();
    return in;
}

void TRoomModifyForm::RefreshChooseList(bool rebuild)
{
    try {
        if (!editor_.System()) {
            FloorHeatingsChooseList->clear();
            for (QLabel* l : {FHDistance1, FHSurface1, FHDistance2, FHSurface2})
                l->clear();
        } else {
            const ChooseListView v = editor_.ChooseList(ReadChooseInputs(), ListHeader3->Format());
            ShowRows(FloorHeatingsChooseList, v.rows, rebuild);
            FHDistance1->setText(Q(v.distance1));
            FHSurface1->setText(Q(v.surface1));
            FHDistance2->setText(Q(v.distance2));
            FHSurface2->setText(Q(v.surface2));
        }
        // A failure of an earlier refresh no longer holds once the list computes again.
        if (!chooseFailure_.isEmpty() && StatusBar->currentMessage() == chooseFailure_)
            StatusBar->clearMessage();
        chooseFailure_.clear();
    } catch (const KalorinaError& e) {
        ShowStatus(e.what());
        chooseFailure_ = StatusBar->currentMessage();
    }
    UpdateRoomActions();
}

void TRoomModifyForm::RefreshFieldList(bool rebuild)
{
    ShowRows(FloorHeatingsList, editor_.FieldRows(ListHeader4->Format()), rebuild);
    UpdateRoomActions();
}

int TRoomModifyForm::SelectedField() const
{
    const auto selected = FloorHeatingsList->selectedItems();
    if (selected.isEmpty())
        return -1;
    const int row = FloorHeatingsList->indexOfTopLevelItem(selected.first());
    return row < static_cast<int>(editor_.Room().fields.size()) ? row : -1;
}

void TRoomModifyForm::UpdateRoomActions()
{
    const auto selected = FloorHeatingsList->selectedItems();
    const int row = selected.isEmpty() ? -1 : FloorHeatingsList->indexOfTopLevelItem(selected.first());
    const RoomActions a = kalorina::UpdateRoomActions(row, FloorHeatingsList->topLevelItemCount(),
                                                      !FloorHeatingsChooseList->selectedItems().isEmpty(),
                                                      !FHDistance1->text().isEmpty());
    ModifyFloorHeatingAction->setEnabled(a.modify);
    IncrementFloorHeatingAction->setEnabled(a.denser);
    DecrementFloorHeatingAction->setEnabled(a.wider);
    DeleteFloorHeatingAction->setEnabled(a.remove);
    AddFloorHeatingAction->setEnabled(a.add);
    OptimimFloorHeatingAction->setEnabled(a.optimum);
}

bool TRoomModifyForm::ReadRoomValues()
{
    StatusBar->clearMessage();
    try {
        const std::string function = Cp(Function->currentText());
        const double area = NumberFromControl(Area, InputKind::Area);
        const double inside = NumberFromControl(HeatingInSideTemp, InputKind::Temperature);
        const double heatLoss = NumberFromControl(HeatingPower, InputKind::HeatLoss);
        editor_.SetRoomValues(function, area, inside, heatLoss);
        editor_.Room().supplementaryHeatAllowed = SupplementaryHeat->isChecked();
        std::optional<FloorBuildUp> own;
        if (RoomBelowKind->currentIndex() > 0) {
            FloorBuildUp b = editor_.EffectiveBuildUp().value_or(FloorBuildUp{});
            const double insulation = NumberFromControl(RoomInsulationR, InputKind::Resistance);
            // What still reads as shown keeps the stored value, to the last bit.
            b.insulationResistance = static_cast<float>(Retyped(
                b.insulationResistance, insulation, FloatToStrF(b.insulationResistance, TFloatFormat::General, 7, 0)));
            b.below = static_cast<BelowKind>(RoomBelowKind->currentIndex() - 1);
            b.belowTemperature = static_cast<float>(
                Retyped(b.belowTemperature, NumberFromControl(FHOversideTemperature, InputKind::Temperature),
                        FloatToStrF(b.belowTemperature, TFloatFormat::General, 3, 0)));
            own = b;
        }
        editor_.SetBuildUp(own);
    } catch (const KalorinaError& e) {
        ShowStatus(e.what());
        return false;
    }
    return true;
}

void TRoomModifyForm::SelectSystem()
{
    QTreeWidgetItem* node = FloorHeatingsTreeView->currentItem();
    const std::optional<SystemChoice> c =
        editor_.SelectSystem(node ? Cp(node->text(0)) : std::string(), DeviceTreeTag(node) != 0);
    if (!c)
        return;
    FloorHeatMainType->setToolTip({});
    FloorHeatMainType->setText(Q(c->name));
    const bool link = !c->name.empty() && !c->link.empty();
    FloorHeatMainType->setStyleSheet(link ? QStringLiteral("color: blue; text-decoration: underline") : QString());
    FloorHeatMainType->setCursor(link ? Qt::PointingHandCursor : Qt::ArrowCursor);
    if (link)
        FloorHeatMainType->setToolTip(Q(c->link));
    {
        const QSignalBlocker block(FloorHeatingSurfaceType);
        FloorHeatingSurfaceType->clear();
        for (const std::string& covering : c->coverings)
            FloorHeatingSurfaceType->addItem(Q(covering));
        if (c->coveringIndex >= 0)
            FloorHeatingSurfaceType->setCurrentIndex(c->coveringIndex);
        else
            FloorHeatingSurfaceType->setEditText(Q(c->coveringText));
    }
    SurfaceR->setText(Q(c->rText));
    RefreshChooseList(true);
}

void TRoomModifyForm::FloorHeatingSurfaceTypeChange()
{
    if (auto r = editor_.CoveringChanged(Cp(FloorHeatingSurfaceType->currentText()))) {
        SurfaceR->setText(Q(*r));
        RefreshChooseList(false);
    }
}

void TRoomModifyForm::FloorHeatingValueChange()
{
    if (!leaving_.Enter())
        return;
    LeaveGuard::Scope scope(leaving_);
    chooseValuesTyped_ = false;
    RefreshChooseList(false);
}

void TRoomModifyForm::BuildUpChanged()
{
    RoomInsulationR->setEnabled(RoomBelowKind->currentIndex() > 0);
    ValueChanged();
    // New fields take what the room's floor now gives.
    if (const std::optional<FloorBuildUp> b = editor_.EffectiveBuildUp()) {
        FHOversidek->setText(Q(FloatToStrF(static_cast<float>(b->DownK()), TFloatFormat::General, 6, 0)));
        FHOversideTemperature->setText(Q(FloatToStrF(b->belowTemperature, TFloatFormat::General, 3, 0)));
    }
}

void TRoomModifyForm::ValueChanged()
{
    if (!initialised_ || !leaving_.Enter())
        return;
    LeaveGuard::Scope scope(leaving_);
    if (!ReadRoomValues())
        return;
    roomValuesTyped_ = false;
    try {
        editor_.RecomputeFields();
    } catch (const KalorinaError& e) {
        ShowStatus(e.what());
    }
    RefreshRoomTotals(false);
}

bool TRoomModifyForm::TakePendingEdits()
{
    if (roomValuesTyped_)
        ValueChanged();
    if (roomValuesTyped_)
        return false;
    if (chooseValuesTyped_)
        FloorHeatingValueChange();
    return true;
}

bool TRoomModifyForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FloorHeatMainType && event->type() == QEvent::MouseButtonRelease)
        FloorHeatMainTypeClick();
    return QDialog::eventFilter(watched, event);
}

void TRoomModifyForm::FloorHeatMainTypeClick()
{
    if (editor_.System() && !FloorHeatMainType->toolTip().isEmpty())
        services_.documents->Open(Cp(FloorHeatMainType->toolTip()));
}

void TRoomModifyForm::AddFloorHeatingActionExecute()
{
    if (!TakePendingEdits())
        return;
    const auto selected = FloorHeatingsChooseList->selectedItems();
    if (selected.isEmpty())
        return;
    try {
        const ChooseInputs in = ReadChooseInputs();
        // The spacing is the row's first cell: the first column of a format stays first.
        const int spacing = ParseInteger(Cp(selected.first()->text(0)));
        editor_.AddField(in, spacing, [this](double& area, int& zone, double maximum) {
            TAreaForm form(area, maximum, zone, this);
            if (ExecWithPlacement(form, false) != QDialog::Accepted)
                return false;
            area = form.Area();
            zone = form.Zone();
            return true;
        });
    } catch (const KalorinaError& e) {
        ShowStatus(e.what());
    }
    RefreshFieldList(true);
    RefreshRoomTotals(false);
    RefreshChooseList(false);
}

void TRoomModifyForm::OptimimFloorHeatingActionExecute()
{
    if (!TakePendingEdits())
        return;
    if (FHDistance1->text().isEmpty())
        return;
    try {
        const ChooseInputs in = ReadChooseInputs();
        std::vector<std::pair<int, double>> proposals;
        for (auto [distance, surface] : {std::pair{FHDistance1, FHSurface1}, std::pair{FHDistance2, FHSurface2}}) {
            if (distance->text().isEmpty())
                break;
            proposals.emplace_back(ParseInteger(Cp(distance->text())),
                                   static_cast<double>(NumberFromLabel(surface, NumberKind::NonNegative)));
        }
        editor_.AddOptimum(in, proposals);
    } catch (const KalorinaError& e) {
        ShowStatus(e.what());
    }
    RefreshFieldList(true);
    RefreshRoomTotals(false);
    RefreshChooseList(false);
}

void TRoomModifyForm::IncrementFloorHeatingActionExecute()
{
    if (!TakePendingEdits())
        return;
    const int index = SelectedField();
    if (index < 0 || !ReadRoomValues())
        return;
    try {
        editor_.Denser(index);
    } catch (const KalorinaError& e) {
        ShowStatus(e.what());
    }
    RefreshRoomTotals(false);
}

void TRoomModifyForm::DecrementFloorHeatingActionExecute()
{
    if (!TakePendingEdits())
        return;
    const int index = SelectedField();
    if (index < 0 || !ReadRoomValues())
        return;
    try {
        editor_.Wider(index);
    } catch (const KalorinaError& e) {
        ShowStatus(e.what());
    }
    RefreshRoomTotals(false);
}

void TRoomModifyForm::ModifyFloorHeatingActionExecute()
{
    if (!TakePendingEdits())
        return;
    const int index = SelectedField();
    if (index < 0)
        return;
    TFloorHeatingModifyForm form(editor_.Room().fields[index], editor_.Room().roomTemperature,
                                 editor_.AreaAvailableFor(index), devices_, services_, this);
    if (ExecWithPlacement(form) != QDialog::Accepted)
        return;
    try {
        editor_.ReplaceField(index, form.Field());
        editor_.RecomputeFields();
    } catch (const KalorinaError& e) {
        ShowStatus(e.what());
    }
    RefreshRoomTotals(false);
}

void TRoomModifyForm::DeleteFloorHeatingActionExecute()
{
    if (!TakePendingEdits())
        return;
    const int index = SelectedField();
    if (index < 0 || !AskYesNo(services_, Languages().GetText("IDS_WANTFLOORHEATINGFIELDDELETE")))
        return;
    editor_.DeleteField(index);
    RefreshRoomTotals(true);
}

void TRoomModifyForm::SetClimate(const ProjectHeatLoad* climate)
{
    editor_.SetClimate(climate);
    HeatLoadPage->Load();
}

void TRoomModifyForm::SetAreaFromPlan(bool fromPlan)
{
    Area->setReadOnly(fromPlan);
    Area->setToolTip(fromPlan ? QStringLiteral("Az alaprajzon rajzolt körvonalból") : QString());
    // The note beside the unit: the area is the outline's, changed on the plan.
    if (auto* unit = findChild<QLabel*>(QStringLiteral("AreaLabelUnit")))
        unit->setText(fromPlan ? QStringLiteral("m2 (az alaprajzból)") : QStringLiteral("m2"));
}

void TRoomModifyForm::HeatLossFollows()
{
    const bool computed = editor_.HeatLossComputed();
    HeatingPower->setReadOnly(computed);
    if (computed) {
        HeatingPower->setText(Q(editor_.InitialTexts().heatLoss));
        RefreshRoomTotals(false);
    }
}

void TRoomModifyForm::accept()
{
    try {
        HeatLoadPage->Commit();
    } catch (const KalorinaError& e) {
        Pages->setCurrentWidget(HeatLoadPage);
        ShowStatus(e.what());
        services_.messages->Show(MessageKind::Error, Languages().GetText("IDS_PROGRAMTITLE"), e.what());
        return;
    }
    if (!TakePendingEdits() || !ReadRoomValues())
        return;
    std::vector<std::string> listed;
    for (int i = 0; i < Function->count(); ++i)
        listed.push_back(Cp(Function->itemText(i)));
    if (!RunOrShowFailure(services_, [&] { editor_.Commit(listed); }))
        return;
    if (confirmOk && !confirmOk(editor_.Room()))
        return;
    QDialog::accept();
}

bool EditRoomInDialog(TRoomItem& room, const TDevices& devices, const TProjektOptions& options,
                      const Services& services, QWidget* parent, std::function<bool(const TRoomItem&)> confirmOk,
                      const ProjectHeatLoad* climate, bool areaFromPlan,
                      std::function<std::vector<HeatElement>(double, const std::vector<HeatElement>&)> fromPlan)
{
    TRoomModifyForm form(room, devices, options, services, parent);
    form.SetClimate(climate);
    form.SetAreaFromPlan(areaFromPlan);
    form.HeatLoadPage->fromPlan = std::move(fromPlan);
    form.HeatLoadPage->FromPlan->setEnabled(static_cast<bool>(form.HeatLoadPage->fromPlan));
    form.HeatLoadPage->confirm = [&services](const std::string& list) {
        return services.messages->Show(MessageKind::QuestionYesNo, Languages().GetText("IDS_PROGRAMTITLE"),
                                       TextOrBuiltIn("IDS_ELEMENTSFROMPLANQUESTION") + list)
            == MessageAnswer::Yes;
    };
    form.confirmOk = std::move(confirmOk);
    if (ExecWithPlacement(form) != QDialog::Accepted)
        return false;
    room = form.Room();
    return true;
}

} // namespace kalorina::gui
