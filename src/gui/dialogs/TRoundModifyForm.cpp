#include "dialogs/TRoundModifyForm.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "dialogs/FittingsPanel.h"
#include "dialogs/TFieldAreaModifyForm.h"
#include "dialogs/TTreeForComboForm.h"
#include "help/Help.h"
#include "listview/ListRows.h"
#include "listview/TListHeader.h"
#include "listview/TListViewWithHeader.h"
#include "platform/FormLayout.h"
#include "platform/NumberInput.h"
#include "platform/QtFormTranslator.h"
#include "platform/QtText.h"
#include "platform/TreeRows.h"
#include "util/Error.h"

namespace kalorina::gui {

namespace {

QString T(const char* utf8)
{
    return QString::fromUtf8(utf8);
}
constexpr int kFieldIdRole = Qt::UserRole + 1;

QComboBox* NamedCombo(const char* name, bool editable = false)
{
    auto* combo = new QComboBox;
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(editable);
    return combo;
}

QRadioButton* NamedRadio(const char* name, const QString& text)
{
    auto* radio = new QRadioButton(text);
    radio->setObjectName(QString::fromLatin1(name));
    return radio;
}

QToolButton* ActionButton(QAction* action)
{
    auto* button = new QToolButton;
    button->setObjectName(action->objectName() + QStringLiteral("Button"));
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

void SetRed(QLabel* label, bool red)
{
    label->setStyleSheet(red ? QStringLiteral("color: red") : QString());
}

// An edit the dialog computes: grey and not typed into.
void SetReadOnly(QLineEdit* edit, bool readOnly)
{
    edit->setReadOnly(readOnly);
    edit->setStyleSheet(readOnly ? QStringLiteral("background: palette(window)") : QString());
}

} // namespace

TRoundModifyForm::TRoundModifyForm(const TRoundItem& round, const TProject& project, const TDevices& devices,
                                   const Services& services, QWidget* parent)
    : QDialog(parent), editor_(round, project, devices), services_(services)
{
    setObjectName(QStringLiteral("RoundModifyForm"));
    setWindowTitle(T("Padlófűtés kör"));
    CircuitDialogMemory& memory = CircuitDialogState();
    PageControl1 = new QTabWidget;
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    FieldsPage = BuildFieldsPage();
    HydraulicsPage = BuildHydraulicsPage();
    PageControl1->addTab(FieldsPage, T("Fűtőmezők kiosztása"));
    PageControl1->addTab(HydraulicsPage, T("Hidraulikai adatok"));

    const DialogButtons buttons = MakeDialogButtons(this, HelpTopic::Circuit, T("Elvet"));
    connect(buttons.ok, &QPushButton::clicked, this, [this] { OKClick(); });
    StatusBar = NamedStatusBar();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1, 1);
    layout->addWidget(ButtonBox(buttons));
    layout->addWidget(StatusBar);
    resize(960, 680);

