// The room dialog's heat-load page and the project options' heat-load page, on the
// shipped flat through the real main window: the load follows the elements, the
// heat loss follows the load unless a typed value is kept, a wrong value names its
// cell, and every change is one step that undo takes back.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>

#include <filesystem>

#include "GuiTest.h"
#include "app/Startup.h"
#include "app/TMainForm.h"
#include "building/HeatLoad.h"
#include "dialogs/RoomHeatLoadPage.h"
#include "dialogs/TProjektOptionsForm.h"
#include "dialogs/TRoomModifyForm.h"
#include "lang/TLanguages.h"
#include "platform/QtText.h"

using namespace kalorina;
using namespace kalorina::gui;

namespace {

class HeatLoadGuiTest : public test::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        RoomDialogState() = RoomDialogMemory{};
        UseShippedLanguage("Magyar");
        const std::string copy = KALORINA_BINARY_DIR "/heatload-flat.klp";
        std::filesystem::copy_file(KALORINA_SOURCE_DIR "/examples/flat.klp", copy,
                                   std::filesystem::copy_options::overwrite_existing);
        form = CreateMainForm(Services());
        files.Answer(copy);
        TriggerAction(form.get(), "FileOpen");
        ASSERT_EQ(form->Project().fileName, copy);
    }
    void TearDown() override
    {
        form.reset();
        RoomDialogState() = RoomDialogMemory{};
        GuiTest::TearDown();
    }
    void SelectRoom(const char* utf8)
    {
        auto found = form->ItemsTree->findItems(QString::fromUtf8(utf8), Qt::MatchRecursive | Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty()) << utf8;
        form->ItemsTree->setCurrentItem(found[0]);
    }
    const TRoomItem& Room(const char* cp1250) const
    {
        return form->Project().rooms.at(form->Project().FindItem(cp1250, true));
    }
    static void SetCell(QTableWidget* table, int row, int column, const QString& text)
    {
        table->item(row, column)->setText(text);
    }

    std::unique_ptr<TMainForm> form;
};

} // namespace

// The living room's window grows from 5.04 to 8 m2: 2.96 m2 · 1.15 W/m2K · 33 K =
// 112.3 W more, so 982 W becomes 1094 W at once on the page, in the heat loss
// above, and after OK in the tree; undo brings back 982 W and the old window.
TEST_F(HeatLoadGuiTest, ElementsMoveTheHeatLossAndUndoTakesItBack)
{
    ASSERT_EQ(Room("Nappali").heatDemand, 982.0f);
    SelectRoom("Nappali");
    OnModal(
        [this](QDialog& d) {
            auto* f = static_cast<TRoomModifyForm*>(&d);
            f->Pages->setCurrentWidget(f->HeatLoadPage);
            RoomHeatLoadPage* page = f->HeatLoadPage;
            EXPECT_TRUE(f->HeatingPower->isReadOnly()) << "the heat loss follows the building";
            EXPECT_EQ(page->Total->text(), QStringLiteral("Hőveszteség: 982 W"));
            ASSERT_EQ(page->Elements->rowCount(), 3);
            SetCell(page->Elements, 1, RoomHeatLoadPage::Area, QStringLiteral("8"));
            EXPECT_EQ(page->Total->text(), QStringLiteral("Hőveszteség: 1094 W"));
            EXPECT_EQ(page->Elements->item(1, RoomHeatLoadPage::Watts)->text(), QStringLiteral("304"));
            EXPECT_EQ(f->HeatingPower->text(), QStringLiteral("1094"));
            // A value out of range names its row and column and keeps the last load.
            SetCell(page->Elements, 0, RoomHeatLoadPage::U, QStringLiteral("12"));
            EXPECT_TRUE(page->Message->text().contains(QStringLiteral("sor 1: U"))) << Cp(page->Message->text());
            EXPECT_EQ(f->HeatingPower->text(), QStringLiteral("1094"));
            SetCell(page->Elements, 0, RoomHeatLoadPage::U, QStringLiteral("0,24"));
            EXPECT_TRUE(page->Message->text().isEmpty());
            f->resize(1100, 720);
            SavePicture(f, "room-heatload.png");
            d.findChild<QPushButton*>("OKButton")->click();
        },
        "RoomModifyForm");
    TriggerAction(form.get(), "ModifyItemAction");
    EXPECT_EQ(Room("Nappali").heatDemand, 1094.0f);
    const auto shown = form->ItemsTree->findItems(QStringLiteral("Nappali"), Qt::MatchRecursive | Qt::MatchExactly);
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_EQ(shown[0]->text(1), QStringLiteral("1276 / 1094 W")) << "the tree follows at once";
    EXPECT_NEAR(Room("Nappali").heatLoad->elements[1].area, 8.0f, 1e-6);
    EXPECT_TRUE(form->Project().modified);
    TriggerAction(form.get(), "EditUndo");
    EXPECT_EQ(Room("Nappali").heatDemand, 982.0f);
    EXPECT_NEAR(Room("Nappali").heatLoad->elements[1].area, 5.04f, 1e-6);
    EXPECT_FALSE(form->Project().modified);
}

