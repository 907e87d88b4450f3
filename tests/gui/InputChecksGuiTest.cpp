// What the dialogs take from the user: numbers out of any real building's range are
// refused with the field's name and the range, and nothing typed is lost; OK on a
// dialog where nothing was edited leaves the project as it was, with no undo step
// and nothing to save; a refused name in the tree is no trap; and the edits are wide
// enough for the values they hold.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>

#include "GuiTest.h"
#include "app/Startup.h"
#include "app/TMainForm.h"
#include "dialogs/TFieldAreaModifyForm.h"
#include "dialogs/TManifoldForm.h"
#include "dialogs/TRoomModifyForm.h"
#include "dialogs/TRoundModifyForm.h"
#include "lang/TLanguages.h"
#include "listview/TListViewWithHeader.h"
#include "platform/QtText.h"

using namespace kalorina;
using namespace kalorina::gui;

namespace {

class InputChecksGuiTest : public test::GuiTest {
protected:
    void Open(const char* language = "Magyar")
    {
        form = CreateMainForm(Services());
        UseShippedLanguage(language);
        form->Retranslate();
        form->Refresh();
        form->show();
        QApplication::setActiveWindow(form.get());
        files.Answer(KALORINA_SOURCE_DIR "/examples/flat.klp");
        TriggerAction(form.get(), "FileOpen");
        ASSERT_EQ(form->Project().rooms.size(), 6u);
    }
    void TearDown() override
    {
        form.reset();
        GuiTest::TearDown();
    }
    QTreeWidgetItem* Item(int group, int index)
    {
        QTreeWidgetItem* parent = form->ItemsTree->topLevelItem(group);
        return (group == 1 ? parent->child(0) : parent)->child(index);
    }
    void Select(QTreeWidgetItem* node)
    {
        form->ItemsTree->setCurrentItem(node);
        form->UpdateCommandStates();
    }
    QLineEdit* TreeEditor()
    {
        // The open one; an editor closed a moment ago waits hidden for its deletion.
        for (QLineEdit* e : form->ItemsTree->viewport()->findChildren<QLineEdit*>())
            if (!e->isHidden())
                return e;
        return nullptr;
    }
    // The refused name's editor opens once the closing one has gone.
    static void Settle()
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }
    static void ClickOk(QDialog& d, const char* name = "OKButton")
    {
        QPushButton* ok = d.findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(ok, nullptr) << name;
        ok->click();
    }

    std::unique_ptr<TMainForm> form;
};

// The whole text of `edit` is in sight: with the cursor at its end, its start has
// not scrolled out on the left.
bool ShowsWhole(QLineEdit* edit)
{
    edit->setCursorPosition(static_cast<int>(edit->text().size()));
    const int end = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
    return end - edit->fontMetrics().horizontalAdvance(edit->text()) >= 0 && end < edit->width();
}

} // namespace

// The absurd heat loss of the report is refused in the room dialog, naming the
// field and its range in the language shown; the typed text stays for correction,
// the dialog stays open, and the room keeps its heat loss.
TEST_F(InputChecksGuiTest, NumbersOutOfRangeAreRefusedWithTheFieldAndTheRange)
{
    for (const char* language : {"Magyar", "English"}) {
        SCOPED_TRACE(language);
        Open(language);
        const float before = form->Project().rooms[0].heatDemand;
        Select(Item(0, 0));
        std::string status;
        bool stayedOpen = false;
        OnModal(
            [&](QDialog& d) {
                auto& f = static_cast<TRoomModifyForm&>(d);
                f.HeatingPower->setText(QStringLiteral("99999999999999"));
                ClickOk(d);
                stayedOpen = d.isVisible();
                status = Cp(f.StatusBar->currentMessage());
                EXPECT_EQ(f.HeatingPower->text(), QStringLiteral("99999999999999"));
                EXPECT_TRUE(f.HeatingPower->hasFocus());
                if (std::string(language) == "English") {
                    d.resize(980, 700);
                    SavePicture(&d, "input-range.png");
                }
                d.reject();
            },
            "RoomModifyForm");
        TriggerAction(form.get(), "ModifyItemAction");
        EXPECT_TRUE(stayedOpen);
        const std::string field = std::string(language) == "English" ? "Heat loss" : "H\xF5vesztes\xE9g";
        EXPECT_EQ(status.rfind(field + ":", 0), 0u) << status;
        EXPECT_NE(status.find("1000000 W"), std::string::npos) << status;
        EXPECT_NE(status, Languages().GetText("IDS_WRONGVALUE"));
        EXPECT_EQ(form->Project().rooms[0].heatDemand, before);
        EXPECT_FALSE(form->Project().modified);
        form.reset();
    }
}