    // 1. Translation, caption, page.
    TranslateForm(this);
    setWindowTitle(Q(round.roundName));
    PageControl1->setCurrentIndex(memory.lastPage >= 0 && memory.lastPage < 2 ? memory.lastPage : 0);
    // 2. Lists with their fonts and stored column layouts.
    ListHeader1->SetServices(services);
    ListHeader2->SetServices(services);
    RoundFieldsList->SetUp(ListHeader1, "RoundFloorFields", "RoundFloorFields");
    RoomFieldsList->SetUp(ListHeader2, "RoomFloorHeatingsTitle", "RoomFloorFieldsChoose");
    // 3. The room choice (the room names are refreshed in the editor: step 4).
    ViewOnlyNotUsed->setChecked(memory.lastOnlyNotUsed);
    RefreshRoomChoice();
    if (RoomsList->count() > 0) {
        RoomsList->setCurrentRow(0);
        roomName_ = Cp(RoomsList->item(0)->text());
        FillRoomFieldList();
    }
    // 5.-7. Media, temperatures, laying, lengths, valve.
    const CircuitTexts t = editor_.Texts();
    for (const auto& m : t.media.entries)
        MediumType->addItem(Q(m));
    MediumType->setCurrentIndex(t.media.selected);
    Ro->setText(Q(t.medium.ro));
    Nu->setText(Q(t.medium.nu));
    SpecificHeat->setText(Q(t.medium.specificHeat));
    ForwardTemperature->setText(Q(t.forward));
    BackwardTemperature->setText(Q(t.backward));
    Volume->setText(Q(t.volume));
    (t.massFlowGiven ? DefinedVolume : DefinedTemperature)->setChecked(true);
    (t.serial ? SerialMode : BifilarMode)->setChecked(true);
    TubeLengthPlus->setText(Q(t.extraLength));
    TubeLengthPlusMode->setCurrentIndex(t.extraLengthMode);
    LoopPattern->setCurrentIndex(t.pattern);
    for (const auto& v : t.valves.entries)
        ValveType->addItem(Q(v));
    ValveType->setCurrentIndex(t.valves.selected);
    ValveType->setEditText(Q(editor_.Round().hydraulic.valveName));
    ApplyValveType(false);
    AvailablePressure->setText(Q(t.availablePressure));
    ShowStatus(editor_.Recalculate());
    RefreshCircuitDisplay(true);
    Connect();
    initialised_ = true;
}

TRoundModifyForm::~TRoundModifyForm()
{
    CircuitDialogMemory& memory = CircuitDialogState();
    memory.lastPage = PageControl1->currentIndex();
    memory.lastOnlyNotUsed = ViewOnlyNotUsed->isChecked();
}

QWidget* TRoundModifyForm::BuildFieldsPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("FieldsPage"));
    ForwardTemperature = FitNumberEdit(NamedEdit("ForwardTemperature"), InputKind::WaterTemperature);
    BackwardTemperature = FitNumberEdit(NamedEdit("BackwardTemperature"), InputKind::WaterTemperature);
    Volume = FitNumberEdit(NamedEdit("Volume"), InputKind::MassFlow);
    DefinedTemperature = NamedRadio("DefinedTemperature", T("A kilépő hőmérséklet kötött"));
    DefinedVolume = NamedRadio("DefinedVolume", T("A tömegáram kötött"));
    BifilarMode = NamedRadio("BifilarMode", T("Spirális (bifiláris)"));
    SerialMode = NamedRadio("SerialMode", T("Mezők sorba kötve"));
    MediumType = NamedCombo("MediumType");
    Ro = FitNumberEdit(NamedEdit("Ro"), InputKind::Density);
    Nu = FitNumberEdit(NamedEdit("Nu"), InputKind::Viscosity);
    SpecificHeat = FitNumberEdit(NamedEdit("SpecificHeat"), InputKind::SpecificHeat);

    auto* temps = new QGroupBox(T("Fűtőközeg"));
    temps->setObjectName(QStringLiteral("MediumGroup"));
    auto* g = new QGridLayout(temps);
    auto row = [g](int r, int c, const char* name, const char* caption, QWidget* w, const char* unit) {
        g->addWidget(NamedLabel(name, T(caption)), r, c);
        g->addWidget(w, r, c + 1);
        g->addWidget(new QLabel(T(unit)), r, c + 2);
    };
    row(0, 0, "ForwardTemperatureLabel", "Előremenő hőmérséklet", ForwardTemperature, "°C");
    row(1, 0, "BackwardTemperatureLabel", "Visszatérő hőmérséklet", BackwardTemperature, "°C");
    row(2, 0, "VolumeLabel", "Tömegáram", Volume, "kg/h");
    auto* defined = new QButtonGroup(page);
    defined->addButton(DefinedTemperature);
    defined->addButton(DefinedVolume);
    auto* mode = new QButtonGroup(page);
    mode->addButton(BifilarMode);
    mode->addButton(SerialMode);
    g->addWidget(DefinedTemperature, 3, 0, 1, 3);
    g->addWidget(DefinedVolume, 4, 0, 1, 3);
    g->addWidget(MediumType, 0, 3, 1, 3);
    row(1, 3, "RoLabel", "Sűrűség", Ro, "kg/m3");
    row(2, 3, "NuLabel", "Kinematikai viszkozitás", Nu, "m2/s");
    row(3, 3, "SpecificHeatLabel", "Fajhő", SpecificHeat, "J/kgK");
    g->addWidget(BifilarMode, 4, 3, 1, 2);
    g->addWidget(SerialMode, 4, 5, 1, 1);

    auto action = [this](const char* name, const char* caption) {
        auto* a = new QAction(T(caption), this);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    ModifyFieldAction = action("ModifyFieldAction", "Módosít...");
    DeleteFieldAction = action("DeleteFieldAction", "Töröl");
    AddFieldAction = action("AddFieldAction", "Felvesz");
    MoveUpFieldAction = action("MoveUpFieldAction", "Felfelé");
    MoveDownFieldAction = action("MoveDownFieldAction", "Lefelé");
    RecalcFieldsAction = action("RecalcFieldsAction", "Átszámít");

    DifferentTemperaturesWarning = NamedLabel(
        "DifferentTemperaturesWarning", T("A fűtőmezők hőleadása a helyiségeknél eltérő hőmérsékleten számított!"));
    DifferentTemperaturesWarning->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
    RecalcFieldsButton = ActionButton(RecalcFieldsAction);
    auto* warning = new QHBoxLayout;
    warning->addWidget(DifferentTemperaturesWarning, 1);
    warning->addWidget(RecalcFieldsButton);

    ListHeader1 = new TListHeader;
    ListHeader1->setObjectName(QStringLiteral("ListHeader1"));
    RoundFieldsList = new TListViewWithHeader;
    RoundFieldsList->setObjectName(QStringLiteral("RoundFieldsList"));
    auto* fieldButtons = new QHBoxLayout;
    for (QAction* a : {ModifyFieldAction, DeleteFieldAction, MoveUpFieldAction, MoveDownFieldAction})
        fieldButtons->addWidget(ActionButton(a));
    fieldButtons->addStretch();

    RoomsList = new QListWidget;
    RoomsList->setObjectName(QStringLiteral("RoomsList"));
    ViewOnlyNotUsed = new QCheckBox(T("Csak a be nem épített fűtőmezők megjelenítése"));
    ViewOnlyNotUsed->setObjectName(QStringLiteral("ViewOnlyNotUsed"));
    ListHeader2 = new TListHeader;
    ListHeader2->setObjectName(QStringLiteral("ListHeader2"));
    RoomFieldsList = new TListViewWithHeader;
    RoomFieldsList->setObjectName(QStringLiteral("RoomFieldsList"));
    auto* roomFields = new QVBoxLayout;
    roomFields->setSpacing(0);
    roomFields->addWidget(ListHeader2);
    roomFields->addWidget(RoomFieldsList, 1);
    auto* addRow = new QHBoxLayout;
    addRow->addWidget(ViewOnlyNotUsed, 1);
    addRow->addWidget(ActionButton(AddFieldAction));
    roomFields->addLayout(addRow);
    auto* rooms = new QHBoxLayout;
    rooms->addWidget(RoomsList, 1);
    rooms->addLayout(roomFields, 3);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(temps);
    layout->addLayout(warning);
    layout->addWidget(ListHeader1);
    layout->setSpacing(2);
    layout->addWidget(RoundFieldsList, 1);
    layout->addLayout(fieldButtons);
    layout->addLayout(rooms, 1);
    return page;
}

