// The room and field dialogs through their real widgets, on the shipped catalogue
// and languages.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeWidget>

#include "GuiTest.h"
#include "app/ProjectFiles.h"
#include "app/ProjectRecalc.h"
#include "app/ProjectSummary.h"
#include "app/RoomEditor.h"
#include "app/Startup.h"
#include "app/TMainForm.h"
#include "catalogue/TDevices.h"
#include "dialogs/TAreaForm.h"
#include "dialogs/TFieldAreaModifyForm.h"
#include "dialogs/TFloorHeatingModifyForm.h"
#include "dialogs/TRoomModifyForm.h"
#include "lang/TLanguages.h"
#include "listview/TListViewWithHeader.h"
#include "platform/NumberInput.h"
#include "platform/QtText.h"
#include "platform/Registry.h"

using namespace kalorina;
using namespace kalorina::gui;

namespace {

class RoomDialogTest : public test::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        RoomDialogState() = RoomDialogMemory{};
        UseShippedLanguage("Magyar");
        LoadCatalogue();
        room.roomName = "Nappali";
        room.floorArea = 12;
        room.heatDemand = 800;
        room.roomTemperature = 20;
        options.medium.forward = 40;
        options.medium.return_ = 35;
    }
    void TearDown() override
    {
        RoomDialogState() = RoomDialogMemory{};
        GuiTest::TearDown();
    }
    void LoadCatalogue()
    {
        devices = std::make_unique<TDevices>(KALORINA_SOURCE_DIR "/data", Languages().GetText("IDS_DEVICEDBLANGUAGE"));
        ASSERT_FALSE(devices->Failed()) << devices->FailureMessage();
    }
    std::unique_ptr<TRoomModifyForm> Open()
    {
        auto form = std::make_unique<TRoomModifyForm>(room, *devices, options, Services());
        form->show();
        QApplication::setActiveWindow(form.get());
        return form;
    }
    static void ChooseSystem(TRoomModifyForm& f, const char* name)
    {
        auto found = f.FloorHeatingsTreeView->findItems(QString::fromUtf8(name), Qt::MatchRecursive);
        ASSERT_EQ(found.size(), 1) << name;
        f.FloorHeatingsTreeView->setCurrentItem(found[0]);
    }
    static void Type(QLineEdit* edit, const QString& text)
    {
        edit->setText(text);
        emit edit->editingFinished();
    }
    static QString Cell(TListViewWithHeader* list, int row, int column)
    {
        return list->topLevelItem(row)->text(column);
    }
    static void SelectRow(TListViewWithHeader* list, int row) { list->setCurrentItem(list->topLevelItem(row)); }
    // The area dialog of "Felvesz" takes `area` (and saves its picture when asked).
    void AnswerArea(const char* area, const char* picture = nullptr)
    {
        OnModal(
            [area, picture](QDialog& d) {
                auto* form = static_cast<TAreaForm*>(&d);
                if (picture)
                    SavePicture(form, picture);
                form->HeatingArea->setText(QString::fromLatin1(area));
                d.findChild<QPushButton*>("OKButton")->click();
            },
            "AreaForm");
    }
    std::string Status(TRoomModifyForm& f) { return Cp(f.StatusBar->currentMessage()); }

    std::unique_ptr<TDevices> devices;
    TRoomItem room;
    TProjektOptions options;
};

} // namespace

