#include <gtest/gtest.h>

#include <cmath>

#include "CalcTestSupport.h"
#include "TestLanguage.h"
#include "catalogue/DeviceKind.h"
#include "catalogue/FloorHeatDBItem.h"
#include "document/TProject.h"
#include "util/Error.h"

using namespace kalorina;

namespace {
using test::Plain;

// A field with given results, as read from a file.
FloorHeatingField Field(int id, float area, float power, float down = 0, int spacing = 200)
{
    FloorHeatingField f(40, 35);
    f.systemName = "FH";
    f.fieldId = static_cast<std::int16_t>(id);
    f.area = area;
    f.power = power;
    f.downPower = down;
    f.spacing = static_cast<std::int16_t>(spacing);
    return f;
}

FloorHeatingRoundField Part(const TProject& p, int roomIndex, int fieldId, float part)
{
    FloorHeatingRoundField r;
    const TRoomItem& room = p.rooms[roomIndex];
    r.AssignField(room.roomId, room.roomName, *room.FindField(fieldId));
    r.assignedPart = part;
    return r;
}

// Two rooms: A with fields of 600 W and 400 W (10 m² each), B with 20 m², 1600 + 400 W.
TProject TwoRooms()
{
    TProject p;
    p.AddNewRoom();
    p.AddNewRoom();
    p.rooms[0].fields = {Field(0, 10, 600), Field(1, 10, 400)};
    p.rooms[0].nextFieldId = 2;
    p.rooms[1].fields = {Field(0, 20, 1600, 400)};
    p.rooms[1].nextFieldId = 1;
    p.rooms[0].heatDemand = 1200;
    p.AddNewRound();
    TRoundItem& c = p.rounds[0];
    c.hydraulic.medium.forward = 40;
    c.hydraulic.medium.return_ = 35;
    c.roundFields = {Part(p, 0, 0, 10), Part(p, 0, 1, 10)};
    return p;
}
} // namespace

TEST(TRoundItem, FlowBalanceAndSeriesTemperatures)
{
    test::ScopedLanguage lang;
    const TDevices& d = test::CalcCatalogue();
    TProject p = TwoRooms();
    TRoundItem& c = p.rounds[0];
    ASSERT_TRUE(c.Recalculate(p, d));
    EXPECT_EQ(c.hydraulic.power, 1000);
    EXPECT_NEAR(c.hydraulic.massFlow, 1000.0 / 5 / 4173 * 3600, 1e-3); // ≈ 172.5 kg/h
    EXPECT_EQ(c.totalArea, 20);
    EXPECT_EQ(c.hydraulic.fieldsTubeLength, 100);
    EXPECT_EQ(c.hydraulic.tubeName, "PEX");  // from the first field's system
    for (const auto& part : c.roundFields) { // laid bifilar
        EXPECT_EQ(part.inletTemp, 40);
        EXPECT_EQ(part.outletTemp, 35);
    }
    c.connectionFlags = TRoundItem::kSeries;
    ASSERT_TRUE(c.Recalculate(p, d));
    EXPECT_FLOAT_EQ(c.roundFields[0].outletTemp, 37);
    EXPECT_FLOAT_EQ(c.roundFields[1].inletTemp, 37);
    EXPECT_NEAR(c.roundFields[1].outletTemp, 35, 1e-4);

    // The flow given: the return temperature follows.
    c.connectionFlags = TRoundItem::kMassFlowGiven;
    c.hydraulic.massFlow = 172.5f;
    c.hydraulic.medium.return_ = 0;
    ASSERT_TRUE(c.Recalculate(p, d));
    EXPECT_NEAR(c.hydraulic.medium.return_, 35, 0.01);
    EXPECT_EQ(c.hydraulic.massFlow, 172.5f);

    // A catalogue medium is evaluated at the new mean temperature.
    c.hydraulic.medium.mediumName = "Glycol";
    ASSERT_TRUE(c.Recalculate(p, d));
    double cp = 2 * (40 + c.hydraulic.medium.return_) / 2 + 3700;
    EXPECT_NEAR(c.hydraulic.medium.return_, 40 - 1000 / 172.5 * 3600 / cp, 0.02);
}

