// The room-by-room heat load, checked against a room worked by hand.
#include <gtest/gtest.h>

#include "ProjectTestSupport.h"
#include "building/HeatLoad.h"
#include "document/TProject.h"
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
