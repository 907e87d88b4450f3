#include "dialogs/TProjektOptionsForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/DesignRules.h"
#include "app/HeatLoadEditor.h"
#include "dialogs/FittingsPanel.h"
#include "dialogs/TTreeForComboForm.h"
#include "help/Help.h"
#include "lang/BuiltInTexts.h"
#include "lang/TLanguages.h"
#include "platform/DialogSupport.h"
#include "platform/FormLayout.h"
#include "platform/NumberInput.h"
#include "platform/QtFormTranslator.h"
#include "platform/QtText.h"
#include "util/Error.h"
#include "util/FloatFormat.h"
#include "util/ParseNumber.h"

namespace kalorina::gui {

namespace {
QString T(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QComboBox* NamedCombo(const char* name, bool editable = false)
{
    auto* combo = new QComboBox;
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(editable);
    return combo;
}

double Number(QLineEdit* edit, InputKind kind)
{
    return NumberFromControl(edit, kind);
}
} // namespace

TProjektOptionsForm::TProjektOptionsForm(const TProjektOptions& options, const TDevices& devices,
                                         const Services& services, QWidget* parent)
    : QDialog(parent), editor_(options, devices), committed_(options), services_(services),
      edgeDistance_(options.edgeDistance)
{
    setObjectName(QStringLiteral("ProjektOptionsForm"));
    setWindowTitle(T("Projekt beállítások"));
    HeatingInSideTemp = FitNumberEdit(NamedEdit("HeatingInSideTemp"), InputKind::Temperature);
    ForwardTemperature = FitNumberEdit(NamedEdit("ForwardTemperature"), InputKind::WaterTemperature);
    BackwardTemperature = FitNumberEdit(NamedEdit("BackwardTemperature"), InputKind::WaterTemperature);
    OversideTemperature = FitNumberEdit(NamedEdit("OversideTemperature"), InputKind::Temperature);
    Oversidek = FitNumberEdit(NamedEdit("Oversidek"), InputKind::DownK);
    Ro = FitNumberEdit(NamedEdit("Ro"), InputKind::Density);
    Nu = FitNumberEdit(NamedEdit("Nu"), InputKind::Viscosity);
    SpecificHeat = FitNumberEdit(NamedEdit("SpecificHeat"), InputKind::SpecificHeat);
    AvailablePressure = FitNumberEdit(NamedEdit("AvailablePressure"), InputKind::Pressure);
    LengthPlus = FitNumberEdit(NamedEdit("LengthPlus"), InputKind::Length);
    MediumType = NamedCombo("MediumType");
    ValveType = NamedCombo("ValveType", true);
    ValveType->setInsertPolicy(QComboBox::NoInsert); // a typed name is not a catalogue valve
    LengthPlusMode = NamedCombo("LengthPlusMode");
    LengthPlusMode->addItems({QStringLiteral("%"), QStringLiteral("m")});
    SpeedButton25 = new QToolButton;
    SpeedButton25->setObjectName(QStringLiteral("SpeedButton25"));
    SpeedButton25->setText(QStringLiteral("..."));
    SpeedButton25->setToolTip(T("Típusok strukturált megjelenítése"));

    auto* thermal = new QGroupBox(T("Hőtechnikai adatok"));
    thermal->setObjectName(QStringLiteral("ThermalGroup"));
    auto* tg = new QGridLayout(thermal);
    GridRows thermalRows(tg);
    thermalRows.Add("HeatingInSideTempLabel", T("Helyiség méretezési hőmérséklet"), HeatingInSideTemp, T("°C"));
    thermalRows.Add("OversideTemperatureLabel", T("Alsó tér hőmérséklete"), OversideTemperature, T("°C"));
    thermalRows.Add("OversidekLabel", T("Hőátadási tényező lefelé"), Oversidek, T("W/m2K"));
    BuildUpGroup = new QGroupBox(T("Rétegrend a csövek alatt"));
    BuildUpGroup->setObjectName(QStringLiteral("BuildUpGroup"));
    BuildUpGroup->setCheckable(true);
    InsulationR = FitNumberEdit(NamedEdit("InsulationR"), InputKind::Resistance);
    SlabR = FitNumberEdit(NamedEdit("SlabR"), InputKind::Resistance);
    BelowKind = NamedCombo("BelowKind");
    for (int kind = 0; kind < kBelowKindCount; ++kind)
        BelowKind->addItem(Q(TextOrBuiltIn("IDS_BELOWKIND+" + std::to_string(kind))));
    auto* bg = new QGridLayout(BuildUpGroup);
    GridRows buildUpRows(bg);
    buildUpRows.Add("BelowKindLabel", T("Alatta"), BelowKind, QString());
    buildUpRows.Add("InsulationRLabel", T("Hőszigetelés R"), InsulationR, T("m2K/W"));
    buildUpRows.Add("SlabRLabel", T("Födém R"), SlabR, T("m2K/W"));
    auto* medium = new QGroupBox(T("Fűtőközeg"));
    medium->setObjectName(QStringLiteral("MediumGroup"));
    auto* mg = new QGridLayout(medium);
    GridRows mediumRows(mg);
    mediumRows.Add("ForwardTemperatureLabel", T("Előremenő hőmérséklet"), ForwardTemperature, T("°C"));
    mediumRows.Add("BackwardTemperatureLabel", T("Visszatérő hőmérséklet"), BackwardTemperature, T("°C"));
    mediumRows.Span(MediumType);
    mediumRows.Add("RoLabel", T("Sűrűség"), Ro, T("kg/m3"));
    mediumRows.Add("NuLabel", T("Kinematikai viszkozitás"), Nu, T("m2/s"));
    mediumRows.Add("SpecificHeatLabel", T("Fajhő"), SpecificHeat, T("J/kgK"));
    auto* hydraulic = new QGroupBox(T("Hidraulikai adatok"));
    hydraulic->setObjectName(QStringLiteral("HydraulicGroup"));
    auto* hg = new QGridLayout(hydraulic);
    GridRows hydraulicRows(hg);
    hydraulicRows.Add("ValveTypeLabel", T("Beszabályozó elem típusa"), ValveType, SpeedButton25);
    hydraulicRows.Add("AvailablePressureLabel", T("Felhasználható nyomás"), AvailablePressure, QStringLiteral("Pa"));
    hydraulicRows.Add("LengthPlusLabel", T("Kiegészítő hossz"), LengthPlus, LengthPlusMode);

    Fittings = new FittingsPanel({"ListHeader1", "ResistItemsTitle2", nullptr, &ProjectOptionsDialogState()}, devices,
                                 services, [this] { return editor_.Fittings(); });
    auto* fittingsBox = new QGroupBox(T("Alapértelmezett alaki ellenállások"));
    fittingsBox->setObjectName(QStringLiteral("ResistsGroup"));
    (new QVBoxLayout(fittingsBox))->addWidget(Fittings);

    const DialogButtons buttons = MakeDialogButtons(this, HelpTopic::ProjectOptions, T("Elvet"));
    StatusBar = NamedStatusBar();

    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(thermal);
    left->addWidget(BuildUpGroup);
    left->addWidget(hydraulic);
    left->addStretch();
    top->addLayout(left);
    top->addWidget(medium);
    auto* general = new QWidget;
    general->setObjectName(QStringLiteral("GeneralPage"));
    auto* generalLayout = new QVBoxLayout(general);
    generalLayout->addLayout(top);
    generalLayout->addWidget(fittingsBox, 1);
    Pages = new QTabWidget;
    Pages->setObjectName(QStringLiteral("Pages"));
    Pages->addTab(general, T("Általános"));
    Pages->addTab(BuildHeatLoadPage(), T("Hőveszteség-számítás"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Pages, 1);
    layout->addWidget(ButtonBox(buttons));
    layout->addWidget(StatusBar);
    TranslateForm(this);

    SetHeatLoad(heatLoad_, nullptr);
    const ProjectOptionsView v = editor_.View();
    HeatingInSideTemp->setText(Q(v.inside));
    OversideTemperature->setText(Q(v.below));
    Oversidek->setText(Q(v.downK));
    BuildUpGroup->setChecked(v.buildUpGiven);
    InsulationR->setText(Q(v.insulationR));
    SlabR->setText(Q(v.slabR));
    BelowKind->setCurrentIndex(v.belowKind);
    Oversidek->setReadOnly(v.buildUpGiven);
    connect(BuildUpGroup, &QGroupBox::toggled, this, [this] { BuildUpChange(); });
    connect(BelowKind, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] { BuildUpChange(); });
    connect(InsulationR, &QLineEdit::editingFinished, this, [this] { BuildUpChange(); });
    connect(SlabR, &QLineEdit::editingFinished, this, [this] { BuildUpChange(); });
    LengthPlus->setText(Q(v.lengthPlus));
    ForwardTemperature->setText(Q(v.forward));
    BackwardTemperature->setText(Q(v.backward));
    LengthPlusMode->setCurrentIndex(v.lengthPlusMode);
    for (const auto& m : v.media.entries)
        MediumType->addItem(Q(m));
    MediumType->setCurrentIndex(v.media.selected);
    Ro->setText(Q(v.medium.ro));
    Nu->setText(Q(v.medium.nu));
    SpecificHeat->setText(Q(v.medium.specificHeat));
    for (const auto& valve : v.valves.entries)
        ValveType->addItem(Q(valve));
    ValveType->setCurrentIndex(v.valves.selected);
    if (v.valves.selected < 0)
        ValveType->setEditText({});
    AvailablePressure->setText(Q(v.pressure));
    // Catalogue properties are the catalogue's: only a user-defined medium is typed in.
    SetPropertiesReadOnly(!UserDefined());
    resize(860, 640);

    connect(MediumType, &QComboBox::currentIndexChanged, this, [this] { MediumChange(); });
    connect(ForwardTemperature, &QLineEdit::editingFinished, this, [this] { MediumChange(); });
    connect(BackwardTemperature, &QLineEdit::editingFinished, this, [this] { MediumChange(); });
    connect(SpeedButton25, &QToolButton::clicked, this, [this] { ChooseFromTree(ValveType); });
    connect(buttons.ok, &QPushButton::clicked, this, [this] { OKClick(); });
}

void TProjektOptionsForm::SetPropertiesReadOnly(bool readOnly)
{
    for (QLineEdit* edit : {Ro, Nu, SpecificHeat}) {
        edit->setReadOnly(readOnly);
        edit->setStyleSheet(readOnly ? QStringLiteral("background: palette(window)") : QString());
    }
}

bool TProjektOptionsForm::UserDefined() const
{
    return MediumType->currentIndex() == MediumType->count() - 1;
}

void TProjektOptionsForm::MediumChange()
{
    const bool user = UserDefined();
    SetPropertiesReadOnly(!user);
    if (user)
        return;
    try {
        StatusBar->clearMessage();
        auto texts = editor_.MediumChange(false, Cp(MediumType->currentText()),
                                          Number(ForwardTemperature, InputKind::WaterTemperature),
                                          Number(BackwardTemperature, InputKind::WaterTemperature));
        if (texts) {
            Ro->setText(Q(texts->ro));
            Nu->setText(Q(texts->nu));
            SpecificHeat->setText(Q(texts->specificHeat));
        }
    } catch (const KalorinaError& e) {
        StatusBar->showMessage(Q(e.what()));
    }
}

void TProjektOptionsForm::BuildUpChange()
{
    Oversidek->setReadOnly(BuildUpGroup->isChecked());
    if (!BuildUpGroup->isChecked())
        return;
    // A half-typed value leaves the k shown; OK names the field.
    try {
        const double insulation = ParseInput(Cp(InsulationR->text()), InputKind::Resistance, {});
        const double slab = ParseInput(Cp(SlabR->text()), InputKind::Resistance, {});
        Oversidek->setText(Q(DownKText(insulation, slab, BelowKind->currentIndex())));
    } catch (const KalorinaError&) {
    }
}

void TProjektOptionsForm::OKClick()
{
    try {
        StatusBar->clearMessage();
        ProjectOptionsInputs in;
        in.inside = Number(HeatingInSideTemp, InputKind::Temperature);
        in.below = Number(OversideTemperature, InputKind::Temperature);
        in.buildUpGiven = BuildUpGroup->isChecked();
        if (in.buildUpGiven) {
            in.insulationR = Number(InsulationR, InputKind::Resistance);
            in.slabR = Number(SlabR, InputKind::Resistance);
            in.belowKind = BelowKind->currentIndex();
        } else
            in.downK = Number(Oversidek, InputKind::DownK);
        in.lengthPlusMode = LengthPlusMode->currentIndex();
        in.lengthPlus = Number(LengthPlus, in.lengthPlusMode == 0 ? InputKind::LengthPercent : InputKind::Length);
        in.forward = Number(ForwardTemperature, InputKind::WaterTemperature);
        in.backward = Number(BackwardTemperature, InputKind::WaterTemperature);
        try {
            CheckTemperatureOrder(in.forward, in.backward);
        } catch (const KalorinaError&) {
            BackwardTemperature->setFocus();
            throw;
        }
        in.userDefinedMedium = UserDefined();
        in.mediumName = Cp(MediumType->currentText());
        in.ro = Number(Ro, InputKind::Density);
        in.nu = Number(Nu, InputKind::Viscosity);
        in.specificHeat = Number(SpecificHeat, InputKind::SpecificHeat);
        in.valveType = Cp(ValveType->currentText());
        in.pressure = Number(AvailablePressure, InputKind::Pressure);
        ProjectHeatLoad heatLoad;
        try {
            heatLoad = ReadHeatLoad();
        } catch (const KalorinaError&) {
            Pages->setCurrentWidget(HeatLoadPage);
            throw;
        }
        double edge = 0;
        try {
            edge = Retyped(edgeDistance_, NumberFromControl(EdgeDistance, InputKind::EdgeDistance),
                           TypedFloat(edgeDistance_));
        } catch (const KalorinaError&) {
            Pages->setCurrentWidget(HeatLoadPage);
            EdgeDistance->setFocus();
            throw;
        }
        committed_ = editor_.Commit(in);
        heatLoad_ = std::move(heatLoad);
        edgeDistance_ = edge;
        accept();
    } catch (const KalorinaError& e) {
        StatusBar->showMessage(Q(e.what()));
    }
}

QWidget* TProjektOptionsForm::BuildHeatLoadPage()
{
    HeatLoadPage = new QWidget;
    HeatLoadPage->setObjectName(QStringLiteral("HeatLoadPage"));
    OutdoorTemperature = FitNumberEdit(NamedEdit("OutdoorTemperature"), InputKind::OutdoorTemperature);
    MeanOutdoorTemperature = FitNumberEdit(NamedEdit("MeanOutdoorTemperature"), InputKind::MeanOutdoorTemperature);
    N50 = FitNumberEdit(NamedEdit("N50"), InputKind::AirTightness);
    ThermalBridge = FitNumberEdit(NamedEdit("ThermalBridge"), InputKind::ThermalBridge);
    Shielding = NamedCombo("Shielding");
    for (int i = 0; i < 3; ++i)
        Shielding->addItem(Q(Languages().GetFamilyText("IDS_SHIELDING+", i)));
    Groundwater = new QCheckBox(T("Talajvíz 1 m-en belül a padló alatt"));
    Groundwater->setObjectName(QStringLiteral("Groundwater"));
    auto* climate = new QGroupBox(T("Éghajlat és épület"));
    climate->setObjectName(QStringLiteral("ClimateGroup"));
    auto* cg = new QGridLayout(climate);
    GridRows rows(cg);
    rows.Add("OutdoorTemperatureLabel", T("Tervezési külső hőmérséklet"), OutdoorTemperature, T("°C"));
    rows.Add("MeanOutdoorTemperatureLabel", T("Éves külső középhőmérséklet"), MeanOutdoorTemperature, T("°C"));
    rows.Add("N50Label", T("Légtömörség (n50)"), N50, T("1/h"));
    rows.Add("ShieldingLabel", T("Árnyékoltság"), Shielding, QString());
    rows.Add("ThermalBridgeLabel", T("Hőhídpótlék (dU_TB)"), ThermalBridge, T("W/m2K"));
    rows.Span(Groundwater);

    Constructions = new QTableWidget(0, CColumns);
    Constructions->setObjectName(QStringLiteral("Constructions"));
    Constructions->setHorizontalHeaderLabels({T("Megnevezés"), T("U [W/m2K]"), T("Rétegek: d [m] / λ [W/mK]; ..."),
                                              T("Hőáram"), T("Külső felület"), T("Eredő U")});
    Constructions->verticalHeader()->setVisible(false);
    Constructions->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Constructions->horizontalHeader()->setSectionResizeMode(CLayers, QHeaderView::Stretch);
    auto* add = NamedButton("AddConstruction", T("Új szerkezettípus"));
    auto* remove = NamedButton("RemoveConstruction", T("Szerkezettípus törlése"));
    connect(add, &QPushButton::clicked, this, [this] {
        Construction c;
        c.name = Cp(T("Szerkezet %1").arg(Constructions->rowCount() + 1));
        c.u = 0.24f;
        AddConstructionRow(c);
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (Constructions->currentRow() >= 0)
            Constructions->removeRow(Constructions->currentRow());
    });
    // The U a row gives, as it is typed.
    connect(Constructions, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!item || item->column() == CResult)
            return;
        const int row = item->row();
        QTableWidgetItem* result = Constructions->item(row, CResult);
        const auto* flow = qobject_cast<QComboBox*>(Constructions->cellWidget(row, CFlow));
        const QTableWidgetItem* outside = Constructions->item(row, COutside);
        if (!result || !flow || !outside || !Constructions->item(row, CU) || !Constructions->item(row, CLayers))
            return;
        try {
            const Construction c = ReadConstructionRow(
                Cp(Constructions->item(row, CName)->text()), Cp(Constructions->item(row, CU)->text()),
                Cp(Constructions->item(row, CLayers)->text()), static_cast<HeatFlow>(flow->currentIndex()),
                outside->checkState() == Qt::Checked, row + 1);
            result->setText(Q(FloatToStrF(ConstructionU(c), TFloatFormat::Fixed, 7, 3)));
        } catch (const KalorinaError&) {
            result->setText(QStringLiteral("?"));
        }
    });
    auto* constructionsBox = new QGroupBox(T("Szerkezettípusok"));
    constructionsBox->setObjectName(QStringLiteral("ConstructionsGroup"));
    auto* kl = new QVBoxLayout(constructionsBox);
    kl->addWidget(Constructions, 1);
    auto* kb = new QHBoxLayout;
    kb->addWidget(add);
    kb->addWidget(remove);
    kb->addStretch(1);
    kl->addLayout(kb);