// Text that is no number at all is named just as well, in every dialog that takes
// numbers: here the circuit's forward temperature and the manifold's spread.
TEST_F(InputChecksGuiTest, TextThatIsNoNumberNamesItsField)
{
    Open("English");
    Select(Item(1, 0));
    std::string status;
    OnModal(
        [&](QDialog& d) {
            auto& f = static_cast<TRoundModifyForm&>(d);
            f.ForwardTemperature->setText(QStringLiteral("warm"));
            ClickOk(d);
            status = Cp(f.StatusBar->currentMessage());
            EXPECT_EQ(f.ForwardTemperature->text(), QStringLiteral("warm"));
            d.reject();
        },
        "RoundModifyForm");
    TriggerAction(form.get(), "ModifyItemAction");
    EXPECT_NE(status.find("100 \xB0"
                          "C"),
              std::string::npos)
        << status;
    EXPECT_NE(status.find(":"), std::string::npos) << status;
    EXPECT_GT(status.find(":"), 3u) << "the field is named: " << status;

    Select(form->ItemsTree->topLevelItem(1)->child(0));
    OnModal(
        [&](QDialog& d) {
            auto& f = static_cast<TManifoldForm&>(d);
            f.DesignSpreadEdit->setText(QStringLiteral("500"));
            ClickOk(d);
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(f.DesignSpreadEdit->text(), QStringLiteral("500"));
            d.reject();
        },
        "ManifoldForm");
    TriggerAction(form.get(), "ModifyItemAction");
    EXPECT_NE(messages.LastText().find("20 K"), std::string::npos) << messages.LastText();
    EXPECT_NE(messages.LastText().rfind(":"), std::string::npos);
    EXPECT_FALSE(form->Project().modified);
}

