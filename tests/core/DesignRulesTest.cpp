// The rules that keep a design possible, as the editors of every dialog apply them,
// and the project options that a project file keeps.
#include <gtest/gtest.h>

#include <functional>

#include "ErrorTestSupport.h"
#include "ProjectTestSupport.h"
#include "TestLanguage.h"
#include "app/CircuitEditor.h"
#include "app/FieldEditor.h"
#include "app/MainController.h"
#include "app/ProjectOptionsEditor.h"
#include "app/RoomEditor.h"
#include "catalogue/TDevices.h"
#include "platform/SettingsStore.h"

using namespace kalorina;

namespace {

const TDevices& Shipped()
{
    static const TDevices devices(KALORINA_SOURCE_DIR "/data", "en");
    return devices;
}

std::map<std::string, std::string> RuleTexts()
{
    return {{"IDS_RETURNNOTBELOWFORWARD", "return %s not below forward %s"},
            {"IDS_AREAABOVEMAXIMUM", "area %s above %s"},
            {"IDS_ROOMWITHOUTAREA", "no floor"},
            {"IDS_FIELDSBEYONDROOM", "fields %s beyond %s"},
            {"IDS_EMPTYITEMNAME", "empty name"},
            {"IDS_ROOMNAMETAKEN", "room '%s' taken"},
            {"IDS_ROUNDNAMETAKEN", "circuit '%s' taken"},
            {"IDS_FLOORHEATINGSUMCAPTION", "Total"}};
}

class DesignRulesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetSettingsStore(std::make_unique<MemorySettingsStore>());
        RoomDialogState() = RoomDialogMemory{};
        ASSERT_FALSE(Shipped().Failed()) << Shipped().FailureMessage();
        options.medium.forward = 40;
        options.medium.return_ = 35;
    }
    // A 14 m2 room with one field of `area` m2 at 150 mm.
    TRoomItem Room(double area = 10)
    {
        TRoomItem room;
        RoomEditor editor(room, Shipped(), options);
        editor.SelectSystem("Vexalon FH-W16", true);
        editor.SetRoomValues("", 14, 20, 900);
        EXPECT_TRUE(editor.AddField(Inputs(), 150, Answer(area)));
        return editor.Commit({});
    }
    static ChooseInputs Inputs()
    {
        ChooseInputs in;
        in.design = {40, 35, 20, 900, 14, 0, 0};
        in.R = 0.1;
        in.covering = "R 0.10 parketta/parquet";
        return in;
    }
    static RoomEditor::AreaAsk Answer(double area)
    {
        return [area](double& a, int&, double) {
            a = area;
            return true;
        };
    }
    ProjectOptionsInputs OptionInputs(double forward, double backward) const
    {
        ProjectOptionsInputs in;
        in.inside = 20;
        in.forward = forward;
        in.backward = backward;
        in.ro = 990;
        in.nu = 7e-7;
        in.specificHeat = 4180;
        in.userDefinedMedium = true;
        in.pressure = 20000;
        return in;
    }

    test::ScopedLanguage lang{RuleTexts()};
    TProjektOptions options;
};

} // namespace

