// The room-by-room heat load, checked against a room worked by hand.
#include <gtest/gtest.h>

#include "ProjectTestSupport.h"
#include "app/HeatLoadEditor.h"
#include "app/RoomEditor.h"
#include "building/BuildingJson.h"
#include "building/HeatLoad.h"
#include "catalogue/TDevices.h"
#include "document/StoredRanges.h"
#include "document/TProject.h"
#include "history/History.h"
#include "util/Error.h"

using namespace kalorina;

namespace {

// A living room of 20 m2 at 20 °C under a design outdoor temperature of -13 °C
// (θint - θe = 33 K) and an annual mean of 10 °C, 2.5 m high (V = 50 m3):
//   outside wall  10 m2, U 0.24 + 0.05        H = 10 · 0.29               =  2.900000 W/K   95.7 W
//   window         4 m2, U 1.10 + 0.05        H =  4 · 1.15               =  4.600000      151.8 W
//   floor on ground 20 m2, U 0.30             f = 1.45 · (20-10)/33       =  0.439394
//                                             H = 20 · 0.30 · f           =  2.636364       87.0 W
//   wall to a stair 8 m2 at 10 °C, U 0.50     b_u = (20-10)/33            =  0.303030
//                                             H = 8 · 0.55 · b_u          =  1.333333       44.0 W
//   wall to a bath  6 m2 at 24 °C, U 1.50     f = (20-24)/33              = -0.121212
//                                             H = 6 · 1.50 · f            = -1.090909      -36.0 W
//   transmission                              ΣH = 10.378788 W/K · 33 K               342.5 W
//   air: V_min = 0.5 · 50 = 25 m3/h; V_inf = 2 · 50 · 3.0 · 0.02 · 1.0 = 6 m3/h
//        Φ_V = 0.34 · 25 · 33                                                       280.5 W
//   heating up 0; the room's load                                                   623.0 W
TRoomItem LivingRoom()
{
    TRoomItem room;
    room.roomName = "Living";
    room.floorArea = 20;
    room.roomTemperature = 20;
    RoomHeatLoad data;
    data.height = 2.5f;
    data.minAirChange = 0.5f;
    data.exposedFacades = 1;
    auto element = [](const char* name, ElementType type, float area, float u, Boundary b) {
        HeatElement e;
        e.name = name;
        e.type = type;
        e.area = area;
        e.u = u;
        e.boundary = b;
        return e;
    };
    data.elements = {element("wall", ElementType::Wall, 10, 0.24f, Boundary::Outside),
                     element("window", ElementType::Window, 4, 1.1f, Boundary::Outside),
                     element("floor", ElementType::Floor, 20, 0.3f, Boundary::Ground),
                     element("stair", ElementType::Wall, 8, 0.5f, Boundary::Unheated),
                     element("bath", ElementType::Wall, 6, 1.5f, Boundary::Heated)};
    data.elements[3].temperature = 10;
    data.elements[4].temperature = 24;
    room.heatLoad = data;
    return room;
}

} // namespace

TEST(HeatLoad, ARoomWorkedByHand)
{
    const RoomLoad load = RoomHeatLoadOf(LivingRoom(), ProjectHeatLoad{});
    ASSERT_EQ(load.elements.size(), 5u);
    const double watts[] = {95.7, 151.8, 87.0, 44.0, -36.0};
    const double factors[] = {1, 1, 1.45 * 10 / 33, 10.0 / 33, -4.0 / 33};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_NEAR(load.elements[i].watts, watts[i], 1e-4) << load.elements[i].name;
        EXPECT_NEAR(load.elements[i].factor, factors[i], 1e-6) << load.elements[i].name;
    }
    EXPECT_NEAR(load.transmissionH, 10.378788, 1e-5);
    EXPECT_NEAR(load.transmission, 342.5, 1e-3);
    EXPECT_NEAR(load.minimumAir, 25, 1e-6);
    EXPECT_NEAR(load.infiltration, 6, 1e-5);
    EXPECT_NEAR(load.ventilation, 280.5, 1e-3);
    EXPECT_NEAR(load.total, 623.0, 1e-3);
}

