#include <gtest/gtest.h>

#include <cmath>

#include "CalcTestSupport.h"
#include "TestLanguage.h"
#include "calc/FloorHeatingField.h"
#include "calc/TMedium.h"
#include "calc/TResist.h"
#include "catalogue/DeviceKind.h"
#include "catalogue/FloorHeatDBItem.h"
#include "document/CalcRecords.h"
#include "document/Stream.h"
#include "util/Error.h"

using namespace kalorina;

namespace {
using test::Plain;

FloorHeatingField TileField(double area, int spacing, double below = 0, double downK = 0)
{
    const auto& system = *test::CalcCatalogue().Find<FloorHeatDBItem>(kFloorHeatingKind, "FH");
    FieldDesignInput in;
    in.forward = 40;
    in.ret = 30;
    in.inside = 20;
    in.below = below;
    in.downK = downK;
    FloorHeatingField f;
    f.SetUp(system, "Tile", 0.01, spacing, 0, area, in, 3);
    return f;
}
} // namespace

TEST(FloorHeatingField, SetUpComputesOutputPowersAndTube)
{
    // Log mean of 40/30 over 20 °C is 14.427 K; 5 W/m²K at 150 mm gives 72.1 W/m².
    FloorHeatingField f = TileField(12.5, 150, 20, 0.5);
    EXPECT_FLOAT_EQ(f.specificOutput, 72.1f);
    EXPECT_NEAR(f.surfaceTemp, 20 + std::pow(72.1 / 8.92, 0.909), 1e-4);
    EXPECT_EQ(f.power, 901);    // 12.5 · 72.1 = 901.25
    EXPECT_EQ(f.downPower, 90); // log mean towards 20 °C below
    EXPECT_FLOAT_EQ(f.tubeLength, 83.3f);
    EXPECT_EQ(f.fieldId, 3);
    EXPECT_EQ(f.zoneType, 0);

    // Below equal to the return temperature: the arithmetic mean, 35 - 30 = 5 K.
    EXPECT_EQ(TileField(12.5, 150, 30, 0.5).downPower, 31);

    // A spacing the system does not list keeps the output but still sums up; without
    // spacing there is no tube.
    FloorHeatingField none = TileField(10, 0);
    EXPECT_EQ(none.specificOutput, 0);
    EXPECT_EQ(none.tubeLength, 0);
    EXPECT_EQ(none.power, 0);
}

TEST(FloorHeatingField, RecomputeSnapsSpacingAndSteps)
{
    test::ScopedLanguage lang;
    const TDevices& d = test::CalcCatalogue();
    FloorHeatingField f = TileField(10, 150);
    f.spacing = 175; // tie between 150 and 200: the earlier wins
    f.Recompute(d, 20);
    EXPECT_EQ(f.spacing, 150);
    f.spacing = 180;
    f.Recompute(d, 20);
    EXPECT_EQ(f.spacing, 200);
    EXPECT_FLOAT_EQ(f.specificOutput, 57.7f); // 4 · 14.427

    f.Denser(d, 20);
    f.Denser(d, 20);
    EXPECT_EQ(f.spacing, 100);
    FloorHeatingField before = f;
    EXPECT_THROW(f.Denser(d, 20), KalorinaError);
    EXPECT_EQ(f, before);
    f.Wider(d, 20);
    f.Wider(d, 20);
    EXPECT_THROW(f.Wider(d, 20), KalorinaError);
    EXPECT_EQ(f.spacing, 200);

    f.spacing = 125;
    EXPECT_THROW(f.Denser(d, 20), KalorinaError); // not a listed spacing
    f.systemName = "gone";
    try {
        f.Recompute(d, 20);
        FAIL();
    } catch (const KalorinaError& e) {
        EXPECT_FALSE(std::string(e.what()).empty());
    }
    // Temperatures that do not fall towards the room fail and leave zeros behind.
    FloorHeatingField hot = TileField(10, 150);
    hot.return_ = 45;
    EXPECT_THROW(hot.Recompute(d, 20), KalorinaError);
    EXPECT_EQ(hot.specificOutput, 0);
}

