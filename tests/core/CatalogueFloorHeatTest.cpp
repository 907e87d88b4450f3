#include <gtest/gtest.h>

#include <cmath>

#include "catalogue/FloorHeatDBItem.h"
#include "util/Error.h"

using namespace kalorina;

namespace {
// Exponent 0 makes each output independent of the temperatures: q = steep + intercept.
FloorHeatDBItem ConstantSystem(std::initializer_list<float> outputs, std::initializer_list<std::int16_t> spacings)
{
    FloorHeatDBItem fh;
    for (auto s : spacings)
        fh.distances.push_back({s, ""});
    FloorHeatSurfaceType sf;
    sf.surfaceName = "tile";
    int i = 0;
    for (float q : outputs) {
        sf.lineSteep[i] = q;
        sf.exponent[i] = 0;
        ++i;
    }
    sf.equationCount = i;
    fh.surfaces.push_back(sf);
    return fh;
}

FloorHeatDBItem TwoCoverings()
{
    FloorHeatDBItem fh;
    fh.distances = {{100, ""}, {200, ""}};
    FloorHeatSurfaceType a, b;
    a.heatResist = 0.05f;
    b.heatResist = 0.10f;
    for (int s = 0; s < 2; ++s) {
        a.lineSteep[s] = 6.0f - s;
        b.lineSteep[s] = 4.0f - s;
    }
    a.surfaceTempFactor[0] = 1.0f;
    b.surfaceTempFactor[0] = 1.2f;
    fh.surfaces = {a, b};
    return fh;
}

FieldDesignInput Input(double power, double area)
{
    FieldDesignInput in;
    in.forward = 45;
    in.ret = 35;
    in.inside = 20;
    in.power = power;
    in.area = area;
    in.below = 20;
    in.downK = 0.5;
    return in;
}
} // namespace

TEST(CatalogueFloorHeat, EquationOfOneCoveringAndSpacing)
{
    FloorHeatDBItem fh;
    fh.distances = {{100, ""}};
    FloorHeatSurfaceType sf;
    sf.lineSteep[0] = 6;
    fh.surfaces = {sf};
    EXPECT_DOUBLE_EQ(fh.CoveringOutput(0, 0, 20), 120.0);
    fh.surfaces[0].lineyIntersection[0] = -200;
    EXPECT_EQ(fh.CoveringOutput(0, 0, 20), 0.0);
    // A negative base with a fractional exponent is undefined: it counts as 0, not NaN.
    fh.surfaces[0].exponent[0] = 1.1f;
    EXPECT_EQ(fh.CoveringOutput(0, 0, -5), 0.0);
    EXPECT_NEAR(fh.CoveringSurfaceTemperature(0, 0, 89.2, 20), 20 + std::pow(10.0, 0.909), 1e-9);
    EXPECT_NEAR(fh.CoveringSurfaceTemperature(0, 0, 89.2, 20), 28.11, 0.005);
}

TEST(CatalogueFloorHeat, LogMeanDifferenceNeedsFallingTemperatures)
{
    EXPECT_NEAR(FloorHeatDBItem::LogMeanDifference(45, 35, 20), 10 / std::log(25.0 / 15.0), 1e-6);
    EXPECT_THROW(FloorHeatDBItem::LogMeanDifference(35, 35, 20), KalorinaError);
    EXPECT_THROW(FloorHeatDBItem::LogMeanDifference(45, 20, 20), KalorinaError);
    EXPECT_THROW(FloorHeatDBItem::LogMeanDifference(30, 35, 20), KalorinaError);
}