TEST_F(RoomDialogTest, PickingASystemAndACoveringListsTheSpacings)
{
    room.heatDemand = 740; // between the 100 and the 150 mm output of 12 m2 under parquet
    auto f = Open();
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Nappali"));
    EXPECT_EQ(f->FHPowerRequest->text(), QStringLiteral("740"));
    EXPECT_EQ(f->FHSurface->text(), QStringLiteral("12"));
    EXPECT_EQ(f->FloorHeatingsChooseList->topLevelItemCount(), 0);
    EXPECT_GE(f->Function->count(), 12);

    ChooseSystem(*f, "Vexalon FH-W16");
    EXPECT_EQ(f->FloorHeatMainType->text(), QStringLiteral("Vexalon FH-W16"));
    EXPECT_FALSE(f->FloorHeatMainType->toolTip().isEmpty()); // the system's document
    ASSERT_EQ(f->FloorHeatingSurfaceType->count(), 4);
    f->FloorHeatingSurfaceType->setCurrentIndex(2);
    EXPECT_EQ(f->SurfaceR->text(), QStringLiteral("0,1"));
    ASSERT_EQ(f->FloorHeatingsChooseList->topLevelItemCount(), 5);
    EXPECT_EQ(Cell(f->FloorHeatingsChooseList, 0, 0), QStringLiteral("100"));
    EXPECT_EQ(f->FHDistance1->text(), QStringLiteral("100"));
    EXPECT_EQ(f->FHSurface1->text(), QStringLiteral("5,90"));
    EXPECT_EQ(f->FHDistance2->text(), QStringLiteral("150"));
    EXPECT_EQ(f->FHSurface2->text(), QStringLiteral("6,10"));
    EXPECT_TRUE(f->OptimimFloorHeatingAction->isEnabled());
    EXPECT_FALSE(f->AddFloorHeatingAction->isEnabled()); // no spacing row chosen yet
    EXPECT_TRUE(Status(*f).empty());

    // Clicking the system's name opens its document.
    QMouseEvent click(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(f->FloorHeatMainType, &click);
    ASSERT_EQ(documents.opened.size(), 1u);
    EXPECT_NE(documents.opened[0].find("floor-heating"), std::string::npos);

    // A return temperature above the forward one is reported, not shown as rows.
    Type(f->FHBackwardTemperature, QStringLiteral("45"));
    EXPECT_FALSE(Status(*f).empty());
    Type(f->FHBackwardTemperature, QStringLiteral("35"));
    EXPECT_TRUE(Status(*f).empty()); // computed again: the failure is gone
    SelectRow(f->FloorHeatingsChooseList, 2);
    AnswerArea("5");
    TriggerAction(f.get(), "AddFloorHeatingAction");
    SelectRow(f->FloorHeatingsChooseList, 1);
    SavePicture(f.get(), "room-dialog.png");
}

TEST_F(RoomDialogTest, FelveszAddsAFieldThroughTheAreaDialog)
{
    auto f = Open();
    ChooseSystem(*f, "Vexalon FH-W16");
    SelectRow(f->FloorHeatingsChooseList, 0); // 100 mm
    OnModal(
        [](QDialog& d) {
            auto* form = static_cast<TAreaForm*>(&d);
            EXPECT_EQ(form->HeatingArea->text(), QStringLiteral("7,2")); // 800 W at 111.7 W/m2 (100 mm, screed)
            EXPECT_EQ(form->AreaMax->text(), QStringLiteral("12"));
            form->HeatingArea->setText(QStringLiteral("0")); // refused, saying why
            d.findChild<QPushButton*>("OKButton")->click();
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(Cp(form->StatusBar->currentMessage()),
                      Cp(QStringLiteral("Felület: 0-nál nagyobb, legfeljebb 10000 m2 értéket adjon meg.")));
            form->ZoneTypes->setCurrentIndex(1);
            d.findChild<QPushButton*>("AllArea")->click();
            EXPECT_EQ(form->HeatingArea->text(), QStringLiteral("12"));
            form->HeatingArea->setText(QStringLiteral("5,5"));
            SavePicture(form, "area-dialog.png");
            d.findChild<QPushButton*>("OKButton")->click();
        },
        "AreaForm");
    TriggerAction(f.get(), "AddFloorHeatingAction");
    ASSERT_EQ(f->Room().fields.size(), 1u);
    EXPECT_FLOAT_EQ(f->Room().fields[0].area, 5.5f);
    EXPECT_EQ(f->Room().fields[0].zoneType, 1);
    EXPECT_EQ(f->Room().fields[0].spacing, 100);
    ASSERT_EQ(f->FloorHeatingsList->topLevelItemCount(), 2); // the field and the totals row
    EXPECT_EQ(f->FHSurface->text(), QStringLiteral("6,5"));

    // The totals row takes no field command.
    SelectRow(f->FloorHeatingsList, 1);
    EXPECT_FALSE(f->ModifyFloorHeatingAction->isEnabled());
    EXPECT_FALSE(f->DeleteFloorHeatingAction->isEnabled());
    SelectRow(f->FloorHeatingsList, 0);
    EXPECT_TRUE(f->IncrementFloorHeatingAction->isEnabled());
    EXPECT_EQ(f->PopupMenu->actions(),
              (QList<QAction*>{f->ModifyFloorHeatingAction, f->IncrementFloorHeatingAction,
                               f->DecrementFloorHeatingAction, f->DeleteFloorHeatingAction}));

    // A double click on a spacing row adds too; a cancelled area dialog adds nothing.
    OnModal([](QDialog& d) { d.findChild<QPushButton*>("CancelButton")->click(); }, "AreaForm");
    emit f->FloorHeatingsChooseList->itemDoubleClicked(f->FloorHeatingsChooseList->topLevelItem(2), 0);
    EXPECT_EQ(f->Room().fields.size(), 1u);
}

TEST_F(RoomDialogTest, OptimumWithOneAndWithTwoSpacings)
{
    room.heatDemand = 740; // 100 mm alone gives 779 W on 12 m2 under parquet, 150 mm 702 W
    auto f = Open();
    ChooseSystem(*f, "Vexalon FH-W16");
    f->FloorHeatingSurfaceType->setCurrentIndex(2);
    TriggerAction(f.get(), "OptimimFloorHeatingAction");
    ASSERT_EQ(f->Room().fields.size(), 2u);
    EXPECT_FLOAT_EQ(f->Room().fields[0].area + f->Room().fields[1].area, 12.0f);
    EXPECT_EQ(f->Room().fields[1].fieldId, 1);
    EXPECT_EQ(f->FHSurface->text(), QStringLiteral("0"));
    EXPECT_FALSE(f->OptimimFloorHeatingAction->isEnabled()); // nothing left to propose

    room.heatDemand = 500;
    auto g = Open(); // the system and covering come back by themselves
    EXPECT_EQ(g->FloorHeatMainType->text(), QStringLiteral("Vexalon FH-W16"));
    EXPECT_EQ(g->FHDistance1->text(), QStringLiteral("300"));
    EXPECT_TRUE(g->FHDistance2->text().isEmpty());
    TriggerAction(g.get(), "OptimimFloorHeatingAction");
    ASSERT_EQ(g->Room().fields.size(), 1u);
    EXPECT_EQ(g->Room().fields[0].spacing, 300);
    EXPECT_FLOAT_EQ(g->Room().fields[0].area, 11.6f); // 500 W at 43.2 W/m2
}

TEST_F(RoomDialogTest, DenserAtTheDensestSpacingAndDeletingTheLastField)
{
    auto f = Open();
    ChooseSystem(*f, "Vexalon FH-W16");
    SelectRow(f->FloorHeatingsChooseList, 0); // 100 mm, the densest
    AnswerArea("4");
    TriggerAction(f.get(), "AddFloorHeatingAction");
    ASSERT_EQ(f->Room().fields.size(), 1u);
    ASSERT_EQ(f->Room().fields[0].spacing, 100);
    SelectRow(f->FloorHeatingsList, 0);
    TriggerAction(f.get(), "IncrementFloorHeatingAction");
    EXPECT_EQ(Status(*f), Languages().GetText("IDS_CANNOTINCREASEDISTANCE"));
    EXPECT_EQ(f->Room().fields[0].spacing, 100);
    TriggerAction(f.get(), "DecrementFloorHeatingAction");
    EXPECT_EQ(f->Room().fields[0].spacing, 150);
    EXPECT_EQ(Cell(f->FloorHeatingsList, 0, 3), QStringLiteral("150"));

    messages.Answer(MessageAnswer::No);
    TriggerAction(f.get(), "DeleteFloorHeatingAction");
    EXPECT_EQ(messages.LastText(), Languages().GetText("IDS_WANTFLOORHEATINGFIELDDELETE"));
    EXPECT_EQ(f->Room().fields.size(), 1u);
    messages.Answer(MessageAnswer::Yes);
    TriggerAction(f.get(), "DeleteFloorHeatingAction");
    EXPECT_TRUE(f->Room().fields.empty());
    EXPECT_EQ(f->FloorHeatingsList->topLevelItemCount(), 0);
    SelectRow(f->FloorHeatingsChooseList, 2);
    AnswerArea("3");
    TriggerAction(f.get(), "AddFloorHeatingAction");
    ASSERT_EQ(f->Room().fields.size(), 1u);
    EXPECT_EQ(f->Room().fields[0].fieldId, 1); // not the deleted field's identifier
}

TEST_F(RoomDialogTest, ABadNumberFocusesItsEdit)
{
    auto f = Open();
    ChooseSystem(*f, "Vexalon FH-W16");
    Type(f->FHForwardTemperature, QStringLiteral("meleg"));
    QApplication::processEvents();
    EXPECT_EQ(Status(*f), RangeMessage(InputKind::WaterTemperature, FieldName(f->FHForwardTemperature)));
    EXPECT_TRUE(f->FHForwardTemperature->hasFocus());
    EXPECT_EQ(f->FHForwardTemperature->text(), QStringLiteral("meleg")); // kept for correction

    Type(f->Area, QStringLiteral("-3")); // the room's area cannot be negative
    QApplication::processEvents();
    EXPECT_EQ(Status(*f), Cp(QStringLiteral("Alapterület: 0 és 10000 m2 közötti számot adjon meg.")));
    EXPECT_TRUE(f->Area->hasFocus());
    f->findChild<QPushButton*>("OKButton")->click();
    EXPECT_TRUE(f->isVisible()); // OK waits for a good number
    EXPECT_EQ(f->result(), 0);
}

TEST_F(RoomDialogTest, OkStoresANewRoomFunctionThatTheNextDialogLists)
{
    auto f = Open();
    const int before = f->Function->count();
    f->Function->setEditText(QStringLiteral("Műhely"));
    f->findChild<QPushButton*>("OKButton")->click();
    EXPECT_EQ(f->result(), QDialog::Accepted);
    EXPECT_EQ(f->Room().roomFunction, Cp(QStringLiteral("Műhely")));
    TRegistry r;
    ASSERT_TRUE(OpenRootKey(r) && r.OpenKey("RoomFunctions", false));
    EXPECT_EQ(r.ReadString("1"), Cp(QStringLiteral("Műhely")));
    auto g = Open();
    EXPECT_EQ(g->Function->count(), before + 1);
    EXPECT_GE(g->Function->findText(QStringLiteral("Műhely")), 0);
}

TEST_F(RoomDialogTest, ASecondDialogRestoresTheTreeAndTheLastChoices)
{
    auto folder = [](TRoomModifyForm& f, const QString& text) {
        auto found = f.FloorHeatingsTreeView->findItems(text, Qt::MatchRecursive);
        return found.size() == 1 ? found[0] : nullptr;
    };
    const QString wet = QStringLiteral("Nedves rendszerek"), heating = QStringLiteral("Padlófűtés");
    {
        auto f = Open(); // no system chosen: nothing opens the closed branch again
        ASSERT_NE(folder(*f, wet), nullptr);
        folder(*f, wet)->setExpanded(false);
    }
    {
        auto g = Open();
        ASSERT_NE(folder(*g, wet), nullptr);
        ASSERT_NE(folder(*g, heating), nullptr);
        EXPECT_FALSE(folder(*g, wet)->isExpanded());
        EXPECT_TRUE(folder(*g, heating)->isExpanded());
        ChooseSystem(*g, "Vexalon FH-W17");
        g->FloorHeatingSurfaceType->setCurrentIndex(1);
        Type(g->SurfaceR, QStringLiteral("0,07")); // the user's own R for this covering
    }
    auto h = Open();
    QTreeWidgetItem* current = h->FloorHeatingsTreeView->currentItem();
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->text(0), QStringLiteral("Vexalon FH-W17"));
    ASSERT_NE(folder(*h, wet), nullptr);
    EXPECT_TRUE(folder(*h, wet)->isExpanded()); // the chosen system is shown
    EXPECT_EQ(h->FloorHeatMainType->text(), QStringLiteral("Vexalon FH-W17"));
    EXPECT_EQ(h->FloorHeatingSurfaceType->currentIndex(), 1);
    EXPECT_EQ(h->SurfaceR->text(), QStringLiteral("0,07"));
    EXPECT_EQ(h->FloorHeatingsChooseList->topLevelItemCount(), 5); // the system's spacings
}

