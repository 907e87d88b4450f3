#include <gtest/gtest.h>

#include <cmath>

#include "catalogue/ResistDBItem.h"
#include "catalogue/TubeDBItem.h"
#include "catalogue/ValveDBItem.h"

using namespace kalorina;

TEST(CatalogueTube, FrictionFactorBranches)
{
    // Laminar: Re = 0.05 * 12 / 3.673e-7 * 0.001 = 1633.5.
    double re = 0.05 * 12 / 3.673e-7 * 0.001;
    EXPECT_NEAR(re, 1633.5, 0.1);
    EXPECT_NEAR(TubeDBItem::FrictionFactor(0.05, 3.673e-7, 12, 0.007), 64 / re, 1e-12);
    EXPECT_EQ(TubeDBItem::FrictionFactor(0, 3.673e-7, 12, 0.007), 0.0);
    // Re exactly 2300 is turbulent: Colebrook-White, well below 64/2300 = 0.0278.
    double nu = 1e-6, d = 10;
    double v2300 = 2300 * nu / d / 0.001;
    double lt = TubeDBItem::FrictionFactor(v2300, nu, d, 0.007);
    EXPECT_GT(lt, 0.045);
    double x = 1 / std::sqrt(lt);
    EXPECT_NEAR(x, -2 * std::log10(2.51 * x / 2300 + 0.0007 / 3.61), 0.002);
    // Fully rough: 1 / A².
    double eps = 0.5 / 10, a = 1.14 - 2 * std::log10(eps);
    EXPECT_NEAR(TubeDBItem::FrictionFactor(100, 1e-6, 10, 0.5), 1 / (a * a), 1e-12);
    // Smooth wall: finite, close to Blasius at Re = 20000.
    double smooth = TubeDBItem::FrictionFactor(2, 1e-6, 10, 0);
    EXPECT_TRUE(std::isfinite(smooth));
    EXPECT_NEAR(smooth, 0.3164 / std::pow(20000.0, 0.25), 0.001);
    EXPECT_LT(smooth, TubeDBItem::FrictionFactor(2, 1e-6, 10, 0.007));
    // Nonsense input never yields NaN.
    EXPECT_EQ(TubeDBItem::FrictionFactor(1, 0, 10, 0), 0.0);
    EXPECT_EQ(TubeDBItem::FrictionFactor(1, 1e-6, 0, 0), 0.0);
}

TEST(CatalogueTube, SizesAndGradient)
{
    TubeDBItem tube;
    tube.nameBase = "PE-Xa cső %s, tekercs";
    TubeSubType s;
    s.sizeName = "16x2";
    s.d1 = 12;
    s.dn = 12;
    s.valveDN = 15;
    s.roughness = 0.007f;
    tube.sizes = {s, s};
    tube.sizes[1].d1 = 99;
    EXPECT_EQ(tube.DisplayName("16x2"), "PE-Xa cső 16x2, tekercs");
    tube.nameBase = "Cső ";
    EXPECT_EQ(tube.DisplayName("16x2"), "Cső 16x2");
    tube.nameBase = "100%% %s %d"; // only %s is a placeholder
    EXPECT_EQ(tube.DisplayName("16x2"), "100% 16x2 %d");
    EXPECT_EQ(tube.SizeValveDN("16x2"), 15);
    EXPECT_EQ(tube.SizeDN("20x2"), 0);
    EXPECT_EQ(tube.Velocity("20x2", 1e-4), 0.0);
    double V = 0.05 * 12 * 12 * M_PI * 2.5e-7; // first size of that name, d1 = 12
    EXPECT_NEAR(tube.Velocity("16x2", V), 0.05, 1e-12);
    double lambda = TubeDBItem::FrictionFactor(0.05, 3.673e-7, 12, 0.007);
    EXPECT_NEAR(tube.PressureGradient("16x2", V, 990, 3.673e-7), lambda * 990 * 0.0025 / 2 / 12 * 1000, 1e-9);
}

TEST(CatalogueValve, PositionDropModes)
{
    ValvePosition p{"1", 0.5f, 0};
    double V = 100.0 / 3600 / 971.9; // 100 kg/h of water at 971.9 kg/m³
    EXPECT_NEAR(ValveDBItem::PositionDrop(p, V, 971.9, kKvMode, 15), 4116, 1);
    EXPECT_EQ(ValveDBItem::PositionDrop(p, V, 971.9, kKvMode, 15),
              std::floor(ValveDBItem::PositionDrop(p, V, 971.9, kKvMode, 15)));
    p.resistValue = 2;
    double v = V / (15.0 * 15 * M_PI * 2.5e-7);
    EXPECT_EQ(ValveDBItem::PositionDrop(p, V, 971.9, kZetaMode, 15), std::floor(2 * 971.9 * 0.5 * v * v + 0.5));
    p.resistValue = 1234.4f;
    EXPECT_EQ(ValveDBItem::PositionDrop(p, V, 971.9, kDpMode, 15), 1234);
    EXPECT_EQ(ValveDBItem::PositionDrop(p, V, 971.9, kNoMode, 15), 0);
    p.resistValue = 0;
    EXPECT_EQ(ValveDBItem::PositionDrop(p, V, 971.9, kKvMode, 15), 0); // no division by zero
}

