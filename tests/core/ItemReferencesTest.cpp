// Deleting rooms and fields that circuits use: the question names the circuits, Yes
// takes their parts along and recalculates them, and what is saved recalculates to
// itself.  References a file already holds that point nowhere are listed on opening
// and marked in the reports.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>

#include "ProjectTestSupport.h"
#include "TestLanguage.h"
#include "app/CircuitEditor.h"
#include "app/EditItem.h"
#include "app/ItemReferences.h"
#include "app/MainController.h"
#include "app/ProjectFiles.h"
#include "app/RoomEditor.h"
#include "catalogue/TDevices.h"
#include "materials/TClipboardStream.h"
#include "platform/Clipboard.h"
#include "platform/SettingsStore.h"

using namespace kalorina;

namespace {

const TDevices& Shipped()
{
    static const TDevices devices(KALORINA_SOURCE_DIR "/data", "en");
    return devices;
}

// Answers the questions in turn and keeps every text shown.
struct ScriptedAnswers : MessageService {
    std::deque<MessageAnswer> answers;
    std::vector<std::string> shown;
    MessageAnswer Show(MessageKind, const std::string&, const std::string& text) override
    {
        shown.push_back(text);
        if (answers.empty())
            return MessageAnswer::Ok;
        MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
};
struct NoFiles : FileDialogService {
    std::string Run(const FileDialogRequest&) override { return {}; }
};

class ItemReferencesTest : public ::testing::Test {
public:
    void SetUp() override
    {
        SetSettingsStore(std::make_unique<MemorySettingsStore>());
        ASSERT_FALSE(Shipped().Failed()) << Shipped().FailureMessage();
        controller.Change("options", [](TProject& p) {
            p.options.medium.forward = 40;
            p.options.medium.return_ = 35;
            p.options.valveType = "Vexalon MV-P";
        });
        controller.LoadCatalogue(KALORINA_SOURCE_DIR "/data", "en");
        AddRoom("A", 12, 800, 10, 100);
        AddRoom("B", 9, 500, 8, 150);
        AddRoom("C", 9, 500, 8, 150);
        // K1 takes all of A and 5 m2 of B; K2 the other 3 m2 of B.  C is used by none.
        AddRound("K1", {{0, 10}, {1, 5}});
        AddRound("K2", {{1, 3}});
        controller.Changes().Clear(); // the design as built is where the history starts
    }
    void AddRoom(const std::string& name, double floor, double loss, double area, int spacing)
    {
        controller.Change("room", [&](TProject& p) { AddRoomTo(p, name, floor, loss, area, spacing); });
    }
    void AddRoomTo(TProject& p, const std::string& name, double floor, double loss, double area, int spacing)
    {
        p.AddNewRoom();
        p.rooms.back().roomName = name;
        RoomEditor editor(p.rooms.back(), Shipped(), p.options);
        editor.SelectSystem("Vexalon FH-W16", true);
        editor.SetRoomValues("", floor, 20, loss);
        ChooseInputs in;
        in.design = {40, 35, 20, loss, floor, 0, 0};
        in.R = 0.1;
        in.covering = "R 0.10 parketta/parquet";
        ASSERT_TRUE(editor.AddField(in, spacing, [area](double& a, int&, double) {
            a = area;
            return true;
        }));
        p.rooms.back() = editor.Commit({});
    }
    void AddRound(const std::string& name, std::vector<std::pair<int, double>> parts)
    {
        controller.Change("circuit", [&](TProject& p) { AddRoundTo(p, name, parts); });
    }
    void AddRoundTo(TProject& p, const std::string& name, const std::vector<std::pair<int, double>>& parts)
    {
        p.AddNewRound();
        p.rounds.back().roundName = name;
        CircuitEditor editor(p.rounds.back(), p, Shipped());
        for (auto [room, area] : parts)
            ASSERT_TRUE(editor.AddField(p.rooms[room].roomName, 0, [area](FloorHeatingRoundField& part, double) {
                part.assignedPart = static_cast<float>(area);
                return true;
            }));
        p.rounds.back() = editor.Commit();
    }
    const TRoundItem& Round(const std::string& name)
    {
        const TProject& p = controller.Project();
        return p.rounds[p.FindItem(name, false)];
    }
    // The parts' rooms of a circuit, in order.
    std::vector<std::string> PartRooms(const std::string& name)
    {
        std::vector<std::string> rooms;
        for (const auto& part : Round(name).roundFields)
            rooms.push_back(controller.Project().RoomNameById(part.roomRef));
        return rooms;
    }

