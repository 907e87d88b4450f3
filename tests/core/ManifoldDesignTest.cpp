// The automatic design of a manifold on small projects whose answer follows by
// hand from the system's characteristic: the lowest supply that heats the most
// demanding room at the design spread, the largest spread that still heats each
// other room, the least pump pressure with the index circuit's valve fully open,
// and a room no allowed supply can heat left out.
#include <gtest/gtest.h>

#include "ProjectTestSupport.h"
#include "TestLanguage.h"
#include "app/ProjectFiles.h"
#include "catalogue/DeviceKind.h"
#include "catalogue/FloorHeatDBItem.h"
#include "catalogue/Rounding.h"
#include "catalogue/TDevices.h"
#include "catalogue/ValveDBItem.h"
#include "check/DesignCheck.h"
#include "design/ManifoldDesign.h"
#include "materials/TUsedMaterial.h"
#include "util/Codepage.h"

using namespace kalorina;

namespace {

const TDevices& Shipped()
{
    static TDevices devices(KALORINA_SOURCE_DIR "/data", "hu");
    return devices;
}

const FloorHeatDBItem& System()
{
    return *Shipped().Find<FloorHeatDBItem>(kFloorHeatingKind, "Vexalon FH-W16");
}

struct RoomSpec {
    const char* name;
    float area, ti, demand;
    int spacing, zone;
    float r;
    int manifold;
};

int SpacingIndex(int spacing)
{
    for (std::size_t i = 0; i < System().distances.size(); ++i)
        if (System().distances[i].distance == spacing)
            return static_cast<int>(i);
    ADD_FAILURE() << "no spacing " << spacing;
    return 0;
}

// The room's output with its one field at forward tF and return tR, as the field
// computes it: the characteristic at the logarithmic mean, rounded to watts.
double Output(const RoomSpec& s, float tF, float tR)
{
    const double dTheta = FloorHeatDBItem::LogMeanDifference(tF, tR, s.ti);
    return RoundW(double(s.area) * static_cast<float>(System().SpecificOutput(dTheta, s.r, SpacingIndex(s.spacing))));
}

float Tenths(int k)
{
    return static_cast<float>(k / 10.0);
}

// By hand: the lowest supply on the grid that heats the room at the spread.
int LowestSupply(const RoomSpec& s, int spread)
{
    for (int k = static_cast<int>(s.ti * 10) + spread + 1; k <= 900; ++k)
        if (Output(s, Tenths(k), Tenths(k - spread)) >= s.demand)
            return k;
    return 1000;
}

// By hand: the largest spread that still heats the room at the supply.
int LargestSpread(const RoomSpec& s, int supply, int least)
{
    int spread = least;
    while (supply - (spread + 1) > s.ti * 10 + 1 && Output(s, Tenths(supply), Tenths(supply - spread - 1)) >= s.demand)
        ++spread;
    return spread;
}

// One room per circuit, each with one field of the whole area.
TProject Build(const std::vector<RoomSpec>& specs, int manifolds = 1)
{
    TProject p({{}, "", Shipped().DefaultValveName(), std::nullopt});
    while (int(p.manifolds.size()) < manifolds)
        p.AddNewManifold();
    for (const RoomSpec& s : specs) {
        p.options.roomTemperature = s.ti;
        p.AddNewRoom();
        TRoomItem& room = p.rooms.back();
        room.roomName = s.name;
        room.floorArea = s.area;
        room.heatDemand = s.demand;
        FieldDesignInput in{40, 35, s.ti, s.demand, s.area, 20, 0};
        const char* covering = s.r < 0.075f ? "R 0.05 kerámia/tiles" : "R 0.10 parketta/parquet";
        room.fields.emplace_back(40, 35).SetUp(System(), Utf8ToCp1250(covering), s.r, s.spacing, s.zone, s.area, in,
                                               room.nextFieldId++);
        room.RecomputeFields(Shipped());
        p.AddNewRound(s.manifold);
        FloorHeatingRoundField part;
        part.AssignField(room.roomId, room.roomName, room.fields[0]);
        part.assignedPart = room.fields[0].area;
        p.rounds.back().roundFields.push_back(part);
        p.rounds.back().RefreshRoomNames(p);
    }
    p.RecountAssignedSurfaces();
    return p;
}

const std::vector<RoomSpec> kThreeRooms{
    {"Fürdő", 6, 24, 380, 100, 2, 0.05f, 0},
    {"Háló", 14, 20, 600, 150, 0, 0.10f, 0},
    {"Nappali", 28, 20, 1500, 150, 0, 0.05f, 0},
};

const DesignedCircuit& CircuitOf(const ManifoldDesignResult& m, const std::string& room)
{
    for (const auto& c : m.circuits)
        if (!c.roomNames.empty() && c.roomNames[0] == room)
            return c;
    static DesignedCircuit none;
    ADD_FAILURE() << "no circuit for " << room;
    return none;
}

} // namespace

