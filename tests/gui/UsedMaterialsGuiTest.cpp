// The bill's export dialog and the item clipboard, through the real main window.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <fstream>
#include <gtest/gtest.h>

#include "GuiTest.h"
#include "app/Startup.h"
#include "app/TMainForm.h"
#include "materials/MaterialTreeView.h"
#include "materials/TUsedMaterialsExportForm.h"
#include "platform/QtClipboard.h"
#include "platform/QtText.h"

using namespace kalorina;
using namespace kalorina::gui;

namespace {

class UsedMaterialsGuiTest : public test::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        UseLanguage({{"IDS_NEWROOMITEMCAPTION", "Room"},
                     {"IDS_NEWROUNDITEMCAPTION", "Circuit"},
                     {"IDS_PROGRAMTITLE", "Kalorina"},
                     {"IDS_ROOMGROUP", "Rooms"},
                     {"IDS_ROUNDGROUP", "Circuits"},
                     {"IDS_NUMBEROFPIECES", "db"},
                     {"IDS_DEVICEDBTYPES+0", "Systems"},
                     {"IDS_DEVICEDBTYPES+1", "Tubes"},
                     {"IDS_DEVICEDBTYPES+2", "Valves"},
                     {"IDS_DEVICEDBTYPES+3", "Fittings"},
                     {"IDS_DEVICEDBTYPES+6", "Other"},
                     {"IDS_USEDMATERIALSBIFFTITLE+0", "Name"},
                     {"IDS_USEDMATERIALSBIFFTITLE+1", "Code"},
                     {"IDS_USEDMATERIALSBIFFTITLE+2", "Quantity"},
                     {"IDS_USEDMATERIALSBIFFTITLE+3", "Unit"},
                     {"IDS_BADCLIPBOARDITEM", "Damaged item"},
                     {"IDS_INVALIDFILE", "Invalid file"}});
        form = CreateMainForm(Services());
    }
    void TearDown() override
    {
        form.reset();
        GuiTest::TearDown();
    }
    // Rooms, or the circuits of the first manifold.
    static QTreeWidgetItem* Group(TMainForm& f, int i)
    {
        QTreeWidgetItem* group = f.ItemsTree->topLevelItem(i);
        return i == 1 ? group->child(0) : group;
    }
    static QStringList Names(TMainForm& f, int group)
    {
        QStringList names;
        for (int i = 0; i < Group(f, group)->childCount(); ++i)
            names << Group(f, group)->child(i)->text(0);
        return names;
    }
    static void Select(TMainForm& f, int group, int index)
    {
        f.ItemsTree->setCurrentItem(Group(f, group)->child(index));
        f.UpdateCommandStates();
    }
    // A new item, its in-place name editor closed.
    static void NewItem(TMainForm& f, QAction* action)
    {
        action->trigger();
        f.ItemsTree->closePersistentEditor(f.ItemsTree->currentItem());
        f.ItemsTree->setFocus();
    }

    std::unique_ptr<TMainForm> form;
};

TEST_F(UsedMaterialsGuiTest, ExportDialogChoosesAGroupWithShiftDoubleClickAndFillsTheClipboard)
{
    UseShippedLanguage("Magyar"); // the review picture in the program's own texts
    ASSERT_TRUE(form->Controller().OpenFile(KALORINA_SOURCE_DIR "/examples/house.klp"));
    form->Refresh();
    int tubeRows = 0;
    OnModal(
        [&](QDialog& d) {
            auto& f = static_cast<TUsedMaterialsExportForm&>(d);
            EXPECT_TRUE(f.AllButton->isChecked());
            QTreeWidget* tree = f.ItemView;
            QTreeWidgetItem* tubes = nullptr;
            for (int i = 0; i < tree->topLevelItemCount(); ++i)
                if (tree->topLevelItem(i)->text(0) == QStringLiteral("Csövek"))
                    tubes = tree->topLevelItem(i);
            ASSERT_NE(tubes, nullptr);
            EXPECT_EQ(tubes->checkState(0), Qt::Unchecked);
            for (int i = 0; i < tubes->childCount(); ++i)
                tubeRows += tubes->child(i)->childCount();
            QRect r = tree->visualItemRect(tubes);
            // Without Shift a group only opens or closes.
            QTest::mouseDClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
            EXPECT_EQ(tubes->checkState(0), Qt::Unchecked);
            EXPECT_TRUE(f.AllButton->isChecked());
            const bool expanded = tubes->isExpanded();
            QTest::mouseDClick(tree->viewport(), Qt::LeftButton, Qt::ShiftModifier, r.center());
            EXPECT_EQ(tubes->isExpanded(), expanded); // Shift held: no opening or closing
            EXPECT_EQ(tubes->checkState(0), Qt::Checked);
            EXPECT_EQ(tubes->child(0)->child(0)->checkState(0), Qt::Checked);
            EXPECT_TRUE(f.SelectedButton->isChecked());
            tree->expandAll();
            f.resize(520, 620);
            SavePicture(&f, "bom-export.png");
            f.OK->click();
        },
        "UsedMaterialsExportForm");
    TriggerAction(form.get(), "UsedMaterialsExportAction");
    ASSERT_GT(tubeRows, 0);
    for (const char* format : {"Rich Text Format", "Biff", "text/html", "text/plain"})
        EXPECT_TRUE(clipboard.HasFormat(format)) << format;
    std::string text = *clipboard.Get("text/plain");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1 + tubeRows);
    EXPECT_FALSE(form->EditPaste->isEnabled());
}

