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

    // The bathroom (all its floor in the bathroom zone) does not set the supply:
    // it takes what its floor gives there, and a heater beside it the rest.
    int supply = 0;
    std::string indexRoom;
    for (const RoomSpec& s : kThreeRooms)
        if (s.zone != kBathroomZone && LowestSupply(s, 50) > supply) {
            supply = LowestSupply(s, 50);
            indexRoom = s.name;
        }
    EXPECT_FLOAT_EQ(m.supplyTemperature, Tenths(supply));
    EXPECT_FLOAT_EQ(m.spread, 5);
    EXPECT_EQ(m.designRoom, indexRoom);
    for (const RoomSpec& s : kThreeRooms) {
        const DesignedCircuit& c = CircuitOf(m, s.name);
        const bool warmEnough = Output(s, Tenths(supply), Tenths(supply - 50)) >= s.demand;
        const int spread = s.name == indexRoom || !warmEnough ? 50 : LargestSpread(s, supply, 50);
        EXPECT_FLOAT_EQ(c.forward, Tenths(supply)) << s.name;
        EXPECT_FLOAT_EQ(c.designSpread, Tenths(spread)) << s.name;
        // The presetting lets at least the design flow through, so the real
        // return is never colder than the design's.
        EXPECT_GE(c.massFlow, c.designMassFlow - 0.01f) << s.name;
        EXPECT_GE(c.return_, Tenths(supply - spread) - 0.001f) << s.name;
        if (s.name != indexRoom && warmEnough) {
            EXPECT_GT(spread, 50) << s.name << ": the other rooms need less flow";
        }
    }
    ASSERT_EQ(m.supplementaryHeat.size(), 1u);
    EXPECT_EQ(m.supplementaryHeat[0].room, "Fürdő");
    const TRoomItem& bath = out.project.rooms[0];
    EXPECT_NEAR(m.supplementaryHeat[0].watts, bath.heatDemand - bath.FieldPowerSum(), 0.5);
    EXPECT_GT(m.supplementaryHeat[0].watts, 0);

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
    // At the real flows the index circuit's need is the pump head, to the whole
    // pascal the drops are rounded to.
    EXPECT_NEAR(m.availablePressure, std::ceil(most), 1.0);
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
        if (!room.AllowsSupplementaryHeat())
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
    EXPECT_FLOAT_EQ(CircuitOf(all.manifolds[0], "Télikert").designSpread, 5);

    const ManifoldDesignResult& second = all.manifolds[1];
    EXPECT_EQ(second.name, p.manifolds[1].name);
    EXPECT_FLOAT_EQ(second.supplyTemperature, Tenths(LowestSupply(specs[4], 40)));
    ASSERT_EQ(second.circuits.size(), 1u);
    EXPECT_FLOAT_EQ(second.circuits[0].designSpread, 4);

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
// circuits; one circuit, smaller than the smallest kit, takes the 2-outlet kit with
// an outlet closed, and the bill says so.
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
    EXPECT_FLOAT_EQ(quantity("VX-HKV-2"), 1);
    EXPECT_EQ(bill.manifoldNotes.size(), 1u);
    EXPECT_FLOAT_EQ(quantity("VX-HKV-VEG"), 2);
    EXPECT_FLOAT_EQ(quantity("VX-GCS-20"), 4);
    EXPECT_FLOAT_EQ(quantity("VX-OSZ-KOR"), 0);
}

