#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "GuiTest.h"
#include "app/ProjectFiles.h"
#include "app/Startup.h"
#include "app/TAboutBox.h"
#include "app/TLogoPictureForm.h"
#include "app/TMainForm.h"
#include "platform/QtText.h"
#include "platform/SettingsStore.h"

using namespace kalorina;
using namespace kalorina::gui;

namespace {

class MainFormTest : public test::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        UseLanguage({{"IDS_NEWROOMITEMCAPTION", "Room"},
                     {"IDS_NEWROUNDITEMCAPTION", "Circuit"},
                     {"IDS_INVALIDFILE", "Invalid file"},
                     {"IDS_VERSIONERR", "Version %d is not supported"},
                     {"IDS_WRONGVALUE", "Wrong value"},
                     {"IDS_NORMALWATER", "Water"},
                     {"IDS_PROGRAMTITLE", "Kalorina"},
                     {"IDS_ROOMGROUP", "Rooms"},
                     {"IDS_ROUNDGROUP", "Circuits"},
                     {"IDS_SAVEQUESTION", "Save?"},
                     {"IDS_DELETEROOMQUESTION", "Delete room %s?"}});
        ASSERT_TRUE(dir.isValid());
        form = CreateMainForm(Services());
    }
    void TearDown() override
    {
        form.reset();
        GuiTest::TearDown();
    }
    QTreeWidgetItem* Group(int i) { return form->ItemsTree->topLevelItem(i); }
    std::string Path(const char* name) { return dir.filePath(name).toStdString(); }
    bool TryClose()
    {
        QCloseEvent e;
        QApplication::sendEvent(form.get(), &e);
        return e.isAccepted();
    }

    QTemporaryDir dir;
    std::unique_ptr<TMainForm> form;
};

} // namespace

TEST_F(MainFormTest, FreshStartState)
{
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Kalorina - "));
    ASSERT_EQ(form->ItemsTree->topLevelItemCount(), 2);
    EXPECT_EQ(Group(0)->text(0), QStringLiteral("Rooms"));
    EXPECT_EQ(Group(1)->text(0), QStringLiteral("Circuits"));
    EXPECT_EQ(Group(0)->childCount(), 0);
    ASSERT_EQ(Group(1)->childCount(), 1); // the manifold new circuits go to
    EXPECT_EQ(Group(1)->child(0)->childCount(), 0);
    for (QLabel* l : form->totals)
        EXPECT_EQ(l->text(), QStringLiteral("0"));
    EXPECT_FALSE(form->FileSave->isEnabled());
    EXPECT_FALSE(form->PrintAction->isEnabled());
    EXPECT_FALSE(form->UsedMaterialsPrintAction->isEnabled());
    EXPECT_FALSE(form->UsedMaterialsExportAction->isEnabled());
    EXPECT_FALSE(form->DeleteItemAction->isEnabled());
    EXPECT_TRUE(form->NewRoomItemAction->isEnabled());
}

TEST_F(MainFormTest, NewRoomsAreUniqueSelectedAndInEditing)
{
    form->show();
    form->NewRoomItemAction->trigger();
    form->NewRoomItemAction->trigger();
    ASSERT_EQ(Group(0)->childCount(), 2);
    EXPECT_EQ(Group(0)->child(0)->text(0), QStringLiteral("Room"));
    EXPECT_EQ(Group(0)->child(1)->text(0), QStringLiteral("Room (2)"));
    EXPECT_EQ(form->SelectedItem(), Group(0)->child(1));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the first room's editor
    auto* editor = form->ItemsTree->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr); // the new node waits for its name
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->text(), QStringLiteral("Room (2)"));
    EXPECT_TRUE(form->PrintAction->isEnabled());
    EXPECT_TRUE(form->UsedMaterialsPrintAction->isEnabled());
    EXPECT_TRUE(form->UsedMaterialsExportAction->isEnabled());
    EXPECT_TRUE(form->FileSave->isEnabled());
    EXPECT_TRUE(form->DeleteItemAction->isEnabled());

    form->NewRoundItemAction->trigger();
    EXPECT_EQ(Group(1)->child(0)->child(0)->text(0), QStringLiteral("Circuit"));
    EXPECT_EQ(form->SelectedItem(), Group(1)->child(0)->child(0));
}