TEST(TRoundItem, DegenerateFlowsStayFinite)
{
    test::ScopedLanguage lang;
    const TDevices& d = test::CalcCatalogue();
    TProject p = TwoRooms();
    TRoundItem& c = p.rounds[0];
    c.connectionFlags = TRoundItem::kSeries;
    c.hydraulic.medium.return_ = 40; // no temperature drop: no flow
    ASSERT_TRUE(c.Recalculate(p, d));
    EXPECT_EQ(c.hydraulic.massFlow, 0);
    for (const auto& part : c.roundFields) {
        EXPECT_EQ(part.inletTemp, 40);
        EXPECT_EQ(part.outletTemp, 40);
    }
    // A medium without heat capacity, flow given.
    c.connectionFlags = TRoundItem::kSeries | TRoundItem::kMassFlowGiven;
    c.hydraulic.massFlow = 100;
    c.hydraulic.medium.mediumName = "Thin";
    ASSERT_TRUE(c.Recalculate(p, d));
    EXPECT_EQ(c.hydraulic.medium.return_, 40);
    EXPECT_EQ(c.roundFields[1].outletTemp, 40);
    EXPECT_TRUE(std::isfinite(c.hydraulic.velocity));

    // No parts: true, all sums 0; no power: false, temperatures left alone.
    TRoundItem empty(p.options);
    empty.connectionFlags = TRoundItem::kMassFlowGiven;
    empty.hydraulic.massFlow = 55;
    EXPECT_TRUE(empty.Recalculate(p, d));
    EXPECT_EQ(empty.hydraulic.massFlow, 55);
    EXPECT_EQ(empty.totalArea, 0);
    p.rooms[0].fields[0].power = 0;
    p.rooms[0].fields[1].power = 0;
    c.roundFields[0].inletTemp = 12;
    EXPECT_FALSE(c.Recalculate(p, d));
    EXPECT_EQ(c.roundFields[0].inletTemp, 12);
}

TEST(TRoundItem, SharesAndBrokenReferences)
{
    test::ScopedLanguage lang;
    const TDevices& d = test::CalcCatalogue();
    TProject p = TwoRooms();
    p.rounds[0].roundFields.push_back(Part(p, 1, 0, 8));
    TRoundItem& c = p.rounds[0];
    c.Recalculate(p, d);
    EXPECT_EQ(c.roundFields[2].partPower, 800);     // (1600 + 400) · 8 / 20
    EXPECT_EQ(c.roundFields[2].partTubeLength, 40); // 8 m² at 200 mm
    p.RecountAssignedSurfaces();
    EXPECT_EQ(p.rooms[1].fields[0].assignedArea, 8);
    EXPECT_FLOAT_EQ(p.rooms[1].UnassignedArea(), 12);
    p.ComputeTotals();
    EXPECT_FLOAT_EQ(p.remainderSurfaceSum, 12);
    EXPECT_FLOAT_EQ(p.roundPowers, 1.8f);
    EXPECT_FLOAT_EQ(p.tubeLengths, 140);

    // Deleting room B leaves the circuit and its part; the part is marked broken,
    // shows its area in red and keeps contributing its last power.
    p.DeleteItem(1, true);
    ASSERT_EQ(p.rounds.size(), 1u);
    EXPECT_EQ(p.rounds[0].roundFields[2].refState, FloorHeatingRoundField::kRoomMissing);
    EXPECT_EQ(p.rounds[0].roundFields[2].CellText(20, nullptr, Plain), "\\red8");
    EXPECT_EQ(p.RoomNameById(c.roundFields[2].roomRef), "");
    p.rounds[0].RefreshRoomNames(p);
    EXPECT_EQ(p.rounds[0].roundFields[2].roomRefName, "");
    ASSERT_TRUE(p.rounds[0].Recalculate(p, d));
    EXPECT_EQ(p.rounds[0].roundFields[2].refState, FloorHeatingRoundField::kFieldMissing);
    EXPECT_EQ(p.rounds[0].hydraulic.power, 1800);
    p.ComputeTotals();
    EXPECT_FLOAT_EQ(p.remainderSurfaceSum, 0);
    EXPECT_EQ(p.AddAssignedSurface(77, 0, 1), 1);
    EXPECT_EQ(p.AddAssignedSurface(p.rooms[0].roomId, 9, 1), 2);

    // The dialog's copy stands in for the stored circuit: a dropped part frees its area.
    TRoundItem copy = p.rounds[0];
    copy.DeleteField(0);
    EXPECT_EQ(p.RoomListNames(&copy, true), std::vector<std::string>{"Room"});
    EXPECT_EQ(p.rooms[0].fields[0].assignedArea, 0);
    EXPECT_TRUE(p.RoomListNames(nullptr, true).empty());
    EXPECT_EQ(p.rooms[0].fields[0].assignedArea, 10);

    copy.SwapFields(0, 1);
    EXPECT_EQ(copy.roundFields[1].fieldRef, 1);
    copy.SwapFields(0, 7); // out of range: nothing
    EXPECT_EQ(copy.CellText(0, Plain), "Circuit");
    EXPECT_EQ(copy.CellText(18, Plain), "PEX 16x2");
}