namespace {

// The living room's floor in two fields, each on a circuit of its own.
TProject LivingRoomOnTwoCircuits()
{
    TProject p = Build({{"Háló", 14, 20, 600, 150, 0, 0.10f, 0}, {"Nappali", 28, 20, 1400, 150, 0, 0.05f, 0}});
    TRoomItem& room = p.rooms[1];
    FloorHeatingField half = room.fields[0];
    half.area = 14;
    room.fields[0].area = 14;
    half.fieldId = static_cast<std::int16_t>(room.nextFieldId++);
    room.fields.push_back(half);
    room.RecomputeFields(Shipped());
    p.rounds[1].roundFields[0].assignedPart = 14;
    p.AddNewRound(0);
    FloorHeatingRoundField part;
    part.AssignField(room.roomId, room.roomName, room.fields[1]);
    part.assignedPart = 14;
    p.rounds.back().roundFields.push_back(part);
    p.rounds.back().RefreshRoomNames(p);
    p.RecountAssignedSurfaces();
    return p;
}

// The flow through circuit `h` at the pump pressure `head` and the valve at kv,
// found by halving on the circuit's own resistance plus (V / kv)^2 bar.
double FlowAt(THydraulic h, double head, double kv)
{
    double lo = 0, hi = 2000;
    for (int i = 0; i < 60; ++i) {
        const double m = 0.5 * (lo + hi);
        h.massFlow = static_cast<float>(m);
        h.Compute(Shipped());
        const double volume = m / h.medium.density; // m3/h
        const double valve = (volume / kv) * (volume / kv) * 1e5 * h.medium.density / 1000;
        (h.circuitPressureDrop + valve < head ? lo : hi) = m;
    }
    return 0.5 * (lo + hi);
}

} // namespace

TEST(ManifoldDesign, OneSpreadPerRoomAndTheRealFlowsOfThePrintedPresettings)
{
    test::ScopedLanguage lang;
    DesignOutcome out = DesignManifolds(LivingRoomOnTwoCircuits(), Shipped());
    const ManifoldDesignResult& m = out.manifolds[0];
    ASSERT_TRUE(m.designed);
    ASSERT_EQ(m.circuits.size(), 3u);
    // Both circuits of the living room run at the room's one spread.
    EXPECT_FLOAT_EQ(m.circuits[1].designSpread, m.circuits[2].designSpread);
    EXPECT_EQ(m.circuits[1].roomNames, m.circuits[2].roomNames);

    const TProject& d = out.project;
    int between = 0;
    for (std::size_t c = 0; c < d.rounds.size(); ++c) {
        const THydraulic& h = d.rounds[c].hydraulic;
        const DesignedCircuit& reported = m.circuits[c];
        const auto* valve = Shipped().Find<ValveDBItem>(kValveKind, h.valveName);
        ASSERT_NE(valve, nullptr);
        const ValveSubType& size = valve->sizes[valve->FindSize(h.ValveSizeInUse())];
        std::size_t at = 0;
        while (at < size.positions.size() && size.positions[at].positionString != h.valvePosition)
            ++at;
        ASSERT_LT(at, size.positions.size()) << h.valvePosition;
        // The water takes, at the pump pressure and the printed position, the flow
        // that is reported and stored.
        const double real = FlowAt(h, m.availablePressure, size.positions[at].resistValue);
        EXPECT_NEAR(h.massFlow, real, 0.002 * real) << d.rounds[c].roundName;
        EXPECT_FLOAT_EQ(reported.massFlow, h.massFlow);
        EXPECT_GE(real, reported.designMassFlow - 0.02) << d.rounds[c].roundName;
        // Rounded toward the more open position: one step more closed falls short.
        if (at > 0) {
            EXPECT_LT(FlowAt(h, m.availablePressure, size.positions[at - 1].resistValue), reported.designMassFlow)
                << d.rounds[c].roundName;
            between += at + 1 < size.positions.size();
        }
        // The valve takes up what the circuit leaves of the pump pressure.
        EXPECT_NEAR(h.circuitPressureDrop + h.valvePressureDrop, m.availablePressure, 1.0);
    }
    EXPECT_GT(between, 0) << "no circuit preset between fully closed and open";
    for (const auto& room : d.rooms)
        EXPECT_GE(room.FieldPowerSum(), room.heatDemand) << room.roomName;
    auto [shown, recalculated] = test::ShownAndRecalculated(d, Shipped());
    EXPECT_EQ(shown, recalculated);
}