TEST(HeatLoad, BoundaryVariantsAirAndHeatingUp)
{
    TRoomItem room = LivingRoom();
    ProjectHeatLoad climate;
    // Groundwater within a metre raises the ground's factor by 15 %.
    climate.groundwaterShallow = true;
    EXPECT_NEAR(RoomHeatLoadOf(room, climate).elements[2].watts, 87.0 * 1.15, 1e-3);
    // An unheated space by its factor instead of its temperature; an element's own
    // thermal-bridge supplement.
    room.heatLoad->elements[3].temperature.reset();
    room.heatLoad->elements[3].bu = 0.5f;
    room.heatLoad->elements[0].thermalBridge = 0.1f;
    RoomLoad load = RoomHeatLoadOf(room, ProjectHeatLoad{});
    EXPECT_NEAR(load.elements[3].watts, 8 * 0.55 * 0.5 * 33, 1e-3);
    EXPECT_NEAR(load.elements[0].watts, 10 * 0.34 * 33, 1e-3);

    // The larger of the two air flows counts: a leaky house on the open plain.
    climate = ProjectHeatLoad{};
    climate.n50 = 10;
    climate.shielding = Shielding::None;
    room.heatLoad->exposedFacades = 2;
    load = RoomHeatLoadOf(room, climate);
    EXPECT_NEAR(load.infiltration, 2 * 50 * 10 * 0.05, 1e-4);
    EXPECT_NEAR(load.ventilation, 0.34 * 50 * 33, 1e-3);
    room.heatLoad->heightAboveGround = 31;
    EXPECT_NEAR(RoomHeatLoadOf(room, climate).infiltration, 2 * 50 * 10 * 0.05 * 1.5, 1e-4);

    room.heatLoad->heatingUp = 11;
    EXPECT_NEAR(RoomHeatLoadOf(room, climate).heatingUp, 220, 1e-6);

    // The tables of e and ε at their edges.
    const double e[3][3] = {{0, 0.03, 0.05}, {0, 0.02, 0.03}, {0, 0.01, 0.02}};
    for (int s = 0; s < 3; ++s)
        for (int f = 0; f < 3; ++f)
            EXPECT_DOUBLE_EQ(ShieldingCoefficient(static_cast<Shielding>(s), f), e[s][f]);
    EXPECT_DOUBLE_EQ(HeightCorrection(10), 1.0);
    EXPECT_DOUBLE_EQ(HeightCorrection(10.5), 1.2);
    EXPECT_DOUBLE_EQ(HeightCorrection(30), 1.2);
    EXPECT_DOUBLE_EQ(HeightCorrection(30.5), 1.5);
}

TEST(HeatLoad, AppliedRoundedExceptWhereTheTypedValueIsKept)
{
    TProject p;
    p.rooms.push_back(LivingRoom());
    TRoomItem kept = LivingRoom();
    kept.roomName = "Kept";
    kept.roomId = 2;
    kept.heatDemand = 700;
    kept.heatLoad->manual = true;
    p.rooms.push_back(kept);
    TRoomItem plain;
    plain.roomName = "Plain";
    plain.roomId = 3;
    plain.heatDemand = 500;
    p.rooms.push_back(plain);
    EXPECT_EQ(ApplyHeatLoads(p), 1);
    EXPECT_EQ(p.rooms[0].heatDemand, 623.0f);
    EXPECT_EQ(p.rooms[1].heatDemand, 700.0f);
    EXPECT_EQ(p.rooms[2].heatDemand, 500.0f);
    const BuildingLoad b = BuildingHeatLoad(p);
    ASSERT_EQ(b.rooms.size(), 2u);
    EXPECT_NEAR(b.total, 2 * 623.0, 1e-3);
}

TEST(HeatLoad, StoredBesideTheRoomsAndReadBack)
{
    TProject p;
    p.rooms.push_back(LivingRoom());
    p.rooms[0].roomId = 1;
    p.rooms[0].heatLoad->manual = true;
    p.rooms[0].heatLoad->elements[0].thermalBridge = 0.1f;
    p.heatLoad.outdoorTemperature = -15;
    p.heatLoad.shielding = Shielding::Heavy;
    p.heatLoad.groundwaterShallow = true;
    const TProject back = test::Read(test::Bytes(p));
    EXPECT_TRUE(back.SameContent(p));
    ASSERT_TRUE(back.rooms[0].heatLoad);
    EXPECT_EQ(*back.rooms[0].heatLoad, *p.rooms[0].heatLoad);

    // A project without such data keeps the bytes it had: no record is added.
    TProject plain;
    const std::string bytes = test::Bytes(plain);
    EXPECT_EQ(test::Bytes(test::Read(bytes)), bytes);
    EXPECT_FALSE(test::Read(bytes).rooms.size());

    // A negative area or U-value makes the room meaningless: the file is refused.
    TProject bad = p;
    bad.rooms[0].heatLoad->elements[1].u = -1;
    EXPECT_THROW(test::Read(test::Bytes(bad)), KalorinaError);
}