TEST(ManifoldDesign, SupplySpreadsAndPressureAgreeWithTheHandWorkedAnswer)
{
    test::ScopedLanguage lang;
    const TProject project = Build(kThreeRooms);
    DesignOutcome out = DesignManifolds(project, Shipped());
    ASSERT_EQ(out.manifolds.size(), 1u);
    const ManifoldDesignResult& m = out.manifolds[0];
    ASSERT_TRUE(m.designed);
    EXPECT_TRUE(m.uncoveredRooms.empty());

    int supply = 0;
    std::string indexRoom;
    for (const RoomSpec& s : kThreeRooms)
        if (LowestSupply(s, 50) > supply) {
            supply = LowestSupply(s, 50);
            indexRoom = s.name;
        }
    EXPECT_FLOAT_EQ(m.supplyTemperature, Tenths(supply));
    EXPECT_FLOAT_EQ(m.spread, 5);
    for (const RoomSpec& s : kThreeRooms) {
        const DesignedCircuit& c = CircuitOf(m, s.name);
        const int spread = s.name == indexRoom ? 50 : LargestSpread(s, supply, 50);
        EXPECT_FLOAT_EQ(c.forward, Tenths(supply)) << s.name;
        EXPECT_FLOAT_EQ(c.return_, Tenths(supply - spread)) << s.name;
        if (s.name != indexRoom) {
            EXPECT_GT(spread, 50) << s.name << ": the other rooms need less flow";
        }
    }

    // Pressure: the index circuit's valve fully open, nothing short, nothing to
    // spare; every circuit's presetting takes up its difference.
    const TProject& d = out.project;
    double most = 0;
    std::string index;
    for (const auto& r : d.rounds) {
        const auto& h = r.hydraulic;
        const auto* valve = Shipped().Find<ValveDBItem>(kValveKind, h.valveName);
        ASSERT_NE(valve, nullptr);
        const double need =
            h.circuitPressureDrop + valve->OpenDrop(h.ValveSizeInUse(), h.VolumeFlow(), h.medium.density);
        if (need > most) {
            most = need;
            index = r.roundName;
        }
        EXPECT_FLOAT_EQ(h.availablePressure, m.availablePressure);
        EXPECT_EQ(h.flags & (THydraulic::kBitValveTooOpen | THydraulic::kBitPressureExceeded), 0) << r.roundName;
        EXPECT_FALSE(h.valvePosition.empty());
    }
    EXPECT_FLOAT_EQ(m.availablePressure, static_cast<float>(std::ceil(most)));
    EXPECT_EQ(m.indexCircuit, index);
    // The schedule names the same index circuit as the design, read from the file's numbers.
    EXPECT_EQ(ManifoldFigures(d, Shipped(), 0).indexCircuit, index);
    float total = 0;
    for (const auto& c : m.circuits)
        total += c.massFlow;
    EXPECT_FLOAT_EQ(m.totalMassFlow, total);

    // The designed project recalculates to what it stores, and the input is untouched.
    auto [shown, recalculated] = test::ShownAndRecalculated(d, Shipped());
    EXPECT_EQ(shown, recalculated);
    EXPECT_EQ(test::Bytes(project), test::Bytes(Build(kThreeRooms)));
}

