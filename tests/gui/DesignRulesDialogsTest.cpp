// What the dialogs refuse and what they take before a command runs: a return not
// below the forward temperature, an area beyond the free floor, values typed but not
// yet left, and the project options kept through a save and a reopening.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "GuiTest.h"
#include "app/RoomEditor.h"
#include "app/Startup.h"
#include "app/TMainForm.h"
#include "catalogue/TDevices.h"
#include "dialogs/TAreaForm.h"
#include "dialogs/TProjektOptionsForm.h"
#include "dialogs/TRoomModifyForm.h"
#include "lang/TLanguages.h"
#include "listview/TListViewWithHeader.h"
#include "platform/NumberInput.h"
#include "platform/QtText.h"

using namespace kalorina;
using namespace kalorina::gui;

namespace {

class DesignRulesDialogsTest : public test::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        RoomDialogState() = RoomDialogMemory{};
        UseShippedLanguage("Magyar");
        devices = std::make_unique<TDevices>(KALORINA_SOURCE_DIR "/data", Languages().GetText("IDS_DEVICEDBLANGUAGE"));
        ASSERT_FALSE(devices->Failed()) << devices->FailureMessage();
        ASSERT_TRUE(dir.isValid());
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
    std::unique_ptr<TRoomModifyForm> OpenRoom()
    {
        auto form = std::make_unique<TRoomModifyForm>(room, *devices, options, Services());
        form->show();
        QApplication::setActiveWindow(form.get());
        auto found = form->FloorHeatingsTreeView->findItems(QStringLiteral("Vexalon FH-W16"), Qt::MatchRecursive);
        EXPECT_EQ(found.size(), 1);
        if (!found.isEmpty())
            form->FloorHeatingsTreeView->setCurrentItem(found[0]);
        return form;
    }
    // Types into the edit as a user does: the text changes, the edit is not left.
    static void TypeOnly(QLineEdit* edit, const char* text)
    {
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromLatin1(text));
    }
    static std::string Status(QWidget& w) { return Cp(w.findChild<QStatusBar*>("StatusBar")->currentMessage()); }
    std::string Rule(const char* id, std::initializer_list<const char*> args)
    {
        std::string text = Languages().GetText(id);
        for (const char* a : args)
            text.replace(text.find("%s"), 2, a);
        return text;
    }

    std::unique_ptr<TDevices> devices;
    TRoomItem room;
    TProjektOptions options;
    QTemporaryDir dir;
};

} // namespace

// A value typed into the room dialog and not yet left counts for the command run
// from a tool button: the heat loss for "Optimum", the area for the maximum of
// "Felvesz"; a refused one stops the command with its message.
TEST_F(DesignRulesDialogsTest, RoomDialogTakesPendingEditsBeforeEachCommand)
{
    std::vector<FloorHeatingField> expected;
    {
        auto left = OpenRoom();
        left->HeatingPower->setText(QStringLiteral("1100"));
        emit left->HeatingPower->editingFinished();
        TriggerAction(left.get(), "OptimimFloorHeatingAction");
        expected = left->Room().fields;
    }
    ASSERT_FALSE(expected.empty());

    auto f = OpenRoom();
    TypeOnly(f->HeatingPower, "1100");
    TriggerAction(f.get(), "OptimimFloorHeatingAction");
    EXPECT_FLOAT_EQ(f->Room().heatDemand, 1100);
    ASSERT_EQ(f->Room().fields.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(f->Room().fields[i].spacing, expected[i].spacing);
        EXPECT_FLOAT_EQ(f->Room().fields[i].area, expected[i].area);
    }

    // Twenty square metres typed, the field list emptied: the area question offers them.
    while (!f->Room().fields.empty()) {
        f->FloorHeatingsList->setCurrentItem(f->FloorHeatingsList->topLevelItem(0));
        messages.Answer(MessageAnswer::Yes);
        TriggerAction(f.get(), "DeleteFloorHeatingAction");
    }
    TypeOnly(f->Area, "20");
    f->FloorHeatingsChooseList->setCurrentItem(f->FloorHeatingsChooseList->topLevelItem(0));
    QString maximum;
    OnModal(
        [&maximum](QDialog& d) {
            maximum = static_cast<TAreaForm&>(d).AreaMax->text();
            d.reject();
        },
        "AreaForm");
    TriggerAction(f.get(), "AddFloorHeatingAction");
    EXPECT_EQ(maximum, QStringLiteral("20"));
    EXPECT_FLOAT_EQ(f->Room().floorArea, 20);

    // A bad value typed stops the command and says so.
    TypeOnly(f->HeatingPower, "x");
    const std::size_t before = f->Room().fields.size();
    TriggerAction(f.get(), "AddFloorHeatingAction"); // no question is asked
    EXPECT_EQ(f->Room().fields.size(), before);
    EXPECT_EQ(Status(*f), RangeMessage(InputKind::HeatLoss, FieldName(f->HeatingPower)));
}