TEST_F(RoomDialogTest, TheFieldDialogShowsLiveResults)
{
    auto f = Open();
    ChooseSystem(*f, "Vexalon FH-W16");
    SelectRow(f->FloorHeatingsChooseList, 1); // 150 mm
    AnswerArea("6");
    TriggerAction(f.get(), "AddFloorHeatingAction");
    SelectRow(f->FloorHeatingsList, 0);
    OnModal(
        [](QDialog& d) {
            auto* form = static_cast<TFloorHeatingModifyForm*>(&d);
            EXPECT_EQ(form->Type->currentText(), QStringLiteral("Vexalon FH-W16"));
            EXPECT_EQ(form->Distances->currentText(), QStringLiteral("150"));
            EXPECT_EQ(form->RLimits->text(), QStringLiteral("(0 - 0,15) m2K/W"));
            EXPECT_TRUE(form->HTMLButton->isEnabled());
            const QString before = form->Power->text();
            Type(form->A, QStringLiteral("8"));
            EXPECT_NE(form->Power->text(), before);
            EXPECT_EQ(form->Length->text(), QStringLiteral("53,3")); // 8 m2 at 150 mm
            form->ZoneTypes->setCurrentIndex(2);
            Type(form->ForwardTemperature, QStringLiteral("70"));
            Type(form->BackwardTemperature, QStringLiteral("60"));
            EXPECT_EQ(form->SurfaceTemperature->styleSheet(), QStringLiteral("color: red")); // above 33 °C
            Type(form->ForwardTemperature, QStringLiteral("40"));
            Type(form->BackwardTemperature, QStringLiteral("35"));
            EXPECT_EQ(form->SurfaceTemperature->styleSheet(), QStringLiteral("color: black"));
            form->Distances->setCurrentIndex(2); // 200 mm
            EXPECT_EQ(form->Length->text(), QStringLiteral("40"));
            // Every caption shows its accents whole: the ink of the text, drawn centred
            // in the label, stays inside the label.
            EXPECT_EQ(d.findChild<QLabel*>("PowerSumLabel")->text(), QStringLiteral("Össz hőleadás:"));
            for (const char* name : {"PowerSumLabel", "PowerLabel", "qLabel", "LengthLabel"}) {
                auto* label = d.findChild<QLabel*>(name);
                const QFontMetrics fm(label->font());
                const QRect inner = label->contentsRect();
                const int baseline = inner.top() + (inner.height() - fm.height()) / 2 + fm.ascent();
                const QRect ink = fm.tightBoundingRect(label->text());
                EXPECT_GE(baseline + ink.top(), 0) << name << " cuts the top of its text";
                EXPECT_LE(baseline + ink.bottom(), label->height()) << name;
            }
            SavePicture(form, "field-dialog.png");
            d.findChild<QPushButton*>("OKButton")->click();
        },
        "FloorHeatingModifyForm");
    emit f->FloorHeatingsList->itemDoubleClicked(f->FloorHeatingsList->topLevelItem(0), 0);
    ASSERT_EQ(f->Room().fields.size(), 1u);
    EXPECT_FLOAT_EQ(f->Room().fields[0].area, 8);
    EXPECT_EQ(f->Room().fields[0].spacing, 200);
    EXPECT_EQ(f->Room().fields[0].zoneType, 2);
    EXPECT_EQ(f->FHSurface->text(), QStringLiteral("4"));
}