// Each row breaks one rule (or stands just inside it) through the same editor call a
// dialog makes; a refusal names what is allowed and changes nothing.
TEST_F(DesignRulesTest, AreaAndTemperatureRules)
{
    struct Case {
        const char* what;
        std::function<void()> work;
        std::string refusal; // "nothing" when the input is allowed
        std::function<bool()> unchanged = [] { return true; };
    };
    ProjectOptionsEditor optionsEditor(options, Shipped());
    RoomEditor room(Room(10), Shipped(), options);
    room.SelectSystem("Vexalon FH-W16", true);
    const TRoomItem roomBefore = room.Room();
    FieldEditor field(roomBefore.fields[0], 20, Shipped());
    field.LimitArea(room.AreaAvailableFor(0));
    FloorHeatingRoundField part;
    part.assignedPart = 3;
    FieldAreaEditor partArea(part, 12.5);

    TProject project;
    project.options = options;
    project.rooms.push_back(roomBefore);
    project.AddNewRound();
    CircuitEditor circuit(project.rounds[0], project, Shipped());
    auto circuitInputs = [&](double forward, double backward, bool massFlowGiven) {
        CircuitInputs in;
        in.forward = forward;
        in.backward = backward;
        in.massFlowGiven = massFlowGiven;
        in.volume = 100;
        in.mediumName = circuit.Round().hydraulic.medium.mediumName;
        in.availablePressure = 20000;
        return in;
    };
    auto fieldInputs = [&](double area) {
        FieldInputs in;
        in.covering = roomBefore.fields[0].coveringName;
        in.R = 0.1;
        in.spacing = 150;
        in.area = area;
        in.forward = 40;
        in.ret = 35;
        return in;
    };

    const Case cases[] = {
        {"options: return equals forward", [&] { optionsEditor.Commit(OptionInputs(35, 35)); },
         "return 35 not below forward 35", [&] { return optionsEditor.Options() == options; }},
        {"options: return above forward", [&] { optionsEditor.Commit(OptionInputs(35, 40)); },
         "return 40 not below forward 35", [&] { return optionsEditor.Options() == options; }},
        {"options: return below forward", [&] { optionsEditor.Commit(OptionInputs(45, 35)); }, "nothing"},
        {"circuit: return above forward", [&] { circuit.SetValues(circuitInputs(40, 45, false)); },
         "return 45 not below forward 40",
         [&] {
             return circuit.Round().hydraulic.medium.return_ == 35 && circuit.Round().hydraulic.medium.forward == 40;
         }},
        {"circuit: the return of a given flow is computed", [&] { circuit.SetValues(circuitInputs(40, 45, true)); },
         "nothing"},
        {"room: a new field beyond the free floor", [&] { room.AddField(Inputs(), 100, Answer(20)); },
         "area 20 above 4", [&] { return room.Room().fields.size() == 1; }},
        {"room: a new field on all the free floor", [&] { room.AddField(Inputs(), 100, Answer(4)); }, "nothing"},
        {"room: a changed field beyond the room",
         [&] {
             FloorHeatingField wide = room.Room().fields[0];
             wide.area = 30;
             room.ReplaceField(0, wide);
         },
         "area 30 above 10", [&] { return room.Room().fields[0].area == 10; }},
        {"field dialog: beyond the room", [&] { field.Apply(fieldInputs(30)); }, "area 30 above 14",
         [&] { return field.Field().area == 10; }},
        {"field dialog: the field's own floor", [&] { field.Apply(fieldInputs(10)); }, "nothing"},
        {"circuit part: beyond the field's free area", [&] { partArea.Commit(13); }, "area 13 above 12.5",
         [&] { return part.assignedPart == 3; }},
        {"circuit part: all of it", [&] { partArea.Commit(12.5); }, "nothing"},
        {"room: heat loss without floor",
         [&] {
             RoomEditor bare(TRoomItem(), Shipped(), options);
             bare.SetRoomValues("", 0, 20, 500);
             bare.Commit({});
         },
         "no floor"},
        {"room: neither floor nor heat loss",
         [&] {
             RoomEditor bare(TRoomItem(), Shipped(), options);
             bare.SetRoomValues("", 0, 20, 0);
             bare.Commit({});
         },
         "nothing"},
        {"room: floor made smaller than its fields",
         [&] {
             RoomEditor shrunk(roomBefore, Shipped(), options);
             shrunk.SetRoomValues("", 8, 20, 900);
             shrunk.Commit({});
         },
         "fields 10 beyond 8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(test::ThrownText(c.work), c.refusal);
        EXPECT_TRUE(c.unchanged());
    }
}

namespace {
struct RecordedMessages : MessageService {
    std::vector<std::string> texts;
    MessageAnswer Show(MessageKind, const std::string&, const std::string& text) override
    {
        texts.push_back(text);
        return MessageAnswer::Ok;
    }
};
struct NoFiles : FileDialogService {
    std::string Run(const FileDialogRequest&) override { return {}; }
};
} // namespace

// A name typed in the tree: a blank one or one its list already has is refused with
// a message; a room and a circuit may share a name.
TEST(ItemNames, BlankAndTakenNamesAreRefusedWithAMessage)
{
    test::ScopedLanguage lang{RuleTexts()};
    RecordedMessages messages;
    NoFiles files;
    MainController c(messages, files);
    c.NewProject();
    c.NewRoom();
    c.NewRoom(); // "Room (2)"
    c.NewRound();
    struct Case {
        ItemGroup group;
        const char *from, *to;
        bool accepted;
        const char* message;
    };
    const Case cases[] = {
        {ItemGroup::Rooms, "Room", "", false, "empty name"},
        {ItemGroup::Rooms, "Room", "   ", false, "empty name"},
        {ItemGroup::Rooms, "Room", "Room (2)", false, "room 'Room (2)' taken"},
        {ItemGroup::Rounds, "Circuit", "", false, "empty name"},
        {ItemGroup::Rounds, "Circuit", "Room", true, nullptr},
        {ItemGroup::Rooms, "Room", "Living", true, nullptr},
        {ItemGroup::Rooms, "Living", "Living", true, nullptr},
        {ItemGroup::Rounds, "Room", "Room", true, nullptr},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::string(k.from) + " -> '" + k.to + "'");
        messages.texts.clear();
        EXPECT_EQ(c.RenameItem(k.group, k.from, k.to), k.accepted);
        EXPECT_EQ(messages.texts, k.message ? std::vector<std::string>{k.message} : std::vector<std::string>{});
    }
    EXPECT_EQ(c.Project().rooms[0].roomName, "Living");
    EXPECT_EQ(c.Project().rooms[1].roomName, "Room (2)");
    EXPECT_EQ(c.Project().rounds[0].roundName, "Room");
}

