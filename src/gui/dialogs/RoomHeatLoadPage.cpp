#include "dialogs/RoomHeatLoadPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/HeatLoadEditor.h"
#include "lang/BuiltInTexts.h"
#include "lang/TLanguages.h"
#include "platform/DialogSupport.h"
#include "platform/FormLayout.h"
#include "platform/NumberInput.h"
#include "platform/QtText.h"
#include "util/Error.h"
#include "util/FloatFormat.h"

namespace kalorina::gui {

namespace {

QString Family(const char* base, int index)
{
    return Q(Languages().GetFamilyText(base, index));
}

QString Typed(double value)
{
    return Q(TypedFloat(static_cast<float>(value)));
}

// The least air changes the page offers, with the rooms they are for.
struct AirChoice {
    double n;
    const char* room;
};
constexpr AirChoice kAirChoices[] = {
    {0.5, "lakószoba"}, {1.0, "iroda"}, {1.5, "konyha, fürdőszoba ablakkal"}, {2.0, "tárgyaló, tanterem"}};

QComboBox* Combo(const char* name)
{
    auto* combo = new QComboBox;
    combo->setObjectName(QString::fromLatin1(name));
    return combo;
}

std::string CellText(const QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item ? Cp(item->text()) : std::string();
}

int ComboIndex(const QTableWidget* table, int row, int column)
{
    const auto* combo = qobject_cast<const QComboBox*>(table->cellWidget(row, column));
    return combo ? combo->currentIndex() : 0;
}

} // namespace

RoomHeatLoadPage::RoomHeatLoadPage(RoomEditor& editor, QWidget* parent) : QWidget(parent), editor_(editor)
{
    setObjectName(QStringLiteral("RoomHeatLoadPage"));
    Height = FitNumberEdit(NamedEdit("RoomHeight"), InputKind::RoomHeight);
    HeightAboveGround = FitNumberEdit(NamedEdit("HeightAboveGround"), InputKind::HeightAboveGround);
    HeatingUp = FitNumberEdit(NamedEdit("HeatingUp"), InputKind::HeatingUp);
    MinAirChange = Combo("MinAirChange");
    MinAirChange->setEditable(true);
    MinAirChange->setInsertPolicy(QComboBox::NoInsert);
    for (const AirChoice& c : kAirChoices)
        MinAirChange->addItem(Typed(c.n) + QStringLiteral(" – ") + QString::fromUtf8(c.room));
    ExposedFacades = Combo("ExposedFacades");
    ExposedFacades->addItems({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("több")});

    auto* air = new QGridLayout;
    GridRows rows(air);
    rows.Add("RoomHeightLabel", QStringLiteral("Belmagasság"), Height, QStringLiteral("m"));
    rows.Add("MinAirChangeLabel", QStringLiteral("Legkisebb légcsere"), MinAirChange, QStringLiteral("1/h"));
    rows.Add("ExposedFacadesLabel", QStringLiteral("Homlokzatok nyílászárókkal"), ExposedFacades, QString());
    rows.Add("HeightAboveGroundLabel", QStringLiteral("Magasság a terep felett"), HeightAboveGround,
             QStringLiteral("m"));
    rows.Add("HeatingUpLabel", QStringLiteral("Felfűtési többlet"), HeatingUp, QStringLiteral("W/m2"));

    Elements = new QTableWidget(0, Columns);
    Elements->setObjectName(QStringLiteral("Elements"));
    Elements->setHorizontalHeaderLabels(
        {QStringLiteral("Megnevezés"), QStringLiteral("Típus"), QStringLiteral("A [m2]"), QStringLiteral("U [W/m2K]"),
         QStringLiteral("Szerkezet"), QStringLiteral("Határoló tér"), QStringLiteral("b_u"), QStringLiteral("t [°C]"),
         QStringLiteral("dU_TB"), QStringLiteral("f"), QStringLiteral("H [W/K]"), QStringLiteral("Q [W]")});
    Elements->verticalHeader()->setVisible(false);
    Elements->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Elements->horizontalHeader()->setSectionResizeMode(Name, QHeaderView::Stretch);
    AddElement = NamedButton("AddElement", QStringLiteral("Új szerkezet"));
    RemoveElement = NamedButton("RemoveElement", QStringLiteral("Szerkezet törlése"));
    FromPlan = NamedButton("ElementsFromPlan", QStringLiteral("Falak az alaprajzból..."));
    FromPlan->setEnabled(false);
    Manual = new QCheckBox(QStringLiteral("Kézi érték: a beírt hőveszteség marad"));
    Manual->setObjectName(QStringLiteral("ManualHeatLoss"));
    Transmission = NamedLabel("TransmissionLine", {});
    Air = NamedLabel("AirLine", {});
    HeatingUpLine = NamedLabel("HeatingUpLine", {});
    Total = NamedLabel("TotalLine", {});
    QFont bold = Total->font();
    bold.setBold(true);
    Total->setFont(bold);
    Message = NamedLabel("HeatLoadMessage", {});
    Message->setStyleSheet(QStringLiteral("color: #b00000"));
    Message->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(AddElement);
    buttons->addWidget(RemoveElement);
    buttons->addWidget(FromPlan);
    buttons->addStretch(1);
    buttons->addWidget(Manual);
    auto* airRow = new QHBoxLayout;
    airRow->addLayout(air);
    airRow->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(airRow);
    layout->addWidget(Elements, 1);
    layout->addLayout(buttons);
    layout->addWidget(Message);
    for (QLabel* l : {Transmission, Air, HeatingUpLine, Total})
        layout->addWidget(l);

    connect(AddElement, &QPushButton::clicked, this, [this] {
        HeatElement e;
        e.area = 1;
        e.u = 0.24f;
        AddRow(e);
        Elements->setCurrentCell(Elements->rowCount() - 1, Name);
        Recompute();
    });
    connect(RemoveElement, &QPushButton::clicked, this, [this] {
        if (Elements->currentRow() >= 0)
            Elements->removeRow(Elements->currentRow());
        Recompute();
    });
    connect(FromPlan, &QPushButton::clicked, this, [this] {
        if (!fromPlan)
            return;
        RoomHeatLoad data;
        try {
            data = Read();
        } catch (const KalorinaError& e) {
            Message->setText(Q(e.what()));
            return;
        }
        const std::vector<HeatElement> walls = fromPlan(data.height, data.elements);
        std::string list;
        for (const HeatElement& e : walls)
            list += "\n" + e.name + " (" + Languages().GetFamilyText("IDS_ELEMENTTYPE+", static_cast<int>(e.type))
                + ", " + TypedFloat(e.area) + " m2, "
                + Languages().GetFamilyText("IDS_BOUNDARY+", static_cast<int>(e.boundary)) + ")";
        if (walls.empty() || (confirm && !confirm(list)))
            return;
        loading_ = true;
        Elements->setRowCount(0);
        for (const HeatElement& e : walls)
            AddRow(e);
        loading_ = false;
        Recompute();
    });
    connect(Elements, &QTableWidget::itemChanged, this, [this] { Recompute(); });
    for (QLineEdit* e : {Height, HeightAboveGround, HeatingUp})
        connect(e, &QLineEdit::editingFinished, this, [this] { Recompute(); });
    connect(MinAirChange, &QComboBox::currentTextChanged, this, [this] { Recompute(); });
    connect(ExposedFacades, &QComboBox::currentIndexChanged, this, [this] { Recompute(); });
    connect(Manual, &QCheckBox::toggled, this, [this] { Recompute(); });
}

void RoomHeatLoadPage::AddRow(const HeatElement& e)
{
    const bool wasLoading = loading_;
    loading_ = true;
    const int row = Elements->rowCount();
    Elements->insertRow(row);
    const ElementRowTexts t = RowTextsOf(e);
    auto text = [&](int column, const std::string& value) {
        Elements->setItem(row, column, new QTableWidgetItem(Q(value)));
    };
    auto combo = [&](int column, const QStringList& entries, int index) {
        auto* c = new QComboBox;
        c->addItems(entries);
        c->setCurrentIndex(index);
        Elements->setCellWidget(row, column, c);
        connect(c, &QComboBox::currentIndexChanged, this, [this] { Recompute(); });
    };
    text(Name, t.name);
    QStringList types, boundaries, constructions{QString()};
    for (int i = 0; i < 6; ++i)
        types << Family("IDS_ELEMENTTYPE+", i);
    for (int i = 0; i < 4; ++i)
        boundaries << Family("IDS_BOUNDARY+", i);
    int chosen = 0;
    if (const ProjectHeatLoad* climate = editor_.Climate())
        for (const kalorina::Construction& c : climate->constructions) {
            constructions << Q(c.name);
            if (c.name == e.construction)
                chosen = static_cast<int>(constructions.size()) - 1;
        }
    combo(Type, types, t.type);
    text(Area, t.area);
    text(U, t.u);
    combo(Construction, constructions, chosen);
    combo(Boundary, boundaries, t.boundary);
    text(Bu, t.bu);
    text(Temperature, t.temperature);
    text(Bridge, t.thermalBridge);
    for (int column : {Factor, H, Watts}) {
        auto* item = new QTableWidgetItem;
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        Elements->setItem(row, column, item);
    }
    loading_ = wasLoading;
}

void RoomHeatLoadPage::Load()
{
    loading_ = true;
    const RoomHeatLoad data = editor_.Room().heatLoad.value_or(RoomHeatLoad{});
    Height->setText(Typed(data.height));
    HeightAboveGround->setText(Typed(data.heightAboveGround));
    HeatingUp->setText(Typed(data.heatingUp));
    int air = -1;
    for (int i = 0; i < static_cast<int>(std::size(kAirChoices)); ++i)
        if (float(kAirChoices[i].n) == data.minAirChange)
            air = i;
    if (air >= 0)
        MinAirChange->setCurrentIndex(air);
    else
        MinAirChange->setEditText(Typed(data.minAirChange));
    ExposedFacades->setCurrentIndex(std::clamp(data.exposedFacades, 0, 2));
    Manual->setChecked(data.manual);
    Elements->setRowCount(0);
    for (const HeatElement& e : data.elements)
        AddRow(e);
    loading_ = false;
    Recompute();
}

RoomHeatLoad RoomHeatLoadPage::Read()
{
    RoomHeatLoad data;
    data.height = static_cast<float>(NumberFromControl(Height, InputKind::RoomHeight));
    data.heightAboveGround = static_cast<float>(NumberFromControl(HeightAboveGround, InputKind::HeightAboveGround));
    data.heatingUp = static_cast<float>(NumberFromControl(HeatingUp, InputKind::HeatingUp));
    // The offered entries read by their number; a typed one is the number alone.
    const std::string air = Cp(MinAirChange->currentText());
    try {
        data.minAirChange =
            static_cast<float>(ParseInput(air.substr(0, air.find(' ')), InputKind::AirChange, FieldName(MinAirChange)));
    } catch (const KalorinaError&) {
        RefuseControl(MinAirChange, InputKind::AirChange);
    }
    data.exposedFacades = ExposedFacades->currentIndex();
    data.manual = Manual->isChecked();
    ElementColumns columns;
    columns.row = TextOrBuiltIn("IDS_TABLEROW");
    static const ProjectHeatLoad none;
    const ProjectHeatLoad& climate = editor_.Climate() ? *editor_.Climate() : none;
    for (int row = 0; row < Elements->rowCount(); ++row) {
        ElementRowTexts t;
        t.name = CellText(Elements, row, Name);
        t.type = ComboIndex(Elements, row, Type);
        t.area = CellText(Elements, row, Area);
        t.u = CellText(Elements, row, U);
        if (const auto* c = qobject_cast<const QComboBox*>(Elements->cellWidget(row, Construction)))
            t.construction = Cp(c->currentText());
        t.boundary = ComboIndex(Elements, row, Boundary);
        t.bu = CellText(Elements, row, Bu);
        t.temperature = CellText(Elements, row, Temperature);
        t.thermalBridge = CellText(Elements, row, Bridge);
        try {
            data.elements.push_back(ReadElementRow(t, row + 1, climate, columns));
        } catch (const KalorinaError&) {
            Elements->setCurrentCell(row, Area);
            throw;
        }
    }
    return data;
}

void RoomHeatLoadPage::Commit()
{
    RoomHeatLoad data = Read();
    const bool any = editor_.Room().heatLoad.has_value() || !data.elements.empty() || !(data == RoomHeatLoad{});
    editor_.SetHeatLoad(any ? std::optional<RoomHeatLoad>(std::move(data)) : std::nullopt);
}

void RoomHeatLoadPage::Recompute()
{
    if (loading_)
        return;
    RoomHeatLoad data;
    try {
        data = Read();
    } catch (const KalorinaError& e) {
        Message->setText(Q(e.what()));
        return;
    }
    Message->clear();
    const bool any = editor_.Room().heatLoad.has_value() || !data.elements.empty();
    editor_.SetHeatLoad(any ? std::optional<RoomHeatLoad>(data) : std::nullopt);
    const RoomLoad load = editor_.ComputedHeatLoad();
    loading_ = true;
    for (int row = 0; row < Elements->rowCount() && row < static_cast<int>(load.elements.size()); ++row) {
        const ElementResultTexts r = ResultTextsOf(load.elements[row]);
        Elements->item(row, Factor)->setText(Q(r.factor));
        Elements->item(row, H)->setText(Q(r.h));
        Elements->item(row, Watts)->setText(Q(r.watts));
        // A construction's U stands in the U cell, greyed: it is the construction's.
        const bool fromConstruction = !data.elements[row].construction.empty();
        QTableWidgetItem* u = Elements->item(row, U);
        u->setFlags(fromConstruction ? u->flags() & ~Qt::ItemIsEditable : u->flags() | Qt::ItemIsEditable);
        if (fromConstruction)
            u->setText(Q(r.u));
    }
    loading_ = false;
    const HeatLoadBreakdown b = BreakdownOf(load);
    Transmission->setText(Q(b.transmission));
    Air->setText(Q(b.air));
    HeatingUpLine->setText(Q(b.heatingUp));
    Total->setText(Q(b.total));
    emit HeatLossChanged();
}

} // namespace kalorina::gui
