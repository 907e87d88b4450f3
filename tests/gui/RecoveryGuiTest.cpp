// The main window keeps unsaved work in its recovery file: written after a change
// once the interval has passed, never while a dialog is open, removed on save, on
// New, on closing without saving and when an undo reaches the saved state; and
// work left behind is offered at start (Yes restores it as modified under its own
// file's name, No deletes it, a damaged file is reported and put aside unasked).
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "GuiTest.h"
#include "app/ProjectFiles.h"
#include "app/ProjectRecovery.h"
#include "app/Startup.h"
#include "app/TMainForm.h"
#include "util/Codepage.h"

using namespace kalorina;
using namespace kalorina::gui;
namespace fs = std::filesystem;

namespace {

class RecoveryGuiTest : public test::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        UseLanguage({{"IDS_NEWROOMITEMCAPTION", "Room"},
                     {"IDS_PROGRAMTITLE", "Kalorina"},
                     {"IDS_ROOMGROUP", "Rooms"},
                     {"IDS_ROUNDGROUP", "Circuits"},
                     {"IDS_SAVEQUESTION", "Save?"},
                     {"IDS_INVALIDFILE", "Invalid file"},
                     {"IDS_RECOVERYQUESTION", "Restore?"},
                     {"IDS_RECOVERYDAMAGED", "Damaged %s (%s), aside as %s"}});
        ASSERT_TRUE(dir.isValid());
        folder = dir.filePath(QStringLiteral("state/Kalorina")).toStdString();
        form = CreateMainForm(Services());
        form->EnableRecovery(folder);
    }
    void TearDown() override
    {
        form.reset();
        GuiTest::TearDown();
    }
    std::string Own() const { return form->Recovery()->Path(); }
    bool HasOwn() const { return fs::exists(Own()); }
    std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }
    bool TryClose()
    {
        QCloseEvent e;
        QApplication::sendEvent(form.get(), &e);
        return e.isAccepted();
    }
    // Work a killed program left behind: a project with `rooms` rooms belonging to `fileName`.
    std::string LeaveBehind(int rooms, const std::string& fileName, long pid = 0x3FFFFE)
    {
        TProject p;
        for (int i = 0; i < rooms; ++i)
            p.AddNewRoom();
        p.fileName = fileName;
        ProjectRecovery dead(folder, ProcessIdentity{pid, 1});
        dead.Write(p);
        return dead.Path();
    }
    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    QTemporaryDir dir;
    std::string folder;
    std::unique_ptr<TMainForm> form;
};

} // namespace

TEST_F(RecoveryGuiTest, AChangeIsWrittenAfterTheIntervalAndNotWhileADialogIsOpen)
{
    form->NewRoomItemAction->trigger();
    EXPECT_FALSE(HasOwn()); // not at once
    bool writtenWhileOpen = true;
    OnModal([&](QDialog& d) {
        QTest::qWait(2600); // past the interval, the dialog still open
        writtenWhileOpen = HasOwn();
        d.reject();
    });
    QDialog dialog(form.get());
    dialog.exec();
    EXPECT_FALSE(writtenWhileOpen);
    ASSERT_TRUE(QTest::qWaitFor([&] { return HasOwn(); }, 4000));
    TProject back;
    EXPECT_EQ(ReadRecoveryFile(Own(), back), "");
    EXPECT_EQ(back.rooms.size(), 1u);

    // Saved: nothing is left to recover.
    files.Answer(Path("p.klp"));
    form->FileSave->trigger();
    EXPECT_FALSE(form->Project().modified);
    EXPECT_FALSE(HasOwn());

    // Changed and undone to the saved state: the next write removes the file instead.
    form->NewRoomItemAction->trigger();
    form->UpdateRecovery();
    ASSERT_TRUE(HasOwn());
    TProject again;
    EXPECT_EQ(ReadRecoveryFile(Own(), again), Path("p.klp"));
    form->EditUndo->trigger();
    EXPECT_FALSE(form->Project().modified);
    form->UpdateRecovery();
    EXPECT_FALSE(HasOwn());
}