TEST_F(MainFormTest, RenameInTreeRefusesDuplicatesOfTheSameGroup)
{
    form->NewRoomItemAction->trigger();
    form->NewRoomItemAction->trigger();
    form->NewRoundItemAction->trigger();
    form->Controller().Changes().SetClean();

    Group(0)->child(1)->setText(0, QStringLiteral("Room"));
    EXPECT_EQ(Group(0)->child(1)->text(0), QStringLiteral("Room (2)"));
    EXPECT_FALSE(form->Project().modified);

    Group(0)->child(1)->setText(0, QStringLiteral("Circuit")); // a circuit's name is fine
    EXPECT_EQ(form->Project().rooms[1].roomName, "Circuit");
    EXPECT_TRUE(form->Project().modified);

    Group(0)->child(0)->setText(0, QStringLiteral("Nappali ő"));
    EXPECT_EQ(form->Project().rooms[0].roomName, "Nappali \xF5");
    EXPECT_FALSE(Group(0)->flags() & Qt::ItemIsEditable);
}

TEST_F(MainFormTest, DeleteAsksFirst)
{
    form->NewRoomItemAction->trigger();
    form->ItemsTree->setCurrentItem(Group(0)->child(0));
    messages.Answer(MessageAnswer::No);
    form->DeleteItemAction->trigger();
    EXPECT_EQ(messages.LastText(), "Delete room Room?");
    EXPECT_EQ(form->Project().rooms.size(), 1u);
    form->ItemsTree->setCurrentItem(Group(0)->child(0));
    messages.Answer(MessageAnswer::Yes);
    form->DeleteItemAction->trigger();
    EXPECT_TRUE(form->Project().rooms.empty());
    EXPECT_EQ(Group(0)->childCount(), 0);
}

TEST_F(MainFormTest, SaveQuestionAnswers)
{
    form->NewRoomItemAction->trigger();

    messages.Answer(MessageAnswer::Cancel);
    EXPECT_FALSE(TryClose());
    EXPECT_EQ(messages.LastText(), "Save?");
    EXPECT_EQ(form->Project().rooms.size(), 1u);

    // Yes on a never-saved project asks for a name; cancelling that keeps the program open.
    messages.Answer(MessageAnswer::Yes);
    files.Answer("");
    EXPECT_FALSE(TryClose());
    EXPECT_TRUE(form->Project().modified);

    messages.Answer(MessageAnswer::Yes);
    files.Answer(Path("a.klp"));
    EXPECT_TRUE(TryClose());
    EXPECT_FALSE(form->Project().modified);
    TProject back;
    ReadProjectFile(Path("a.klp"), back);
    EXPECT_EQ(back.rooms.size(), 1u);

    form->NewRoomItemAction->trigger();
    messages.Answer(MessageAnswer::No);
    form->FileNew->trigger();
    EXPECT_TRUE(form->Project().rooms.empty());
    EXPECT_FALSE(form->Project().modified);
}

TEST_F(MainFormTest, FailedSaveKeepsOldFileAndModifiedState)
{
    form->NewRoomItemAction->trigger();
    files.Answer(Path("p.klp"));
    form->FileSave->trigger();
    EXPECT_EQ(form->windowTitle(), QString::fromStdString("Kalorina - " + Path("p.klp")));
    EXPECT_FALSE(form->Project().modified);

    // A folder that does not exist: the save fails with a message and nothing changes.
    form->NewRoomItemAction->trigger();
    std::size_t shown = messages.shown.size();
    messages.Answer(MessageAnswer::Ok);
    files.Answer(Path("missing/q.klp"));
    form->FileSaveAs->trigger();
    EXPECT_EQ(messages.shown.size(), shown + 1);
    EXPECT_TRUE(form->Project().modified);
    EXPECT_EQ(form->Project().fileName, Path("missing/q.klp"));

    // The target cannot be replaced (it is a folder): the new bytes are written to a
    // temporary file first, which is removed again, and the target stays as it was.
    QDir(dir.path()).mkpath(QStringLiteral("busy.klp/inside"));
    messages.Answer(MessageAnswer::Ok);
    files.Answer(Path("busy.klp"));
    form->FileSaveAs->trigger();
    EXPECT_TRUE(form->Project().modified);
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("busy.klp/inside"))).isDir());
    auto names = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(names, QStringList{QStringLiteral("p.klp")});

    TProject back;
    ReadProjectFile(Path("p.klp"), back);
    EXPECT_EQ(back.rooms.size(), 1u); // the last good save
}