TEST(CatalogueFloorHeat, BracketingByResistance)
{
    FloorHeatDBItem fh = TwoCoverings();
    const double dt = 20;
    EXPECT_DOUBLE_EQ(fh.SpecificOutput(dt, 0.05, 0), 120.0);
    EXPECT_DOUBLE_EQ(fh.SpecificOutput(dt, 0.10, 0), 80.0);
    EXPECT_NEAR(fh.SpecificOutput(dt, 0.075, 0), 100.0, 1e-4);
    EXPECT_NEAR(fh.SpecificOutput(dt, 0.075, 1), 80.0, 1e-4);
    // Beyond the 1 % tolerance there is no value at all.
    EXPECT_EQ(fh.SpecificOutput(dt, 0.102, 0), 0.0);
    EXPECT_EQ(fh.SpecificOutput(dt, 0.0494, 0), 0.0);
    // Just below the first covering: extrapolated from the first two (weight above 1).
    double w = (0.10f - double(0.04975f)) / (0.10f - double(0.05f));
    EXPECT_NEAR(fh.SpecificOutput(dt, 0.04975, 0), w * 120 + (1 - w) * 80, 1e-6);
    EXPECT_GT(fh.SpecificOutput(dt, 0.04975, 0), 120.0);
    // Just above the last covering, within the tolerance: the last covering alone.
    EXPECT_DOUBLE_EQ(fh.SpecificOutput(dt, 0.1005, 0), 80.0);
    // Surface temperatures interpolate with the same q under both coverings.
    double ta = fh.CoveringSurfaceTemperature(0, 0, 100, 20), tb = fh.CoveringSurfaceTemperature(1, 0, 100, 20);
    EXPECT_NEAR(fh.SurfaceTemperature(100, 20, 0.075, 0), (ta + tb) / 2, 1e-6);
    EXPECT_EQ(fh.SurfaceTemperature(100, 20, 0.2, 0), 0.0);
    // A spacing index outside the list, or no coverings at all, gives 0 rather than garbage.
    EXPECT_EQ(fh.SpecificOutput(dt, 0.05, 5), 0.0);
    EXPECT_EQ(FloorHeatDBItem().SpecificOutput(dt, 0, 0), 0.0);
}

TEST(CatalogueFloorHeat, SpacingRow)
{
    FloorHeatDBItem fh = ConstantSystem({100, 80, 60}, {100, 150, 200});
    SpacingRowResult row = fh.SpacingRow(0, 1, Input(1000, 20));
    EXPECT_EQ(row.spacing, 150);
    EXPECT_FLOAT_EQ(row.q, 80);
    EXPECT_FLOAT_EQ(row.area, 12.5f); // Round1(1000 / 80)
    EXPECT_FLOAT_EQ(row.power, 1000);
    // Space below at room temperature, below the return: log-mean difference to it.
    EXPECT_NEAR(row.downPower, 12.5 * FloorHeatDBItem::LogMeanDifference(45, 35, 20) * 0.5, 1e-3);
    // More power than the area can give: the area is capped.
    row = fh.SpacingRow(0, 2, Input(5000, 20));
    EXPECT_FLOAT_EQ(row.area, 20);
    EXPECT_FLOAT_EQ(row.power, 1200);
    // A space below warmer than the return: the arithmetic mean difference.
    FieldDesignInput warm = Input(1000, 20);
    warm.below = 38;
    row = fh.SpacingRow(0, 0, warm);
    EXPECT_NEAR(row.downPower, 10 * (40 - 38) * 0.5, 1e-4);
    // No power asked: only q and tf.
    row = fh.SpacingRow(0, 0, Input(0, 20));
    EXPECT_FLOAT_EQ(row.q, 100);
    EXPECT_GT(row.tf, 20);
    EXPECT_EQ(row.area, 0);
    EXPECT_THROW(fh.SpacingRow(0, 0,
                               [] {
                                   auto in = Input(1, 1);
                                   in.ret = 50;
                                   return in;
                               }()),
                 KalorinaError);
}

TEST(CatalogueFloorHeat, SpacingRowWorksOnItsStoredSingles)
{
    // An interpolated q that a single cannot hold exactly, and a request whose
    // quotient by the stored q lies on a rounding boundary (5.15 m²): the row's
    // later values follow from its stored q and area, as a field made from it does.
    FloorHeatDBItem fh;
    fh.distances = {{100, ""}};
    FloorHeatSurfaceType a, b;
    a.heatResist = 0.05f;
    b.heatResist = 0.15f;
    a.lineSteep[0] = 100;
    b.lineSteep[0] = 70;
    a.exponent[0] = b.exponent[0] = 0;
    fh.surfaces = {a, b};
    const double R = 0.0501;
    const float q = fh.SpacingRow(R, 0, Input(0, 20)).q;
    ASSERT_NE(double(q), fh.SpecificOutput(20, R, 0));
    SpacingRowResult row = fh.SpacingRow(R, 0, Input(q * (5.1 + 0.05), 20));
    EXPECT_EQ(row.area, 5.1f);
    EXPECT_EQ(row.power, static_cast<float>(double(row.area) * q));
    EXPECT_EQ(row.tf, static_cast<float>(fh.SurfaceTemperature(q, 20, R, 0)));
    EXPECT_EQ(row.downPower,
              static_cast<float>(double(row.area) * FloorHeatDBItem::LogMeanDifference(45, 35, 20) * 0.5));
}