QWidget* TRoundModifyForm::BuildHydraulicsPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("HydraulicsPage"));
    auto label = [](const char* name) { return NamedLabel(name, {}); };
    TubeType = label("TubeType");
    TubeSize = label("TubeSize");
    LengthOrigin = label("LengthOrigin");
    Length = label("Length");
    Speed = label("Speed");
    DpProMeter = label("DpProMeter");
    DpTube = label("DpTube");
    PDin = label("PDin");
    PressureLoss = label("PressureLoss");
    DpResists = label("DpResists");
    NeededTrottle = label("NeededTrottle");
    RecommendedValveSize = label("RecommendedValveSize");
    ThrottlePressure = label("ThrottlePressure");
    ValvePosition = label("ValvePosition");
    for (QLabel* bold : {Length, PressureLoss, NeededTrottle, ValvePosition})
        bold->setStyleSheet(QStringLiteral("font-weight: bold"));
    TubeLengthPlus = FitNumberEdit(NamedEdit("TubeLengthPlus"), InputKind::Length);
    AvailablePressure = FitNumberEdit(NamedEdit("AvailablePressure"), InputKind::Pressure);
    TubeLengthPlusMode = NamedCombo("TubeLengthPlusMode");
    TubeLengthPlusMode->addItems({QStringLiteral("%"), QStringLiteral("m")});
    LoopPattern = NamedCombo("LoopPattern");
    LoopPattern->addItems({T("csigavonalas"), T("kígyóvonalas")});
    LengthSource = label("LengthSource");
    LengthSource->setWordWrap(true);
    ValveType = NamedCombo("ValveType", true);
    ValveType->setInsertPolicy(QComboBox::NoInsert);
    ValveSize = NamedCombo("ValveSize");
    ValveTree = new QToolButton;
    ValveTree->setObjectName(QStringLiteral("ValveTree"));
    ValveTree->setText(QStringLiteral("..."));
    ValveTree->setToolTip(T("Típusok strukturált megjelenítése"));
    ValveHTML = new QToolButton;
    ValveHTML->setObjectName(QStringLiteral("ValveHTML"));
    ValveHTML->setText(QStringLiteral("?"));

    auto* tube = new QGroupBox(T("Csővezeték"));
    tube->setObjectName(QStringLiteral("TubeGroup"));
    auto* tg = new QGridLayout(tube);
    GridRows tubeRows(tg);
    tubeRows.Add("TubeTypeLabel", T("Cső típusa"), TubeType, QString());
    tubeRows.Add("TubeSizeLabel", T("Cső mérete"), TubeSize, QString());
    tubeRows.Add("LengthOriginLabel", T("Mezők csőhossza"), LengthOrigin, T("m"));
    tubeRows.Add("TubeLengthPlusLabel", T("Kiegészítő hossz"), TubeLengthPlus, TubeLengthPlusMode);
    tubeRows.Add("LengthLabel", T("Teljes csőhossz"), Length, T("m"));
    tubeRows.Add("LoopPatternLabel", T("Fektetés mintája"), LoopPattern, QString());
    tubeRows.Add("LengthSourceLabel", T("Csőhossz forrása"), LengthSource, QString());
    tubeRows.Add("SpeedLabel", T("Áramlási sebesség"), Speed, T("m/s"));
    tubeRows.Add("DpProMeterLabel", T("Fajlagos nyomásesés"), DpProMeter, T("Pa/m"));
    tubeRows.Add("DpTubeLabel", T("Cső nyomásesése"), DpTube, T("Pa"));
    tubeRows.Add("PDinLabel", T("Dinamikus nyomás"), PDin, T("Pa"));

    auto* pressure = new QGroupBox(T("Nyomásviszonyok"));
    pressure->setObjectName(QStringLiteral("PressureGroup"));
    GridRows pressureRows(new QGridLayout(pressure));
    pressureRows.Add("AvailablePressureLabel", T("Felhasználható nyomás"), AvailablePressure, T("Pa"));
    pressureRows.Add("DpResistsLabel", T("Alaki ellenállások nyomásesése"), DpResists, T("Pa"));
    pressureRows.Add("PressureLossLabel", T("Kör ellenállása"), PressureLoss, T("Pa"));
    pressureRows.Add("NeededTrottleLabel", T("Szükséges fojtás"), NeededTrottle, T("Pa"));

    auto* valve = new QGroupBox(T("Beszabályozó elem"));
    valve->setObjectName(QStringLiteral("ValveGroup"));
    auto* vg = new QGridLayout(valve);
    vg->addWidget(NamedLabel("ValveTypeLabel", T("Típus")), 0, 0);
    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(ValveType, 1);
    typeRow->addWidget(ValveTree);
    typeRow->addWidget(ValveHTML);
    vg->addLayout(typeRow, 0, 1, 1, 2);
    vg->addWidget(NamedLabel("ValveSizeLabel", T("Méret")), 1, 0);
    vg->addWidget(ValveSize, 1, 1, 1, 2);
    GridRows valveRows(vg, 2);
    valveRows.Add("RecommendedValveSizeLabel", T("Javasolt méret"), RecommendedValveSize, QString());
    valveRows.Add("ThrottlePressureLabel", T("Fojtás a szelepen"), ThrottlePressure, T("Pa"));
    valveRows.Add("ValvePositionLabel", T("Javasolt állás"), ValvePosition, QString());

    CircuitDialogMemory& memory = CircuitDialogState();
    Fittings =
        new FittingsPanel({"ListHeader3", "ResistItemsTitle", "FloorHeatingResistItemTitle", &memory.fittingsTree},
                          editor_.Devices(), services_, [this] { return editor_.Fittings(); });
    Fittings->changed = [this] { ValueChanged(); };

    auto* upper = new QHBoxLayout;
    upper->addWidget(tube);
    auto* right = new QVBoxLayout;
    right->addWidget(pressure);
    right->addWidget(valve);
    upper->addLayout(right);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(upper);
    layout->addWidget(Fittings, 1);
    return page;
}

