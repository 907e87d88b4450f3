#include "dialogs/TFloorHeatingModifyForm.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/DialogEditor.h"
#include "dialogs/ZoneCombo.h"
#include "help/Help.h"
#include "platform/DialogSupport.h"
#include "platform/FormLayout.h"
#include "platform/NumberInput.h"
#include "platform/QtFormTranslator.h"
#include "platform/QtText.h"
#include "util/Error.h"

namespace kalorina::gui {

namespace {
QStringList Items(const std::vector<std::string>& texts)
{
    QStringList list;
    for (const auto& t : texts)
        list << Q(t);
    return list;
}
} // namespace

TFloorHeatingModifyForm::TFloorHeatingModifyForm(const FloorHeatingField& field, double inside, double maximumArea,
                                                 const TDevices& devices, const Services& services, QWidget* parent)
    : QDialog(parent), editor_(field, inside, devices), services_(services)
{
    editor_.LimitArea(maximumArea);
    setObjectName(QStringLiteral("FloorHeatingModifyForm"));
    setWindowTitle(QStringLiteral("Padlófűtés mező módosítás"));
    BuildControls();
    TranslateForm(this);

    Type->addItems(Items(editor_.SystemNames()));
    Type->setCurrentIndex(editor_.SystemIndex());
    ShowChoices(editor_.LoadSystemChoices());
    const FieldTexts t = editor_.Texts();
    R->setText(Q(t.R));
    A->setText(Q(t.area));
    ZoneTypes->setCurrentIndex(t.zone);
    ForwardTemperature->setText(Q(t.forward));
    BackwardTemperature->setText(Q(t.ret));
    OversideTemperature->setText(Q(t.below));
    Oversidek->setText(Q(t.downK));
    RoomTemperature->setText(Q(t.roomTemperature));
    ShowFieldResults();

    for (QLineEdit* e : {ForwardTemperature, BackwardTemperature, R, A, OversideTemperature, Oversidek})
        connect(e, &QLineEdit::editingFinished, this, &TFloorHeatingModifyForm::FieldChanged);
    connect(ZoneTypes, &QComboBox::currentIndexChanged, this, &TFloorHeatingModifyForm::FieldChanged);
    connect(Distances, &QComboBox::currentIndexChanged, this, &TFloorHeatingModifyForm::DistancesChange);
    connect(SurfaceTypes, &QComboBox::currentTextChanged, this, &TFloorHeatingModifyForm::SurfaceTypesChange);
    connect(Type, &QComboBox::currentIndexChanged, this, &TFloorHeatingModifyForm::TypeChange);
    connect(HTMLButton, &QToolButton::clicked, this, [this] {
        if (!HTMLButton->toolTip().isEmpty())
            services_.documents->Open(Cp(HTMLButton->toolTip()));
    });
    initialised_ = true;
}

void TFloorHeatingModifyForm::BuildControls()
{
    Type = new QComboBox;
    Type->setObjectName(QStringLiteral("Type"));
    HTMLButton = new QToolButton;
    HTMLButton->setObjectName(QStringLiteral("HTMLButton"));
    HTMLButton->setText(QStringLiteral("?"));
    SurfaceTypes = new QComboBox;
    SurfaceTypes->setObjectName(QStringLiteral("SurfaceTypes"));
    SurfaceTypes->setEditable(true);
    SurfaceTypes->setInsertPolicy(QComboBox::NoInsert);
    Distances = new QComboBox;
    Distances->setObjectName(QStringLiteral("Distances"));
    ZoneTypes = MakeZoneCombo("ZoneTypes");
    R = FitNumberEdit(NamedEdit("R"), InputKind::Resistance);
    A = FitNumberEdit(NamedEdit("A"), InputKind::FieldArea);
    ForwardTemperature = FitNumberEdit(NamedEdit("ForwardTemperature"), InputKind::WaterTemperature);
    BackwardTemperature = FitNumberEdit(NamedEdit("BackwardTemperature"), InputKind::WaterTemperature);
    OversideTemperature = FitNumberEdit(NamedEdit("OversideTemperature"), InputKind::Temperature);
    Oversidek = FitNumberEdit(NamedEdit("Oversidek"), InputKind::DownK);
    RLimits = NamedLabel("RLimits", {});
    RoomTemperature = NamedLabel("RoomTemperature", {});
    Length = NamedLabel("Length", {});
    SurfaceTemperature = NamedLabel("SurfaceTemperature", {});
    q = NamedLabel("q", {});
    Power = NamedLabel("Power", {});
    OversidePower = NamedLabel("OversidePower", {});
    PowerSum = NamedLabel("PowerSum", {});
    for (QLabel* l : {Power, OversidePower, PowerSum}) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }

    auto* grid = new QGridLayout;
    int row = 0;
    auto line = [&](const char* name, const QString& caption, QWidget* control, const QString& unit = {}) {
        QLabel* label = WithRoomForAccents(NamedLabel(name, caption));
        grid->addWidget(label, row, 0);
        grid->addWidget(control, row, 1);
        if (!unit.isEmpty())
            grid->addWidget(NamedLabel((std::string(name) + "Unit").c_str(), unit), row, 2);
        ++row;
    };
    auto* typeRow = new QWidget;
    auto* typeLayout = new QHBoxLayout(typeRow);
    typeLayout->setContentsMargins(0, 0, 0, 0);
    typeLayout->addWidget(Type, 1);
    typeLayout->addWidget(HTMLButton);
    line("TypeLabel", QStringLiteral("Rendszer:"), typeRow);
    line("SurfaceTypesLabel", QStringLiteral("Burkolat:"), SurfaceTypes);
    line("RLabel", QStringLiteral("Hővezetési ellenállás:"), R, QStringLiteral("m2K/W"));
    grid->addWidget(RLimits, row++, 1, 1, 2);
    line("DistancesLabel", QStringLiteral("Osztás:"), Distances, QStringLiteral("mm"));
    line("ALabel", QStringLiteral("Felület:"), A, QStringLiteral("m2"));
    line("ZoneTypesLabel", QStringLiteral("Zóna:"), ZoneTypes);
    line("ForwardTemperatureLabel", QStringLiteral("Előremenő hőmérséklet:"), ForwardTemperature, QStringLiteral("°C"));
    line("BackwardTemperatureLabel", QStringLiteral("Visszatérő hőmérséklet:"), BackwardTemperature,
         QStringLiteral("°C"));
    line("OversideTemperatureLabel", QStringLiteral("Hőmérséklet alatta:"), OversideTemperature, QStringLiteral("°C"));
    line("OversidekLabel", QStringLiteral("Hőátadási tényező lefelé:"), Oversidek, QStringLiteral("W/m2K"));
    line("RoomTemperatureLabel", QStringLiteral("Belső hőmérséklet:"), RoomTemperature, QStringLiteral("°C"));
    line("LengthLabel", QStringLiteral("Becsült csőhossz:"), Length, QStringLiteral("m"));
    line("SurfaceTemperatureLabel", QStringLiteral("Felületi hőmérséklet:"), SurfaceTemperature, QStringLiteral("°C"));
    line("qLabel", QStringLiteral("Fajlagos hőleadás:"), q, QStringLiteral("W/m2"));
    line("PowerLabel", QStringLiteral("Hőleadás:"), Power, QStringLiteral("W"));
    line("OversidePowerLabel", QStringLiteral("Hőleadás lefele:"), OversidePower, QStringLiteral("W"));
    line("PowerSumLabel", QStringLiteral("Össz hőleadás:"), PowerSum, QStringLiteral("W"));