// The extra tube length and its mode of the project options live in a record of
// their own: kept through the file, skipped by readers that do not know it, and
// absent from older files, which load with 0 m.
TEST(ProjectOptionsFile, ExtraLengthRoundTrip)
{
    test::ScopedLanguage lang;
    TProject p;
    p.options.extraLength = 12.5f;
    p.options.extraLengthMode = 0;
    const std::string bytes = test::Bytes(p);
    TProject back = test::Read(bytes);
    EXPECT_FLOAT_EQ(back.options.extraLength, 12.5f);
    EXPECT_EQ(back.options.extraLengthMode, 0);
    EXPECT_EQ(test::Bytes(back), bytes);
    // A new circuit of the reopened project takes them.
    back.AddNewRound();
    EXPECT_FLOAT_EQ(back.rounds[0].hydraulic.extraLength, 12.5f);
    EXPECT_EQ(back.rounds[0].hydraulic.extraInMetres, 0);

    // Walking the file's records by tag and length, as a reader that knows only the
    // first four kinds does, reaches the end mark.
    TMemoryStream s(bytes);
    ReadStreamString(s);
    s.ReadInt16();
    std::vector<int> tags;
    std::size_t at = 0;
    for (std::int16_t tag = s.ReadInt16(); tag != 0x7FFF; tag = s.ReadInt16()) {
        tags.push_back(tag);
        if (tag == 5)
            at = s.Position() - 2;
        s.Skip(static_cast<std::uint16_t>(s.ReadInt16()));
    }
    EXPECT_EQ(tags, (std::vector<int>{1, 2, 5, 6}));
    EXPECT_TRUE(s.AtEnd());

    // Without the record (a file written before it existed): 0 m, as new options.
    std::string old = bytes;
    ASSERT_EQ(old.substr(at, 2), test::Le16(5));
    const std::size_t recordLength =
        static_cast<unsigned char>(old[at + 2]) | (static_cast<unsigned char>(old[at + 3]) << 8);
    old.erase(at, 2 + 2 + recordLength);
    TProject older = test::Read(old);
    EXPECT_FLOAT_EQ(older.options.extraLength, 0);
    EXPECT_EQ(older.options.extraLengthMode, 1);

    // A later block inside the record is skipped by its length.
    std::string later = bytes;
    const std::string block = test::Le16(9) + test::Le16(3) + "abc";
    later.insert(at + 4, block);
    later[at + 2] = static_cast<char>(later[at + 2] + block.size());
    TProject withLater = test::Read(later);
    EXPECT_FLOAT_EQ(withLater.options.extraLength, 12.5f);
}

// New projects use the catalogue's water, whose properties follow the temperature,
// at the mean of the default temperatures; a read project keeps its own medium.
TEST(NewProject, TakesTheCatalogueWater)
{
    test::ScopedLanguage lang;
    RecordedMessages messages;
    NoFiles files;
    MainController c(messages, files);
    c.LoadCatalogue(KALORINA_SOURCE_DIR "/data", "en");
    ASSERT_FALSE(c.catalogueFailed);
    c.NewProject();
    const TMedium& m = c.Project().options.medium;
    EXPECT_EQ(m.mediumName, Shipped().DefaultMediumName());
    EXPECT_EQ(m.mediumName.rfind("H2O", 0), 0u);
    // Water at 35.5 degrees: about 994 kg/m3 and 0.72 mm2/s.
    EXPECT_NEAR(m.density, 994.0, 0.5);
    EXPECT_NEAR(m.viscosity, 7.2e-7, 0.1e-7);
    EXPECT_NEAR(m.specificHeat, 4178, 3);
    EXPECT_FLOAT_EQ(m.forward, 38);
    EXPECT_FLOAT_EQ(m.return_, 33);

    TProject stored;
    const TProject back = test::Read(test::Bytes(stored));
    EXPECT_EQ(back.options.medium, stored.options.medium);
}