TEST_F(MainFormTest, OpeningABadFileKeepsTheOldProject)
{
    form->NewRoomItemAction->trigger();
    {
        std::ofstream bad(Path("bad.klp"), std::ios::binary);
        bad << std::string("\x11\0Kalorina_Projekt\0\0\1", 21);
    }
    form->Controller().Change("", [](TProject& p) { p.commentLines.push_back("x"); });
    messages.Answer(MessageAnswer::No); // don't save
    messages.Answer(MessageAnswer::Ok); // the failure
    files.Answer(Path("bad.klp"));
    form->FileOpen->trigger();
    EXPECT_EQ(messages.LastText(), "Invalid file");
    EXPECT_EQ(form->Project().rooms.size(), 1u);
    EXPECT_TRUE(form->Project().modified);

    // A good file replaces it, not modified, with its name in the caption.
    TProject other;
    other.AddNewRoom();
    other.AddNewRoom();
    WriteProjectFile(Path("good.klp"), other);
    messages.Answer(MessageAnswer::No);
    files.Answer(Path("good.klp"));
    form->FileOpen->trigger();
    EXPECT_EQ(form->Project().rooms.size(), 2u);
    EXPECT_FALSE(form->Project().modified);
    EXPECT_EQ(Group(0)->childCount(), 2);
    EXPECT_TRUE(form->windowTitle().endsWith(QStringLiteral("good.klp")));
}

TEST_F(MainFormTest, TotalsUseTheGeneralFormat)
{
    form->Controller().Change("rooms", [](TProject& p) {
        p.AddNewRoom();
        p.AddNewRoom();
        p.rooms[0].heatDemand = 1000.5f;
        p.rooms[1].heatDemand = 234.06f;
    });
    form->ShowTotals();
    EXPECT_EQ(form->totals[0]->text(), QStringLiteral("1.235"));
    EXPECT_EQ(form->totals[4]->text(), QStringLiteral("0"));
}

namespace {
class SplashAndAboutTest : public kalorina::test::GuiTest {};
} // namespace

TEST_F(SplashAndAboutTest, SplashWaitsOrEndsOnClickAndAboutRevealsCodes)
{
    TLogoPictureForm missing(QStringLiteral("/nonexistent.jpg"));
    EXPECT_FALSE(missing.Image1->text().isEmpty()); // no picture is not a failed start
    QElapsedTimer t;
    t.start();
    missing.splashDismissed = true;
    WaitForSplash(missing, t, 3000);
    EXPECT_LT(t.elapsed(), 1000);
    missing.splashDismissed = false;
    t.restart();
    WaitForSplash(missing, t, 300);
    EXPECT_GE(t.elapsed(), 300);

    TAboutBox box(nullptr, [] { return std::vector<std::string>{"Valve A=1234"}; });
    int w = box.ProgramIcon->width() / 3, h = box.ProgramIcon->height() / 3;
    auto press = [&](int cell) { return box.PictureClicked((cell % 3) * w + 1, (cell / 3) * h + 1); };
    for (int i = 0; i < 7; ++i)
        EXPECT_FALSE(press(TAboutBox::kAccessSequence[i]));
    EXPECT_FALSE(press((TAboutBox::kAccessSequence[7] + 1) % 9)); // wrong cell resets
    for (int i = 0; i < 7; ++i)
        press(TAboutBox::kAccessSequence[i]);
    EXPECT_TRUE(press(TAboutBox::kAccessSequence[7]));
    EXPECT_EQ(box.CodesMemo->toPlainText(), QStringLiteral("Valve A=1234"));
    EXPECT_EQ(box.ReportIdentification(),
              "\\sb180\\f4\\fs16 Kalorina Padl\xF3"
              "f\xFBt\xE9s m\xE9retez\xF5 1.02 (2005. 2. 8.) Kalorina fejleszt\xF5i csapat");
}

