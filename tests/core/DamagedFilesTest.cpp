// Files that are well formed but hold what the program never writes are damaged:
// refused with a message naming the record, never loaded into a design.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

#include "ErrorTestSupport.h"
#include "ProjectTestSupport.h"
#include "TestLanguage.h"
#include "catalogue/TDevices.h"
#include "document/TProject.h"
#include "materials/TUsedMaterial.h"
#include "util/Json.h"
#include "util/ParseNumber.h"

using namespace kalorina;

namespace {

std::map<std::string, std::string> DamageTexts()
{
    return {{"IDS_DAMAGEDFILE", "damaged or truncated"},
            {"IDS_DAMAGEDROOM", "room '%s' holds %s"},
            {"IDS_DAMAGEDROUND", "circuit '%s' holds %s"},
            {"IDS_DAMAGEDPROJECT", "project holds %s"},
            {"IDS_DUPLICATEROOMID", "rooms '%s' and '%s' share an id"}};
}

// A small design whose every kind of record is present.
TProject Design()
{
    TProject p;
    p.AddNewRoom();
    p.rooms[0].roomName = "Nappali";
    p.rooms[0].floorArea = 12;
    FloorHeatingField field(40, 35);
    field.systemName = "S";
    field.area = 10;
    field.fieldId = 0;
    p.rooms[0].fields = {field};
    p.rooms[0].nextFieldId = 1;
    p.AddNewRoom();
    p.rooms[1].roomName = "Konyha";
    p.AddNewRound();
    p.rounds[0].roundName = "K1";
    p.rounds[0].hydraulic.fittings.resize(1);
    p.options.defaultFittings.resize(1);
    return p;
}

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
// The program never writes a NaN or an infinity; a file that holds one was damaged
// after it was written.  Such a value is planted as an odd marker, written, and the
// marker's bytes replaced in the file.
constexpr float kMarkNaN = 1234.5f, kMarkInf = 2345.5f, kMarkMinusInf = 3456.5f;

std::string Damage(std::string bytes)
{
    auto replace = [&](float mark, float value) {
        std::string from(4, '\0'), to(4, '\0');
        std::memcpy(from.data(), &mark, 4);
        std::memcpy(to.data(), &value, 4);
        for (std::size_t at = bytes.find(from); at != std::string::npos; at = bytes.find(from, at + 4))
            bytes.replace(at, 4, to);
    };
    replace(kMarkNaN, kNaN);
    replace(kMarkInf, kInf);
    replace(kMarkMinusInf, -kInf);
    return bytes;
}

} // namespace

TEST(DamagedFiles, ImpossibleValuesAreRefusedNamingTheirRecord)
{
    test::ScopedLanguage lang{DamageTexts()};
    struct Case {
        const char* what;
        std::function<void(TProject&)> plant;
        std::string refusal;
    };
    const Case cases[] = {
        {"room number", [](TProject& p) { p.rooms[0].floorArea = kMarkNaN; }, "room 'Nappali' holds floorArea = nan"},
        {"field number", [](TProject& p) { p.rooms[0].fields[0].area = kMarkInf; }, "room 'Nappali' holds area = inf"},
        {"circuit number", [](TProject& p) { p.rounds[0].hydraulic.availablePressure = kMarkMinusInf; },
         "circuit 'K1' holds availablePressure = -inf"},
        {"circuit medium", [](TProject& p) { p.rounds[0].hydraulic.medium.density = kMarkNaN; },
         "circuit 'K1' holds density = nan"},
        {"options", [](TProject& p) { p.options.roomTemperature = kMarkNaN; }, "project holds roomTemperature = nan"},
        {"extra length", [](TProject& p) { p.options.extraLength = kMarkInf; }, "project holds extraLength = inf"},
        {"extra length mode", [](TProject& p) { p.options.extraLengthMode = 7; }, "project holds extraLengthMode = 7"},
        {"fitting count", [](TProject& p) { p.rounds[0].hydraulic.fittings[0].count = 0; },
         "circuit 'K1' holds count = 0"},
        {"default fitting count", [](TProject& p) { p.options.defaultFittings[0].count = -3; },
         "project holds count = -3"},
        {"room identifiers", [](TProject& p) { p.rooms[1].roomId = p.rooms[0].roomId; },
         "rooms 'Nappali' and 'Konyha' share an id"},
        {"field identifiers",
         [](TProject& p) {
             p.rooms[0].fields.push_back(p.rooms[0].fields[0]);
             p.rooms[0].fields[1].area = 1;
         },
         "room 'Nappali' holds fieldId = 0 (twice)"},
    };
    const std::string sound = test::Bytes(Design());
    EXPECT_TRUE(test::Read(sound).SameContent(Design()));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TProject damaged = Design();
        c.plant(damaged);
        EXPECT_EQ(test::ThrownText([&] { test::Read(Damage(test::Bytes(damaged))); }), c.refusal);
    }

    // Cut short anywhere after the signature's first bytes: damaged, not foreign.
    for (std::size_t n : {std::size_t(1), std::size_t(10), std::size_t(25), sound.size() / 2, sound.size() - 1})
        EXPECT_EQ(test::ThrownText([&] { test::Read(sound.substr(0, n)); }), "damaged or truncated") << n;
    EXPECT_EQ(test::ThrownText([&] { test::Read("PK\x03\x04 not ours"); }), "Invalid file");
    EXPECT_EQ(test::ThrownText([&] { test::Read(""); }), "Invalid file");
}