    test::ScopedLanguage lang{{{"IDS_PROGRAMTITLE", "Kalorina"},
                               {"IDS_DELETEROOMQUESTION", "Delete %s?"},
                               {"IDS_DELETEUSEDROOMQUESTION", "Delete %s? Used by %s."},
                               {"IDS_DELETEUSEDFIELDSQUESTION", "Fields used by %s."},
                               {"IDS_BROKENREFERENCES", "Broken:%s"},
                               {"IDS_BROKENREFERENCELINE", "%s: %s field %s"},
                               {"IDS_FLOORHEATINGSUMCAPTION", "Total"}}};
    ScriptedAnswers messages;
    NoFiles files;
    MainController controller{messages, files};
    MemoryClipboard clipboard;
};

} // namespace

TEST_F(ItemReferencesTest, DeleteWithReferences)
{
    struct Case {
        const char* name;
        MessageAnswer answer;
        std::function<bool(ItemReferencesTest&)> act; // the command; what it answered
        std::string question;                         // "" when none is asked
        bool done;
        std::vector<std::string> k1, k2; // the rooms of the circuits' parts afterwards
    };
    // The room dialog's OK after it deleted room `room`'s only field.
    auto dropField = [](const std::string& room) {
        return [room](ItemReferencesTest& t) {
            ItemDialogs dialogs;
            dialogs.room = [&t](TRoomItem& edited) {
                edited.fields.clear();
                return t.controller.ConfirmRoomEdit(edited);
            };
            return t.controller.EditItem(ItemGroup::Rooms, room, dialogs);
        };
    };
    // The room dialog's OK after it changed nothing but the heat loss.
    auto keepFields = [](const std::string& room) {
        return [room](ItemReferencesTest& t) {
            ItemDialogs dialogs;
            dialogs.room = [&t](TRoomItem& edited) {
                edited.heatDemand += 100;
                return t.controller.ConfirmRoomEdit(edited);
            };
            return t.controller.EditItem(ItemGroup::Rooms, room, dialogs);
        };
    };
    auto remove = [](const std::string& room) {
        return [room](ItemReferencesTest& t) { return t.controller.DeleteItem(ItemGroup::Rooms, room); };
    };
    auto cut = [](const std::string& room) {
        return [room](ItemReferencesTest& t) { return t.controller.CutItem(t.clipboard, ItemGroup::Rooms, room); };
    };
    const std::vector<std::string> both{"A", "B"};
    const Case cases[] = {
        {"delete A, No", MessageAnswer::No, remove("A"), "Delete A? Used by K1.", false, both, {"B"}},
        {"delete A, Yes", MessageAnswer::Yes, remove("A"), "Delete A? Used by K1.", true, {"B"}, {"B"}},
        {"delete B, Yes", MessageAnswer::Yes, remove("B"), "Delete B? Used by K1, K2.", true, {"A"}, {}},
        {"delete unused C", MessageAnswer::Yes, remove("C"), "Delete C?", true, both, {"B"}},
        {"field of B, No", MessageAnswer::No, dropField("B"), "Fields used by K1, K2.", false, both, {"B"}},
        {"field of B, Yes", MessageAnswer::Yes, dropField("B"), "Fields used by K1, K2.", true, {"A"}, {}},
        {"cut A, No", MessageAnswer::No, cut("A"), "Delete A? Used by K1.", false, both, {"B"}},
        {"cut A, Yes", MessageAnswer::Yes, cut("A"), "Delete A? Used by K1.", true, {"B"}, {"B"}},
        {"cut unused C", MessageAnswer::Yes, cut("C"), "", true, both, {"B"}},
        {"room dialog keeping its fields", MessageAnswer::Yes, keepFields("B"), "", true, both, {"B"}},
    };
    const TProject start = controller.Project();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        controller.Change("restart", [&](TProject& p) { p = start; });
        controller.Changes().Clear();
        clipboard = MemoryClipboard();
        messages.shown.clear();
        messages.answers = {c.answer};
        if (c.question.empty())
            messages.answers.clear();
        const float k2PartBefore = Round("K2").roundFields[0].partPower;

        EXPECT_EQ(c.act(*this), c.done);
        const TProject& p = controller.Project();
        if (c.question.empty())
            EXPECT_TRUE(messages.shown.empty());
        else
            EXPECT_EQ(messages.shown, std::vector<std::string>{c.question});
        EXPECT_EQ(p.modified, c.done);
        if (!c.done) {
            EXPECT_TRUE(p.SameContent(start));
            EXPECT_FALSE(clipboard.HasFormat(ItemFormatName()));
            continue;
        }
        EXPECT_EQ(PartRooms("K1"), c.k1);
        EXPECT_EQ(PartRooms("K2"), c.k2);
        // No part is left pointing nowhere, and every circuit shows what its parts give.
        TProject counted = p;
        EXPECT_TRUE(BrokenReferences(counted).empty());
        for (const TRoundItem& round : p.rounds) {
            float power = 0;
            for (const auto& part : round.roundFields)
                power += part.partPower;
            EXPECT_FLOAT_EQ(round.hydraulic.power, power) << round.roundName;
            if (round.roundFields.empty())
                EXPECT_EQ(round.hydraulic.tubeLength, 0) << round.roundName;
        }
        if (!c.k2.empty())
            EXPECT_FLOAT_EQ(Round("K2").roundFields[0].partPower, k2PartBefore);
        float total = 0;
        for (const TRoundItem& round : p.rounds)
            total += round.hydraulic.power;
        EXPECT_NEAR(p.Totals().roundPowers, total / 1000, 0.0011);
        const auto [shown, recalculated] = test::ShownAndRecalculated(p, Shipped());
        EXPECT_EQ(recalculated, shown);
    }
}

