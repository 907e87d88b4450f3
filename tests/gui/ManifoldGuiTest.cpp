// Manifolds in the main window: circuits stand under the manifold that feeds them,
// new circuits go to the manifold selected, the manifold dialog refuses a bad
// spread and stays open, the clipboard carries a manifold, and the design dialog
// shows its table before anything changes, OK applying it as one undoable step.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "GuiTest.h"
#include "app/ManifoldEditor.h"
#include "app/ProjectFiles.h"
#include "app/Startup.h"
#include "app/TMainForm.h"
#include "dialogs/TDesignForm.h"
#include "dialogs/TManifoldForm.h"
#include "platform/QtText.h"

using namespace kalorina;
using namespace kalorina::gui;

namespace {

class ManifoldGuiTest : public test::GuiTest {
protected:
    void Start(const char* language = "Magyar")
    {
        form = CreateMainForm(Services());
        // The window starts in the language the settings name; switch as the user would.
        UseShippedLanguage(language);
        form->Retranslate();
        form->Refresh();
        form->show();
    }
    void TearDown() override
    {
        form.reset();
        GuiTest::TearDown();
    }
    QTreeWidgetItem* Circuits() { return form->ItemsTree->topLevelItem(1); }
    QTreeWidgetItem* Manifold(int i) { return Circuits()->child(i); }
    // The names under a tree node.
    static QStringList Names(QTreeWidgetItem* node)
    {
        QStringList names;
        for (int i = 0; i < node->childCount(); ++i)
            names << node->child(i)->text(0);
        return names;
    }
    void Select(QTreeWidgetItem* node)
    {
        form->ItemsTree->setCurrentItem(node);
        form->UpdateCommandStates();
    }
    // A new item, its in-place name editor closed.
    void New(const char* action)
    {
        TriggerAction(form.get(), action);
        form->ItemsTree->closePersistentEditor(form->ItemsTree->currentItem());
        form->ItemsTree->setFocus();
    }

    std::unique_ptr<TMainForm> form;
};

} // namespace

TEST_F(ManifoldGuiTest, CircuitsStandUnderTheirManifoldAndNewOnesGoToTheSelected)
{
    Start();
    ASSERT_EQ(Circuits()->childCount(), 1);
    EXPECT_EQ(Manifold(0)->text(0), QStringLiteral("Osztó"));
    EXPECT_FALSE(form->DesignAction->isEnabled()); // no circuit yet
    New("NewRoundItemAction");
    New("NewManifoldAction");
    ASSERT_EQ(Circuits()->childCount(), 2);
    EXPECT_EQ(form->SelectedItem(), Manifold(1));
    New("NewRoundItemAction"); // into the new manifold, selected
    New("NewRoundItemAction"); // the new circuit selected: its manifold again
    EXPECT_EQ(Names(Manifold(0)), QStringList{QStringLiteral("Kör")});
    EXPECT_EQ(Names(Manifold(1)), (QStringList{QStringLiteral("Kör (2)"), QStringLiteral("Kör (3)")}));
    Select(Manifold(0)->child(0));
    New("NewRoundItemAction");
    EXPECT_EQ(Names(Manifold(0)), (QStringList{QStringLiteral("Kör"), QStringLiteral("Kör (4)")}));
    EXPECT_EQ(form->Project().rounds[3].manifold, 0);
    EXPECT_TRUE(form->DesignAction->isEnabled());
    // The figures: how many circuits, and their output.
    EXPECT_TRUE(Manifold(1)->text(1).startsWith(QStringLiteral("2 kör")));

    // Renamed in the tree, refused when another manifold has the name.
    Manifold(1)->setText(0, QStringLiteral("Emelet"));
    EXPECT_EQ(form->Project().manifolds[1].name, "Emelet");
    Manifold(1)->setText(0, QStringLiteral("Osztó"));
    EXPECT_EQ(form->Project().manifolds[1].name, "Emelet");
    EXPECT_NE(messages.LastText().find("Osz"), std::string::npos);
    QApplication::processEvents(); // the refused name's editor opens again
    form->ItemsTree->closePersistentEditor(form->ItemsTree->currentItem());

    // A circuit moves to another manifold through the menu that lists them.
    Select(Manifold(0)->child(1));
    EXPECT_TRUE(form->MoveRoundMenu->isEnabled());
    emit form->MoveRoundMenu->aboutToShow();
    ASSERT_EQ(form->MoveRoundMenu->actions().size(), 2);
    EXPECT_FALSE(form->MoveRoundMenu->actions()[0]->isEnabled()); // where it is
    form->MoveRoundMenu->actions()[1]->trigger();
    EXPECT_EQ(Names(Manifold(1)),
              (QStringList{QStringLiteral("Kör (2)"), QStringLiteral("Kör (3)"), QStringLiteral("Kör (4)")}));
    EXPECT_EQ(form->SelectedItem(), Manifold(1)->child(2));
    TriggerAction(form.get(), "EditUndo");
    EXPECT_EQ(Names(Manifold(0)), (QStringList{QStringLiteral("Kör"), QStringLiteral("Kör (4)")}));

    // Copy and paste bring the manifold with its circuits; delete asks first.
    Select(Manifold(1));
    TriggerAction(form.get(), "EditCopy");
    TriggerAction(form.get(), "EditPaste");
    ASSERT_EQ(Circuits()->childCount(), 3);
    EXPECT_EQ(Manifold(2)->text(0), QStringLiteral("Emelet (2)"));
    EXPECT_EQ(Names(Manifold(2)), (QStringList{QStringLiteral("Kör (2) (2)"), QStringLiteral("Kör (3) (2)")}));
    EXPECT_EQ(form->SelectedItem(), Manifold(2));
    messages.Answer(MessageAnswer::Yes);
    TriggerAction(form.get(), "DeleteItemAction");
    EXPECT_EQ(Circuits()->childCount(), 2);
    EXPECT_EQ(form->Project().rounds.size(), 4u);
    TriggerAction(form.get(), "EditUndo");
    EXPECT_EQ(form->Project().rounds.size(), 6u);
    EXPECT_EQ(Circuits()->childCount(), 3);
}