TEST_F(RoomDialogTest, TheCircuitAreaDialogRefusesMoreThanTheMaximum)
{
    FloorHeatingRoundField part;
    part.assignedPart = 12.5f;
    TFieldAreaModifyForm form(part, 12.5);
    EXPECT_EQ(form.Area->text(), QStringLiteral("12,5"));
    form.Area->setText(QStringLiteral("12,6"));
    form.findChild<QPushButton*>("OKButton")->click();
    std::string refusal = Languages().GetText("IDS_AREAABOVEMAXIMUM");
    refusal.replace(refusal.find("%s"), 2, "12,6");
    refusal.replace(refusal.find("%s"), 2, "12,5");
    EXPECT_EQ(Cp(form.StatusBar->currentMessage()), refusal);
    EXPECT_FLOAT_EQ(part.assignedPart, 12.5f); // a refused area leaves the part alone
    // The whole message can be read.
    EXPECT_GE(form.width(), form.StatusBar->fontMetrics().horizontalAdvance(Q(refusal)));
    EXPECT_EQ(form.result(), 0);
    form.Area->setText(QStringLiteral("0"));
    form.findChild<QPushButton*>("OKButton")->click();
    EXPECT_EQ(Cp(form.StatusBar->currentMessage()), RangeMessage(InputKind::FieldArea, FieldName(form.Area)));
    form.Area->setText(QStringLiteral("12.5"));
    form.findChild<QPushButton*>("OKButton")->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FLOAT_EQ(part.assignedPart, 12.5f);
}