void TRoundModifyForm::Connect()
{
    for (QLineEdit* edit :
         {ForwardTemperature, BackwardTemperature, Volume, Ro, Nu, SpecificHeat, TubeLengthPlus, AvailablePressure}) {
        connect(edit, &QLineEdit::editingFinished, this, [this] {
            if (leaving_.Enter())
                ValueChanged();
        });
        connect(edit, &QLineEdit::textEdited, this, [this] { Typed(); });
    }
    for (QRadioButton* radio : {DefinedTemperature, DefinedVolume, BifilarMode, SerialMode})
        connect(radio, &QRadioButton::clicked, this, [this] { ValueChanged(); });
    for (QComboBox* combo : {TubeLengthPlusMode, LoopPattern, ValveSize, MediumType})
        connect(combo, &QComboBox::activated, this, [this] { ValueChanged(); });
    connect(ValveType, &QComboBox::currentTextChanged, this, [this] {
        if (!initialised_)
            return;
        ApplyValveType(true);
        ValueChanged();
    });
    connect(ValveTree, &QToolButton::clicked, this, [this] { ValveTreeClick(); });
    connect(ValveHTML, &QToolButton::clicked, this, [this] {
        if (services_.documents && !ValveHTML->toolTip().isEmpty())
            services_.documents->Open(Cp(ValveHTML->toolTip()));
    });
    connect(AddFieldAction, &QAction::triggered, this, [this] { AddFieldActionExecute(); });
    connect(ModifyFieldAction, &QAction::triggered, this, [this] { ModifyFieldActionExecute(); });
    connect(DeleteFieldAction, &QAction::triggered, this, [this] { DeleteFieldActionExecute(); });
    connect(MoveUpFieldAction, &QAction::triggered, this, [this] { MoveFieldExecute(true); });
    connect(MoveDownFieldAction, &QAction::triggered, this, [this] { MoveFieldExecute(false); });
    connect(RecalcFieldsAction, &QAction::triggered, this, [this] { RecalcFieldsActionExecute(); });
    connect(RoundFieldsList, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateCircuitActions(); });
    connect(RoomFieldsList, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateCircuitActions(); });
    connect(RoundFieldsList, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (ModifyFieldAction->isEnabled())
            ModifyFieldActionExecute();
    });
    connect(RoomFieldsList, &QTreeWidget::itemDoubleClicked, this, [this] { AddFieldActionExecute(); });
    connect(RoomsList, &QListWidget::currentTextChanged, this, [this](const QString& text) {
        if (text.isEmpty() || Cp(text) == roomName_)
            return;
        roomName_ = Cp(text);
        FillRoomFieldList();
        UpdateCircuitActions();
    });
    connect(ViewOnlyNotUsed, &QCheckBox::toggled, this, [this] { RefreshRoomChoice(); });
    connect(ListHeader1, &TListHeader::ColumnsChanged, this, [this] { RefreshCircuitFieldList(true); });
    connect(ListHeader2, &TListHeader::ColumnsChanged, this, [this] { FillRoomFieldList(); });
}