// The design's promises on a designed project: every room of a designed manifold
// heated; `lower` K less supply leaves one short; a tenth less pressure leaves a
// circuit short; and the file recalculates to what it stores.
void ExpectLeast(const DesignOutcome& out, float lower, const std::string& what)
{
    for (const auto& m : out.manifolds) {
        ASSERT_TRUE(m.designed) << what;
        EXPECT_TRUE(m.uncoveredRooms.empty()) << what;
    }
    for (const auto& room : out.project.rooms)
        EXPECT_GE(room.FieldPowerSum(), room.heatDemand) << what << " " << room.roomName;
    // Less flow never at the price of water too slow to carry air out.
    for (const auto& r : out.project.rounds) {
        const auto& h = r.hydraulic;
        if (h.medium.forward - h.medium.return_ > out.project.manifolds[r.manifold].designSpread + 0.05f)
            EXPECT_GE(h.velocity, kMinVelocity) << what << " " << r.roundName;
    }
    for (std::size_t m = 0; m < out.project.manifolds.size(); ++m) {
        TProject colder = out.project;
        for (int c : colder.ManifoldRounds(int(m))) {
            auto& r = colder.rounds[c];
            r.hydraulic.medium.forward -= lower;
            r.hydraulic.medium.return_ -= lower;
            ASSERT_TRUE(r.ApplyToFields(colder, Shipped()));
        }
        bool shortRoom = false;
        for (const auto& room : colder.rooms)
            shortRoom = shortRoom || room.FieldPowerSum() < room.heatDemand;
        EXPECT_TRUE(shortRoom) << what << ": " << lower << " K lower still heats every room";

        TProject weaker = out.project;
        for (int c : weaker.ManifoldRounds(int(m))) {
            auto& r = weaker.rounds[c];
            r.hydraulic.availablePressure = out.manifolds[m].availablePressure * 0.9f;
            ASSERT_TRUE(r.Recalculate(weaker, Shipped()));
        }
        bool shortCircuit = false;
        for (int c : weaker.ManifoldRounds(int(m)))
            shortCircuit = shortCircuit
                || (weaker.rounds[c].hydraulic.flags
                    & (THydraulic::kBitValveTooOpen | THydraulic::kBitPressureExceeded))
                    != 0;
        EXPECT_TRUE(shortCircuit) << what << ": 10 % less pressure still feeds every circuit";
    }
    auto [shown, recalculated] = test::ShownAndRecalculated(out.project, Shipped());
    EXPECT_EQ(shown, recalculated) << what;
}

TEST(ManifoldDesign, LeastIsLeastOnTheSmallProjectAndTheExamples)
{
    test::ScopedLanguage lang;
    ExpectLeast(DesignManifolds(Build(kThreeRooms), Shipped()), 0.1f, "three rooms");
    for (const char* name : {"flat", "house", "villa"}) {
        TProject p;
        ReadProjectFile(std::string(KALORINA_SOURCE_DIR "/examples/") + name + ".klp", p);
        ExpectLeast(DesignManifolds(p, Shipped()), 0.2f, name);
    }
}

