// The project's history: every change of the main window through one door, undone
// to the very bytes that were opened and redone to the state before the undos.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "ProjectTestSupport.h"
#include "TestLanguage.h"
#include "app/EditItem.h"
#include "app/MainController.h"
#include "app/ProjectFiles.h"
#include "platform/Clipboard.h"
#include "platform/SettingsStore.h"

using namespace kalorina;

namespace {

struct YesToEverything : MessageService {
    MessageAnswer Show(MessageKind, const std::string&, const std::string&) override { return MessageAnswer::Yes; }
};
struct OneFile : FileDialogService {
    std::string path;
    std::string Run(const FileDialogRequest&) override { return path; }
};

class HistoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetSettingsStore(std::make_unique<MemorySettingsStore>());
        controller.LoadCatalogue(KALORINA_SOURCE_DIR "/data", "en");
        ASSERT_FALSE(controller.catalogueFailed);
    }
    const TProject& P() { return controller.Project(); }
    std::string Bytes() { return test::Bytes(P()); }
    std::string AnyName(std::mt19937& rng, bool isRoom)
    {
        const int n = P().ItemCount(isRoom);
        return n == 0 ? std::string() : P().ItemName(static_cast<int>(rng() % n), isRoom);
    }

    // One of the main window's changes, chosen by `rng`, through the door it uses.
    void RandomChange(std::mt19937& rng)
    {
        const bool isRoom = rng() % 2 == 0;
        const ItemGroup group = isRoom ? ItemGroup::Rooms : ItemGroup::Rounds;
        const std::string name = AnyName(rng, isRoom);
        switch (rng() % 9) {
        case 0:
            isRoom ? controller.NewRoom() : controller.NewRound();
            break;
        case 1:
            if (!name.empty())
                controller.RenameItem(group, name, name + " " + std::to_string(rng() % 100));
            break;
        case 2:
            if (!name.empty())
                controller.DeleteItem(group, name);
            break;
        case 3:
            if (!name.empty() && controller.CutItem(clipboard, group, name))
                controller.PasteItem(clipboard);
            break;
        case 4:
            if (!name.empty() && controller.CopyItem(clipboard, group, name))
                controller.PasteItem(clipboard);
            break;
        case 5: { // the room or circuit dialog's OK with a changed value
            ItemDialogs dialogs;
            const float step = static_cast<float>(rng() % 50) * 10;
            dialogs.room = [step](TRoomItem& room) {
                room.heatDemand += step;
                return true;
            };
            dialogs.round = [step](CircuitEdit& edit) {
                edit.round.hydraulic.availablePressure += step;
                return true;
            };
            if (!name.empty())
                controller.EditItem(group, name, dialogs);
            break;
        }
        case 6: // the project options dialog
            controller.Change("options", [&](TProject& p) { p.options.roomTemperature += 1; });
            break;
        case 7: // the project data dialog
            controller.Change("data", [&](TProject& p) { p.commentLines.push_back(std::to_string(rng())); });
            break;
        default: // a dialog closed with OK that changed nothing
            controller.Change("nothing", [](TProject&) {});
            break;
        }
    }

    test::ScopedLanguage lang;
    YesToEverything messages;
    OneFile files;
    MainController controller{messages, files};
    MemoryClipboard clipboard;
};

} // namespace

// Random sequences of changes: undoing all of them gives the file that was opened,
// byte for byte, and an unmodified project; redoing all gives the state before the
// undos.  Every step is named, and the modified flag follows the history.
TEST_F(HistoryTest, RandomSequencesUndoToTheOpenedBytesAndRedoToTheLastState)
{
    for (const char* example : {"flat.klp", "house.klp"})
        for (unsigned seed = 1; seed <= 6; ++seed) {
            SCOPED_TRACE(std::string(example) + " seed " + std::to_string(seed));
            ASSERT_TRUE(controller.OpenFile(std::string(KALORINA_SOURCE_DIR "/examples/") + example));
            const std::string opened = Bytes();
            EXPECT_FALSE(controller.Changes().CanUndo());
            std::mt19937 rng(seed);
            for (int i = 0; i < 25; ++i) {
                RandomChange(rng);
                EXPECT_EQ(P().modified, !controller.Changes().IsClean());
            }
            const std::string last = Bytes();
            const std::size_t steps = controller.Changes().Size();
            ASSERT_GT(steps, 5u);
            for (std::size_t i = 0; i < steps; ++i) {
                EXPECT_FALSE(controller.Changes().UndoName().empty());
                ASSERT_TRUE(controller.Changes().Undo());
            }
            EXPECT_FALSE(controller.Changes().CanUndo());
            EXPECT_EQ(Bytes(), opened);
            EXPECT_FALSE(P().modified);
            while (controller.Changes().Redo()) {
            }
            EXPECT_EQ(Bytes(), last);
            EXPECT_TRUE(P().modified);
        }
}