// A spread out of its range is told in a message and the dialog stays open with
// what was typed; corrected, OK stores the manifold as one step.
TEST_F(ManifoldGuiTest, ManifoldDialogRefusesABadSpreadAndStaysOpen)
{
    Start("English");
    EXPECT_EQ(form->DesignAction->text(), QStringLiteral("Desi&gn..."));
    EXPECT_EQ(form->NewManifoldAction->text(), QStringLiteral("New man&ifold"));
    EXPECT_EQ(form->MoveRoundMenu->title(), QStringLiteral("Mo&ve to manifold"));
    New("NewRoundItemAction");
    Select(Manifold(0));
    bool stayedOpen = false;
    OnModal(
        [&](QDialog& d) {
            auto& f = static_cast<TManifoldForm&>(d);
            EXPECT_EQ(d.findChild<QLabel*>("DesignSpreadLabel")->text(), QStringLiteral("Design spread"));
            EXPECT_EQ(f.DesignSpreadEdit->text(), QStringLiteral("5"));
            EXPECT_EQ(f.MaxSupplyEdit->text(), QStringLiteral("55"));
            f.ManifoldNameEdit->setText(QStringLiteral("Ground floor"));
            f.LocationEdit->setText(QStringLiteral("Hall cupboard"));
            f.DesignSpreadEdit->setText(QStringLiteral("30"));
            d.findChild<QPushButton*>("OKButton")->click();
            stayedOpen = d.isVisible() && d.result() != QDialog::Accepted;
            EXPECT_EQ(f.DesignSpreadEdit->text(), QStringLiteral("30"));
            SavePicture(&d, "manifold-dialog.png");
            f.DesignSpreadEdit->setText(QStringLiteral("7"));
            f.MaxSupplyEdit->setText(QStringLiteral("45"));
            d.findChild<QPushButton*>("OKButton")->click();
        },
        "ManifoldForm");
    emit form->ItemsTree->itemDoubleClicked(Manifold(0), 0);
    EXPECT_TRUE(stayedOpen);
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown[0], "Design spread: enter a number from 1 to 20 K.");
    const TManifold& m = form->Project().manifolds[0];
    EXPECT_EQ(m.name, "Ground floor");
    EXPECT_EQ(m.location, "Hall cupboard");
    EXPECT_FLOAT_EQ(m.designSpread, 7);
    EXPECT_FLOAT_EQ(m.maxSupply, 45);
    EXPECT_EQ(Manifold(0)->text(0), QStringLiteral("Ground floor"));
    EXPECT_EQ(Manifold(0)->child(0)->text(0), QStringLiteral("Circuit"));
    EXPECT_EQ(form->EditUndo->text(), QStringLiteral("Undo: Change Osztó")); // the name it had

    // Cancel keeps the manifold as it was.
    OnModal(
        [](QDialog& d) {
            static_cast<TManifoldForm&>(d).DesignSpreadEdit->setText(QStringLiteral("3"));
            d.findChild<QPushButton*>("CancelButton")->click();
        },
        "ManifoldForm");
    TriggerAction(form.get(), "ModifyItemAction");
    EXPECT_FLOAT_EQ(form->Project().manifolds[0].designSpread, 7);
}