TEST_F(RoomDialogTest, SpeaksEnglish)
{
    UseShippedLanguage("English");
    LoadCatalogue();
    auto f = Open();
    ChooseSystem(*f, "Vexalon FH-W16");
    EXPECT_EQ(f->AddFloorHeatingAction->text(), QStringLiteral("Add"));
    EXPECT_EQ(f->FHZoneType->itemText(0), QStringLiteral("Occupied zone"));
    EXPECT_EQ(f->findChild<QLabel*>("HeatingPowerLabel")->text(), QStringLiteral("Heat loss:"));
    SelectRow(f->FloorHeatingsChooseList, 1);
    SavePicture(f.get(), "room-dialog-en.png");
}

// The main window: Modify opens the room dialog for a room; Cancel keeps the project.
TEST_F(RoomDialogTest, MainWindowOpensTheRoomDialogAndCancelChangesNothing)
{
    auto form = CreateMainForm(Services());
    TriggerAction(form.get(), "NewRoomItemAction");
    TriggerAction(form.get(), "NewRoundItemAction");
    QTreeWidgetItem* circuit = form->ItemsTree->topLevelItem(1)->child(0)->child(0);
    form->ItemsTree->setCurrentItem(circuit);
    EXPECT_TRUE(form->ModifyItemAction->isEnabled()); // circuits have their dialog too
    form->ItemsTree->setCurrentItem(form->ItemsTree->topLevelItem(0)->child(0));
    form->Controller().Changes().SetClean();
    const TProject before = form->Project();
    OnModal(
        [](QDialog& d) {
            auto* f = static_cast<TRoomModifyForm*>(&d);
            Type(f->Area, QStringLiteral("30"));
            d.findChild<QPushButton*>("CancelButton")->click();
        },
        "RoomModifyForm");
    TriggerAction(form.get(), "ModifyItemAction");
    EXPECT_FALSE(form->Project().modified);
    EXPECT_TRUE(form->Project().SameContent(before));
}

