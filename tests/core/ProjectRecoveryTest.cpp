// The recovery files of unsaved work: where they live, that a file holds the work
// and the name of its project file exactly, that a program lists only the files of
// programs no longer running (never another running program's, nor a later process
// that got a dead one's id), that a file taken by one program is gone for the next,
// and that a damaged file is refused and kept aside, never deleted.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "ProjectTestSupport.h"
#include "TestLanguage.h"
#include "app/MainController.h"
#include "app/ProjectRecovery.h"
#include "platform/SettingsStore.h"
#include "util/Error.h"

using namespace kalorina;
namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void Spit(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> Names(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class ProjectRecoveryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "kalorina-recovery-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = pattern;
        folder = root / "state" / "Kalorina";
        project.AddNewRoom();
        project.rooms[0].heatDemand = 812.5f;
        project.fileName = "/home/anna/Tervek/H\xC3\xA1z \xC5\x91szi.klp"; // the system's UTF-8 name
        project.modified = true;
    }
    void TearDown() override { fs::remove_all(root); }

    // This program, and another one running now (the test's parent process).
    ProcessIdentity me = ThisProcess();
    ProcessIdentity other{static_cast<long>(getppid()), 0};
    // A process that is gone, and a later one that was given a dead one's id.
    ProcessIdentity dead{0x3FFFFF, 7};
    ProcessIdentity sameIdLater{me.pid, me.start + 1};

    test::ScopedLanguage lang{{{"IDS_DAMAGEDFILE", "Damaged file"}}};
    fs::path root, folder;
    TProject project;
};

} // namespace

