// The main window's manifold commands without widgets: each is one step of the
// history that undoes to the very bytes before it; names are refused as for
// circuits; the clipboard carries a manifold with its circuits; the manifold
// dialog's ranges; and the design that changes nothing until its dialog says OK.
#include <gtest/gtest.h>

#include <deque>

#include "ProjectTestSupport.h"
#include "TestLanguage.h"
#include "app/MainController.h"
#include "app/ManifoldEditor.h"
#include "platform/Clipboard.h"
#include "platform/SettingsStore.h"
#include "util/Error.h"

using namespace kalorina;

namespace {

struct RecordedMessages : MessageService {
    MessageAnswer Show(MessageKind kind, const std::string&, const std::string& text) override
    {
        texts.push_back(text);
        kinds.push_back(kind);
        if (answers.empty())
            return kind == MessageKind::Warning ? MessageAnswer::Ok : MessageAnswer::Yes;
        const MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::deque<MessageAnswer> answers;
    std::vector<std::string> texts;
    std::vector<MessageKind> kinds;
};
struct NoFiles : FileDialogService {
    std::string Run(const FileDialogRequest&) override { return {}; }
};

class ManifoldControllerTest : public ::testing::Test {
protected:
    void SetUp() override { SetSettingsStore(std::make_unique<MemorySettingsStore>()); }
    const TProject& P() { return controller.Project(); }
    std::string Bytes() { return test::Bytes(P()); }
    // Two manifolds: "Manifold" feeds A1, A2; "Upstairs" feeds B1.
    void TwoManifolds()
    {
        controller.RenameItem(ItemGroup::Rounds, controller.NewRound(0), "A1");
        controller.RenameItem(ItemGroup::Rounds, controller.NewRound(0), "A2");
        controller.RenameItem(ItemGroup::Manifolds, controller.NewManifold(), "Upstairs");
        controller.RenameItem(ItemGroup::Rounds, controller.NewRound(1), "B1");
        controller.Changes().SetClean();
    }
    // Undoes the last step and redoes it: the bytes before and after it come back.
    void ExpectUndoRedo(const std::string& before, const std::string& after)
    {
        ASSERT_TRUE(controller.Changes().Undo());
        EXPECT_EQ(Bytes(), before);
        ASSERT_TRUE(controller.Changes().Redo());
        EXPECT_EQ(Bytes(), after);
    }