// A user adds a room, designs two fields from the shipped catalogue, saves; the
// file shows both fields, and recomputing them gives the same numbers.
TEST_F(RoomDialogTest, ScenarioDesignTwoFieldsAndSave)
{
    auto form = CreateMainForm(Services());
    TriggerAction(form.get(), "NewRoomItemAction");
    QTreeWidgetItem* node = form->ItemsTree->topLevelItem(0)->child(0);
    form->ItemsTree->setCurrentItem(node);
    OnModal(
        [](QDialog& d) {
            auto* f = static_cast<TRoomModifyForm*>(&d);
            Type(f->Area, QStringLiteral("18"));
            Type(f->HeatingPower, QStringLiteral("1200"));
            ChooseSystem(*f, "Vexalon FH-W16");
            f->FloorHeatingSurfaceType->setCurrentIndex(1);
            EXPECT_FALSE(f->FHDistance2->text().isEmpty()) << "two spacings expected";
            TriggerAction(f, "OptimimFloorHeatingAction");
            EXPECT_EQ(f->Room().fields.size(), 2u);
            d.findChild<QPushButton*>("OKButton")->click();
        },
        "RoomModifyForm");
    emit form->ItemsTree->itemDoubleClicked(node, 0);
    ASSERT_EQ(form->Project().rooms[0].fields.size(), 2u);
    EXPECT_TRUE(form->Project().modified);

    const std::string path = KALORINA_BINARY_DIR "/room-scenario.klp";
    const TProject shown = SaveAndReadBack(form.get(), path);
    EXPECT_FALSE(form->Project().modified);
    const std::string json = ProjectJson(shown, RecalcOutcome(shown));
    ASSERT_EQ(shown.rooms.size(), 1u);
    ASSERT_EQ(shown.rooms[0].fields.size(), 2u);
    for (const auto& field : shown.rooms[0].fields)
        EXPECT_NE(json.find("\"spacing\":" + std::to_string(field.spacing)), std::string::npos) << json;
    TProject recomputed = shown;
    RecalculateProject(recomputed, form->Controller().Devices(), false);
    EXPECT_EQ(recomputed.rooms[0].fields, shown.rooms[0].fields);
    EXPECT_EQ(ProjectJson(recomputed, RecalcOutcome(recomputed)), json);
}