bool TRoundModifyForm::UserDefinedMedium() const
{
    return MediumType->currentIndex() == MediumType->count() - 1;
}

bool TRoundModifyForm::ReadCircuitValues(bool quiet)
{
    if (!quiet)
        StatusBar->clearMessage();
    auto number = [quiet](QLineEdit* edit, InputKind kind) -> double {
        return quiet ? ParseInput(Cp(edit->text()), kind, std::string()) : NumberFromControl(edit, kind);
    };
    try {
        CircuitInputs in;
        in.forward = number(ForwardTemperature, InputKind::WaterTemperature);
        in.massFlowGiven = DefinedVolume->isChecked();
        in.serial = SerialMode->isChecked();
        if (in.massFlowGiven)
            in.volume = number(Volume, InputKind::MassFlow);
        else
            in.backward = number(BackwardTemperature, InputKind::WaterTemperature);
        in.userDefinedMedium = UserDefinedMedium();
        in.mediumName = Cp(MediumType->currentText());
        if (in.userDefinedMedium) {
            in.ro = number(Ro, InputKind::Density);
            in.nu = number(Nu, InputKind::Viscosity);
            in.specificHeat = number(SpecificHeat, InputKind::SpecificHeat);
        }
        in.extraLengthMode = TubeLengthPlusMode->currentIndex();
        in.pattern = LoopPattern->currentIndex();
        in.extraLength = number(TubeLengthPlus, in.extraLengthMode == 0 ? InputKind::LengthPercent : InputKind::Length);
        in.valveType = Cp(ValveType->currentText());
        in.valveSizeText = Cp(ValveSize->currentText());
        in.availablePressure = number(AvailablePressure, InputKind::Pressure);
        ShowStatus(editor_.SetValues(in));
        return true;
    } catch (const KalorinaError& e) {
        if (!quiet) {
            failure_ = e.what();
            StatusBar->showMessage(Q(e.what()));
        }
        return false;
    }
}