TEST_F(MainFormTest, ScreenshotForReview)
{
    form->NewRoomItemAction->trigger();
    form->NewRoundItemAction->trigger();
    form->ItemsTree->clearSelection();
    form->show();
    QImage shot = form->grab().toImage();
    EXPECT_FALSE(shot.isNull());
    shot.save(QStringLiteral(KALORINA_BINARY_DIR "/main-window.png"));
}

TEST_F(MainFormTest, OpensAShippedExampleWithItsTotals)
{
    files.Answer(KALORINA_SOURCE_DIR "/examples/flat.klp");
    form->FileOpen->trigger();
    EXPECT_EQ(Group(0)->childCount(), 6);
    int circuits = 0;
    for (int m = 0; m < Group(1)->childCount(); ++m)
        circuits += Group(1)->child(m)->childCount();
    EXPECT_EQ(circuits, 6);
    QStringList shown;
    for (QLabel* l : form->totals)
        shown << l->text();
    EXPECT_EQ(shown, (QStringList{"2.73", "68", "3.437", "3.437", "304.1", "0"}));
    form->SetWindowAvailable(form->PrintAction, true);
    EXPECT_TRUE(form->PrintAction->isEnabled());
    EXPECT_FALSE(form->FileSave->isEnabled());
}

TEST_F(MainFormTest, TitleShowsAccentedPathsAndFollowsASaveFailedInTheQuestion)
{
    form->NewRoomItemAction->trigger();
    // Yes to the save question, a name in a folder that does not exist: the save fails,
    // New is refused, and the caption already shows the newly chosen name.
    QString chosen = dir.filePath(QStringLiteral("hiányzó/Fűtés.klp"));
    messages.Answer(MessageAnswer::Yes);
    files.Answer(chosen.toStdString());
    messages.Answer(MessageAnswer::Ok);
    form->FileNew->trigger();
    EXPECT_EQ(form->Project().rooms.size(), 1u);
    EXPECT_TRUE(form->Project().modified);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Kalorina - ") + chosen);
    EXPECT_NE(messages.LastText().find("F\xFBt\xE9s.klp"), std::string::npos); // readable path
}

TEST_F(MainFormTest, RenamedNodeShowsTheNameAsStored)
{
    form->NewRoomItemAction->trigger();
    Group(0)->child(0)->setText(0, QStringLiteral("Szoba \u4E2D"));
    EXPECT_EQ(form->Project().rooms[0].roomName, "Szoba ?");
    EXPECT_EQ(Group(0)->child(0)->text(0), QStringLiteral("Szoba ?"));
}

TEST_F(SplashAndAboutTest, PressesOnThePicturesEdgesStayInTheGrid)
{
    TAboutBox box;
    int w = box.ProgramIcon->width(), h = box.ProgramIcon->height();
    ASSERT_NE(w % 3, 0); // a third's integer division overshoots at the right edge
    EXPECT_EQ(box.CellAt(w - 1, 0), 2);
    EXPECT_EQ(box.CellAt(w - 1, h - 1), 8);
    EXPECT_EQ(box.CellAt(0, h - 1), 6);
    EXPECT_EQ(box.CellAt(w / 3, h / 3), 4);
}