    EdgeDistance = FitNumberEdit(NamedEdit("EdgeDistance"), InputKind::EdgeDistance);
    EdgeDistance->setText(Q(TypedFloat(edgeDistance_)));
    auto* laying = new QGroupBox(T("Csővezetés az alaprajzon"));
    laying->setObjectName(QStringLiteral("LayingGroup"));
    GridRows layingRows(new QGridLayout(laying));
    layingRows.Add("EdgeDistanceLabel", T("Faltávolság"), EdgeDistance, T("m"));
    auto* climateRow = new QHBoxLayout;
    climateRow->addWidget(climate);
    climateRow->addWidget(laying, 0, Qt::AlignTop);
    climateRow->addStretch(1);
    auto* layout = new QVBoxLayout(HeatLoadPage);
    layout->addLayout(climateRow);
    layout->addWidget(constructionsBox, 1);
    return HeatLoadPage;
}

void TProjektOptionsForm::AddConstructionRow(const Construction& c)
{
    const QSignalBlocker quiet(Constructions);
    const int row = Constructions->rowCount();
    Constructions->insertRow(row);
    Constructions->setItem(row, CName, new QTableWidgetItem(Q(c.name)));
    Constructions->setItem(row, CU, new QTableWidgetItem(c.layered ? QString() : Q(TypedFloat(c.u))));
    Constructions->setItem(row, CLayers, new QTableWidgetItem(Q(LayersText(c))));
    auto* flow = new QComboBox;
    flow->addItems({T("vízszintes"), T("felfelé"), T("lefelé")});
    flow->setCurrentIndex(static_cast<int>(c.flow));
    Constructions->setCellWidget(row, CFlow, flow);
    auto* outside = new QTableWidgetItem;
    outside->setFlags((outside->flags() | Qt::ItemIsUserCheckable) & ~Qt::ItemIsEditable);
    outside->setCheckState(c.outsideSurface ? Qt::Checked : Qt::Unchecked);
    Constructions->setItem(row, COutside, outside);
    auto* result = new QTableWidgetItem(Q(FloatToStrF(ConstructionU(c), TFloatFormat::Fixed, 7, 3)));
    result->setFlags(result->flags() & ~Qt::ItemIsEditable);
    Constructions->setItem(row, CResult, result);
    connect(flow, &QComboBox::currentIndexChanged, this, [this, outside] { emit Constructions->itemChanged(outside); });
}