void TRoundModifyForm::ShowStatus(const std::optional<std::string>& failure)
{
    // The status bar tells the state after the latest step: its failure, else the
    // warnings of the hydraulics, else nothing.  Nothing of an earlier step stays.
    failure_ = failure.value_or(std::string());
    const std::string text = failure ? *failure : HydraulicWarningText(editor_.Round().hydraulic.flags);
    if (text.empty())
        StatusBar->clearMessage();
    else
        StatusBar->showMessage(Q(text));
}

void TRoundModifyForm::ValueChanged()
{
    if (!initialised_)
        return;
    // A bad number takes the focus: the edit it leaves must not report again.
    LeaveGuard::Scope scope(leaving_);
    if (ReadCircuitValues())
        RefreshCircuitDisplay(false);
}

void TRoundModifyForm::Typed()
{
    if (initialised_ && ReadCircuitValues(true))
        RefreshCircuitDisplay(false);
}

void TRoundModifyForm::RefreshCircuitDisplay(bool rebuild)
{
    const CircuitView v = editor_.View();
    if (!v.volume.empty())
        Volume->setText(Q(v.volume));
    if (!v.backward.empty())
        BackwardTemperature->setText(Q(v.backward));
    SetReadOnly(BackwardTemperature, v.backwardReadOnly);
    SetReadOnly(Volume, v.volumeReadOnly);
    DifferentTemperaturesWarning->setVisible(v.differentTemperatures);
    RecalcFieldsAction->setVisible(v.differentTemperatures);
    RecalcFieldsButton->setVisible(v.differentTemperatures);
    if (v.medium) {
        Ro->setText(Q(v.medium->ro));
        Nu->setText(Q(v.medium->nu));
        SpecificHeat->setText(Q(v.medium->specificHeat));
    }
    for (QLineEdit* edit : {Ro, Nu, SpecificHeat})
        SetReadOnly(edit, !UserDefinedMedium());
    TubeType->setText(Q(v.tubeType));
    TubeSize->setText(Q(v.tubeSize));
    LengthOrigin->setText(Q(v.lengthOrigin));
    Length->setText(Q(v.length));
    LengthSource->setText(Q(v.lengthSource));
    LengthSource->setStyleSheet(v.lengthStale ? QStringLiteral("color: #a00000") : QString());
    Speed->setText(Q(v.speed));
    PDin->setText(Q(v.pDin));
    DpProMeter->setText(Q(v.dpProMeter));
    DpTube->setText(Q(v.dpTube));
    RecommendedValveSize->setText(Q(v.recommendedValveSize));
    ThrottlePressure->setText(Q(v.throttlePressure));
    SetRed(ThrottlePressure, v.throttleRed);
    ValvePosition->setText(Q(v.valvePosition));
    Fittings->RefreshFittingList(false);
    DpResists->setText(Q(v.dpResists));
    PressureLoss->setText(Q(v.pressureLoss));
    NeededTrottle->setText(Q(v.neededThrottle));
    NeededTrottle->setStyleSheet(v.neededThrottleRed ? QStringLiteral("color: red; font-weight: bold")
                                                     : QStringLiteral("font-weight: bold"));
    // A calculation failure stays in view; otherwise the warnings behind the red numbers.
    if (failure_.empty())
        StatusBar->showMessage(Q(v.warnings));
    RefreshCircuitFieldList(rebuild);
    UpdateCircuitActions();
}