TEST_F(MainFormTest, CancelledOpenLeavesTheWindowAsItWas)
{
    form->NewRoomItemAction->trigger();
    form->ItemsTree->setCurrentItem(Group(0)->child(0));
    messages.Answer(MessageAnswer::Cancel); // the save question
    form->FileOpen->trigger();
    EXPECT_EQ(form->SelectedItem(), Group(0)->child(0));
    messages.Answer(MessageAnswer::No);
    files.Answer(""); // the open dialog
    form->FileOpen->trigger();
    EXPECT_EQ(form->SelectedItem(), Group(0)->child(0));
    EXPECT_EQ(form->Project().rooms.size(), 1u);
}

TEST_F(MainFormTest, ModifyNeedsARoomAndTheCatalogue)
{
    form->NewRoomItemAction->trigger();
    form->ItemsTree->setCurrentItem(Group(0)->child(0));
    form->UpdateCommandStates();
    EXPECT_EQ(form->ModifyItemAction->isEnabled(), !form->Controller().catalogueFailed);
    form->Controller().catalogueFailed = true; // nothing can be designed without it
    form->UpdateCommandStates();
    EXPECT_FALSE(form->ModifyItemAction->isEnabled());
}

// A catalogue cut short: the window says so above the tree and in the status bar,
// and the commands that would recalculate the stored results are off.
TEST_F(MainFormTest, DamagedCatalogueShowsWhyNothingRecalculates)
{
    const QString data = dir.filePath(QStringLiteral("data"));
    std::filesystem::copy(KALORINA_SOURCE_DIR "/data", data.toStdString(), std::filesystem::copy_options::recursive);
    const std::string fh = data.toStdString() + "/include/floorheating.xml";
    std::filesystem::resize_file(fh, std::filesystem::file_size(fh) / 3);
    form->Controller().LoadCatalogue(data.toStdString(), "en");
    ASSERT_TRUE(form->Controller().OpenFile(KALORINA_SOURCE_DIR "/examples/flat.klp"));
    form->Refresh();
    form->ItemsTree->setCurrentItem(Group(0)->child(0));
    form->UpdateCommandStates();
    auto* banner = form->findChild<QLabel*>(QStringLiteral("CalculationLockBanner"));
    auto* status = form->findChild<QLabel*>(QStringLiteral("CalculationLockStatus"));
    ASSERT_TRUE(banner && status);
    form->show();
    EXPECT_TRUE(banner->isVisible());
    EXPECT_TRUE(status->isVisible());
    EXPECT_TRUE(banner->text().contains(QStringLiteral("floorheating.xml"))) << banner->text().toStdString();
    EXPECT_FALSE(form->ModifyItemAction->isEnabled());
    EXPECT_FALSE(form->DesignAction->isEnabled());
    EXPECT_FALSE(form->ProjektOptionsAction->isEnabled());
    EXPECT_TRUE(form->RenameItemAction->isEnabled());
    form->grab().save(QStringLiteral(KALORINA_BINARY_DIR "/main-window-catalogue-damaged.png"));

    form->Controller().LoadCatalogue(KALORINA_SOURCE_DIR "/data", "en");
    form->Refresh();
    EXPECT_FALSE(banner->isVisible());
    EXPECT_FALSE(status->isVisible());
    EXPECT_TRUE(form->ProjektOptionsAction->isEnabled());
}