// OK where nothing was edited records nothing, in every dialog of the project and
// in the dialogs opened from them; a room function in small letters stays so, also
// after the function box was left.
TEST_F(InputChecksGuiTest, OkWithoutAnEditChangesNothing)
{
    Open();
    // A room whose function the user wrote in small letters, saved as such.
    Select(Item(0, 0));
    OnModal(
        [](QDialog& d) {
            static_cast<TRoomModifyForm&>(d).Function->setEditText(QStringLiteral("nappali"));
            ClickOk(d);
        },
        "RoomModifyForm");
    TriggerAction(form.get(), "ModifyItemAction");
    ASSERT_EQ(form->Project().rooms[0].roomFunction, "nappali");
    // Values with more digits than the dialogs show.
    form->Controller().Change("digits", [](TProject& p) {
        p.rooms[0].heatDemand = 1234.567f;
        p.rooms[0].floorArea += 0.01234f;
        p.manifolds[0].designSpread = 5.4321f;
        p.options.availablePressure = 12345.678f;
    });
    form->Controller().Changes().Clear();
    form->UpdateCommandStates();

    struct Case {
        const char* what;
        std::function<void()> select;
        const char* action;
        std::function<void(QDialog&)> run;
        const char* dialog;
    };
    auto manifold = [this] { Select(form->ItemsTree->topLevelItem(1)->child(0)); };
    const Case cases[] = {
        {"room", [this] { Select(Item(0, 0)); }, "ModifyItemAction",
         [](QDialog& d) {
             auto& f = static_cast<TRoomModifyForm&>(d);
             // Into the function box and out again, as a user tabbing through.
             f.Function->lineEdit()->setFocus();
             f.Area->setFocus();
             QApplication::processEvents();
             EXPECT_EQ(f.Function->currentText(), QStringLiteral("nappali"));
             ClickOk(d);
         },
         "RoomModifyForm"},
        {"field of a room", [this] { Select(Item(0, 0)); }, "ModifyItemAction",
         [this](QDialog& d) {
             auto& f = static_cast<TRoomModifyForm&>(d);
             ASSERT_GT(f.FloorHeatingsList->topLevelItemCount(), 0);
             f.FloorHeatingsList->setCurrentItem(f.FloorHeatingsList->topLevelItem(0));
             OnModal([](QDialog& field) { ClickOk(field); }, "FloorHeatingModifyForm");
             f.ModifyFloorHeatingAction->trigger();
             ClickOk(d);
         },
         "RoomModifyForm"},
        {"circuit", [this] { Select(Item(1, 0)); }, "ModifyItemAction", [](QDialog& d) { ClickOk(d); },
         "RoundModifyForm"},
        {"part of a circuit", [this] { Select(Item(1, 0)); }, "ModifyItemAction",
         [this](QDialog& d) {
             auto& f = static_cast<TRoundModifyForm&>(d);
             ASSERT_GT(f.RoundFieldsList->topLevelItemCount(), 0);
             f.RoundFieldsList->setCurrentItem(f.RoundFieldsList->topLevelItem(0));
             OnModal([](QDialog& part) { ClickOk(part); }, "FieldAreaModifyForm");
             f.ModifyFieldAction->trigger();
             ClickOk(d);
         },
         "RoundModifyForm"},
        {"manifold", manifold, "ModifyItemAction", [](QDialog& d) { ClickOk(d); }, "ManifoldForm"},
        {"project options", [] {}, "ProjektOptionsAction", [](QDialog& d) { ClickOk(d); }, "ProjektOptionsForm"},
        {"project data", [] {}, "ProjectDataAction", [](QDialog& d) { ClickOk(d, "OK"); }, "ProjektDataForm"},
    };
    const TProject opened = form->Project();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.select();
        OnModal(c.run, c.dialog);
        TriggerAction(form.get(), c.action);
        EXPECT_TRUE(form->Project().SameContent(opened));
        EXPECT_EQ(form->Project().rooms[0].roomFunction, "nappali");
        EXPECT_FALSE(form->Project().modified);
        EXPECT_FALSE(form->EditUndo->isEnabled());
        EXPECT_FALSE(form->FileSave->isEnabled());
    }
    // Closing asks nothing: there is nothing to save.
    EXPECT_TRUE(form->close());
}

// A new project's options come from the catalogue with all their digits: OK on them
// as shown changes none.
TEST_F(InputChecksGuiTest, OkOnTheOptionsOfANewProjectChangesNothing)
{
    form = CreateMainForm(Services());
    UseShippedLanguage("Magyar");
    form->show();
    OnModal([](QDialog& d) { ClickOk(d); }, "ProjektOptionsForm");
    TriggerAction(form.get(), "ProjektOptionsAction");
    EXPECT_FALSE(form->Project().modified);
    EXPECT_FALSE(form->EditUndo->isEnabled());
}

