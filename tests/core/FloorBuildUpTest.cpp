// The floor under the tubes: the downward k it gives, the least insulation for what
// lies below, its place in the project file beside the records older programs
// read, and the design check's warning where the insulation is too thin.
#include <gtest/gtest.h>

#include "ErrorTestSupport.h"
#include "ProjectTestSupport.h"
#include "TestLanguage.h"
#include "calc/FloorBuildUp.h"
#include "catalogue/TDevices.h"
#include "check/DesignCheck.h"
#include "document/TProject.h"
#include "util/Error.h"

using namespace kalorina;

namespace {

// The offset of the first top-level record with `tag`, walking the records as a
// reader that knows none of them does.
std::size_t RecordAt(const std::string& bytes, int tag)
{
    TMemoryStream s(bytes);
    ReadStreamString(s);
    s.ReadInt16();
    for (std::int16_t t = s.ReadInt16(); t != 0x7FFF; t = s.ReadInt16()) {
        const std::size_t at = s.Position() - 2;
        const auto length = static_cast<std::uint16_t>(s.ReadInt16());
        if (t == tag)
            return at;
        s.Skip(length);
    }
    return std::string::npos;
}

std::size_t RecordLength(const std::string& bytes, std::size_t at)
{
    return 4 + (static_cast<unsigned char>(bytes[at + 2]) | (static_cast<unsigned char>(bytes[at + 3]) << 8));
}

} // namespace

TEST(FloorBuildUp, DownwardKAndTheLeastInsulationForWhatLiesBelow)
{
    FloorBuildUp b; // 0.75 + 0.10 + 0.17 at the ceiling below
    EXPECT_NEAR(b.DownK(), 1 / 1.02, 1e-6);
    b.below = BelowKind::Ground; // no surface: the ground touches the slab
    EXPECT_NEAR(b.DownK(), 1 / 0.85, 1e-6);
    b.below = BelowKind::OutsideAir;
    EXPECT_NEAR(b.DownK(), 1 / 0.89, 1e-6);
    b.insulationResistance = b.slabResistance = 0;
    b.below = BelowKind::Ground;
    EXPECT_EQ(b.DownK(), 0); // nothing between tube and ground: no finite k to give

    struct Case {
        BelowKind below;
        float temperature;
        double least;
    };
    for (const Case& c : std::vector<Case>{{BelowKind::HeatedRoom, 20, 0.75},
                                           {BelowKind::UnheatedRoom, 10, 1.25},
                                           {BelowKind::Ground, 10, 1.25},
                                           {BelowKind::OutsideAir, 2, 1.25},
                                           {BelowKind::OutsideAir, 0, 1.25},
                                           {BelowKind::OutsideAir, -3, 1.50},
                                           {BelowKind::OutsideAir, -5, 1.50},
                                           {BelowKind::OutsideAir, -12, 2.00},
                                           {BelowKind::OutsideAir, -15, 2.00}}) {
        FloorBuildUp u;
        u.below = c.below;
        u.belowTemperature = c.temperature;
        EXPECT_DOUBLE_EQ(u.MinimumInsulation(), c.least) << int(c.below) << " at " << c.temperature;
    }
}

TEST(FloorBuildUp, StoredBesideTheOlderRecordsAndRefusedWhenDamaged)
{
    test::ScopedLanguage lang;
    TProject p;
    // A new project starts from the usual build-up, and new fields from its k.
    ASSERT_TRUE(p.options.buildUp);
    EXPECT_FLOAT_EQ(p.options.belowTemperature, 20);
    EXPECT_FLOAT_EQ(p.options.downK, static_cast<float>(FloorBuildUp{}.DownK()));

    p.options.SetBuildUp({1.25f, 0.15f, BelowKind::Ground, 8});
    p.AddNewRoom();
    p.AddNewRoom();
    p.rooms[0].supplementaryHeatAllowed = true;
    p.rooms[1].buildUp = FloorBuildUp{2.0f, 0.2f, BelowKind::OutsideAir, -12};
    const std::string bytes = test::Bytes(p);
    TProject back = test::Read(bytes);
    EXPECT_EQ(back.options.buildUp, p.options.buildUp);
    EXPECT_FLOAT_EQ(back.options.belowTemperature, 8);
    EXPECT_TRUE(back.rooms[0].supplementaryHeatAllowed);
    EXPECT_FALSE(back.rooms[0].buildUp);
    EXPECT_FALSE(back.rooms[1].supplementaryHeatAllowed);
    EXPECT_EQ(back.rooms[1].buildUp, p.rooms[1].buildUp);
    EXPECT_EQ(test::Bytes(back), bytes);

    // A file from before them: the room record skipped as a whole by its length
    // (as older programs do), rooms keep no allowance, the options their own k.
    std::string older = bytes;
    const std::size_t extras = RecordAt(older, 7);
    ASSERT_NE(extras, std::string::npos);
    older.erase(extras, RecordLength(older, extras));
    TProject old = test::Read(older);
    EXPECT_FALSE(old.rooms[0].supplementaryHeatAllowed);
    EXPECT_FALSE(old.rooms[1].buildUp);
    // Nothing to store, nothing written: files without them keep their bytes.
    EXPECT_EQ(test::Bytes(old), older);

    // A kind of space the program never writes is damage, and so is a negative
    // resistance; the reader names its record instead of guessing.
    TProject damaged = p;
    damaged.rooms[1].buildUp->below = static_cast<BelowKind>(7);
    EXPECT_THROW(test::Read(test::Bytes(damaged)), KalorinaError);
    damaged = p;
    damaged.options.buildUp->insulationResistance = -1;
    EXPECT_THROW(test::Read(test::Bytes(damaged)), KalorinaError);
}

TEST(FloorBuildUp, TheCheckWarnsWhereTheInsulationIsTooThin)
{
    test::ScopedLanguage lang;
    TDevices devices(KALORINA_SOURCE_DIR "/data", "hu");
    TProject p;
    p.AddNewRoom();
    p.AddNewRoom();
    for (auto& room : p.rooms) {
        room.fields.emplace_back(40, 35);
        room.fields.back().area = 1;
    }
    auto insulationWarnings = [&](const TProject& project) {
        std::vector<std::string> rooms;
        for (const auto& problem : CheckDesign(project, devices))
            if (problem.kind == ProblemKind::Insulation) {
                EXPECT_EQ(problem.severity, ProblemSeverity::Warning);
                rooms.push_back(problem.roomName);
            }
        return rooms;
    };
    EXPECT_TRUE(insulationWarnings(p).empty()); // 0.75 over a heated room is enough
    // Over the ground 0.75 is too little; the second room's own build-up is enough.
    p.options.SetBuildUp({0.75f, 0.10f, BelowKind::Ground, 10});
    p.rooms[1].buildUp = FloorBuildUp{1.25f, 0.10f, BelowKind::Ground, 10};
    EXPECT_EQ(insulationWarnings(p), std::vector<std::string>{p.rooms[0].roomName});
    // A file from before the build-up says nothing about its insulation.
    p.options.buildUp.reset();
    p.rooms[1].buildUp = FloorBuildUp{1.5f, 0.10f, BelowKind::OutsideAir, -12};
    EXPECT_EQ(insulationWarnings(p), std::vector<std::string>{p.rooms[1].roomName});
}