// A name still being typed in the tree is taken before every command and before the
// window closes; a blank or taken one is refused with a message, the command does
// not run and the editor opens again with the old name, all selected.
TEST_F(MainFormTest, PendingNameEditsAreTakenBeforeEveryCommand)
{
    form->show();
    QApplication::setActiveWindow(form.get());
    auto editor = [this]() -> QLineEdit* {
        for (QLineEdit* e : form->ItemsTree->viewport()->findChildren<QLineEdit*>())
            if (e->isVisible())
                return e;
        return nullptr;
    };
    auto type = [&](const char* text) {
        QLineEdit* e = editor();
        EXPECT_NE(e, nullptr) << "no name editor open";
        if (e)
            e->setText(QString::fromLatin1(text));
    };
    struct Step {
        const char* command;
        const char* typed;
        ItemGroup group;
        int index;
        const char* stored;
    };
    // Each new item opens its own editor: the command that follows takes the name.
    const Step steps[] = {
        {"NewRoomItemAction", "Nappali", ItemGroup::Rooms, 0, "Nappali"},
        {"NewRoundItemAction", "Konyha", ItemGroup::Rooms, 1, "Konyha"},
        {"NewRoomItemAction", "K1", ItemGroup::Rounds, 0, "K1"},
        {"FileSave", "Kamra", ItemGroup::Rooms, 2, "Kamra"},
    };
    form->NewRoomItemAction->trigger();
    files.Answer(Path("pending.klp"));
    for (const Step& s : steps) {
        SCOPED_TRACE(s.command);
        type(s.typed);
        TriggerAction(form.get(), s.command);
        const bool isRoom = s.group == ItemGroup::Rooms;
        ASSERT_LT(s.index, form->Project().ItemCount(isRoom));
        EXPECT_EQ(form->Project().ItemName(s.index, isRoom), s.stored);
    }
    // The save wrote the typed name, and the project is saved: closing asks nothing.
    TProject back;
    ReadProjectFile(Path("pending.klp"), back);
    EXPECT_EQ(back.rooms.back().roomName, "Kamra");
    EXPECT_FALSE(form->Project().modified);

    // Refused names: the command does not run, the editor comes back with the old name.
    const std::pair<const char*, const char*> refused[] = {{"", "The name must not be empty."},
                                                           {"Nappali", "There is already a room named 'Nappali'"}};
    for (const auto& [typed, message] : refused) {
        SCOPED_TRACE(typed);
        form->ItemsTree->setCurrentItem(Group(0)->child(2));
        TriggerAction(form.get(), "RenameItemAction");
        type(typed);
        const std::size_t rooms = form->Project().rooms.size();
        TriggerAction(form.get(), "NewRoomItemAction");
        EXPECT_EQ(form->Project().rooms.size(), rooms);
        EXPECT_EQ(messages.LastText().rfind(message, 0), 0u) << messages.LastText();
        EXPECT_EQ(form->Project().rooms[2].roomName, "Kamra");
        QApplication::processEvents();
        ASSERT_NE(editor(), nullptr);
        EXPECT_EQ(editor()->text(), QStringLiteral("Kamra"));
        EXPECT_EQ(editor()->selectedText(), QStringLiteral("Kamra"));
        QTest::keyClick(editor(), Qt::Key_Escape);
        QApplication::processEvents();
    }
    // Closing takes the corrected name, then asks to save it.
    form->ItemsTree->setCurrentItem(Group(0)->child(2));
    TriggerAction(form.get(), "RenameItemAction");
    type("Kamra 2");
    messages.Answer(MessageAnswer::Cancel);
    EXPECT_FALSE(TryClose());
    EXPECT_EQ(form->Project().rooms[2].roomName, "Kamra 2");
    EXPECT_EQ(messages.LastText(), "Save?");
}

// The window a user first sees shows every command of the tool bar in either
// language: none hides behind the extension arrow.
class FirstWindowTest : public test::GuiTest {};

TEST_F(FirstWindowTest, ShowsTheWholeToolBar)
{
    for (const char* language : {"Magyar", "English"}) {
        auto form = CreateMainForm(Services());
        UseShippedLanguage(language);
        form->Retranslate();
        form->RestorePlacement(); // nothing stored: the first window's size
        form->show();
        QCoreApplication::processEvents();
        auto* tools = form->findChild<QToolBar*>(QStringLiteral("ToolBar1"));
        ASSERT_NE(tools, nullptr);
        for (QAction* a : {form->DesignAction, form->PrintAction}) {
            QWidget* button = tools->widgetForAction(a);
            ASSERT_NE(button, nullptr) << language;
            EXPECT_TRUE(button->isVisible()) << language << ": " << a->text().toStdString();
        }
        if (auto* arrow = tools->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
            EXPECT_FALSE(arrow->isVisible()) << language;
        if (std::string(language) == "Magyar")
            form->grab().save(QStringLiteral(KALORINA_BINARY_DIR "/main-window-first.png"));
    }
}