void TRoundModifyForm::RefreshCircuitFieldList(bool rebuild)
{
    const int selected = SelectedFieldRow();
    ShowListRows(RoundFieldsList, editor_.FieldRows(ListHeader1->Format()), rebuild);
    SelectFieldRow(selected);
}

int TRoundModifyForm::SelectedFieldRow() const
{
    return SelectedTopLevelRow(RoundFieldsList);
}

void TRoundModifyForm::SelectFieldRow(int row)
{
    RoundFieldsList->setCurrentItem(TopLevelRow(RoundFieldsList, row));
}

void TRoundModifyForm::UpdateCircuitActions()
{
    auto* roomField = RoomFieldsList->currentItem();
    const CircuitActions a = kalorina::UpdateCircuitActions(SelectedFieldRow(), RoundFieldsList->topLevelItemCount(),
                                                            roomField && roomField->isSelected());
    ModifyFieldAction->setEnabled(a.modify);
    DeleteFieldAction->setEnabled(a.remove);
    MoveUpFieldAction->setEnabled(a.up);
    MoveDownFieldAction->setEnabled(a.down);
    AddFieldAction->setEnabled(a.add);
}

void TRoundModifyForm::RefreshRoomChoice()
{
    const auto names = editor_.RoomNames(ViewOnlyNotUsed->isChecked());
    const QSignalBlocker block(RoomsList);
    RoomsList->clear();
    bool present = false;
    for (const auto& name : names) {
        RoomsList->addItem(Q(name));
        if (!present && name == roomName_) {
            present = true;
            RoomsList->setCurrentRow(RoomsList->count() - 1);
        }
    }
    if (!present)
        roomName_.clear();
    FillRoomFieldList();
    UpdateCircuitActions();
}

void TRoundModifyForm::FillRoomFieldList()
{
    RoomFieldsList->clear();
    ListHeader2->SetScrollPos(0);
    for (const FieldListRow& row :
         editor_.RoomFieldRows(roomName_, ListHeader2->Format(), ViewOnlyNotUsed->isChecked())) {
        QTreeWidgetItem* item = RoomFieldsList->AddRow(row.cells);
        item->setData(0, kFieldIdRole, row.fieldId);
    }
}