// A number JSON cannot hold is written as null, never as a 0 that passes for a result.
TEST(DamagedFiles, JsonWritesNonFiniteNumbersAsNull)
{
    EXPECT_EQ(JsonNumber(kNaN), "null");
    EXPECT_EQ(JsonNumber(kInf), "null");
    EXPECT_EQ(JsonNumber(-kInf), "null");
    EXPECT_EQ(JsonNumber(0), "0");
    EXPECT_EQ(JsonObject().Number("q", kNaN).Str(), "{\"q\":null}");
}

// Data built in memory that no file could bring (a fitting counted -2 times) never
// make the bill list a negative or non-finite quantity: the row is left out and named.
TEST(DamagedFiles, TheBillListsNoImpossibleQuantity)
{
    test::ScopedLanguage lang;
    const TDevices devices(KALORINA_SOURCE_DIR "/data", "en");
    ASSERT_FALSE(devices.Failed());
    TProject p;
    p.AddNewRound();
    TResist elbow;
    elbow.resistName = "Vexalon PF-E90";
    elbow.listing = true;
    elbow.count = -2;
    p.rounds[0].hydraulic.fittings = {elbow};
    const TUsedMaterial bill = BuildUsedMaterials(p, devices);
    for (const TUsedMaterialItem& row : bill.rows) {
        EXPECT_TRUE(std::isfinite(row.quantity)) << row.name;
        EXPECT_GE(row.quantity, 0) << row.name;
    }
    ASSERT_EQ(bill.impossibleRows.size(), 1u);
    EXPECT_NE(bill.impossibleRows[0].find("PF-E90"), std::string::npos) << bill.impossibleRows[0];
}

// What the program writes always opens again: a result that came out infinite (a
// degenerate design) is stored as 0 for the next recalculation to compute, and a
// typed number beyond what a stored single holds is refused where it is typed.
TEST(DamagedFiles, TheProgramNeverWritesWhatItWouldRefuse)
{
    test::ScopedLanguage lang{DamageTexts()};
    TProject p = Design();
    p.rounds[0].hydraulic.valvePressureDrop = kInf;
    p.rounds[0].hydraulic.velocity = kNaN;
    const TProject back = test::Read(test::Bytes(p));
    EXPECT_EQ(back.rounds[0].hydraulic.valvePressureDrop, 0);
    EXPECT_EQ(back.rounds[0].hydraulic.velocity, 0);
    EXPECT_EQ(test::ThrownText([] { ParseNumber("1e39", NumberKind::Any); }), "Wrong value");
    EXPECT_EQ(test::ThrownText([] { ParseNumber("-1e39", NumberKind::Any); }), "Wrong value");
    EXPECT_EQ(static_cast<float>(ParseNumber("3e38", NumberKind::Any)), 3e38f);
}