// "Kézi érték": the typed heat loss stays whatever the building says; OK on a page
// that changed nothing records nothing; a refused cell keeps the dialog open.
TEST_F(HeatLoadGuiTest, KeptTypedValueUnchangedOkAndRefusedCell)
{
    SelectRoom("Hálószoba");
    OnModal([](QDialog& d) { d.findChild<QPushButton*>("OKButton")->click(); }, "RoomModifyForm");
    TriggerAction(form.get(), "ModifyItemAction");
    EXPECT_FALSE(form->Project().modified) << "OK on what is as it was changes nothing";
    EXPECT_FALSE(form->Controller().Changes().CanUndo());

    OnModal(
        [this](QDialog& d) {
            auto* f = static_cast<TRoomModifyForm*>(&d);
            RoomHeatLoadPage* page = f->HeatLoadPage;
            page->Manual->setChecked(true);
            EXPECT_FALSE(f->HeatingPower->isReadOnly());
            f->HeatingPower->setText(QStringLiteral("800"));
            SetCell(page->Elements, 0, RoomHeatLoadPage::Area, QStringLiteral("-1"));
            messages.Answer(MessageAnswer::Ok);
            d.findChild<QPushButton*>("OKButton")->click();
            EXPECT_TRUE(d.isVisible()) << "a refused cell keeps the dialog open";
            EXPECT_EQ(f->Pages->currentWidget(), page);
            SetCell(page->Elements, 0, RoomHeatLoadPage::Area, QStringLiteral("20"));
            d.findChild<QPushButton*>("OKButton")->click();
        },
        "RoomModifyForm");
    TriggerAction(form.get(), "ModifyItemAction");
    EXPECT_EQ(Room("H\xE1l\xF3szoba").heatDemand, 800.0f);
    EXPECT_TRUE(Room("H\xE1l\xF3szoba").heatLoad->manual);
    // A colder outdoor temperature moves every computed room, not the kept one.
    const float living = Room("Nappali").heatDemand;
    ASSERT_TRUE(form->Controller().Change(StepLabel::Of("IDS_STEPPROJECTOPTIONS"),
                                          [](TProject& p) { p.heatLoad.outdoorTemperature = -18; }));
    EXPECT_GT(Room("Nappali").heatDemand, living);
    EXPECT_EQ(Room("H\xE1l\xF3szoba").heatDemand, 800.0f);
}

// The project options' heat-load page: a colder design outdoor temperature and a
// construction from its layers (0.30 m at 0.60 and 0.15 m at 0.04 W/mK, horizontal:
// U = 1/4.42 = 0.226 W/m2K) are one step with the heat losses they give; a value
// out of range names its field and changes nothing.
TEST_F(HeatLoadGuiTest, ProjectOptionsPageClimateAndConstructions)
{
    const float living = Room("Nappali").heatDemand;
    OnModal(
        [this](QDialog& d) {
            auto* f = static_cast<TProjektOptionsForm*>(&d);
            f->Pages->setCurrentWidget(f->HeatLoadPage);
            EXPECT_EQ(f->OutdoorTemperature->text(), QStringLiteral("-13"));
            f->OutdoorTemperature->setText(QStringLiteral("-45"));
            f->findChild<QPushButton*>("OKButton")->click();
            EXPECT_TRUE(d.isVisible());
            EXPECT_TRUE(f->StatusBar->currentMessage().contains(QStringLiteral("-40")))
                << Cp(f->StatusBar->currentMessage());
            f->OutdoorTemperature->setText(QStringLiteral("-18"));
            f->findChild<QPushButton*>("AddConstruction")->click();
            ASSERT_EQ(f->Constructions->rowCount(), 1);
            f->Constructions->item(0, TProjektOptionsForm::CLayers)->setText(QStringLiteral("0,3/0,6; 0,15/0,04"));
            EXPECT_EQ(f->Constructions->item(0, TProjektOptionsForm::CResult)->text(), QStringLiteral("0,226"));
            f->findChild<QPushButton*>("OKButton")->click();
        },
        "ProjektOptionsForm");
    TriggerAction(form.get(), "ProjektOptionsAction");
    EXPECT_EQ(form->Project().heatLoad.outdoorTemperature, -18.0f);
    ASSERT_EQ(form->Project().heatLoad.constructions.size(), 1u);
    EXPECT_TRUE(form->Project().heatLoad.constructions[0].layered);
    EXPECT_GT(Room("Nappali").heatDemand, living);
    TriggerAction(form.get(), "EditUndo");
    EXPECT_EQ(form->Project().heatLoad.outdoorTemperature, -13.0f);
    EXPECT_TRUE(form->Project().heatLoad.constructions.empty());
    EXPECT_EQ(Room("Nappali").heatDemand, living);
}