// The design of the example villa, a manifold per floor: the dialog shows the circuits' table before
// anything changes; Cancel leaves the project, OK applies it as one step and Undo
// restores the opened project.
TEST_F(ManifoldGuiTest, DesignDialogShowsTheTableAndOkIsOneUndoableStep)
{
    Start();
    files.Answer(KALORINA_SOURCE_DIR "/examples/villa.klp");
    TriggerAction(form.get(), "FileOpen");
    ASSERT_FALSE(form->Project().rounds.empty());
    ASSERT_EQ(form->Project().manifolds.size(), 2u);
    const TProject opened = form->Project();
    Select(Circuits()); // every manifold
    EXPECT_TRUE(form->DesignAction->isEnabled());

    OnModal(
        [&](QDialog& d) {
            auto& f = static_cast<TDesignForm&>(d);
            ASSERT_EQ(f.ManifoldTabs->count(), static_cast<int>(opened.manifolds.size()));
            QTreeWidget* table = f.CircuitsTables.at(0);
            EXPECT_EQ(table->topLevelItemCount(), static_cast<int>(opened.ManifoldRounds(0).size()));
            EXPECT_EQ(table->headerItem()->text(4), QStringLiteral("Tömegáram kg/h"));
            EXPECT_EQ(table->headerItem()->text(1), QStringLiteral("Tervezett lehűlés K"));
            EXPECT_FALSE(f.findChild<QLabel*>("SupplyTemperature")->text().isEmpty());
            EXPECT_FALSE(f.findChild<QLabel*>("DesignRoom")->text().isEmpty());
            EXPECT_FALSE(f.findChild<QLabel*>("IndexCircuit")->text().isEmpty());
            d.findChild<QPushButton*>("CancelButton")->click();
        },
        "DesignForm");
    TriggerAction(form.get(), "DesignAction");
    EXPECT_TRUE(form->Project().SameContent(opened));
    EXPECT_FALSE(form->Project().modified);

    OnModal([&](QDialog& d) { d.findChild<QPushButton*>("OKButton")->click(); }, "DesignForm");
    TriggerAction(form.get(), "DesignAction");
    EXPECT_FALSE(form->Project().SameContent(opened));
    EXPECT_TRUE(form->Project().modified);
    EXPECT_EQ(form->EditUndo->text(), QStringLiteral("Visszavonás: Tervezés"));
    form->ItemsTree->expandAll();
    form->resize(1000, 640);
    SavePicture(form.get(), "main-tree-manifolds.png");
    TriggerAction(form.get(), "EditUndo");
    EXPECT_TRUE(form->Project().SameContent(opened));
    EXPECT_FALSE(form->Project().modified);
}

// The flat with its bathroom beyond what its floor gives: the dialog names the
// heater's share in a row of its own.
TEST_F(ManifoldGuiTest, DesignDialogShowsTheSupplementaryHeatOfTheBathroom)
{
    Start();
    TProject flat;
    ReadProjectFile(KALORINA_SOURCE_DIR "/examples/flat.klp", flat);
    for (auto& room : flat.rooms)
        if (room.AllowsSupplementaryHeat())
            room.heatDemand = 480;
    const std::string path = KALORINA_BINARY_DIR "/flat-bathroom-480.klp";
    WriteProjectFile(path, flat);
    files.Answer(path);
    TriggerAction(form.get(), "FileOpen");
    Select(Circuits());
    OnModal(
        [&](QDialog& d) {
            QLabel* supplementary = d.findChild<QLabel*>("SupplementaryHeat");
            ASSERT_NE(supplementary, nullptr);
            EXPECT_TRUE(supplementary->text().endsWith(QStringLiteral(" W")));
            EXPECT_TRUE(d.findChild<QLabel*>("SupplementaryHeatLabel")->text().contains(QStringLiteral("Fürdőszoba")));
            d.resize(900, 560);
            SavePicture(&d, "design-dialog.png");
            d.findChild<QPushButton*>("CancelButton")->click();
        },
        "DesignForm");
    TriggerAction(form.get(), "DesignAction");
}

// The dialogs of manifolds and the design speak as the program's other dialogs do:
// their Cancel button reads "Elvet" in Hungarian, "Cancel" in English.
TEST_F(ManifoldGuiTest, DialogsCancelWithTheProgramsOwnWord)
{
    for (const char* language : {"Magyar", "English"}) {
        Start(language);
        const QString cancel = QString::fromUtf8(std::string(language) == "Magyar" ? "Elvet" : "Cancel");
        ManifoldEditor editor(form->Project(), 0);
        TManifoldForm manifold(editor, Services());
        EXPECT_EQ(manifold.findChild<QPushButton*>("CancelButton")->text(), cancel) << language;
        TDesignForm design(DesignOutcome{});
        EXPECT_EQ(design.findChild<QPushButton*>("CancelButton")->text(), cancel) << language;
        form.reset();
    }
}
