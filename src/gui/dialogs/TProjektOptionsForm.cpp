#include "help/Help.h"
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

#include "dialogs/FittingsPanel.h"
#include "dialogs/TTreeForComboForm.h"
#include "platform/DialogSupport.h"
#include "platform/NumberInput.h"
#include "platform/QtFormTranslator.h"
#include "platform/QtText.h"
#include "util/Error.h"

namespace kalorina::gui {

namespace {
QString T(const char* utf8) { return QString::fromUtf8(utf8); }

QComboBox* NamedCombo(const char* name, bool editable = false)
{
    auto* combo = new QComboBox;
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(editable);
    return combo;
}

double Number(QLineEdit* edit, NumberKind kind)
{
    return static_cast<double>(NumberFromControl(edit, kind));
}
} // namespace

TProjektOptionsForm::TProjektOptionsForm(const TProjektOptions& options, const TDevices& devices,
                                         const Services& services, QWidget* parent)
    : QDialog(parent), editor_(options, devices), committed_(options), services_(services)
{
    setObjectName(QStringLiteral("ProjektOptionsForm"));
    setWindowTitle(T("Projekt beállítások"));
    HeatingInSideTemp = NamedEdit("HeatingInSideTemp");
    ForwardTemperature = NamedEdit("ForwardTemperature");
    BackwardTemperature = NamedEdit("BackwardTemperature");
    OversideTemperature = NamedEdit("OversideTemperature");
    Oversidek = NamedEdit("Oversidek");
    Ro = NamedEdit("Ro");
    Nu = NamedEdit("Nu");
    SpecificHeat = NamedEdit("SpecificHeat");
    AvailablePressure = NamedEdit("AvailablePressure");
    LengthPlus = NamedEdit("LengthPlus");
    MediumType = NamedCombo("MediumType");
    ValveType = NamedCombo("ValveType", true);
    ValveType->setInsertPolicy(QComboBox::NoInsert);  // a typed name is not a catalogue valve
    LengthPlusMode = NamedCombo("LengthPlusMode");
    LengthPlusMode->addItems({QStringLiteral("%"), QStringLiteral("m")});
    SpeedButton25 = new QToolButton;
    SpeedButton25->setObjectName(QStringLiteral("SpeedButton25"));
    SpeedButton25->setText(QStringLiteral("..."));
    SpeedButton25->setToolTip(T("Típusok strukturált megjelenítése"));

    auto* thermal = new QGroupBox(T("Hőtechnikai adatok"));
    thermal->setObjectName(QStringLiteral("ThermalGroup"));
    auto* tg = new QGridLayout(thermal);
    int row = 0;
    auto add = [&row](QGridLayout* g, const char* name, const char* caption, QWidget* w, const char* unit) {
        g->addWidget(NamedLabel(name, T(caption)), row, 0);
        g->addWidget(w, row, 1);
        g->addWidget(new QLabel(T(unit)), row, 2);
        ++row;
    };
    add(tg, "HeatingInSideTempLabel", "Helyiség méretezési hőmérséklet", HeatingInSideTemp, "°C");
    add(tg, "OversideTemperatureLabel", "Alsó tér hőmérséklete", OversideTemperature, "°C");
    add(tg, "OversidekLabel", "Hőátadási tényező lefelé", Oversidek, "W/m2K");
    auto* medium = new QGroupBox(T("Fűtőközeg"));
    medium->setObjectName(QStringLiteral("MediumGroup"));
    auto* mg = new QGridLayout(medium);
    row = 0;
    add(mg, "ForwardTemperatureLabel", "Előremenő hőmérséklet", ForwardTemperature, "°C");
    add(mg, "BackwardTemperatureLabel", "Visszatérő hőmérséklet", BackwardTemperature, "°C");
    mg->addWidget(MediumType, row++, 0, 1, 3);
    add(mg, "RoLabel", "Sűrűség", Ro, "kg/m3");
    add(mg, "NuLabel", "Kinematikai viszkozitás", Nu, "m2/s");
    add(mg, "SpecificHeatLabel", "Fajhő", SpecificHeat, "J/kgK");
    auto* hydraulic = new QGroupBox(T("Hidraulikai adatok"));
    hydraulic->setObjectName(QStringLiteral("HydraulicGroup"));
    auto* hg = new QGridLayout(hydraulic);
    hg->addWidget(NamedLabel("ValveTypeLabel", T("Beszabályozó elem típusa")), 0, 0);
    hg->addWidget(ValveType, 0, 1);
    hg->addWidget(SpeedButton25, 0, 2);
    hg->addWidget(NamedLabel("AvailablePressureLabel", T("Felhasználható nyomás")), 1, 0);
    hg->addWidget(AvailablePressure, 1, 1);
    hg->addWidget(new QLabel(QStringLiteral("Pa")), 1, 2);
    hg->addWidget(NamedLabel("LengthPlusLabel", T("Kiegészítő hossz")), 2, 0);
    hg->addWidget(LengthPlus, 2, 1);
    hg->addWidget(LengthPlusMode, 2, 2);

    Fittings = new FittingsPanel({"ListHeader1", "ResistItemsTitle2", nullptr, &ProjectOptionsDialogState()},
                                 devices, services, [this] { return editor_.Fittings(); });
    auto* fittingsBox = new QGroupBox(T("Alapértelmezett alaki ellenállások"));
    fittingsBox->setObjectName(QStringLiteral("ResistsGroup"));
    (new QVBoxLayout(fittingsBox))->addWidget(Fittings);

    auto* buttons = new QDialogButtonBox;
    auto* ok = NamedButton("OKButton", QStringLiteral("OK"));
    ok->setDefault(true);
    auto* cancel = NamedButton("CancelButton", T("Mégsem"));
    auto* help = NamedButton("HelpButton", T("Súgó"));
    InstallHelp(this, HelpTopic::ProjectOptions, help);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    buttons->addButton(help, QDialogButtonBox::HelpRole);
    StatusBar = NamedStatusBar();

    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(thermal);
    left->addWidget(hydraulic);
    left->addStretch();
    top->addLayout(left);
    top->addWidget(medium);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(fittingsBox, 1);
    layout->addWidget(buttons);
    layout->addWidget(StatusBar);
    TranslateForm(this);

    const ProjectOptionsView v = editor_.View();
    HeatingInSideTemp->setText(Q(v.inside));
    OversideTemperature->setText(Q(v.below));
    Oversidek->setText(Q(v.downK));
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
    connect(ok, &QPushButton::clicked, this, [this] { OKClick(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
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
                                          Number(ForwardTemperature, NumberKind::Positive),
                                          Number(BackwardTemperature, NumberKind::Positive));
        if (texts) {
            Ro->setText(Q(texts->ro));
            Nu->setText(Q(texts->nu));
            SpecificHeat->setText(Q(texts->specificHeat));
        }
    } catch (const KalorinaError& e) {
        StatusBar->showMessage(Q(e.what()));
    }
}

void TProjektOptionsForm::OKClick()
{
    try {
        StatusBar->clearMessage();
        ProjectOptionsInputs in;
        in.inside = Number(HeatingInSideTemp, NumberKind::Any);
        in.below = Number(OversideTemperature, NumberKind::Any);
        in.downK = Number(Oversidek, NumberKind::NonNegative);
        in.lengthPlus = Number(LengthPlus, NumberKind::NonNegative);
        in.lengthPlusMode = LengthPlusMode->currentIndex();
        in.forward = Number(ForwardTemperature, NumberKind::Positive);
        in.backward = Number(BackwardTemperature, NumberKind::Positive);
        in.userDefinedMedium = UserDefined();
        in.mediumName = Cp(MediumType->currentText());
        in.ro = Number(Ro, NumberKind::Positive);
        in.nu = Number(Nu, NumberKind::Positive);
        in.specificHeat = Number(SpecificHeat, NumberKind::Positive);
        in.valveType = Cp(ValveType->currentText());
        in.pressure = Number(AvailablePressure, NumberKind::NonNegative);
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