    test::ScopedLanguage lang{{{"IDS_NEWMANIFOLDITEMCAPTION", "Manifold"},
                               {"IDS_EMPTYITEMNAME", "Empty name"},
                               {"IDS_MANIFOLDNAMETAKEN", "Taken: %s"},
                               {"IDS_DELETEMANIFOLDQUESTION", "Delete %s with %s circuits?"},
                               {"IDS_BADCLIPBOARDITEM", "Damaged item"},
                               {"IDS_MANIFOLDSPREADRANGE", "Spread %s..%s K"},
                               {"IDS_MANIFOLDSUPPLYRANGE", "Supply %s..%s C"},
                               {"IDS_STEPDESIGN", "Design"},
                               {"IDS_DESIGNNOTHING", "Nothing to design"}}};
    RecordedMessages messages;
    NoFiles files;
    MainController controller{messages, files};
    MemoryClipboard clipboard;
};

} // namespace

// New manifolds get free names, new circuits go to the manifold asked for, and a
// circuit moves between manifolds; each is one step.
TEST_F(ManifoldControllerTest, NewManifoldNewCircuitIntoItAndMove)
{
    EXPECT_EQ(controller.NewManifold(), "Manifold (2)");
    ASSERT_EQ(P().manifolds.size(), 2u);
    const std::string name = controller.NewRound(1);
    EXPECT_EQ(P().rounds.back().manifold, 1);
    EXPECT_EQ(controller.FillTree().manifolds[1].rounds, std::vector<std::string>{name});
    EXPECT_TRUE(controller.FillTree().manifolds[0].rounds.empty());
    EXPECT_EQ(controller.NewRound(7), name + " (2)"); // out of range: the first manifold
    EXPECT_EQ(P().rounds.back().manifold, 0);

    const std::string before = Bytes();
    const std::size_t steps = controller.Changes().Size();
    EXPECT_FALSE(controller.MoveRound(name, 1)); // already there
    EXPECT_FALSE(controller.MoveRound(name, 2)); // no such manifold
    EXPECT_EQ(controller.Changes().Size(), steps);
    EXPECT_TRUE(controller.MoveRound(name, 0));
    EXPECT_EQ(P().rounds[P().FindItem(name, false)].manifold, 0);
    ExpectUndoRedo(before, Bytes());
    EXPECT_TRUE(controller.UpdateCommandStates(false, false).design);
}

TEST_F(ManifoldControllerTest, RenameRefusesBlankAndTakenNamesWithAMessage)
{
    TwoManifolds();
    const std::string before = Bytes();
    EXPECT_FALSE(controller.RenameItem(ItemGroup::Manifolds, "Upstairs", "  "));
    EXPECT_EQ(messages.texts.back(), "Empty name");
    EXPECT_FALSE(controller.RenameItem(ItemGroup::Manifolds, "Upstairs", "Manifold"));
    EXPECT_EQ(messages.texts.back(), "Taken: Manifold");
    EXPECT_EQ(Bytes(), before);
    EXPECT_TRUE(controller.Changes().IsClean());
    // A circuit's name is no manifold's.
    EXPECT_TRUE(controller.RenameItem(ItemGroup::Manifolds, "Upstairs", "A1"));
    EXPECT_EQ(P().manifolds[1].name, "A1");
    ExpectUndoRedo(before, Bytes());
}

// Delete asks first, naming how many circuits go with the manifold; the last
// manifold gives way to an empty one.
TEST_F(ManifoldControllerTest, DeleteAsksNamingItsCircuitsAndUndoesToTheBytes)
{
    TwoManifolds();
    const std::string before = Bytes();
    messages.answers = {MessageAnswer::No};
    EXPECT_FALSE(controller.DeleteItem(ItemGroup::Manifolds, "Manifold"));
    EXPECT_EQ(messages.texts.back(), "Delete Manifold with 2 circuits?");
    EXPECT_EQ(Bytes(), before);

    messages.answers = {MessageAnswer::Yes};
    EXPECT_TRUE(controller.DeleteItem(ItemGroup::Manifolds, "Manifold"));
    ASSERT_EQ(P().manifolds.size(), 1u);
    ASSERT_EQ(P().rounds.size(), 1u);
    EXPECT_EQ(P().rounds[0].roundName, "B1");
    EXPECT_EQ(P().rounds[0].manifold, 0);
    ExpectUndoRedo(before, Bytes());

    EXPECT_TRUE(controller.DeleteItem(ItemGroup::Manifolds, "Upstairs"));
    ASSERT_EQ(P().manifolds.size(), 1u);
    EXPECT_TRUE(P().rounds.empty());
    EXPECT_FALSE(controller.UpdateCommandStates(false, false).design);
}

// The clipboard carries a manifold with its circuits: pasted, it comes under a
// free name with its circuits under free names; cut and pasted back, undo returns
// the bytes of every state.  A circuit pasted goes to the selected manifold.
TEST_F(ManifoldControllerTest, CutCopyPasteCarryTheCircuitsAndUndoToTheBytes)
{
    TwoManifolds();
    TProject p = P();
    p.manifolds[0].location = "Hall";
    p.manifolds[0].designSpread = 7;
    controller.Change("set", [&](TProject& q) { q = p; });
    const std::string start = Bytes();

    ASSERT_TRUE(controller.CopyItem(clipboard, ItemGroup::Manifolds, "Manifold"));
    EXPECT_FALSE(controller.CopyItem(clipboard, ItemGroup::Manifolds, "Nobody"));
    auto pasted = controller.PasteItem(clipboard);
    ASSERT_TRUE(pasted);
    EXPECT_EQ(pasted->first, ItemGroup::Manifolds);
    EXPECT_EQ(pasted->second, "Manifold (2)");
    ASSERT_EQ(P().manifolds.size(), 3u);
    EXPECT_EQ(P().manifolds[2].location, "Hall");
    EXPECT_FLOAT_EQ(P().manifolds[2].designSpread, 7);
    const auto tree = controller.FillTree();
    EXPECT_EQ(tree.manifolds[2].rounds, (std::vector<std::string>{"A1 (2)", "A2 (2)"}));
    EXPECT_EQ(tree.manifolds[0].rounds, (std::vector<std::string>{"A1", "A2"}));
    ExpectUndoRedo(start, Bytes());
    const std::string copied = Bytes();

    ASSERT_TRUE(controller.CutItem(clipboard, ItemGroup::Manifolds, "Upstairs"));
    EXPECT_EQ(P().FindManifold("Upstairs"), -1);
    EXPECT_EQ(P().FindItem("B1", false), -1);
    ExpectUndoRedo(copied, Bytes());
    const std::string cut = Bytes();
    pasted = controller.PasteItem(clipboard);
    ASSERT_TRUE(pasted);
    EXPECT_EQ(pasted->second, "Upstairs"); // free again
    EXPECT_EQ(P().rounds[P().FindItem("B1", false)].manifold, P().FindManifold("Upstairs"));
    ExpectUndoRedo(cut, Bytes());

    // A circuit goes to the manifold it is pasted into.
    ASSERT_TRUE(controller.CopyItem(clipboard, ItemGroup::Rounds, "A1"));
    pasted = controller.PasteItem(clipboard, P().FindManifold("Upstairs"));
    ASSERT_TRUE(pasted);
    EXPECT_EQ(pasted->first, ItemGroup::Rounds);
    EXPECT_EQ(P().rounds[P().FindItem(pasted->second, false)].manifold, P().FindManifold("Upstairs"));

    // A manifold cut short is refused whole: not even the manifold arrives.
    ASSERT_TRUE(controller.CopyItem(clipboard, ItemGroup::Manifolds, "Manifold"));
    std::string payload = *clipboard.Get("Kalorina Item");
    const std::string before = Bytes();
    for (std::size_t keep : {std::size_t(3), payload.size() / 2, payload.size() - 3}) {
        clipboard.Put({{"Kalorina Item", payload.substr(0, keep)}});
        EXPECT_FALSE(controller.PasteItem(clipboard)) << keep;
        EXPECT_EQ(messages.texts.back(), "Damaged item");
        EXPECT_EQ(Bytes(), before);
    }
}

// The manifold dialog's rules: spreads of 1..20 K, supplies of 25..90 °C, a name
// no other manifold has; the message says what is allowed.  OK is one step.
TEST_F(ManifoldControllerTest, ManifoldEditorRangesAndTheDialogStep)
{
    TwoManifolds();
    ManifoldEditor editor(P(), 1);
    EXPECT_EQ(editor.View().name, "Upstairs");
    EXPECT_EQ(editor.View().designSpread, "5");
    EXPECT_EQ(editor.View().maxSupply, "55");
    auto refused = [&](ManifoldInputs in) {
        try {
            editor.Commit(in);
        } catch (const KalorinaError& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    ManifoldInputs ok{"Upstairs", "Attic", 5, 55};
    for (double spread : {0.9, 20.5, -3.0})
        EXPECT_EQ(refused({"Upstairs", "", spread, 55}), "Spread 1..20 K") << spread;
    for (double supply : {24.9, 90.1})
        EXPECT_EQ(refused({"Upstairs", "", 5, supply}), "Supply 25..90 C") << supply;
    EXPECT_EQ(refused({"", "", 5, 55}), "Empty name");
    EXPECT_EQ(refused({"Manifold", "", 5, 55}), "Taken: Manifold");
    EXPECT_EQ(refused({"Upstairs", "", 1, 25}), "accepted"); // the limits are allowed
    EXPECT_EQ(refused({"Upstairs", "", 20, 90}), "accepted");

    const std::string before = Bytes();
    EXPECT_FALSE(controller.EditManifold("Upstairs", [](ManifoldEditor&) { return false; }));
    EXPECT_TRUE(controller.Changes().IsClean());
    EXPECT_TRUE(controller.EditManifold("Upstairs", [&](ManifoldEditor& e) {
        e.Commit({"Attic", "Roof space", 8, 45});
        return true;
    }));
    EXPECT_EQ(P().manifolds[1], (TManifold{"Attic", "Roof space", 8, 45}));
    EXPECT_EQ(P().rounds[P().FindItem("B1", false)].manifold, 1);
    ExpectUndoRedo(before, Bytes());
}

// The design shows its outcome before anything changes: Cancel leaves the project
// and its history as they were; OK applies the designed project as one step, which
// undoes to the bytes that were opened.  Nothing to design warns instead.
TEST_F(ManifoldControllerTest, DesignChangesNothingUntilOkAndIsOneStep)
{
    controller.LoadCatalogue(KALORINA_SOURCE_DIR "/data", "en");
    ASSERT_FALSE(controller.catalogueFailed);
    ASSERT_TRUE(controller.OpenFile(KALORINA_SOURCE_DIR "/examples/house.klp"));
    const std::string opened = Bytes();

    int shown = 0;
    DesignOutcome seen;
    EXPECT_FALSE(controller.Design(std::nullopt, [&](const DesignOutcome& o) {
        ++shown;
        seen = o;
        return false;
    }));
    EXPECT_EQ(shown, 1);
    ASSERT_FALSE(seen.manifolds.empty());
    EXPECT_TRUE(seen.manifolds[0].designed);
    EXPECT_FALSE(seen.manifolds[0].circuits.empty());
    EXPECT_EQ(Bytes(), opened);
    EXPECT_FALSE(P().modified);
    EXPECT_FALSE(controller.Changes().CanUndo());

    EXPECT_TRUE(controller.Design(0, [](const DesignOutcome&) { return true; }));
    EXPECT_EQ(controller.Changes().Size(), 1u);
    EXPECT_EQ(controller.Changes().UndoName(), "Design");
    EXPECT_TRUE(P().modified);
    EXPECT_EQ(P().fileName, KALORINA_SOURCE_DIR "/examples/house.klp");
    EXPECT_EQ(Bytes(), test::Bytes(seen.project));
    ExpectUndoRedo(opened, test::Bytes(seen.project));
    ASSERT_TRUE(controller.Changes().Undo());
    EXPECT_FALSE(P().modified);

    // A manifold that feeds nothing: the warning, not the dialog.
    controller.NewProject();
    messages.texts.clear();
    shown = 0;
    EXPECT_FALSE(controller.Design(std::nullopt, [&](const DesignOutcome&) { return ++shown, true; }));
    EXPECT_EQ(shown, 0);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.kinds.back(), MessageKind::Warning);
    EXPECT_FALSE(controller.Changes().CanUndo());
}