    const DialogButtons buttons = MakeDialogButtons(this, HelpTopic::Field, QStringLiteral("Elvet"));
    auto* root = new QVBoxLayout(this);
    root->addLayout(grid);
    root->addLayout(ButtonRow(buttons));
    connect(buttons.ok, &QPushButton::clicked, this, &TFloorHeatingModifyForm::accept);
}

void TFloorHeatingModifyForm::ShowChoices(const FieldChoices& c)
{
    if (!c.found)
        return;
    {
        const QSignalBlocker b1(SurfaceTypes), b2(Distances);
        SurfaceTypes->clear();
        SurfaceTypes->addItems(Items(c.coverings));
        SurfaceTypes->setEditText(Q(c.coveringText));
        RLimits->setText(Q(c.rLimits));
        Distances->clear();
        Distances->addItems(Items(c.spacings));
        Distances->setCurrentIndex(c.spacingIndex);
    }
    HTMLButton->setEnabled(!c.link.empty());
    HTMLButton->setToolTip(Q(c.link));
    // A field's R outside its system's range: the first covering is proposed.
    if (c.coveringIndex == 0)
        SurfaceTypes->setCurrentIndex(0);
}

bool TFloorHeatingModifyForm::ReadFieldValues(FieldInputs& in, bool report)
{
    if (!initialised_)
        return false;
    try {
        in.covering = Cp(SurfaceTypes->currentText());
        in.R = NumberFromControl(R, InputKind::Resistance);
        in.spacing = ParseInteger(Cp(Distances->currentText()));
        in.area = NumberFromControl(A, InputKind::FieldArea);
        in.zone = ZoneTypes->currentIndex();
        in.forward = NumberFromControl(ForwardTemperature, InputKind::WaterTemperature);
        in.ret = NumberFromControl(BackwardTemperature, InputKind::WaterTemperature);
        in.below = NumberFromControl(OversideTemperature, InputKind::Temperature);
        in.downK = NumberFromControl(Oversidek, InputKind::DownK);
    } catch (const KalorinaError& e) {
        if (report)
            ShowFailure(services_, e.what());
        return false;
    }
    return true;
}

void TFloorHeatingModifyForm::FieldChanged()
{
    if (!leaving_.Enter())
        return;
    LeaveGuard::Scope scope(leaving_);
    if (ApplyFieldValues())
        ShowFieldResults();
}

void TFloorHeatingModifyForm::ShowFieldResults()
{
    const FieldResults r = editor_.Results();
    Length->setText(Q(r.length));
    SurfaceTemperature->setText(Q(r.surfaceTemperature));
    SurfaceTemperature->setStyleSheet(r.surfaceTooWarm ? QStringLiteral("color: red") : QStringLiteral("color: black"));
    q->setText(Q(r.q));
    Power->setText(Q(r.power));
    OversidePower->setText(Q(r.downPower));
    PowerSum->setText(Q(r.powerSum));
}

void TFloorHeatingModifyForm::TypeChange()
{
    const std::string name = Cp(Type->currentText());
    if (!initialised_ || name == editor_.Field().systemName)
        return;
    ShowChoices(editor_.SystemChanged(name));
    FieldChanged();
}

void TFloorHeatingModifyForm::SurfaceTypesChange()
{
    if (!initialised_)
        return;
    if (auto r = editor_.CoveringChanged(Cp(SurfaceTypes->currentText()))) {
        R->setText(Q(*r));
        FieldChanged();
    }
}

void TFloorHeatingModifyForm::DistancesChange()
{
    if (initialised_ && Distances->currentText() != QString::number(editor_.Field().spacing))
        FieldChanged();
}

bool TFloorHeatingModifyForm::ApplyFieldValues(bool report)
{
    FieldInputs in;
    return ReadFieldValues(in, report) && RunOrShowFailure(services_, [&] { editor_.Apply(in); });
}

void TFloorHeatingModifyForm::accept()
{
    if (ApplyFieldValues(true))
        QDialog::accept();
}

} // namespace kalorina::gui