TEST(CatalogueValve, ChoosePosition)
{
    ValveDBItem valve;
    valve.resistMode = kDpMode;
    ValveSubType s;
    s.sizeName = "DN15";
    s.dn = 15;
    s.noiceLimit = 20000;
    s.positions = {{"1", 9000, 0}, {"2", 4000, 0}, {"3", 1000, 0}};
    valve.sizes = {s};
    auto c = valve.ChoosePosition("DN15", 5000, 1e-5, 1000);
    EXPECT_EQ(c.positionString, "2");
    EXPECT_EQ(c.pressureDrop, 5000);
    EXPECT_EQ(c.warning, kValveNoWarning);
    c = valve.ChoosePosition("DN15", 10500, 1e-5, 1000);
    EXPECT_EQ(c.positionString, "1");
    EXPECT_EQ(c.warning, kValveTooClosed);
    EXPECT_EQ(c.pressureDrop, 9000);
    c = valve.ChoosePosition("DN15", 9800, 1e-5, 1000);
    EXPECT_EQ(c.warning, kValveNoWarning);
    EXPECT_EQ(c.pressureDrop, 9000);
    c = valve.ChoosePosition("DN15", 8800, 1e-5, 1000);
    EXPECT_EQ(c.pressureDrop, 8800);
    c = valve.ChoosePosition("DN15", -300, 1e-5, 1000);
    EXPECT_EQ(c.positionString, "3");
    EXPECT_EQ(c.warning, kValveTooOpen);
    EXPECT_EQ(c.pressureDrop, 1000);
    c = valve.ChoosePosition("DN15", 1000.5, 1e-5, 1000);
    EXPECT_EQ(c.warning, kValveNoWarning);
    EXPECT_EQ(c.pressureDrop, 1000.5);
    // Tie between 9000 and 4000 at 6500: the earlier position wins.
    EXPECT_EQ(valve.ChoosePosition("DN15", 6500, 1e-5, 1000).positionString, "1");
    // Noise: the position's own limit first, else the size's.
    valve.sizes[0].positions[1].noiceLimit = 3000;
    EXPECT_EQ(valve.ChoosePosition("DN15", 5000, 1e-5, 1000).warning, kValveNoisy);
    valve.sizes[0].noiceLimit = 0;
    EXPECT_EQ(valve.ChoosePosition("DN15", 2000, 1e-5, 1000).warning, kValveNoisy);
    EXPECT_EQ(valve.ChoosePosition("DN20", 2000, 1e-5, 1000).positionString, "");
    EXPECT_EQ(valve.OpenDrop("DN15", 1e-5, 1000), 1000);
}

TEST(CatalogueValve, SizesAndNames)
{
    ValveDBItem valve;
    valve.nameBase = "Szelep %s";
    ValveSubType a, b;
    a.sizeName = "DN15";
    a.dn = 15;
    b.sizeName = "DN20";
    b.dn = 20;
    valve.sizes = {a, b};
    EXPECT_EQ(valve.SizeByDN(18), "DN20");
    valve.sizes[1].dn = 25;
    valve.sizes[1].sizeName = "DN25";
    EXPECT_EQ(valve.SizeByDN(20), "DN15"); // tie: the earlier
    EXPECT_EQ(ValveDBItem().SizeByDN(20), "");
    auto combo = valve.FillSizeCombo(true, "", "Auto");
    EXPECT_EQ(combo.entries, (std::vector<std::string>{"Auto", "DN15", "DN25"}));
    EXPECT_EQ(combo.selected, 0);
    EXPECT_EQ(valve.FillSizeCombo(true, "DN25", "Auto").selected, 2);
    EXPECT_EQ(valve.FillSizeCombo(false, "DN99", "Auto").selected, 0);
    EXPECT_EQ(valve.DisplayName("DN15"), "Szelep DN15");
}

TEST(CatalogueResist, SizeChoiceAndNames)
{
    ResistDBItem r;
    r.itemName = "Könyök";
    r.nameBase = "Könyök %s";
    r.defaultValue = 1.5f;
    r.sizes = {{"a", "", 15, 0.3f, ""}, {"b", "", 20, 0.4f, ""}, {"c", "Teljes név", 20, 0.5f, ""}};
    EXPECT_EQ(r.SizeByDN(20, 15), "b");
    EXPECT_EQ(r.SizeByDN(18, 15), "a");
    EXPECT_EQ(r.SizeByDN(18, 12), "");
    EXPECT_EQ(r.DisplayName("c", ""), "Teljes név");
    EXPECT_EQ(r.DisplayName("x", ""), "Könyök x");
    EXPECT_EQ(r.DisplayName("a", "16x2"), "Könyök a");
    EXPECT_EQ(r.ResistValue("b"), 1.5f);
    r.hasUniqueValues = true;
    EXPECT_FLOAT_EQ(r.ResistValue("b"), 0.4f);
    r.sizes.push_back({"", "", 25, 0, ""});
    r.sizes.back().sizeName = "";
    EXPECT_EQ(r.FillSizeCombo(false, "", "Auto").entries.size(), 3u);
    EXPECT_EQ(r.DisplayName("", "16x2"), "Könyök 16x2");
}