// The room's own floor under the tubes and the allowance of a heater beside the
// floor: both reach the room on OK, the fields follow what lies below at once, a
// bad insulation is refused with its range, and OK with nothing changed changes
// nothing.
TEST_F(RoomDialogTest, SupplementaryHeatAndTheRoomsOwnBuildUp)
{
    options.SetBuildUp(FloorBuildUp{});
    {
        auto f = Open();
        EXPECT_FALSE(f->SupplementaryHeat->isChecked());
        EXPECT_EQ(f->RoomBelowKind->currentIndex(), 0); // the project's
        EXPECT_FALSE(f->RoomInsulationR->isEnabled());
        f->findChild<QPushButton*>("OKButton")->click();
        EXPECT_EQ(f->Room(), room);
    }
    auto f = Open();
    ChooseSystem(*f, "Vexalon FH-W16");
    SelectRow(f->FloorHeatingsChooseList, 0);
    AnswerArea("4");
    TriggerAction(f.get(), "AddFloorHeatingAction");
    ASSERT_EQ(f->Room().fields.size(), 1u);
    EXPECT_NEAR(f->Room().fields[0].downK, options.downK, 1e-6);
    const float downPowerOverHeatedRoom = f->Room().fields[0].downPower;

    f->SupplementaryHeat->setChecked(true);
    f->RoomBelowKind->setCurrentIndex(static_cast<int>(BelowKind::Ground) + 1);
    EXPECT_TRUE(f->RoomInsulationR->isEnabled());
    Type(f->RoomInsulationR, QStringLiteral("25"));
    f->findChild<QPushButton*>("OKButton")->click();
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(Status(*f), RangeMessage(InputKind::Resistance, FieldName(f->RoomInsulationR)));
    Type(f->FHOversideTemperature, QStringLiteral("10"));
    Type(f->RoomInsulationR, QStringLiteral("1.25"));
    ASSERT_TRUE(f->Room().buildUp);
    const FloorBuildUp own = *f->Room().buildUp;
    EXPECT_EQ(own.below, BelowKind::Ground);
    EXPECT_FLOAT_EQ(own.insulationResistance, 1.25f);
    EXPECT_FLOAT_EQ(own.belowTemperature, 10);
    EXPECT_FLOAT_EQ(f->Room().fields[0].downK, static_cast<float>(own.DownK()));
    EXPECT_FLOAT_EQ(f->Room().fields[0].belowTemp, 10);
    EXPECT_NE(f->Room().fields[0].downPower, downPowerOverHeatedRoom);
    f->findChild<QPushButton*>("OKButton")->click();
    EXPECT_EQ(f->result(), QDialog::Accepted);
    EXPECT_TRUE(f->Room().supplementaryHeatAllowed);
    EXPECT_EQ(f->Room().buildUp, own);
}