void TRoundModifyForm::ApplyValveType(bool takeSize)
{
    const ValveSizeChoice choice =
        editor_.ApplyValveType(Cp(ValveType->currentText()), takeSize, Cp(ValveSize->currentText()));
    const QSignalBlocker block(ValveSize);
    ValveSize->clear();
    for (const auto& size : choice.sizes.entries)
        ValveSize->addItem(Q(size));
    ValveSize->setCurrentIndex(choice.sizes.selected);
    ValveHTML->setEnabled(choice.found && !choice.link.empty());
    ValveHTML->setToolTip(choice.found ? Q(choice.link) : QString());
}

void TRoundModifyForm::AddFieldActionExecute()
{
    auto* item = RoomFieldsList->currentItem();
    if (item && item->isSelected()) {
        const int fieldId = item->data(0, kFieldIdRole).toInt();
        const bool added = editor_.AddField(roomName_, fieldId, [this](FloorHeatingRoundField& part, double maximum) {
            return AskCircuitFieldArea(part, maximum, this);
        });
        if (added)
            RefreshRoomChoice();
    }
    ShowStatus(editor_.Recalculate());
    RefreshCircuitDisplay(true);
}

void TRoundModifyForm::ModifyFieldActionExecute()
{
    const int row = SelectedFieldRow();
    if (!ModifyFieldAction->isEnabled() || row < 0)
        return;
    if (!editor_.ModifyField(row, [this](FloorHeatingRoundField& part, double maximum) {
            return AskCircuitFieldArea(part, maximum, this);
        }))
        return;
    ShowStatus(editor_.Failure());
    RefreshRoomChoice();
    RefreshCircuitDisplay(true);
    SelectFieldRow(row);
    UpdateCircuitActions();
}

void TRoundModifyForm::DeleteFieldActionExecute()
{
    const int row = SelectedFieldRow();
    if (!DeleteFieldAction->isEnabled() || row < 0)
        return;
    editor_.DeleteField(row);
    ShowStatus(editor_.Failure());
    RefreshRoomChoice();
    RefreshCircuitDisplay(true);
    SelectFieldRow(std::min(row, RoundFieldsList->topLevelItemCount() - 1));
    UpdateCircuitActions();
}

void TRoundModifyForm::MoveFieldExecute(bool up)
{
    const int row = SelectedFieldRow();
    QAction* action = up ? MoveUpFieldAction : MoveDownFieldAction;
    if (!action->isEnabled() || row < 0)
        return;
    const int moved = editor_.MoveField(row, up);
    ShowStatus(editor_.Failure());
    RefreshCircuitDisplay(false);
    SelectFieldRow(moved);
    UpdateCircuitActions();
}

void TRoundModifyForm::RecalcFieldsActionExecute()
{
    ShowStatus(editor_.ApplyToFields());
    RefreshRoomChoice();
    RefreshCircuitDisplay(false);
}

void TRoundModifyForm::ValveTreeClick()
{
    if (!ChooseFromTree(ValveType))
        return;
    // The combo's text change has applied the type already when it differed.
    ApplyValveType(true);
    ValueChanged();
}

void TRoundModifyForm::OKClick()
{
    LeaveGuard::Scope scope(leaving_);
    if (!ReadCircuitValues())
        return;
    try {
        editor_.Commit();
        accept();
    } catch (const KalorinaError& e) {
        ShowStatus(std::string(e.what()));
    }
}

bool EditRoundInDialog(CircuitEdit& edit, const TProject& project, const TDevices& devices, const Services& services,
                       QWidget* parent)
{
    TRoundModifyForm form(edit.round, project, devices, services, parent);
    if (ExecWithPlacement(form) != QDialog::Accepted)
        return false;
    edit.round = form.Round();
    edit.rooms = form.Editor().Rooms();
    return true;
}

} // namespace kalorina::gui