TEST(ManifoldDesign, ARoomAllowedSupplementaryHeatDoesNotRaiseTheSupply)
{
    test::ScopedLanguage lang;
    const std::vector<RoomSpec> rooms{
        {"Háló", 14, 20, 600, 150, 0, 0.10f, 0},
        {"Nappali", 14, 20, 750, 150, 0, 0.05f, 0},
        {"Kamra", 4, 20, 480, 100, 1, 0.10f, 0},
    };
    // The pantry needs 120 W/m2 (its floor a peripheral zone): alone it sets the supply.
    const DesignOutcome strict = DesignManifolds(Build(rooms), Shipped());
    const DesignOutcome without = DesignManifolds(Build({rooms[0], rooms[1]}), Shipped());
    EXPECT_GT(strict.manifolds[0].supplyTemperature, without.manifolds[0].supplyTemperature);
    EXPECT_EQ(strict.manifolds[0].designRoom, "Kamra");
    EXPECT_TRUE(strict.manifolds[0].supplementaryHeat.empty());

    TProject allowed = Build(rooms);
    allowed.rooms[2].supplementaryHeatAllowed = true;
    const DesignOutcome out = DesignManifolds(allowed, Shipped());
    const ManifoldDesignResult& m = out.manifolds[0];
    EXPECT_FLOAT_EQ(m.supplyTemperature, without.manifolds[0].supplyTemperature);
    EXPECT_TRUE(m.uncoveredRooms.empty());
    ASSERT_EQ(m.supplementaryHeat.size(), 1u);
    const TRoomItem& pantry = out.project.rooms[2];
    EXPECT_EQ(m.supplementaryHeat[0].room, "Kamra");
    EXPECT_NEAR(m.supplementaryHeat[0].watts, 480 - pantry.FieldPowerSum(), 0.5);
    // What the floor gives there: the design spread at the supply, within the zone.
    EXPECT_FLOAT_EQ(CircuitOf(m, "Kamra").designSpread, 5);
    EXPECT_TRUE(pantry.fields[0].WithinZoneLimit());

    // The check names the heater's share as a warning, not the floor's shortfall
    // as an error; the allowance survives the file.
    TProject checked = test::Read(test::Bytes(out.project));
    EXPECT_TRUE(checked.rooms[2].supplementaryHeatAllowed);
    EXPECT_FALSE(checked.rooms[0].supplementaryHeatAllowed);
    const auto problems = CheckDesign(checked, Shipped());
    EXPECT_FALSE(AnyDesignError(problems));
    for (const auto& pr : problems)
        EXPECT_NE(pr.severity, ProblemSeverity::Error) << pr.roomName << pr.roundName << ": " << pr.text;
    int named = 0;
    for (const auto& pr : problems)
        named += pr.kind == ProblemKind::SupplementaryHeat && pr.roomName == "Kamra";
    EXPECT_EQ(named, 1);
}

// The flat's bathroom raised beyond what its floor gives: the supply stays where
// the other rooms set it, and the bathroom's heater takes exactly the rest.
TEST(ManifoldDesign, TheFlatsBathroomDoesNotRaiseTheSupply)
{
    test::ScopedLanguage lang;
    TProject flat;
    ReadProjectFile(KALORINA_SOURCE_DIR "/examples/flat.klp", flat);
    const DesignOutcome before = DesignManifolds(flat, Shipped());
    auto bath = std::find_if(flat.rooms.begin(), flat.rooms.end(),
                             [](const TRoomItem& r) { return r.AllowsSupplementaryHeat(); });
    ASSERT_NE(bath, flat.rooms.end());
    bath->heatDemand = 480;
    const DesignOutcome after = DesignManifolds(flat, Shipped());
    const ManifoldDesignResult& m = after.manifolds[0];
    EXPECT_FLOAT_EQ(m.supplyTemperature, before.manifolds[0].supplyTemperature);
    EXPECT_TRUE(m.uncoveredRooms.empty());
    ASSERT_EQ(m.supplementaryHeat.size(), 1u);
    const TRoomItem& designed = after.project.rooms[std::size_t(bath - flat.rooms.begin())];
    EXPECT_EQ(m.supplementaryHeat[0].room, designed.roomName);
    EXPECT_NEAR(m.supplementaryHeat[0].watts, 480 - designed.FieldPowerSum(), 0.5);
    for (const auto& room : after.project.rooms) {
        if (!room.AllowsSupplementaryHeat()) {
            EXPECT_GE(room.FieldPowerSum(), room.heatDemand) << room.roomName;
        }
    }
    // Nothing in the design is an error for the check: the heater's share is a warning.
    EXPECT_FALSE(AnyDesignError(CheckDesign(after.project, Shipped())));
}
