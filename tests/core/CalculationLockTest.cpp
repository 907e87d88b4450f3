// A catalogue that did not load whole: the project keeps its stored results.
// Nothing that recalculates runs, each such command says why, and a save writes
// the results as they were opened.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "CatalogueTestSupport.h"
#include "ProjectTestSupport.h"
#include "TestLanguage.h"
#include "app/EditItem.h"
#include "app/MainController.h"
#include "app/ProjectFiles.h"
#include "platform/SettingsStore.h"

using namespace kalorina;

namespace {

struct YesAndNote : MessageService {
    std::vector<std::string> shown;
    MessageAnswer Show(MessageKind, const std::string&, const std::string& text) override
    {
        shown.push_back(text);
        return MessageAnswer::Yes;
    }
};
struct OneFile : FileDialogService {
    std::string path;
    std::string Run(const FileDialogRequest&) override { return path; }
};

class CalculationLock : public ::testing::Test {
protected:
    void SetUp() override
    {
        namespace fs = std::filesystem;
        SetSettingsStore(std::make_unique<MemorySettingsStore>());
        fs::copy(KALORINA_SOURCE_DIR "/data", cat.Dir(),
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        const fs::path fh = fs::path(cat.Dir()) / "include" / "floorheating.xml";
        const auto size = fs::file_size(fh);
        fs::resize_file(fh, size / 2);
        controller.LoadCatalogue(cat.Dir(), "en");
        ASSERT_TRUE(controller.CalculationLocked());
        ASSERT_TRUE(controller.OpenFile(KALORINA_SOURCE_DIR "/examples/flat.klp"));
    }

    test::ScopedLanguage lang;
    test::ScratchCatalogue cat;
    YesAndNote messages;
    OneFile files;
    MainController controller{messages, files};
};

} // namespace

TEST_F(CalculationLock, CommandsThatRecalculateAreOffAndRefuse)
{
    const std::string opened = test::Bytes(controller.Project());
    const CommandStates s = controller.UpdateCommandStates(true, false);
    EXPECT_FALSE(s.modifyItem);
    EXPECT_FALSE(s.design);
    EXPECT_FALSE(s.projectOptions);
    EXPECT_TRUE(s.renameItem);
    EXPECT_TRUE(controller.CalculationLockedText().find("floorheating.xml") != std::string::npos)
        << controller.CalculationLockedText();

    const TProject& p = controller.Project();
    ASSERT_FALSE(p.rooms.empty());
    ItemDialogs dialogs;
    dialogs.room = [](TRoomItem& room) {
        room.heatDemand += 100;
        return true;
    };
    dialogs.round = [](CircuitEdit& edit) {
        edit.round.hydraulic.availablePressure += 100;
        return true;
    };
    EXPECT_FALSE(controller.EditItem(ItemGroup::Rooms, p.rooms[0].roomName, dialogs));
    EXPECT_FALSE(controller.EditItem(ItemGroup::Rounds, p.rounds[0].roundName, dialogs));
    EXPECT_FALSE(controller.Design(std::nullopt, [](const DesignOutcome&) { return true; }));
    // A room whose fields circuits use: deleting it recalculates them.
    EXPECT_FALSE(controller.DeleteItem(ItemGroup::Rooms, p.rooms[0].roomName));
    EXPECT_EQ(test::Bytes(p), opened);
    EXPECT_FALSE(controller.Changes().CanUndo());
    ASSERT_EQ(messages.shown.size(), 4u);
    for (const std::string& text : messages.shown)
        EXPECT_NE(text.find("floorheating.xml"), std::string::npos) << text;

    // What needs no calculation still works.
    EXPECT_TRUE(controller.RenameItem(ItemGroup::Rooms, p.rooms[0].roomName, "Renamed"));
}

TEST_F(CalculationLock, SaveKeepsTheStoredResults)
{
    const std::string opened = test::Bytes(controller.Project());
    files.path = (std::filesystem::path(cat.Dir()) / "saved.klp").string();
    controller.Change(StepLabel::Of("IDS_STEPPROJECTDATA"), [](TProject& p) { p.commentLines.push_back("note"); });
    ASSERT_TRUE(controller.SaveProject(true));
    TProject saved;
    ReadProjectFile(files.path, saved);
    saved.commentLines.pop_back();
    EXPECT_EQ(test::Bytes(saved), opened);
}

// A value no building has stops the design and the printed outputs, naming it.
TEST(ImplausibleValues, StopTheDesignAndThePrintedOutputs)
{
    SetSettingsStore(std::make_unique<MemorySettingsStore>());
    test::ScopedLanguage lang;
    YesAndNote messages;
    OneFile files;
    MainController controller{messages, files};
    controller.LoadCatalogue(KALORINA_SOURCE_DIR "/data", "en");
    ASSERT_TRUE(controller.OpenFile(KALORINA_SOURCE_DIR "/examples/flat.klp"));
    EXPECT_FALSE(controller.RefusedForImplausibleValues());
    controller.Change(StepLabel::Of("IDS_STEPMODIFY"), [](TProject& p) { p.manifolds[0].maxSupply = 1e20f; });
    const std::string before = test::Bytes(controller.Project());
    EXPECT_TRUE(controller.RefusedForImplausibleValues());
    EXPECT_FALSE(controller.Design(std::nullopt, [](const DesignOutcome&) { return true; }));
    EXPECT_EQ(test::Bytes(controller.Project()), before);
    ASSERT_EQ(messages.shown.size(), 2u);
    for (const std::string& text : messages.shown)
        EXPECT_NE(text.find("Highest supply temperature: 1E20"), std::string::npos) << text;
}