TEST(FloorHeatingField, CellsZoneLimitAndTemperatureTolerance)
{
    test::ScopedLanguage lang(std::map<std::string, std::string>{{"IDS_FHZoneType+0", "Occupied"}});
    FloorHeatingField f = TileField(10, 100); // 86.6 W/m²: about 28.0 °C
    EXPECT_TRUE(f.WithinZoneLimit());
    EXPECT_EQ(f.CellText(11, Plain), "Occupied");
    f.surfaceTemp = 29.0f;
    EXPECT_EQ(f.CellText(12, Plain), "29");
    f.surfaceTemp = 29.05f;
    EXPECT_EQ(f.CellText(12, Plain), "\\red29.05");
    f.zoneType = -1;
    EXPECT_EQ(f.CellText(11, Plain), "");
    EXPECT_EQ(f.CellText(12, Plain), "29.05"); // no zone, no limit
    f.assignedArea = 12;
    EXPECT_EQ(f.CellText(17, Plain), "\\red12");
    EXPECT_EQ(f.CellText(23, Plain), "4");
    EXPECT_EQ(f.CellText(99, Plain), "");

    f.forward = 45;
    f.return_ = 35;
    EXPECT_FALSE(f.TemperaturesDiffer(45.04, 35.0));
    EXPECT_TRUE(f.TemperaturesDiffer(45.06, 35.0));
    EXPECT_TRUE(f.TemperaturesDiffer(45.0, 34.9));

    f.SetUpSum(30, 20, 2000, 300, 150);
    EXPECT_EQ(f.spacing, 0);
    EXPECT_EQ(f.CellText(3, Plain), "");
    EXPECT_EQ(f.CellText(16, Plain), "2300");
}

TEST(FloorHeatingField, RecordLayoutAndRoundTrip)
{
    FloorHeatingField f = TileField(12.5, 150, 18, 0.4);
    f.assignedArea = 5; // transient: never written
    f.systemName = "FH";
    f.coveringName = "Tile";
    TMemoryStream s;
    WriteField(s, f);
    // Two stream strings (2+3, 2+5), 11 floats and 3 16-bit integers.
    EXPECT_EQ(s.Size(), 5u + 7u + 11 * 4 + 3 * 2);
    TMemoryStream in(s.Data());
    FloorHeatingField back;
    ReadField(in, back);
    EXPECT_EQ(back.assignedArea, 0);
    back.assignedArea = 5;
    EXPECT_EQ(back, f);
    for (std::size_t n = 0; n < s.Size(); ++n) {
        TMemoryStream cut(s.Data().substr(0, n));
        FloorHeatingField g;
        EXPECT_THROW(ReadField(cut, g), KalorinaError);
    }
}

TEST(TMedium, ResetAndCatalogueProperties)
{
    test::ScopedLanguage lang;
    const TDevices& d = test::CalcCatalogue();
    TMedium m;
    EXPECT_EQ(m.mediumName, "Water");
    EXPECT_EQ(m.forward, 0);
    m.forward = 40;
    m.return_ = 30;
    m.UpdateProperties(d); // not in the catalogue: unchanged
    EXPECT_FLOAT_EQ(m.density, 971.9f);
    EXPECT_FLOAT_EQ(m.specificHeat, 4173);
    m.mediumName = "Glycol";
    m.UpdateProperties(d); // evaluated at 35 °C
    EXPECT_FLOAT_EQ(m.density, 1030);
    EXPECT_FLOAT_EQ(m.specificHeat, 3770);
    EXPECT_FLOAT_EQ(m.viscosity, 2e-6f);
    m.mediumName = "Thin";
    m.UpdateProperties(d);
    EXPECT_EQ(m.viscosity, 0);
    EXPECT_EQ(m.specificHeat, 0);
}