TEST(ManifoldDesign, UncoveredRoomsAndManifoldsApart)
{
    test::ScopedLanguage lang;
    std::vector<RoomSpec> specs = kThreeRooms;
    // 300 W/m2 no floor gives: the room is reported and does not drive the supply.
    specs.push_back({"Télikert", 10, 20, 3000, 100, 0, 0.05f, 0});
    // A room on a second manifold with its own, lower limit.
    specs.push_back({"Műhely", 20, 16, 700, 150, 0, 0.05f, 1});
    TProject p = Build(specs, 2);
    p.manifolds[1].maxSupply = 35;
    p.manifolds[1].designSpread = 4;

    DesignOutcome all = DesignManifolds(p, Shipped());
    ASSERT_EQ(all.manifolds.size(), 2u);
    EXPECT_EQ(all.manifolds[0].uncoveredRooms, std::vector<std::string>{"Télikert"});
    EXPECT_FALSE(all.manifolds[0].warnings.empty());
    DesignOutcome without = DesignManifolds(Build(kThreeRooms), Shipped());
    EXPECT_FLOAT_EQ(all.manifolds[0].supplyTemperature, without.manifolds[0].supplyTemperature);
    // The uncovered room's circuit keeps all the flow the design spread gives.
    EXPECT_FLOAT_EQ(CircuitOf(all.manifolds[0], "Télikert").return_, all.manifolds[0].supplyTemperature - 5);

    const ManifoldDesignResult& second = all.manifolds[1];
    EXPECT_EQ(second.name, p.manifolds[1].name);
    EXPECT_FLOAT_EQ(second.supplyTemperature, Tenths(LowestSupply(specs[4], 40)));
    ASSERT_EQ(second.circuits.size(), 1u);
    EXPECT_FLOAT_EQ(second.circuits[0].return_, second.supplyTemperature - 4);

    // Designing one manifold leaves the other's circuits as they were.
    DesignOutcome one = DesignManifolds(p, Shipped(), 1);
    ASSERT_EQ(one.manifolds.size(), 1u);
    for (int c : p.ManifoldRounds(0))
        EXPECT_EQ(one.project.rounds[c], p.rounds[c]);

    // A loop longer than its tube size is made for is named: the design cannot
    // make up for it.
    DesignOutcome longLoop = DesignManifolds(Build({{"Terem", 15, 20, 900, 100, 0, 0.05f, 0}}), Shipped());
    ASSERT_EQ(longLoop.manifolds[0].warnings.size(), 1u);
    EXPECT_NE(longLoop.manifolds[0].warnings[0].find("longer than the 100 m"), std::string::npos)
        << longLoop.manifolds[0].warnings[0];

    // A manifold that feeds nothing says so and designs nothing; so does one whose
    // only circuit has no parts yet, naming that circuit.
    p.AddNewManifold();
    DesignOutcome empty = DesignManifolds(p, Shipped(), 2);
    EXPECT_FALSE(empty.manifolds[0].designed);
    EXPECT_EQ(empty.manifolds[0].warnings.size(), 1u);
    p.AddNewRound(2);
    DesignOutcome partless = DesignManifolds(p, Shipped(), 2);
    EXPECT_FALSE(partless.manifolds[0].designed);
    EXPECT_EQ(partless.manifolds[0].warnings.size(), 2u);
}

// The bill counts each manifold once, as the catalogue's kit for its number of
// circuits; a manifold without circuits adds nothing.
TEST(ManifoldDesign, BillCountsAManifoldKitPerManifold)
{
    test::ScopedLanguage lang;
    std::vector<RoomSpec> specs = kThreeRooms;
    specs.push_back({"Műhely", 20, 16, 700, 150, 0, 0.05f, 1});
    TProject p = Build(specs, 3);
    TUsedMaterial bill = BuildUsedMaterials(p, Shipped());
    auto quantity = [&](const std::string& code) {
        float q = 0;
        for (const auto& row : bill.rows)
            if (row.estimateCode == code)
                q += row.quantity;
        return q;
    };
    EXPECT_FLOAT_EQ(quantity("VX-HKV-3"), 1);
    EXPECT_FLOAT_EQ(quantity("VX-HKV-1"), 0); // no kit that small in the catalogue
    EXPECT_FLOAT_EQ(quantity("VX-HKV-VEG"), 1);
    EXPECT_FLOAT_EQ(quantity("VX-GCS-20"), 2);
    EXPECT_FLOAT_EQ(quantity("VX-OSZ-KOR"), 0);
}
