// Every change the main window makes goes through the history: undo brings back the
// content before it, redo the content after it, and the modified flag follows.
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>

#include "GuiTest.h"
#include "app/Startup.h"
#include "app/TMainForm.h"
#include "app/TProjektDataForm.h"
#include "check/TDesignCheckPanel.h"
#include "dialogs/TProjektOptionsForm.h"
#include "dialogs/TRoomModifyForm.h"
#include "lang/TLanguages.h"
#include "platform/QtText.h"

using namespace kalorina;
using namespace kalorina::gui;

namespace {

class HistoryGuiTest : public test::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        UseShippedLanguage("Magyar");
        form = CreateMainForm(Services());
        form->show();
        files.Answer(KALORINA_SOURCE_DIR "/examples/flat.klp");
        TriggerAction(form.get(), "FileOpen");
        ASSERT_EQ(form->Project().rooms.size(), 6u);
    }
    void TearDown() override
    {
        form.reset();
        GuiTest::TearDown();
    }
    // Circuits stand under the one manifold.
    QTreeWidgetItem* Item(int group, int index)
    {
        QTreeWidgetItem* parent = form->ItemsTree->topLevelItem(group);
        return (group == 1 ? parent->child(0) : parent)->child(index);
    }
    void Select(int group, int index) { form->ItemsTree->setCurrentItem(Item(group, index)); }

    std::unique_ptr<TMainForm> form;
};

} // namespace

TEST_F(HistoryGuiTest, EveryMainWindowChangeIsUndoneAndRedone)
{
    struct Step {
        const char* what;
        std::function<void()> act;
        const char* undoText; // the Edit menu's caption after the step
    };
    const Step steps[] = {
        {"new room", [this] { TriggerAction(form.get(), "NewRoomItemAction"); }, "Visszavonás: Új helyiség"},
        {"new circuit", [this] { TriggerAction(form.get(), "NewRoundItemAction"); }, "Visszavonás: Új fűtési kör"},
        {"rename", [this] { Item(0, 0)->setText(0, QStringLiteral("Nappali 2")); }, "Visszavonás: Nappali átnevezése"},
        {"delete circuit",
         [this] {
             Select(1, 0);
             messages.Answer(MessageAnswer::Yes);
             TriggerAction(form.get(), "DeleteItemAction");
         },
         "Visszavonás: Kör 1 törlése"},
        {"cut room",
         [this] {
             Select(0, 1);
             messages.Answer(MessageAnswer::Yes); // its circuits lose their parts
             TriggerAction(form.get(), "EditCut");
         },
         nullptr},
        {"paste room", [this] { TriggerAction(form.get(), "EditPaste"); }, "Visszavonás: Beillesztés"},
        {"project options",
         [this] {
             OnModal(
                 [](QDialog& d) {
                     static_cast<TProjektOptionsForm&>(d).HeatingInSideTemp->setText(QStringLiteral("21"));
                     d.findChild<QPushButton*>("OKButton")->click();
                 },
                 "ProjektOptionsForm");
             TriggerAction(form.get(), "ProjektOptionsAction");
         },
         "Visszavonás: Projekt beállítások módosítása"},
        {"project data",
         [this] {
             OnModal(
                 [](QDialog& d) {
                     static_cast<TProjektDataForm&>(d).Comment->setPlainText(QStringLiteral("Második változat"));
                     d.findChild<QPushButton*>("OK")->click();
                 },
                 "ProjektDataForm");
             TriggerAction(form.get(), "ProjectDataAction");
         },
         "Visszavonás: Projekt adatok módosítása"},
        {"room dialog",
         [this] {
             Select(0, 2);
             OnModal(
                 [](QDialog& d) {
                     auto& f = static_cast<TRoomModifyForm&>(d);
                     f.HeatingPower->setText(QStringLiteral("700"));
                     emit f.HeatingPower->editingFinished();
                     d.findChild<QPushButton*>("OKButton")->click();
                 },
                 "RoomModifyForm");
             TriggerAction(form.get(), "ModifyItemAction");
         },
         nullptr},
    };
    EXPECT_FALSE(form->EditUndo->isEnabled());
    EXPECT_FALSE(form->Project().modified);
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        const TProject before = form->Project();
        s.act();
        const TProject after = form->Project();
        ASSERT_FALSE(after.SameContent(before)) << "the step changed nothing";
        EXPECT_TRUE(after.modified);
        if (s.undoText)
            EXPECT_EQ(Cp(form->EditUndo->text()), Cp(QString::fromUtf8(s.undoText)));
        TriggerAction(form.get(), "EditUndo");
        EXPECT_TRUE(form->Project().SameContent(before));
        TriggerAction(form.get(), "EditRedo");
        EXPECT_TRUE(form->Project().SameContent(after));
        EXPECT_FALSE(form->EditRedo->isEnabled());
    }
    // The Edit menu names the step it would undo.
    QMenu* edit = form->findChild<QMenu*>(QStringLiteral("Edit1"));
    ASSERT_NE(edit, nullptr);
    form->UpdateCommandStates();
    edit->popup(form->mapToGlobal(QPoint(40, 40)));
    QApplication::processEvents();
    SavePicture(edit, "undo-menu.png");
    edit->hide();

    // Undoing everything brings back the opened project, unmodified.
    while (form->EditUndo->isEnabled())
        TriggerAction(form.get(), "EditUndo");
    EXPECT_FALSE(form->Project().modified);
    EXPECT_EQ(form->Project().rooms[0].roomName, "Nappali");
    TriggerAction(form.get(), "EditRedo");
    EXPECT_TRUE(form->Project().modified);
}