TEST(TRoomItem, SumsSplitAndCells)
{
    test::ScopedLanguage lang;
    const TDevices& d = test::CalcCatalogue();
    TRoomItem room(20);
    EXPECT_EQ(room.nextFieldId, 0);
    room.fields = {Field(0, 10, 900), Field(4, 6, 400), Field(2, 5, 0, 0, 0)};
    room.fields[0].assignedArea = 4;
    room.fields[1].assignedArea = 8;
    room.fields[2].assignedArea = 5;
    EXPECT_FLOAT_EQ(room.UnassignedArea(), 6);
    EXPECT_TRUE(room.HasUnassignedArea());
    EXPECT_FLOAT_EQ(room.EstimatedTubeLength(), 80); // the field without spacing adds nothing
    // Each field's metres go into the single sum unrounded: 1 m + 0.6667 m is the
    // single nearest to 1.66666668, not the sum of two rounded singles.
    TRoomItem fine(20);
    fine.fields = {Field(0, 0.1f, 0, 0, 100), Field(1, 0.1f, 0, 0, 150)};
    EXPECT_EQ(fine.EstimatedTubeLength(), 1.66666663f);
    room.heatDemand = 1500;
    EXPECT_EQ(room.CellText(7, Plain), "200");

    // Read back: nextFieldId follows the largest id.
    TMemoryStream s;
    room.WriteToStream(s);
    TMemoryStream in(s.Data());
    TRoomItem back;
    back.ReadFromStream(in, 256);
    EXPECT_EQ(back.nextFieldId, 5);
    EXPECT_EQ(back.fields.size(), 3u);

    // Splitting 8 m² off a 20 m² field.
    const auto& system = *d.Find<FloorHeatDBItem>(kFloorHeatingKind, "FH");
    FieldDesignInput input{40, 30, 20, 0, 0, 0, 0};
    TRoomItem r(20);
    r.fields.emplace_back().SetUp(system, "Tile", 0.01, 200, 0, 20, input, 0);
    r.nextFieldId = 1;
    EXPECT_EQ(r.SplitField(d, 0, 8), 1);
    ASSERT_EQ(r.fields.size(), 2u);
    EXPECT_FLOAT_EQ(r.fields[0].area, 12);
    EXPECT_FLOAT_EQ(r.fields[1].area, 8);
    EXPECT_EQ(r.fields[1].power, std::floor(8 * r.fields[1].specificOutput + 0.5f));
    EXPECT_EQ(r.SplitField(d, 1, 8), 1);
    EXPECT_EQ(r.SplitField(d, 0, 11.99995f), 0);
    EXPECT_EQ(r.fields.size(), 2u);
    EXPECT_EQ(r.SplitField(d, 9, 1), 9);
    EXPECT_FALSE(r.SetFieldTemperatures(d, 9, 45, 35));
    EXPECT_TRUE(r.SetFieldTemperatures(d, 1, 45, 35));
    EXPECT_EQ(r.fields[1].forward, 45);
}