void TProjektOptionsForm::SetHeatLoad(const ProjectHeatLoad& heatLoad, const std::vector<TRoomItem>* rooms)
{
    heatLoad_ = heatLoad;
    rooms_ = rooms;
    OutdoorTemperature->setText(Q(TypedFloat(heatLoad.outdoorTemperature)));
    MeanOutdoorTemperature->setText(Q(TypedFloat(heatLoad.annualMeanOutdoorTemperature)));
    N50->setText(Q(TypedFloat(heatLoad.n50)));
    ThermalBridge->setText(Q(TypedFloat(heatLoad.thermalBridge)));
    Shielding->setCurrentIndex(static_cast<int>(heatLoad.shielding));
    Groundwater->setChecked(heatLoad.groundwaterShallow);
    Constructions->setRowCount(0);
    for (const Construction& c : heatLoad.constructions)
        AddConstructionRow(c);
}

ProjectHeatLoad TProjektOptionsForm::ReadHeatLoad()
{
    ProjectHeatLoad h = heatLoad_;
    // What still reads as shown keeps the stored value, to the last bit.
    auto number = [](QLineEdit* edit, InputKind kind, float stored) {
        return static_cast<float>(Retyped(stored, NumberFromControl(edit, kind), TypedFloat(stored)));
    };
    h.outdoorTemperature = number(OutdoorTemperature, InputKind::OutdoorTemperature, h.outdoorTemperature);
    if (rooms_) {
        try {
            CheckOutdoorBelowRooms(h.outdoorTemperature, *rooms_, FieldName(OutdoorTemperature));
        } catch (const KalorinaError&) {
            OutdoorTemperature->setFocus();
            OutdoorTemperature->selectAll();
            throw;
        }
    }
    h.annualMeanOutdoorTemperature =
        number(MeanOutdoorTemperature, InputKind::MeanOutdoorTemperature, h.annualMeanOutdoorTemperature);
    h.n50 = number(N50, InputKind::AirTightness, h.n50);
    h.thermalBridge = number(ThermalBridge, InputKind::ThermalBridge, h.thermalBridge);
    h.shielding = static_cast<kalorina::Shielding>(Shielding->currentIndex());
    h.groundwaterShallow = Groundwater->isChecked();
    std::vector<Construction> constructions;
    for (int row = 0; row < Constructions->rowCount(); ++row) {
        const auto* flow = qobject_cast<QComboBox*>(Constructions->cellWidget(row, CFlow));
        try {
            Construction c = ReadConstructionRow(
                Cp(Constructions->item(row, CName)->text()), Cp(Constructions->item(row, CU)->text()),
                Cp(Constructions->item(row, CLayers)->text()), static_cast<HeatFlow>(flow ? flow->currentIndex() : 0),
                Constructions->item(row, COutside)->checkState() == Qt::Checked, row + 1);
            // A row shown as it was stored keeps its stored numbers.
            if (row < static_cast<int>(heatLoad_.constructions.size())) {
                const Construction& was = heatLoad_.constructions[row];
                if (!c.layered && !was.layered && TypedFloat(was.u) == Cp(Constructions->item(row, CU)->text()))
                    c.u = was.u;
                if (c.layered && LayersText(was) == Cp(Constructions->item(row, CLayers)->text()))
                    c.layers = was.layers;
            }
            constructions.push_back(std::move(c));
        } catch (const KalorinaError&) {
            Constructions->setCurrentCell(row, CU);
            throw;
        }
    }
    h.constructions = std::move(constructions);
    return h;
}

bool EditProjectOptions(QWidget* parent, const Services& services, const TDevices& devices, TProject& project)
{
    TProjektOptionsForm form(project.options, devices, services, parent);
    form.SetHeatLoad(project.heatLoad, &project.rooms);
    if (form.exec() != QDialog::Accepted)
        return false;
    project.options = form.Options();
    project.options.edgeDistance = form.EdgeDistanceValue();
    project.heatLoad = form.HeatLoad();
    return true;
}

bool EditProjectOptions(QWidget* parent, const Services& services, const TDevices& devices, TProjektOptions& options)
{
    TProjektOptionsForm form(options, devices, services, parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    options = form.Options();
    options.edgeDistance = form.EdgeDistanceValue();
    return true;
}

} // namespace kalorina::gui