TEST_F(UsedMaterialsGuiTest, ExportDialogSavesFilesAndCancelLeavesTheClipboard)
{
    ASSERT_TRUE(form->Controller().OpenFile(KALORINA_SOURCE_DIR "/examples/flat.klp"));
    form->Refresh();
    QTemporaryDir dir;
    const std::string xls = dir.filePath("bill.xls").toStdString(), csv = dir.filePath("bill.csv").toStdString();
    files.Answer(xls);
    files.Answer(csv);
    clipboard.Put({{"Kalorina Item", "keep"}});
    OnModal(
        [&](QDialog& d) {
            auto& f = static_cast<TUsedMaterialsExportForm&>(d);
            f.SaveButton->click();
            f.SaveButton->click();
            f.Cancel->click();
        },
        "UsedMaterialsExportForm");
    TriggerAction(form.get(), "UsedMaterialsExportAction");
    std::ifstream in(xls, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x09\x00\x04\x00\x07\x00\x10\x00", 8));
    std::ifstream text(csv, std::ios::binary);
    std::string csvText((std::istreambuf_iterator<char>(text)), std::istreambuf_iterator<char>());
    EXPECT_NE(csvText.find("Vexalon FH-W16(d=100mm),VX-FH16-100,"), std::string::npos);
    EXPECT_EQ(*clipboard.Get("Kalorina Item"), "keep"); // cancelled: the clipboard is untouched
}

TEST_F(UsedMaterialsGuiTest, CopiedRoomPastesTwiceUnderUniqueNamesAndCutCircuitComesBack)
{
    EXPECT_FALSE(form->EditPaste->isEnabled());
    NewItem(*form, form->NewRoomItemAction);
    NewItem(*form, form->NewRoundItemAction);
    Select(*form, 0, 0);
    TriggerAction(form.get(), "EditCopy");
    ASSERT_TRUE(form->EditPaste->isEnabled());
    TriggerAction(form.get(), "EditPaste");
    TriggerAction(form.get(), "EditPaste");
    EXPECT_EQ(Names(*form, 0), (QStringList{"Room", "Room (2)", "Room (3)"}));
    EXPECT_EQ(form->Project().rooms[2].roomId, 3);

    Select(*form, 1, 0);
    TriggerAction(form.get(), "EditCut");
    EXPECT_TRUE(Names(*form, 1).isEmpty());
    TriggerAction(form.get(), "EditPaste");
    EXPECT_EQ(Names(*form, 1), QStringList{"Circuit"});
    EXPECT_EQ(form->SelectedItem(), Group(*form, 1)->child(0));
    EXPECT_TRUE(form->Project().modified);
}

TEST_F(UsedMaterialsGuiTest, ItemsPasteBetweenTwoWindowsAndADamagedItemIsRefused)
{
    auto second = CreateMainForm(Services());
    NewItem(*form, form->NewRoomItemAction);
    Select(*form, 0, 0);
    TriggerAction(form.get(), "EditCopy");
    second->UpdateCommandStates();
    TriggerAction(second.get(), "EditPaste");
    EXPECT_EQ(Names(*second, 0), QStringList{"Room"});

    clipboard.Put({{"Kalorina Item", std::string("\x00\x00\x01\x01\x40\x00", 6)}});
    second->UpdateCommandStates();
    TriggerAction(second.get(), "EditPaste");
    EXPECT_EQ(messages.LastText(), "Damaged item");
    EXPECT_EQ(Names(*second, 0), QStringList{"Room"});
    EXPECT_EQ(second->Project().rooms.size(), 1u);
}

TEST_F(UsedMaterialsGuiTest, SystemClipboardCarriesEachFormatUnderItsMimeType)
{
    QtClipboard system;
    system.Put({{"Kalorina Item", std::string("\x00\x00\x01", 3)}, {"text/plain", "a\tb\n"}});
    EXPECT_TRUE(system.HasFormat("Kalorina Item"));
    EXPECT_EQ(*system.Get("Kalorina Item"), std::string("\x00\x00\x01", 3));
    EXPECT_EQ(QtClipboard::MimeType("Kalorina Item"), QStringLiteral("application/x-kalorina-item"));
    EXPECT_EQ(QtClipboard::MimeType("text/html"), QStringLiteral("text/html"));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("a\tb\n"));
    system.Put({{"Rich Text Format", "{\\rtf1}"}});
    EXPECT_FALSE(system.HasFormat("Kalorina Item"));
}

} // namespace