// The area question refuses more than the free floor with a message naming the
// maximum, shown whole, and stays open for a smaller area.
TEST_F(DesignRulesDialogsTest, AreaQuestionRefusesMoreThanTheFreeFloor)
{
    auto f = OpenRoom();
    f->FloorHeatingsChooseList->setCurrentItem(f->FloorHeatingsChooseList->topLevelItem(0));
    OnModal(
        [this](QDialog& d) {
            auto& a = static_cast<TAreaForm&>(d);
            a.HeatingArea->setText(QStringLiteral("20"));
            d.findChild<QPushButton*>("OKButton")->click();
            EXPECT_TRUE(d.isVisible());
            const std::string refusal = Rule("IDS_AREAABOVEMAXIMUM", {"20", "12"});
            EXPECT_EQ(Status(d), refusal);
            EXPECT_GE(a.width(), a.StatusBar->fontMetrics().horizontalAdvance(Q(refusal)));
            SavePicture(&d, "area-refused.png");
            a.HeatingArea->setText(QStringLiteral("12"));
            d.findChild<QPushButton*>("OKButton")->click();
            EXPECT_FALSE(d.isVisible());
        },
        "AreaForm");
    TriggerAction(f.get(), "AddFloorHeatingAction");
    ASSERT_EQ(f->Room().fields.size(), 1u);
    EXPECT_FLOAT_EQ(f->Room().fields[0].area, 12);

    // A room that loses heat cannot be closed without floor.
    f->Area->setText(QStringLiteral("0"));
    emit f->Area->editingFinished();
    f->findChild<QPushButton*>("OKButton")->click();
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(messages.LastText(), Rule("IDS_ROOMWITHOUTAREA", {}));
    f->Area->setText(QStringLiteral("10"));
    emit f->Area->editingFinished();
    f->findChild<QPushButton*>("OKButton")->click();
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(messages.LastText(), Rule("IDS_FIELDSBEYONDROOM", {"12", "10"}));
}

// The project options refuse a return not below the forward temperature; the extra
// tube length they set survives saving and reopening, and a circuit made after the
// reopening takes it.
TEST_F(DesignRulesDialogsTest, ProjectOptionsKeepTheirRulesAndTheExtraLength)
{
    auto form = CreateMainForm(Services());
    OnModal(
        [this](QDialog& d) {
            auto& o = static_cast<TProjektOptionsForm&>(d);
            o.ForwardTemperature->setText(QStringLiteral("40"));
            o.BackwardTemperature->setText(QStringLiteral("40"));
            o.LengthPlus->setText(QStringLiteral("7.5"));
            o.LengthPlusMode->setCurrentIndex(1);
            d.findChild<QPushButton*>("OKButton")->click();
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(Status(d), Rule("IDS_RETURNNOTBELOWFORWARD", {"40", "40"}));
            EXPECT_EQ(QApplication::focusWidget(), o.BackwardTemperature);
            o.BackwardTemperature->setText(QStringLiteral("34"));
            d.findChild<QPushButton*>("OKButton")->click();
            EXPECT_FALSE(d.isVisible());
        },
        "ProjektOptionsForm");
    form->show();
    QApplication::setActiveWindow(form.get());
    TriggerAction(form.get(), "ProjektOptionsAction");
    EXPECT_FLOAT_EQ(form->Project().options.extraLength, 7.5f);

    const std::string path = dir.filePath("options.klp").toStdString();
    const TProject saved = SaveAndReadBack(form.get(), path);
    EXPECT_FLOAT_EQ(saved.options.extraLength, 7.5f);
    EXPECT_EQ(saved.options.extraLengthMode, 1);

    TriggerAction(form.get(), "FileNew");
    EXPECT_FLOAT_EQ(form->Project().options.extraLength, 0);
    files.Answer(path);
    TriggerAction(form.get(), "FileOpen");
    TriggerAction(form.get(), "NewRoundItemAction");
    ASSERT_EQ(form->Project().rounds.size(), 1u);
    EXPECT_FLOAT_EQ(form->Project().rounds[0].hydraulic.extraLength, 7.5f);
    EXPECT_EQ(form->Project().rounds[0].hydraulic.extraInMetres, 1);
    EXPECT_FLOAT_EQ(form->Project().rounds[0].hydraulic.medium.return_, 34);
}