TEST_F(RecoveryGuiTest, NewAndClosingWithoutSavingRemoveTheFile)
{
    form->NewRoomItemAction->trigger();
    form->UpdateRecovery();
    ASSERT_TRUE(HasOwn());
    messages.Answer(MessageAnswer::Cancel);
    form->FileNew->trigger();
    EXPECT_TRUE(HasOwn()); // still the open project's work
    messages.Answer(MessageAnswer::No);
    form->FileNew->trigger();
    EXPECT_FALSE(HasOwn());

    form->NewRoomItemAction->trigger();
    form->UpdateRecovery();
    ASSERT_TRUE(HasOwn());
    messages.Answer(MessageAnswer::Cancel);
    EXPECT_FALSE(TryClose());
    EXPECT_TRUE(HasOwn());
    messages.Answer(MessageAnswer::No);
    EXPECT_TRUE(TryClose());
    EXPECT_FALSE(HasOwn());
}

TEST_F(RecoveryGuiTest, YesRestoresTheWorkAsModifiedUnderItsFileName)
{
    const std::string name = Path("H\xC3\xA1z.klp");
    LeaveBehind(2, name);
    messages.Answer(MessageAnswer::Yes);
    form->OfferRecoveredWork();
    EXPECT_EQ(messages.LastText(), "Restore?\n\n" + Utf8ToCp1250(name)); // code page 1250, as every text
    EXPECT_EQ(form->Project().rooms.size(), 2u);
    EXPECT_TRUE(form->Project().modified);
    EXPECT_EQ(form->Project().fileName, name);
    EXPECT_TRUE(form->windowTitle().endsWith(QString::fromUtf8(name.c_str())));
    EXPECT_TRUE(form->FileSave->isEnabled());
    // The file is this program's own now, holding the restored work.
    EXPECT_EQ(Files(), std::vector<std::string>{fs::path(Own()).filename().string()});

    // Save writes to the project's own file, and the recovery file goes.
    form->FileSave->trigger();
    TProject saved;
    ReadProjectFile(name, saved);
    EXPECT_EQ(saved.rooms.size(), 2u);
    EXPECT_TRUE(Files().empty());
}

TEST_F(RecoveryGuiTest, NoDeletesADamagedFileIsKeptAsideAndRunningProgramsAreLeftAlone)
{
    const std::string damaged = LeaveBehind(1, "", 0x3FFFFD);
    {
        std::ofstream out(damaged, std::ios::binary | std::ios::trunc);
        out << "Kalorina recovery 1\n0\n\ncut short";
    }
    fs::last_write_time(damaged, fs::file_time_type::clock::now() - std::chrono::hours(1));
    LeaveBehind(3, Path("a.klp"), 0x3FFFFC);
    // A program running now (this process stands for it): its file is never offered.
    TProject other;
    other.AddNewRoom();
    ProjectRecovery(folder, ThisProcess()).Write(other);

    messages.Answer(MessageAnswer::Ok); // the damaged file reported
    messages.Answer(MessageAnswer::No); // the one good file left behind
    form->OfferRecoveredWork();
    ASSERT_EQ(messages.shown.size(), 2u);
    // The damaged one: reported, naming it and where it went, without a question.
    EXPECT_EQ(messages.kinds[0], MessageKind::Warning);
    EXPECT_NE(messages.shown[0].find(fs::path(damaged).filename().string()), std::string::npos) << messages.shown[0];
    EXPECT_NE(messages.shown[0].find(".damaged"), std::string::npos) << messages.shown[0];
    EXPECT_EQ(messages.kinds[1], MessageKind::QuestionYesNo);
    EXPECT_TRUE(form->Project().rooms.empty());
    EXPECT_FALSE(form->Project().modified);
    // Left: the damaged file aside and this process's own file, which counts as a
    // running program's.
    const auto left = Files();
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(std::count(left.begin(), left.end(), fs::path(Own()).filename().string()), 1);
    EXPECT_EQ(std::count(left.begin(), left.end(), fs::path(damaged).filename().string() + ".damaged"), 1);
}
