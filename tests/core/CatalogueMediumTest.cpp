#include <gtest/gtest.h>

#include <cmath>

#include "catalogue/ItemListDBItem.h"
#include "catalogue/MediumDBItem.h"

using namespace kalorina;

TEST(CatalogueMedium, PolynomialAndPoints)
{
    MediumFunction poly;
    poly.mode = 0;
    poly.polinomValues = {0.001f, -0.5f, 1000};
    EXPECT_NEAR(MediumDBItem::Evaluate(poly, 40), 981.6, 1e-4);
    poly.polinomValues.clear();
    EXPECT_EQ(MediumDBItem::Evaluate(poly, 40), 0);

    MediumFunction pts;
    pts.temperatures = {20, 80};
    pts.pointValues = {998.2f, 971.8f};
    EXPECT_NEAR(MediumDBItem::Evaluate(pts, 50), 985.0, 1e-3);
    // Three points: the quadratic through them, also outside their range.
    pts.temperatures = {0, 10, 20};
    pts.pointValues = {1, 2, 5};
    auto quad = [](double t) { return 1 + 0.01 * t * t; };
    EXPECT_NEAR(MediumDBItem::Evaluate(pts, 10), 2, 1e-9);
    EXPECT_NEAR(MediumDBItem::Evaluate(pts, 30), quad(30), 1e-4);
    EXPECT_NEAR(MediumDBItem::Evaluate(pts, -10), quad(-10), 1e-4);
}

TEST(CatalogueMedium, DefectiveCharacteristicsStayFinite)
{
    MediumFunction f;
    EXPECT_EQ(MediumDBItem::Evaluate(f, 40), 0); // no point
    f.temperatures = {20, 20};
    f.pointValues = {998, 990};
    EXPECT_EQ(MediumDBItem::Evaluate(f, 40), 998); // repeated temperature ignored
    f.temperatures = {20, 80, 50};
    f.pointValues = {998.2f, 971.8f}; // third point has no value
    EXPECT_NEAR(MediumDBItem::Evaluate(f, 50), 985.0, 1e-3);
    f.temperatures = {10, 20, 10, 30};
    f.pointValues = {1, 2, 100, 3};
    double v = MediumDBItem::Evaluate(f, 25);
    EXPECT_TRUE(std::isfinite(v));
    EXPECT_NEAR(v, 2.5, 1e-9);

    MediumDBItem m;
    m.characteristics = {f, f};
    m.characteristics[0].name = "ro";
    m.characteristics[1].name = "nu";
    EXPECT_EQ(m.FindCharacteristic("nu"), 1);
    EXPECT_EQ(m.FindCharacteristic("Nu"), -1);
}

TEST(CataloguePieceList, MakeUsedMaterialItem)
{
    ItemListDBItem list;
    list.entries = {{2, "", 2, "", "@KIT2"}, {3, "Golyóscsap", 1, "db", "GC1"}};
    auto row = list.MakeUsedMaterialItem(0, "K1", "Osztó készlet", "darab");
    ASSERT_TRUE(row);
    EXPECT_EQ(row->name, "Osztó készlet");
    EXPECT_EQ(row->unit, "darab");
    EXPECT_EQ(row->estimateCode, "@KIT2");
    EXPECT_EQ(row->catalogueId, "K1");
    EXPECT_FALSE(row->selected);
    row = list.MakeUsedMaterialItem(1, "K1", "Osztó készlet", "darab");
    EXPECT_EQ(row->name, "Golyóscsap");
    EXPECT_EQ(row->unit, "db");
    EXPECT_FALSE(list.MakeUsedMaterialItem(2, "K1", "x", "darab"));
}