TEST(TRoundItem, ApplyToFieldsSettles)
{
    test::ScopedLanguage lang;
    const TDevices& d = test::CalcCatalogue();
    const auto& system = *d.Find<FloorHeatDBItem>(kFloorHeatingKind, "FH");
    TProject p;
    p.AddNewRoom();
    p.AddNewRoom();
    FieldDesignInput input{40, 30, 20, 0, 0, 0, 0};
    p.rooms[0].fields.emplace_back().SetUp(system, "Tile", 0.01, 150, 0, 20, input, 0);
    p.rooms[0].nextFieldId = 1;
    p.rooms[1].fields.emplace_back().SetUp(system, "Parquet", 0.1, 100, 0, 12, input, 0);
    p.rooms[1].nextFieldId = 1;
    p.AddNewRound();
    TRoundItem& c = p.rounds[0];
    c.connectionFlags = TRoundItem::kSeries;
    c.hydraulic.medium.forward = 42;
    c.hydraulic.medium.return_ = 34;
    c.roundFields = {Part(p, 0, 0, 8), Part(p, 1, 0, 12)};
    p.modified = false;

    ASSERT_TRUE(c.ApplyToFields(p, d));
    EXPECT_TRUE(p.modified);
    EXPECT_FALSE(c.AnyFieldTemperaturesDiffer(p));
    ASSERT_EQ(p.rooms[0].fields.size(), 2u); // 8 of 20 m² split off
    EXPECT_EQ(c.roundFields[0].fieldRef, 1);
    const FloorHeatingField& first = p.rooms[0].fields[1];
    EXPECT_NEAR(first.forward, 42, 1e-4);
    EXPECT_NEAR(first.return_, c.roundFields[0].outletTemp, 0.05);
    EXPECT_NEAR(c.roundFields[1].outletTemp, 34, 1e-3);
    EXPECT_NEAR(c.hydraulic.power, (first.power + p.rooms[1].fields[0].power), 1e-3);
}

TEST(TRoundItem, ApplyToFieldsGivesUpWhenTemperaturesCannotSettle)
{
    test::ScopedLanguage lang;
    const TDevices& d = test::CalcCatalogue();
    const auto& system = *d.Find<FloorHeatDBItem>(kFloorHeatingKind, "FH");
    TProject p;
    p.AddNewRoom();
    FieldDesignInput input{40, 30, 20, 0, 0, 0, 0};
    p.rooms[0].fields.emplace_back().SetUp(system, "Tile", 0.01, 150, 0, 10, input, 0);
    p.rooms[0].nextFieldId = 1;
    p.AddNewRound();
    TRoundItem& c = p.rounds[0];
    c.connectionFlags = TRoundItem::kSeries;
    c.hydraulic.medium.forward = 40;
    c.hydraulic.medium.return_ = 30;
    // The same field twice in series: each part pulls it to other temperatures.
    c.roundFields = {Part(p, 0, 0, 10), Part(p, 0, 0, 10)};
    EXPECT_THROW(c.ApplyToFields(p, d), KalorinaError);
    const FloorHeatingField& f = p.rooms[0].fields[0];
    EXPECT_TRUE(std::isfinite(f.power));
    EXPECT_EQ(p.rooms[0].fields.size(), 1u);
}