// A wall of 0.30 m brick (λ 0.60) and 0.15 m insulation (λ 0.04), heat flowing
// horizontally: R = 0.13 + 0.5 + 3.75 + 0.04 = 4.42 m2K/W, U = 0.226244.  Towards
// the ground without the outside surface: R = 4.38, U = 0.228311; upwards 0.10 and
// downwards 0.17 inside.  Every element of the construction follows a change to it.
TEST(HeatLoad, ConstructionsFromLayersAreSharedByTheirElements)
{
    Construction wall;
    wall.name = "Brick + EPS";
    wall.layered = true;
    wall.layers = {{"brick", 0.30f, 0.60f}, {"EPS", 0.15f, 0.04f}};
    EXPECT_NEAR(ConstructionU(wall), 1 / 4.42, 1e-6);
    wall.outsideSurface = false;
    EXPECT_NEAR(ConstructionU(wall), 1 / 4.38, 1e-6);
    wall.flow = HeatFlow::Upward;
    EXPECT_NEAR(ConstructionU(wall), 1 / 4.35, 1e-6);
    wall.flow = HeatFlow::Downward;
    EXPECT_NEAR(ConstructionU(wall), 1 / 4.42, 1e-6);
    wall.layers[1].conductivity = 0; // not yet typed: no U rather than a division by zero
    EXPECT_EQ(ConstructionU(wall), 0);

    TProject p;
    p.heatLoad.constructions.push_back({"Typed", false, 0.5f, {}, HeatFlow::Horizontal, true});
    TRoomItem room = LivingRoom();
    for (HeatElement& e : room.heatLoad->elements)
        if (e.name == "wall")
            e.construction = "Typed";
    p.rooms.push_back(room);
    // 10 m2 at 0.5 + 0.05 instead of 0.24 + 0.05: 2.6 W/K more.
    EXPECT_NEAR(BuildingHeatLoad(p).rooms[0].transmissionH, 10.378788 + 2.6, 1e-5);
    p.heatLoad.constructions[0].u = 0.24f;
    EXPECT_NEAR(BuildingHeatLoad(p).rooms[0].transmissionH, 10.378788, 1e-5);
    // An element whose construction is gone keeps its own U.
    p.heatLoad.constructions.clear();
    EXPECT_NEAR(BuildingHeatLoad(p).rooms[0].transmissionH, 10.378788, 1e-5);
}