// A name cleared in the tree is refused; the editor opens again with the old name
// selected, and the next command runs at once, leaving that name as it was.
TEST_F(InputChecksGuiTest, AnEmptyNameIsNoTrap)
{
    Open("English");
    Select(Item(0, 2));
    const std::string name = form->Project().rooms[2].roomName;
    TriggerAction(form.get(), "RenameItemAction");
    ASSERT_NE(TreeEditor(), nullptr);
    TreeEditor()->clear();
    QTest::keyClick(TreeEditor(), Qt::Key_Return);
    Settle();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(form->Project().rooms[2].roomName, name);
    ASSERT_NE(TreeEditor(), nullptr) << "the editor opens again";
    EXPECT_EQ(Cp(TreeEditor()->text()), name);
    EXPECT_EQ(Cp(TreeEditor()->selectedText()), name);

    // Any command now runs without the warning coming back.
    const std::size_t rooms = form->Project().rooms.size();
    TriggerAction(form.get(), "NewRoomItemAction");
    EXPECT_EQ(form->Project().rooms.size(), rooms + 1);
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(form->Project().rooms[2].roomName, name);

    // Escape after a refusal leaves the name too.
    if (QLineEdit* open = TreeEditor()) // the new room's name editor
        QTest::keyClick(open, Qt::Key_Escape);
    Settle();
    Select(Item(0, 2));
    TriggerAction(form.get(), "RenameItemAction");
    ASSERT_NE(TreeEditor(), nullptr);
    TreeEditor()->setText(QStringLiteral("   "));
    QTest::keyClick(TreeEditor(), Qt::Key_Return);
    Settle();
    EXPECT_EQ(messages.shown.size(), 2u);
    ASSERT_NE(TreeEditor(), nullptr);
    QTest::keyClick(TreeEditor(), Qt::Key_Escape);
    Settle();
    EXPECT_EQ(Item(0, 2)->text(0), Q(name));
    TriggerAction(form.get(), "EditCopy");
    EXPECT_EQ(messages.shown.size(), 2u);
}

// The edits show their values whole: the manifold's name and place in English, the
// built-in area of a circuit's part, and the room dialog's numbers.
TEST_F(InputChecksGuiTest, EditsAreWideEnoughForTheirValues)
{
    Open("English");
    Select(form->ItemsTree->topLevelItem(1)->child(0));
    OnModal(
        [](QDialog& d) {
            auto& f = static_cast<TManifoldForm&>(d);
            QApplication::processEvents();
            EXPECT_TRUE(ShowsWhole(f.ManifoldNameEdit)) << f.ManifoldNameEdit->width();
            f.LocationEdit->setText(QStringLiteral("Boiler room, ground floor"));
            EXPECT_TRUE(ShowsWhole(f.LocationEdit)) << f.LocationEdit->width();
            SavePicture(&d, "manifold-dialog-english.png");
            d.reject();
        },
        "ManifoldForm");
    TriggerAction(form.get(), "ModifyItemAction");

    Select(Item(1, 0));
    OnModal(
        [this](QDialog& d) {
            auto& f = static_cast<TRoundModifyForm&>(d);
            ASSERT_GT(f.RoundFieldsList->topLevelItemCount(), 0);
            f.RoundFieldsList->setCurrentItem(f.RoundFieldsList->topLevelItem(0));
            OnModal(
                [](QDialog& part) {
                    auto& a = static_cast<TFieldAreaModifyForm&>(part);
                    QApplication::processEvents();
                    a.Area->setText(QStringLiteral("18.7"));
                    EXPECT_TRUE(ShowsWhole(a.Area)) << a.Area->width();
                    a.Area->setText(QStringLiteral("1234.56"));
                    EXPECT_TRUE(ShowsWhole(a.Area)) << a.Area->width();
                    SavePicture(&part, "built-in-area.png");
                    part.reject();
                },
                "FieldAreaModifyForm");
            f.ModifyFieldAction->trigger();
            d.reject();
        },
        "RoundModifyForm");
    TriggerAction(form.get(), "ModifyItemAction");

    Select(Item(0, 0));
    OnModal(
        [](QDialog& d) {
            auto& f = static_cast<TRoomModifyForm&>(d);
            QApplication::processEvents();
            const std::pair<QLineEdit*, const char*> values[] = {
                {f.Area, "1234.56"}, {f.HeatingPower, "123456.7"}, {f.HeatingInSideTemp, "-12.5"}};
            for (const auto& [edit, text] : values) {
                edit->setText(QString::fromLatin1(text));
                EXPECT_TRUE(ShowsWhole(edit)) << edit->objectName().toStdString();
            }
            d.reject();
        },
        "RoomModifyForm");
    TriggerAction(form.get(), "ModifyItemAction");
}