TEST_F(ItemReferencesTest, BrokenReferencesOfAFileAreListedOnOpening)
{
    // A file written by a version that left the parts of a deleted room behind.
    TProject broken = controller.Project();
    broken.DeleteItem(0, true);
    // And one of a field that room B no longer has.
    FloorHeatingRoundField lost = broken.rounds[1].roundFields[0];
    lost.fieldRef = 7;
    broken.rounds[1].roundFields.push_back(lost);
    const auto path = std::filesystem::temp_directory_path() / "kalorina-broken-references.klp";
    WriteProjectFile(path.string(), broken);
    ASSERT_TRUE(controller.OpenFile(path.string()));
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Broken:\nK1: A field 1\nK2: B field 8"});
    // The parts stay as stored: nothing is recalculated on opening.
    EXPECT_EQ(controller.Project().rounds[0].roundFields.size(), 2u);
    EXPECT_EQ(controller.Project().rounds[1].roundFields.size(), 2u);
    // Editing room B removes none of its fields: the broken part is not dropped unasked.
    messages.shown.clear();
    ItemDialogs dialogs;
    dialogs.room = [this](TRoomItem& edited) {
        edited.heatDemand += 10;
        return controller.ConfirmRoomEdit(edited);
    };
    EXPECT_TRUE(controller.EditItem(ItemGroup::Rooms, "B", dialogs));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(controller.Project().rounds[1].roundFields.size(), 2u);

    // A file without such parts opens without a word.
    messages.shown.clear();
    WriteProjectFile(path.string(), TProject());
    ASSERT_TRUE(controller.OpenFile(path.string()));
    EXPECT_TRUE(messages.shown.empty());
    std::filesystem::remove(path);
}