TEST(CatalogueFloorHeat, OptimumSplitThresholds)
{
    FloorHeatDBItem fh = ConstantSystem({100, 80, 60}, {100, 150, 200});
    // t = 0.08 of 40 m²: 3.2 m² is below both thresholds, all at the wider spacing.
    OptimumSplitResult r = fh.OptimumSplit(0, Input(81.6 * 40, 40));
    EXPECT_EQ(r.spacing1, 150);
    EXPECT_DOUBLE_EQ(r.area1, 40);
    EXPECT_EQ(r.spacing2, 0);
    // t = 0.08 of 100 m²: 8 m² reaches 5 m², both spacings are used.
    r = fh.OptimumSplit(0, Input(81.6 * 100, 100));
    EXPECT_EQ(r.spacing1, 100);
    EXPECT_NEAR(r.area1, 8.0, 1e-9);
    EXPECT_EQ(r.spacing2, 150);
    EXPECT_NEAR(r.area2, 92.0, 1e-9);
    // Even the densest spacing is not enough: all of it at the densest.
    r = fh.OptimumSplit(0, Input(200 * 10, 10));
    EXPECT_EQ(r.spacing1, 100);
    EXPECT_DOUBLE_EQ(r.area1, 10);
    // The widest suffices: only the area needed.
    r = fh.OptimumSplit(0, Input(300, 10));
    EXPECT_EQ(r.spacing1, 200);
    EXPECT_NEAR(r.area1, 5.0, 1e-9);
    // Out of the covering range every q is 0: densest spacing for the whole area.
    fh.surfaces[0].heatResist = 0.1f;
    r = fh.OptimumSplit(0.5, Input(300, 10));
    EXPECT_EQ(r.spacing1, 100);
    EXPECT_DOUBLE_EQ(r.area1, 10);
    EXPECT_EQ(FloorHeatDBItem().OptimumSplit(0, Input(300, 10)).spacing1, 0);
}

TEST(CatalogueFloorHeat, SpacingsAndZones)
{
    FloorHeatDBItem fh = ConstantSystem({1, 1, 1}, {100, 150, 200});
    int s = 175;
    EXPECT_EQ(fh.NearestSpacing(s), 1);
    EXPECT_EQ(s, 150);
    s = 180;
    EXPECT_EQ(fh.NearestSpacing(s), 2);
    EXPECT_EQ(s, 200);
    s = 42;
    EXPECT_EQ(FloorHeatDBItem().NearestSpacing(s), -1);
    EXPECT_EQ(s, 42);
    EXPECT_EQ(fh.SpacingIndex(150), 1);
    EXPECT_EQ(fh.SpacingIndex(151), -1);

    auto fmt = [](double v) { return std::to_string(std::lround(v * 100)); };
    SpacingRowResult row;
    row.tf = 29.0f;
    EXPECT_EQ(FloorHeatDBItem::ChooseRowCellText(2, row, 0, fmt), "2900");
    row.tf = 29.05f;
    EXPECT_EQ(FloorHeatDBItem::ChooseRowCellText(2, row, 0, fmt), "\\red2905");
    EXPECT_EQ(FloorHeatDBItem::ChooseRowCellText(2, row, 2, fmt), "2905");
    row.tf = 40;
    EXPECT_EQ(FloorHeatDBItem::ChooseRowCellText(2, row, -1, fmt), "4000"); // no zone, no limit
    EXPECT_EQ(FloorHeatDBItem::ZoneSurfaceLimit(1), 35.0);
    EXPECT_EQ(FloorHeatDBItem::ZoneSurfaceLimit(2), 33.0);
}
