#include "dialogs/TProjektOptionsForm.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/DesignRules.h"
#include "dialogs/FittingsPanel.h"
#include "dialogs/TTreeForComboForm.h"
#include "help/Help.h"
#include "lang/BuiltInTexts.h"
#include "platform/DialogSupport.h"
#include "platform/FormLayout.h"
#include "platform/NumberInput.h"
#include "platform/QtFormTranslator.h"
#include "platform/QtText.h"
#include "util/Error.h"
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
    : QDialog(parent), editor_(options, devices), committed_(options), services_(services)
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
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(fittingsBox, 1);
    layout->addWidget(ButtonBox(buttons));
    layout->addWidget(StatusBar);
    TranslateForm(this);

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
        committed_ = editor_.Commit(in);
        accept();
    } catch (const KalorinaError& e) {
        StatusBar->showMessage(Q(e.what()));
    }
}

bool EditProjectOptions(QWidget* parent, const Services& services, const TDevices& devices, TProjektOptions& options)
{
    TProjektOptionsForm form(options, devices, services, parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    options = form.Options();
    return true;
}

} // namespace kalorina::gui