// "Faltávolság", how far laid loops keep from the walls: 0.10 m in a new project;
// 0.7 m is refused naming the field and its range, 0.15 m is one step undo takes
// back.
TEST_F(HeatLoadGuiTest, ProjectOptionsEdgeDistance)
{
    OnModal(
        [this](QDialog& d) {
            auto* f = static_cast<TProjektOptionsForm*>(&d);
            EXPECT_EQ(f->EdgeDistance->text(), QStringLiteral("0,1"));
            f->EdgeDistance->setText(QStringLiteral("0,7"));
            f->findChild<QPushButton*>("OKButton")->click();
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(f->Pages->currentWidget(), f->HeatLoadPage);
            EXPECT_TRUE(f->StatusBar->currentMessage().contains(QStringLiteral("Faltávolság")))
                << Cp(f->StatusBar->currentMessage());
            EXPECT_TRUE(f->StatusBar->currentMessage().contains(QStringLiteral("0,5")))
                << Cp(f->StatusBar->currentMessage());
            f->EdgeDistance->setText(QStringLiteral("0,15"));
            f->findChild<QPushButton*>("OKButton")->click();
        },
        "ProjektOptionsForm");
    TriggerAction(form.get(), "ProjektOptionsAction");
    EXPECT_EQ(form->Project().options.edgeDistance, 0.15);
    EXPECT_TRUE(form->Project().modified);
    TriggerAction(form.get(), "EditUndo");
    EXPECT_EQ(form->Project().options.edgeDistance, 0.1);
}

// "Falak az alaprajzból": the flat's living room, 7 × 4 m on the plan, gets its
// south and west walls outside (the window off the south one) and the walls it
// shares with the bedroom, kitchen, bathroom and hall inside; its window and roof
// stay.  The list is confirmed before it replaces the walls.
TEST_F(HeatLoadGuiTest, WallsFromThePlan)
{
    SelectRoom("Nappali");
    OnModal(
        [this](QDialog& d) {
            auto* f = static_cast<TRoomModifyForm*>(&d);
            RoomHeatLoadPage* page = f->HeatLoadPage;
            ASSERT_TRUE(page->FromPlan->isEnabled());
            EXPECT_TRUE(f->Area->isReadOnly()) << "a drawn room's area is its outline's";
            EXPECT_EQ(d.findChild<QLabel*>("AreaLabelUnit")->text(), QStringLiteral("m2 (az alaprajzból)"));
            messages.Answer(MessageAnswer::No);
            page->FromPlan->click();
            EXPECT_EQ(page->Elements->rowCount(), 3) << "No keeps the elements";
            messages.Answer(MessageAnswer::Yes);
            page->FromPlan->click();
            EXPECT_NE(messages.LastText().find("Konyha"), std::string::npos) << messages.LastText();
            ASSERT_EQ(page->Elements->rowCount(), 8);
            EXPECT_EQ(page->Elements->item(0, RoomHeatLoadPage::Area)->text(), QStringLiteral("13,16"));
            d.findChild<QPushButton*>("OKButton")->click();
        },
        "RoomModifyForm");
    TriggerAction(form.get(), "ModifyItemAction");
    const RoomHeatLoad& data = *Room("Nappali").heatLoad;
    ASSERT_EQ(data.elements.size(), 8u);
    EXPECT_EQ(data.elements[1].boundary, Boundary::Heated);
    EXPECT_EQ(Room("Nappali").heatDemand, AppliedHeatLoss(BuildingHeatLoad(form->Project()).rooms[0].total));
}