// The design check follows every change: a room made to lose more heat than its
// fields give is listed and shown red in the tree, with its figures; a double click
// on the problem opens the room's dialog.
TEST_F(HistoryGuiTest, DesignCheckFollowsEveryChange)
{
    auto* panel = form->findChild<TDesignCheckPanel*>(QStringLiteral("DesignCheck"));
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(AnyDesignError(panel->Problems())); // the shipped example is sound
    EXPECT_EQ(Item(0, 0)->text(1), QStringLiteral("1276 / 982 W"));
    EXPECT_NE(Item(1, 0)->text(1).indexOf(QStringLiteral(" W")), -1);
    // The presetting beside the watts says what it is, and names keep a gap to their figures.
    const QTreeWidgetItem* circuit = Item(1, 0);
    if (!form->Project().rounds[0].hydraulic.valvePosition.empty())
        EXPECT_TRUE(circuit->text(1).contains(QString::fromUtf8(", előbeállítás "))) << circuit->text(1).toStdString();
    const QTreeWidgetItem* manifold = form->ItemsTree->topLevelItem(1)->child(0);
    const int nameEnd = form->ItemsTree->visualItemRect(manifold).left()
        + form->ItemsTree->fontMetrics().horizontalAdvance(manifold->text(0));
    EXPECT_GE(form->ItemsTree->columnWidth(0) - nameEnd, form->ItemsTree->fontMetrics().averageCharWidth());

    Select(0, 1);
    OnModal(
        [](QDialog& d) {
            auto& f = static_cast<TRoomModifyForm&>(d);
            f.HeatingPower->setText(QStringLiteral("1500"));
            emit f.HeatingPower->editingFinished();
            d.findChild<QPushButton*>("OKButton")->click();
        },
        "RoomModifyForm");
    TriggerAction(form.get(), "ModifyItemAction");
    const std::string room = form->Project().rooms[1].roomName;
    bool listed = false;
    for (const DesignProblem& p : panel->Problems())
        listed = listed || (p.kind == ProblemKind::RoomShortfall && p.roomName == room);
    EXPECT_TRUE(listed);
    EXPECT_EQ(Item(0, 1)->foreground(0).color(), QColor(Qt::red));
    EXPECT_NE(Item(0, 0)->foreground(0).color(), QColor(Qt::red));
    form->resize(900, 640);
    SavePicture(form.get(), "main-tree-figures.png");

    // Undone: the problem is gone again.
    TriggerAction(form.get(), "EditUndo");
    EXPECT_FALSE(AnyDesignError(panel->Problems()));

    TriggerAction(form.get(), "EditRedo");
    QTreeWidgetItem* row = panel->List()->topLevelItem(0);
    ASSERT_NE(row, nullptr);
    OnModal([](QDialog& d) { d.reject(); }, "RoomModifyForm");
    emit panel->List()->itemDoubleClicked(row, 0);
}