// The flag after saving, the names of the steps, a step that changes nothing, a new
// change after undos, and the limit.
TEST_F(HistoryTest, CleanPointNamesAndLimit)
{
    controller.NewProject();
    History& h = controller.Changes();
    EXPECT_FALSE(P().modified);
    // One notice per change, undo and redo, saying what it touched.
    std::vector<ChangeKinds> notices;
    h.changed = [&](const ChangeKinds& k) { notices.push_back(k); };
    const std::string room = controller.NewRoom();
    controller.Change("options", [](TProject& p) { p.options.downK = 1; });
    h.Undo();
    ASSERT_EQ(notices.size(), 3u);
    // A new room takes the next identifier, which is project data.
    EXPECT_TRUE(notices[0].rooms && notices[0].data && !notices[0].rounds && !notices[0].options);
    EXPECT_TRUE(notices[1].options && !notices[1].rooms);
    EXPECT_TRUE(notices[2].options);
    EXPECT_TRUE(P().modified);
    EXPECT_EQ(h.UndoName(), "New room");
    ASSERT_TRUE(controller.RenameItem(ItemGroup::Rooms, room, "Nappali"));
    EXPECT_EQ(h.UndoName(), "Rename " + room);

    // Saved here: modified again after an undo, clean again after the redo.
    const auto path = std::filesystem::temp_directory_path() / "kalorina-history.klp";
    files.path = path.string();
    ASSERT_TRUE(controller.SaveProject(false));
    EXPECT_FALSE(P().modified);
    h.Undo();
    EXPECT_TRUE(P().modified);
    EXPECT_EQ(P().rooms[0].roomName, room);
    EXPECT_EQ(h.RedoName(), "Rename " + room);
    h.Redo();
    EXPECT_FALSE(P().modified);
    std::filesystem::remove(path);

    // An OK that changes nothing is no step and leaves the flag alone.
    EXPECT_FALSE(controller.Change("nothing", [](TProject&) {}));
    EXPECT_EQ(h.UndoName(), "Rename " + room);
    EXPECT_FALSE(P().modified);

    // A change after an undo drops what could have been redone; the saved state is
    // then out of reach, so no undo or redo makes the project clean.
    h.Undo();
    controller.NewRound();
    EXPECT_FALSE(h.CanRedo());
    h.Undo();
    EXPECT_TRUE(P().modified);

    // New and Open start a new history.
    controller.NewProject();
    EXPECT_FALSE(h.CanUndo());
    EXPECT_FALSE(P().modified);

    // At most the limit is kept, and at least a hundred steps.
    for (int i = 0; i < 250; ++i)
        controller.NewRoom();
    EXPECT_GE(h.Size(), 100u);
    EXPECT_LE(h.Size(), History::kDefaultLimit);
    while (h.Undo()) {
    }
    EXPECT_EQ(P().rooms.size(), 250 - History::kDefaultLimit);
    EXPECT_TRUE(P().modified);
}

// A step keeps what it did, not the words of the language it was done in: after a
// switch of language the Edit menu names it in the new one.
TEST(HistoryLabels, StepsAreNamedInTheLanguageShownNow)
{
    test::ScopedLanguage lang({{"IDS_STEPNEWROOM", "Új helyiség"}, {"IDS_STEPRENAME", "%s átnevezése"}});
    Languages().AddLanguage(
        test::MakeLanguage("English", {{"IDS_STEPNEWROOM", "New room"}, {"IDS_STEPRENAME", "Rename %s"}}));
    TProject project;
    History h(project);
    ASSERT_TRUE(h.Change(StepLabel::Of("IDS_STEPNEWROOM"), [](TProject& p) { p.AddNewRoom(); }));
    ASSERT_TRUE(
        h.Change(StepLabel::Of("IDS_STEPRENAME", {"Room 1"}), [](TProject& p) { p.rooms[0].roomName = "Nappali"; }));
    EXPECT_EQ(h.UndoName(), "Room 1 átnevezése");
    Languages().SelectLanguage("English");
    EXPECT_EQ(h.UndoName(), "Rename Room 1");
    h.Undo();
    EXPECT_EQ(h.RedoName(), "Rename Room 1");
    EXPECT_EQ(h.UndoName(), "New room");
    Languages().SelectLanguage("Magyar");
    EXPECT_EQ(h.UndoName(), "Új helyiség");
    // A step named by a fixed text keeps it.
    ASSERT_TRUE(h.Change("Import", [](TProject& p) { p.options.downK = 2; }));
    EXPECT_EQ(h.UndoName(), "Import");
}