// The import refuses an outdoor temperature that is not below every room's inside
// temperature, and leaves the project as it was; one change of the climate is one
// step that undo takes back whole, heat losses with it.
TEST(HeatLoad, ImportRefusalsAndUndoOfTheClimate)
{
    TProject p;
    TRoomItem cold = LivingRoom();
    cold.roomName = "Store";
    cold.roomTemperature = 12;
    p.rooms.push_back(cold);
    const TProject before = p;
    try {
        ImportBuilding(p, R"({"outdoorTemperature": 12})");
        ADD_FAILURE() << "an outdoor temperature at a room's own was taken";
    } catch (const KalorinaError& e) {
        EXPECT_NE(std::string(e.what()).find("Store"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(p.SameContent(before));

    ImportBuilding(p, R"({"outdoorTemperature": -13})");
    History history(p);
    const float computed = p.rooms[0].heatDemand;
    ASSERT_TRUE(history.Change(StepLabel::Of("IDS_STEPPROJECTOPTIONS"), [](TProject& q) {
        q.heatLoad.outdoorTemperature = -20;
        ApplyHeatLoads(q);
    }));
    EXPECT_GT(p.rooms[0].heatDemand, computed);
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(p.heatLoad.outdoorTemperature, -13.0f);
    EXPECT_EQ(p.rooms[0].heatDemand, computed);
}

// A heat loss typed over the computed one in the room dialog is the engineer's own
// from then on: the building no longer overrides it.
TEST(HeatLoad, TypedHeatLossOverTheComputedOneIsKept)
{
    TDevices devices(KALORINA_SOURCE_DIR "/data", "hu");
    TProject p;
    p.rooms.push_back(LivingRoom());
    ApplyHeatLoads(p);
    ASSERT_EQ(p.rooms[0].heatDemand, 623.0f);
    RoomEditor same(p.rooms[0], devices, p.options);
    same.SetRoomValues("", 20, 20, 623);
    EXPECT_FALSE(same.Room().heatLoad->manual) << "the shown value given back is no typed one";
    RoomEditor editor(p.rooms[0], devices, p.options);
    editor.SetRoomValues("", 20, 20, 700);
    ASSERT_TRUE(editor.Room().heatLoad->manual);
    p.rooms[0] = editor.Room();
    ApplyHeatLoads(p);
    EXPECT_EQ(p.rooms[0].heatDemand, 700.0f);
}

// The pages' cells: a refusal names the row and the column and says what is
// allowed; an unheated space needs b_u or its temperature, a heated one its
// temperature; a construction's layers read with either decimal sign and spaces.
TEST(HeatLoad, TypedCellsOfTheElementsAndConstructions)
{
    ProjectHeatLoad climate;
    ElementRowTexts row;
    row.area = "5";
    row.u = "12";
    auto refusal = [&](const ElementRowTexts& r) {
        try {
            ReadElementRow(r, 3, climate);
        } catch (const KalorinaError& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    EXPECT_NE(refusal(row).find("row 3: U"), std::string::npos) << refusal(row);
    EXPECT_NE(refusal(row).find("10"), std::string::npos) << "says what is allowed: " << refusal(row);
    row.u = "0,24";
    EXPECT_EQ(refusal(row), "");
    row.area = "0";
    EXPECT_NE(refusal(row).find("row 3: A"), std::string::npos);
    row.area = "5";
    row.boundary = static_cast<int>(Boundary::Unheated);
    EXPECT_NE(refusal(row).find("b_u"), std::string::npos) << "an unheated space without b_u or temperature";
    row.temperature = "10";
    const HeatElement stair = ReadElementRow(row, 1, climate);
    EXPECT_FALSE(stair.bu);
    EXPECT_EQ(stair.temperature, 10.0f);
    row.boundary = static_cast<int>(Boundary::Heated);
    row.temperature = "";
    EXPECT_NE(refusal(row).find("row 3: t"), std::string::npos);
    // What a stored element shows reads back to it exactly.
    HeatElement e;
    e.area = 18.67f;
    e.u = 0.1f + 0.2f;
    e.thermalBridge = 0.03f;
    EXPECT_EQ(ReadElementRow(RowTextsOf(e), 1, climate), e);

    const Construction wall = ReadConstructionRow("Wall", "", " 0,3/0,6 ;0.15 / 0.04 ", HeatFlow::Horizontal, true, 1);
    ASSERT_EQ(wall.layers.size(), 2u);
    EXPECT_NEAR(ConstructionU(wall), 1 / 4.42, 1e-6);
    EXPECT_THROW(ReadConstructionRow("Wall", "", "0,3/0", HeatFlow::Horizontal, true, 1), KalorinaError);
    EXPECT_THROW(ReadConstructionRow("Wall", "", "0,3", HeatFlow::Horizontal, true, 1), KalorinaError);
    // Neither a U nor layers.
    EXPECT_THROW(ReadConstructionRow("Empty", "", " ", HeatFlow::Downward, false, 1), KalorinaError);
    EXPECT_EQ(ReadConstructionRow("Typed", "0,5", "", HeatFlow::Upward, true, 1).u, 0.5f);
}

// A hall between warmer rooms: its neighbours give it more than it loses, so it
// needs no heat and its heat loss is 0, not a negative demand the check would refuse.
TEST(HeatLoad, ARoomHeatedByItsNeighboursNeedsNoHeat)
{
    TProject p;
    TRoomItem hall = LivingRoom();
    hall.roomTemperature = 16;
    HeatElement warm;
    warm.area = 30;
    warm.u = 2;
    warm.boundary = Boundary::Heated;
    warm.temperature = 26;
    hall.heatLoad->elements.push_back(warm);
    p.rooms.push_back(hall);
    ASSERT_LT(BuildingHeatLoad(p).rooms[0].total, 0);
    ApplyHeatLoads(p);
    EXPECT_EQ(p.rooms[0].heatDemand, 0.0f);
    EXPECT_TRUE(FindImplausibleValues(p).empty());
}