TEST(TResist, PressureDropInEveryMode)
{
    test::ScopedLanguage lang;
    const TDevices& d = test::CalcCatalogue();
    TResist unique;
    unique.unique = 1;
    unique.resistName = "Bend";
    unique.resistMode = 1;
    unique.value = 2;
    unique.count = 3;
    EXPECT_FLOAT_EQ(unique.Compute(d, 12, 15, 1e-4, 30, 1000), 180.0f); // 3 · 2 · 30 Pa
    unique.dn = 20;                                                     // own bore: v = 0.318 m/s, 50.66 Pa
    unique.count = 1;
    unique.value = 1.5f;
    EXPECT_FLOAT_EQ(unique.Compute(d, 12, 15, 1e-4, 30, 1000), 76.0f);
    EXPECT_EQ(unique.CellText(d, 8, Plain), "Bend 20");
    unique.resistMode = 0;
    unique.value = 0;
    EXPECT_EQ(unique.Compute(d, 12, 15, 1e-4, 30, 1000), 0);
    unique.resistMode = 2;
    unique.value = 1234.56f;
    EXPECT_FLOAT_EQ(unique.Compute(d, 12, 15, 1e-4, 30, 1000), 1234.6f);

    // Catalogue fitting: mode and value come from the item, the size from the tube.
    TResist elbow;
    elbow.SelectItem(d, "Elbow");
    elbow.count = 2;
    float drop = elbow.Compute(d, 12, 15, 1e-4, 30, 1000);
    EXPECT_EQ(elbow.autoSizeName, "E12");
    EXPECT_EQ(elbow.dn, 12);
    double v = 1e-4 / (144 * M_PI * 2.5e-7);
    EXPECT_NEAR(drop, std::floor(10 * 2 * 1.5 * 500 * v * v + 0.5) / 10, 1e-3);
    EXPECT_EQ(elbow.CellText(d, 8, Plain), "Elbow E12");
    EXPECT_EQ(elbow.CellText(d, 2, Plain), "Auto");
    elbow.sizeName = "E99";
    elbow.Compute(d, 12, 15, 1e-4, 30, 1000);
    EXPECT_EQ(elbow.errors, TResist::kSizeMissing | TResist::kZetaWithoutSize);
    EXPECT_EQ(elbow.pressureDrop, 0);
    EXPECT_EQ(elbow.CellText(d, 9, Plain), "\\red E99");

    TResist ball;
    ball.SelectItem(d, "Ball"); // kv 2: 0.36 m³/h → (0.18)² bar
    EXPECT_FLOAT_EQ(ball.Compute(d, 12, 15, 1e-4, 30, 1000), 3240.0f);
    EXPECT_EQ(ball.autoSizeName, "B15"); // by the valve DN

    TResist gone = elbow;
    gone.resistName = "Gone";
    gone.sizeName.clear();
    EXPECT_EQ(gone.Compute(d, 12, 15, 1e-4, 30, 1000), 0);
    EXPECT_EQ(gone.errors, TResist::kItemMissing | TResist::kZetaWithoutSize);
    EXPECT_EQ(gone.CellText(d, 1, Plain), "\\redGone");
    // Nothing to compute from a zero flow.
    EXPECT_EQ(ball.Compute(d, 12, 15, 0, 0, 0), 0);
}

TEST(TResist, RecordRoundTrip)
{
    TResist r;
    r.count = 4;
    r.resistName = "Elbow";
    r.sizeName = "E12";
    r.autoSizeName = "E20";
    r.dn = 20;
    r.resistMode = 1;
    r.value = 1.5f;
    r.listing = 1;
    r.pressureDrop = 12.5f;
    r.errors = 2;
    TMemoryStream s;
    WriteResist(s, r);
    EXPECT_EQ(s.Size(), 2u + 8 + 6 + 6 + 2 + 2 + 4 + 2 + 2 + 4 + 2);
    TMemoryStream in(s.Data());
    TResist back;
    ReadResist(in, back);
    EXPECT_EQ(back, r);
}