// A function that names a bathroom proposes the bathroom zone for new fields, so
// that the floor is held to the warmer surface a bathroom allows; another function
// takes the proposal back, and a zone the user chose stays.
TEST_F(RoomDialogTest, ABathroomFunctionProposesTheBathroomZone)
{
    EXPECT_TRUE(RoomEditor::FunctionNamesBathroom(Cp("Fürdőszoba")));
    EXPECT_TRUE(RoomEditor::FunctionNamesBathroom(Cp("FÜRDŐ emelet")));
    EXPECT_TRUE(RoomEditor::FunctionNamesBathroom(Cp("Zuhanyzó")));
    EXPECT_TRUE(RoomEditor::FunctionNamesBathroom("Guest bathroom"));
    EXPECT_FALSE(RoomEditor::FunctionNamesBathroom(Cp("Nappali")));
    EXPECT_FALSE(RoomEditor::FunctionNamesBathroom(""));

    auto f = Open();
    EXPECT_EQ(f->FHZoneType->currentIndex(), 0);
    f->Function->setEditText(QString::fromUtf8("Fürdőszoba"));
    EXPECT_EQ(f->FHZoneType->currentIndex(), kBathroomZone);
    ChooseSystem(*f, "Vexalon FH-W16");
    SelectRow(f->FloorHeatingsChooseList, 0);
    AnswerArea("4");
    TriggerAction(f.get(), "AddFloorHeatingAction");
    ASSERT_EQ(f->Room().fields.size(), 1u);
    EXPECT_EQ(f->Room().fields[0].zoneType, kBathroomZone);
    f->Function->setEditText(QString::fromUtf8("Nappali"));
    EXPECT_EQ(f->FHZoneType->currentIndex(), 0);
    EXPECT_EQ(f->Room().fields[0].zoneType, kBathroomZone); // the field built stays as built

    // The user's own zone is not overridden.
    f->FHZoneType->setCurrentIndex(1);
    emit f->FHZoneType->activated(1);
    f->Function->setEditText(QString::fromUtf8("Fürdőszoba"));
    EXPECT_EQ(f->FHZoneType->currentIndex(), 1);

    // A room stored as a bathroom opens with the proposal.
    room.roomFunction = Cp("Fürdőszoba");
    auto again = Open();
    EXPECT_EQ(again->FHZoneType->currentIndex(), kBathroomZone);
}