TEST(RecoveryFolderTest, StateHomeElseHome)
{
    struct Case {
        const char* xdg;
        const char* home;
        std::string folder;
    };
    const Case cases[] = {
        {"/x/state", "/home/anna", "/x/state/Kalorina"},
        {nullptr, "/home/anna", "/home/anna/.local/state/Kalorina"},
        {"", "/home/anna", "/home/anna/.local/state/Kalorina"},
        // Relative values are to be ignored by the base directory rules.
        {"state", "/home/anna", "/home/anna/.local/state/Kalorina"},
        {nullptr, nullptr, ""},
        {nullptr, "", ""},
        {"/x/state", nullptr, "/x/state/Kalorina"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RecoveryFolder(c.xdg, c.home), c.folder)
            << (c.xdg ? c.xdg : "(unset)") << " / " << (c.home ? c.home : "(unset)");
}

TEST_F(ProjectRecoveryTest, WritesTheWorkAndItsFileNameAtomically)
{
    ProjectRecovery recovery(folder.string(), me);
    recovery.Write(project); // the folder is made
    ASSERT_TRUE(fs::exists(recovery.Path()));
    EXPECT_EQ(fs::path(recovery.Path()).parent_path(), folder);

    TProject back;
    EXPECT_EQ(ReadRecoveryFile(recovery.Path(), back), project.fileName);
    EXPECT_EQ(test::Bytes(back), test::Bytes(project));

    // A later write replaces the file whole and leaves no temporary file beside it.
    project.rooms[0].heatDemand = 1000;
    project.fileName.clear(); // never saved
    recovery.Write(project);
    EXPECT_EQ(Names(folder), std::vector<std::string>{fs::path(recovery.Path()).filename().string()});
    TProject again;
    EXPECT_EQ(ReadRecoveryFile(recovery.Path(), again), "");
    EXPECT_EQ(again.rooms[0].heatDemand, 1000);

    recovery.Remove();
    EXPECT_FALSE(fs::exists(recovery.Path()));
    recovery.Remove(); // nothing there: nothing happens
}

TEST_F(ProjectRecoveryTest, AFolderThatCannotBeMadeIsNamedInTheFailure)
{
    fs::create_directories(root);
    Spit(root / "state", "a file where the folder should be");
    ProjectRecovery recovery(folder.string(), me);
    try {
        recovery.Write(project);
        FAIL() << "written";
    } catch (const KalorinaError& e) {
        EXPECT_NE(std::string(e.what()).find("Kalorina"), std::string::npos) << e.what();
    }
}

// Two programs at once keep a file each and never see each other's; a program sees
// the files of dead programs only, whichever process has its id now.
TEST_F(ProjectRecoveryTest, OnlyDeadProgramsFilesAreLeftBehind)
{
    ASSERT_TRUE(IsRunning(me));
    ASSERT_FALSE(IsRunning(dead));
    ASSERT_FALSE(IsRunning(sameIdLater));
    ProcessIdentity parent = other;
    // The parent's real start, so that it counts as running.
    {
        std::ifstream stat("/proc/" + std::to_string(parent.pid) + "/stat");
        std::string line;
        std::getline(stat, line);
        std::istringstream fields(line.substr(line.rfind(')') + 1));
        std::string f;
        for (int i = 3; i < 22; ++i)
            fields >> f;
        fields >> parent.start;
    }
    ASSERT_TRUE(IsRunning(parent));

    ProjectRecovery mine(folder.string(), me), theirs(folder.string(), parent), gone(folder.string(), dead),
        reused(folder.string(), sameIdLater);
    EXPECT_NE(mine.Path(), theirs.Path());
    EXPECT_NE(mine.Path(), reused.Path());
    gone.Write(project);
    fs::last_write_time(gone.Path(), fs::file_time_type::clock::now() - std::chrono::hours(2));
    reused.Write(project);
    fs::last_write_time(reused.Path(), fs::file_time_type::clock::now() - std::chrono::hours(1));
    mine.Write(project);
    theirs.Write(project);
    // Not recovery files: a damaged one put aside, a half-written temporary file.
    Spit(folder / "recovery-1-2.klr.damaged", "x");
    Spit(folder / ".recovery-1-2.klr.Ab12Cd", "x");
    Spit(folder / "recovery-x-2.klr", "x");

    EXPECT_EQ(mine.LeftBehind(), (std::vector<std::string>{gone.Path(), reused.Path()})); // oldest first
    EXPECT_EQ(theirs.LeftBehind(), (std::vector<std::string>{gone.Path(), reused.Path()}));
}

// A file taken by one program starting now is not offered by a second one; the
// taken file is the taker's while it runs, and left behind again once it dies too.
TEST_F(ProjectRecoveryTest, AClaimedFileBelongsToOneProgram)
{
    ProjectRecovery gone(folder.string(), dead);
    gone.Write(project);
    ProjectRecovery first(folder.string(), me), second(folder.string(), sameIdLater);
    const auto taken = first.Claim(gone.Path());
    ASSERT_TRUE(taken);
    EXPECT_NE(*taken, gone.Path());
    EXPECT_FALSE(fs::exists(gone.Path()));
    EXPECT_FALSE(second.Claim(gone.Path()));
    EXPECT_TRUE(first.LeftBehind().empty());
    EXPECT_TRUE(second.LeftBehind().empty()); // the taker runs
    const ProcessIdentity diedWhileAsking{0x3FFFFE, 9};
    const auto takenByTheDead = ProjectRecovery(folder.string(), diedWhileAsking).Claim(*taken);
    ASSERT_TRUE(takenByTheDead);
    EXPECT_EQ(first.LeftBehind(), std::vector<std::string>{*takenByTheDead});
    const auto again = first.Claim(*takenByTheDead);
    ASSERT_TRUE(again);
    EXPECT_TRUE(first.LeftBehind().empty());
    const std::string claimed = *again;
    TProject back;
    EXPECT_EQ(ReadRecoveryFile(claimed, back), project.fileName);

    // Restored: the file becomes the program's own, which its next write replaces.
    first.Adopt(claimed);
    EXPECT_EQ(Names(folder), std::vector<std::string>{fs::path(first.Path()).filename().string()});
    DiscardRecoveryFile(first.Path());
    EXPECT_TRUE(Names(folder).empty());
}

TEST_F(ProjectRecoveryTest, ADamagedFileIsRefusedAndKeptAside)
{
    const std::string good = RecoveryFileBytes(project);
    const std::size_t header = good.size() - test::Bytes(project).size();
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"a project file, not a recovery file", test::Bytes(project)},
        {"another header", "Kalorina recovery 9\n" + good.substr(20)},
        {"no name length", good.substr(0, 20)},
        {"a name length beyond the file", "Kalorina recovery 1\n999999\nabc"},
        {"a name length that is no number", "Kalorina recovery 1\n1x\n" + good.substr(header)},
        {"the project cut short", good.substr(0, good.size() - 7)},
        {"the project missing", good.substr(0, header)},
    };
    fs::create_directories(folder);
    for (const Case& c : cases) {
        const fs::path path = folder / "recovery-5-6.klr";
        Spit(path, c.bytes);
        TProject p;
        EXPECT_THROW(ReadRecoveryFile(path.string(), p), KalorinaError) << c.what;
        fs::remove(path);
    }

    // Aside under a new name, contents untouched; a second damaged file of the same
    // name does not replace the first.
    const fs::path path = folder / "recovery-5-6.klr";
    Spit(path, "first");
    const std::string aside = PutRecoveryFileAside(path.string());
    EXPECT_EQ(aside, path.string() + ".damaged");
    Spit(path, "second");
    const std::string aside2 = PutRecoveryFileAside(path.string());
    EXPECT_NE(aside2, aside);
    EXPECT_EQ(Slurp(aside), "first");
    EXPECT_EQ(Slurp(aside2), "second");
    EXPECT_FALSE(fs::exists(path));
    EXPECT_TRUE(ProjectRecovery(folder.string(), me).LeftBehind().empty());
}

// Restored work is the open project under its own file's name, modified until it is
// saved: no undo leads back to an unmodified state, since none was ever saved.
TEST_F(ProjectRecoveryTest, RestoredWorkStaysModified)
{
    SetSettingsStore(std::make_unique<MemorySettingsStore>());
    struct Quiet : MessageService {
        MessageAnswer Show(MessageKind, const std::string&, const std::string&) override { return MessageAnswer::Ok; }
    } messages;
    struct NoFiles : FileDialogService {
        std::string Run(const FileDialogRequest&) override { return {}; }
    } files;
    MainController controller(messages, files);

    ProjectRecovery recovery(folder.string(), dead);
    recovery.Write(project);
    std::string fileName;
    TProject work = controller.ReadRecovered(recovery.Path(), fileName);
    EXPECT_EQ(fileName, project.fileName);
    controller.RestoreRecovered(std::move(work), fileName);
    EXPECT_TRUE(controller.Project().modified);
    EXPECT_EQ(controller.Project().fileName, project.fileName);
    EXPECT_EQ(controller.Project().rooms.at(0).heatDemand, 812.5f);
    EXPECT_FALSE(controller.Changes().CanUndo());

    controller.NewRoom();
    ASSERT_TRUE(controller.Changes().Undo());
    EXPECT_TRUE(controller.Project().modified);
}
