// The example projects shipped in examples/: built here through the core API with
// the shipped catalogue, recomputed and compared with their reviewed summaries.
// KALORINA_WRITE_EXAMPLES=1 rebuilds the files (review the summaries before
// committing them).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <numbers>
#include <optional>
#include <regex>
#include <set>
#include <sstream>

#include "app/ProjectFiles.h"
#include "app/ProjectRecalc.h"
#include "app/ProjectSummary.h"
#include "app/PlanJson.h"
#include "building/BuildingJson.h"
#include "catalogue/DeviceKind.h"
#include "catalogue/FloorHeatDBItem.h"
#include "catalogue/TDevices.h"
#include "catalogue/TubeDBItem.h"
#include "check/DesignCheck.h"
#include "document/TProject.h"
#include "util/Codepage.h"

using namespace kalorina;

namespace {

const std::string kSource = KALORINA_SOURCE_DIR;

const TDevices& Shipped(const char* language = "hu")
{
    static TDevices hungarian(kSource + "/data", "hu");
    static TDevices english(kSource + "/data", "en");
    return std::string(language) == "en" ? english : hungarian;
}

std::string Cp(const char* utf8)
{
    return Utf8ToCp1250(utf8);
}

struct RoomSpec {
    const char* name;
    const char* function;
    float area;        // m2 floor
    float temperature; // °C
    float demand;      // W
    int zone;
    const char* covering; // UTF-8 name of the covering
    float r;              // m2K/W
    float below;          // °C under the floor
    float downK;          // W/m2K
    bool joinPrevious;    // laid in series in the previous room's last circuit
    const char* system = "Vexalon FH-W16";
    const char* circuitPrefix = "K\xC3\xB6r "; // UTF-8; circuits are numbered per prefix
};

// How the circuits of a design are laid out.
struct Layout {
    int minSpacing = 100;     // mm, the densest spacing a field is laid at
    double maxVelocity = 0.0; // m/s a circuit's water keeps below; 0: no such limit
};

// The rooms' heat loads from their building (examples/NAME.building.json): a
// project of the rooms alone takes the building in, as `building import` does.
TProject BuildingOf(const std::vector<RoomSpec>& specs, const std::string& buildingFile)
{
    TProject rooms;
    for (const RoomSpec& s : specs) {
        rooms.options.roomTemperature = s.temperature;
        rooms.AddNewRoom();
        rooms.rooms.back().roomName = Cp(s.name);
        rooms.rooms.back().floorArea = s.area;
    }
    std::ifstream in(kSource + "/examples/" + buildingFile, std::ios::binary);
    const std::string json{std::istreambuf_iterator<char>(in), {}};
    ImportBuilding(rooms, json);
    return rooms;
}

// A floor heating design for the rooms: the free floor split over at most two
// spacings for the heat demand (the load their building gives), one circuit per 110 m of tube (10 m short of what
// the tube size allows, if that is less) or 1100 W (less where the tube would carry
// it faster than the layout's velocity).
TProject Design(const std::vector<RoomSpec>& specs, const char* building, const std::string& buildingFile,
                float forward, float ret, Layout layout = {})
{
    const TDevices& d = Shipped();
    const TProject loads = BuildingOf(specs, buildingFile);
    TProject p({{Cp("Kovács Péter tervező"), "Vexalon Kft."}, "2026. 12. 09.", d.DefaultValveName()});
    p.buildingLines = {Cp(building)};
    p.options.medium.mediumName = Cp("H2O (IAPWS) 0-100 °C");
    p.options.medium.forward = forward;
    p.options.medium.return_ = ret;
    p.options.extraLength = 6; // metres to the manifold and back
    TResist elbow, connection;
    elbow.SelectItem(d, Cp("Vexalon PF-E90"));
    elbow.count = 2;
    connection.SelectItem(d, Cp("Vexalon MC-EK"));
    p.options.defaultFittings = {elbow, connection};
    p.heatLoad = loads.heatLoad;

    std::map<std::string, int> circuitsOf;
    for (std::size_t r = 0; r < specs.size(); ++r) {
        RoomSpec s = specs[r];
        s.demand = loads.rooms[r].heatDemand;
        const auto& system = *d.Find<FloorHeatDBItem>(kFloorHeatingKind, Cp(s.system));
        const auto& tube = *d.Find<TubeDBItem>(kTubeKind, system.tubeType);
        const TubeSubType& size = tube.sizes.at(tube.FindSize(system.tubeSize));
        const double loopLength = std::min(110.0, size.maxLoopLength - 10.0);
        double maxPower = 1100;
        if (layout.maxVelocity > 0) {
            // Water of about 990 kg/m3 and 4180 J/kgK at the circuit's temperature drop.
            const double bore = size.d1 / 1000.0;
            maxPower = std::min(maxPower,
                                layout.maxVelocity * bore * bore * std::numbers::pi / 4 * 990 * 4180 * (forward - ret));
        }
        p.options.roomTemperature = s.temperature;
        p.AddNewRoom();
        TRoomItem& room = p.rooms.back();
        room.roomName = Cp(s.name);
        room.roomFunction = Cp(s.function);
        room.floorArea = s.area;
        room.heatDemand = s.demand;
        room.heatLoad = loads.rooms[r].heatLoad;
        // The whole free floor (90 % of the room) at the widest spacing, no denser
        // than the layout's, that still covers the demand.
        double freeArea = std::floor(s.area * 9 + 0.5) / 10;
        FieldDesignInput in{forward, ret, s.temperature, s.demand, freeArea, s.below, s.downK};
        double dTheta = FloorHeatDBItem::LogMeanDifference(forward, ret, s.temperature);
        int chosen = -1;
        for (int i = 0; i < static_cast<int>(system.distances.size()); ++i)
            if (system.distances[i].distance >= layout.minSpacing
                && (chosen < 0 || system.SpecificOutput(dTheta, s.r, i) * freeArea >= s.demand))
                chosen = i;
        room.fields.emplace_back(forward, ret)
            .SetUp(system, Cp(s.covering), s.r, system.distances[chosen].distance, s.zone, freeArea, in,
                   room.nextFieldId++);
        room.RecomputeFields(d);

        for (const FloorHeatingField& f : room.fields) {
            int circuits = std::max({1, static_cast<int>(std::ceil((f.tubeLength + 6) / loopLength)),
                                     static_cast<int>(std::ceil((f.power + f.downPower) / maxPower))});
            for (int c = 0; c < circuits; ++c) {
                FloorHeatingRoundField part;
                part.AssignField(room.roomId, room.roomName, f);
                part.assignedPart = f.area / circuits;
                if (s.joinPrevious && !p.rounds.empty()) {
                    p.rounds.back().roundFields.push_back(part);
                    p.rounds.back().connectionFlags = TRoundItem::kSeries;
                    continue;
                }
                p.AddNewRound();
                p.rounds.back().roundName =
                    p.UniqueRoundName(Cp(s.circuitPrefix) + std::to_string(++circuitsOf[s.circuitPrefix]));
                p.rounds.back().roundFields.push_back(part);
            }
        }
    }
    for (auto& round : p.rounds) {
        round.RefreshRoomNames(p);
        round.ApplyToFields(p, d);
    }
    p.RecountAssignedSurfaces();
    p.manifolds[0].name = Cp("Osztó");
    return p;
}

// The example's floor plan (examples/NAME.plan.json): outlines whose areas are the
// rooms' areas, doors and the manifolds' places.
void DrawPlan(TProject& p, const std::string& planFile)
{
    std::ifstream in(kSource + "/examples/" + planFile, std::ios::binary);
    const std::string json{std::istreambuf_iterator<char>(in), {}};
    std::vector<float> areas;
    for (const TRoomItem& r : p.rooms)
        areas.push_back(r.floorArea);
    ImportPlan(p, json);
    for (std::size_t i = 0; i < p.rooms.size(); ++i)
        EXPECT_EQ(p.rooms[i].floorArea, areas[i]) << "the outline gives the room's area: " << p.rooms[i].roomName;
    p.modified = false;
}

TProject Flat()
{
    TProject p = Design({{"Nappali", "nappali", 28, 20, 1600, 0, "R 0.05 kerámia/tiles", 0.05f, 20, 0, false},
                   {"Hálószoba", "háló", 14, 20, 720, 0, "R 0.10 parketta/parquet", 0.1f, 20, 0, false},
                   {"Gyerekszoba", "gyerek", 11.5f, 20, 640, 0, "R 0.10 parketta/parquet", 0.1f, 20, 0, false},
                   {"Konyha", "konyha", 9, 20, 520, 0, "R 0.05 kerámia/tiles", 0.05f, 20, 0, false},
                   {"Fürdőszoba", "fürdő", 6, 24, 370, 2, "R 0.05 kerámia/tiles", 0.05f, 20, 0, false},
                   {"Előszoba", "közlekedő", 7, 18, 300, 0, "R 0.05 kerámia/tiles", 0.05f, 20, 0, true}},
                  "Társasházi lakás, 3. emelet", "flat.building.json", 40, 35);
    DrawPlan(p, "flat.plan.json");
    return p;
}

TProject House()
{
    TProject p = Design({{"Nappali-étkező", "nappali", 38, 20, 2150, 0, "R 0.05 kerámia/tiles", 0.05f, 10, 0.3f, false},
                   {"Konyha", "konyha", 12, 20, 690, 0, "R 0.05 kerámia/tiles", 0.05f, 10, 0.3f, false},
                   {"Dolgozószoba", "iroda", 10, 20, 580, 0, "R 0.10 parketta/parquet", 0.1f, 10, 0.3f, false},
                   {"Fürdőszoba fsz.", "fürdő", 5, 24, 330, 2, "R 0.05 kerámia/tiles", 0.05f, 10, 0.3f, false},
                   {"WC", "mosdó", 2.5f, 20, 130, 0, "R 0.05 kerámia/tiles", 0.05f, 10, 0.3f, true},
                   {"Előszoba", "közlekedő", 8, 18, 360, 0, "R 0.05 kerámia/tiles", 0.05f, 10, 0.3f, true},
                   {"Hálószoba", "háló", 15, 20, 820, 0, "R 0.10 parketta/parquet", 0.1f, 20, 0, false},
                   {"Gyerekszoba 1", "gyerek", 12, 20, 680, 0, "R 0.10 parketta/parquet", 0.1f, 20, 0, false},
                   {"Gyerekszoba 2", "gyerek", 11, 20, 640, 0, "R 0.10 parketta/parquet", 0.1f, 20, 0, false},
                   {"Fürdőszoba em.", "fürdő", 8, 24, 480, 2, "R 0.05 kerámia/tiles", 0.05f, 20, 0, false},
                   {"Közlekedő", "közlekedő", 6, 18, 260, 0, "R 0.05 kerámia/tiles", 0.05f, 20, 0, true}},
                  "Kétszintes családi ház, Fő utca 12.", "house.building.json", 38, 33);
    DrawPlan(p, "house.plan.json");
    return p;
}

// A two-storey house: the ground floor over an unheated cellar under 65 mm of
// screed, on 17 mm PE-RT tube but for the bathroom's 14 mm PE-Xa; the upper floor
// under 45 mm on 16 mm PE-Xa.  Rooms and
// circuits are named by their floor ("Fsz." ground, "Em." upper), each floor for a
// manifold of its own.
TProject Villa()
{
    const char* living = "Vexalon FH-W17-65";
    const char* wet = "Vexalon FH-W14-65";
    const char* upper = "Vexalon FH-W16-45";
    const char* tiles = "R 0.05 kerámia/tiles";
    const char* parquet = "R 0.10 parketta/parquet";
    TProject p =
        Design({{"Fsz. Nappali", "nappali", 40, 20, 1800, 0, tiles, 0.05f, 10, 0.3f, false, living, "Fsz. "},
                {"Fsz. Étkező", "étkező", 18, 20, 820, 0, tiles, 0.05f, 10, 0.3f, false, living, "Fsz. "},
                {"Fsz. Konyha", "konyha", 14, 20, 650, 0, tiles, 0.05f, 10, 0.3f, false, living, "Fsz. "},
                {"Fsz. Dolgozószoba", "iroda", 14, 20, 620, 0, parquet, 0.1f, 10, 0.3f, false, living, "Fsz. "},
                {"Fsz. Vendégszoba", "háló", 15, 20, 660, 0, parquet, 0.1f, 10, 0.3f, false, living, "Fsz. "},
                {"Fsz. Fürdőszoba", "fürdő", 6, 24, 300, 2, tiles, 0.05f, 10, 0.3f, false, wet, "Fsz. "},
                {"Fsz. WC", "mosdó", 3, 20, 150, 0, tiles, 0.05f, 10, 0.3f, false, living, "Fsz. "},
                {"Fsz. Előtér", "közlekedő", 11, 18, 440, 0, tiles, 0.05f, 10, 0.3f, true, living, "Fsz. "},
                {"Em. Háló 1", "háló", 18, 20, 760, 0, parquet, 0.1f, 20, 0, false, upper, "Em. "},
                {"Em. Háló 2", "háló", 14, 20, 600, 0, parquet, 0.1f, 20, 0, false, upper, "Em. "},
                {"Em. Háló 3", "háló", 13, 20, 560, 0, parquet, 0.1f, 20, 0, false, upper, "Em. "},
                {"Em. Fürdőszoba", "fürdő", 10, 24, 500, 2, tiles, 0.05f, 20, 0, false, upper, "Em. "},
                {"Em. Gardrób", "gardrób", 6, 18, 240, 0, parquet, 0.1f, 20, 0, false, upper, "Em. "},
                {"Em. Közlekedő", "közlekedő", 10, 18, 400, 0, tiles, 0.05f, 20, 0, true, upper, "Em. "}},
               "Kétszintes villa, Hegyalja út 7.", "villa.building.json", 40, 35, {100, 0.45});
    // A manifold per floor, each under its hall.
    p.manifolds[0].name = Cp("Földszinti osztó");
    p.manifolds[0].location = Cp("Fsz. Előtér, falifülke");
    p.AddNewManifold();
    p.manifolds[1].name = Cp("Emeleti osztó");
    p.manifolds[1].location = Cp("Em. Közlekedő, falifülke");
    for (TRoundItem& r : p.rounds)
        r.manifold = r.roundName.starts_with("Em. ") ? 1 : 0;
    DrawPlan(p, "villa.plan.json");
    return p;
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void CheckExample(const std::string& name, TProject (*build)())
{
    const std::string base = kSource + "/examples/" + name;
    if (std::getenv("KALORINA_WRITE_EXAMPLES")) {
        TProject built = build();
        WriteProjectFile(base + ".klp", built);
        TProject fresh;
        ReadProjectFile(base + ".klp", fresh);
        RecalculateProject(fresh, Shipped(), false);
        std::ofstream(base + ".expected.txt", std::ios::binary) << ProjectText(fresh, RecalcOutcome(fresh));
    }
    TProject p;
    ReadProjectFile(base + ".klp", p);
    RecalcOutcome outcome = RecalculateProject(p, Shipped(), false);
    EXPECT_EQ(ProjectText(p, RecalcOutcome(p)), ReadText(base + ".expected.txt")) << name;

    // Every room is drawn, its outline giving its area; every manifold has its place.
    for (const TRoomItem& room : p.rooms) {
        const plan::RoomOutline* o = p.plan.OutlineOf(room.roomId);
        ASSERT_NE(o, nullptr) << Cp1250ToUtf8(room.roomName);
        EXPECT_FLOAT_EQ(static_cast<float>(plan::RoundedArea(o->outline)), room.floorArea);
    }
    EXPECT_EQ(p.plan.manifolds.size(), p.manifolds.size());

    // The design is plausible: outputs, surface temperatures, velocities and lengths
    // a heating engineer would accept, and nothing failed or warned.
    for (std::size_t i = 0; i < p.rooms.size(); ++i) {
        EXPECT_FALSE(outcome.roomErrors[i]) << *outcome.roomErrors[i];
        const TRoomItem& room = p.rooms[i];
        // Every room is covered.  The loads of a recent building are low: a small
        // room may give more than it needs even at the widest spacing (its valve
        // takes the rest), and outputs from 35 W/m2 are plausible.
        EXPECT_GE(room.FieldPowerSum(), room.heatDemand) << Cp1250ToUtf8(room.roomName);
        EXPECT_LE(room.FieldPowerSum(), room.heatDemand * 1.25 + 150) << Cp1250ToUtf8(room.roomName);
        EXPECT_TRUE(room.heatLoad && !room.heatLoad->elements.empty() && !room.heatLoad->manual)
            << Cp1250ToUtf8(room.roomName) << " takes its heat loss from its building";
        for (const auto& f : room.fields) {
            EXPECT_GE(f.specificOutput, 35) << Cp1250ToUtf8(room.roomName);
            EXPECT_LE(f.specificOutput, 100) << Cp1250ToUtf8(room.roomName);
            EXPECT_TRUE(f.WithinZoneLimit()) << Cp1250ToUtf8(room.roomName);
            if (f.zoneType == 0) {
                EXPECT_LT(f.surfaceTemp, 29);
            }
        }
        EXPECT_FLOAT_EQ(room.UnassignedArea(), 0);
    }
    for (std::size_t i = 0; i < p.rounds.size(); ++i) {
        const TRoundItem& r = p.rounds[i];
        EXPECT_FALSE(outcome.roundErrors[i]);
        EXPECT_EQ(outcome.recalculated[i], std::optional<bool>(true));
        EXPECT_EQ(r.hydraulic.flags, 0) << Cp1250ToUtf8(r.roundName);
        EXPECT_GE(r.hydraulic.velocity, kMinVelocity) << Cp1250ToUtf8(r.roundName);
        EXPECT_LE(r.hydraulic.velocity, 0.6) << Cp1250ToUtf8(r.roundName);
        EXPECT_LT(r.hydraulic.tubeLength, 120) << Cp1250ToUtf8(r.roundName);
        for (const auto& part : r.roundFields)
            EXPECT_EQ(part.refState, 0);
    }
    EXPECT_FLOAT_EQ(p.remainderSurfaceSum, 0);
}

} // namespace

TEST(Examples, Flat)
{
    CheckExample("flat", Flat);
}

TEST(Examples, DetachedHouse)
{
    CheckExample("house", House);
}

TEST(Examples, TwoStoreyVilla)
{
    CheckExample("villa", Villa);
    // Three systems on two kinds of tube, every room heated, and every circuit
    // named by the floor its rooms are on, for a manifold per floor.
    TProject p;
    ReadProjectFile(kSource + "/examples/villa.klp", p);
    std::set<std::string> systems, tubes;
    for (const TRoomItem& room : p.rooms) {
        EXPECT_FALSE(room.fields.empty()) << Cp1250ToUtf8(room.roomName);
        for (const auto& f : room.fields)
            systems.insert(f.systemName);
    }
    for (const std::string& name : systems)
        tubes.insert(Shipped().Find<FloorHeatDBItem>(kFloorHeatingKind, name)->tubeType);
    EXPECT_EQ(systems.size(), 3u);
    EXPECT_EQ(tubes.size(), 2u);
    EXPECT_GE(p.rooms.size(), 12u);
    ASSERT_EQ(p.manifolds.size(), 2u);
    for (const TRoundItem& r : p.rounds) {
        const std::string floor = r.roundName.substr(0, r.roundName.find(' ') + 1);
        ASSERT_TRUE(floor == "Fsz. " || floor == "Em. ") << Cp1250ToUtf8(r.roundName);
        EXPECT_EQ(r.manifold, floor == "Em. " ? 1 : 0) << Cp1250ToUtf8(r.roundName);
        for (const auto& part : r.roundFields) {
            EXPECT_EQ(part.roomRefName.rfind(floor, 0), 0u) << Cp1250ToUtf8(r.roundName);
        }
    }
}

// Projects store catalogue names, so an office that works in two languages gets the
// same design from the same file whichever language the catalogue was loaded in.
TEST(Examples, RecalculateAlikeInHungarianAndEnglish)
{
    for (const char* name : {"flat", "house", "villa"}) {
        std::string text[2];
        int i = 0;
        for (const char* language : {"hu", "en"}) {
            const TDevices& d = Shipped(language);
            ASSERT_FALSE(d.Failed()) << language;
            TProject p;
            ReadProjectFile(kSource + "/examples/" + name + ".klp", p);
            RecalcOutcome outcome = RecalculateProject(p, d, false);
            for (const auto& error : outcome.roomErrors)
                EXPECT_FALSE(error) << name << " " << language << ": " << Cp1250ToUtf8(*error);
            for (const auto& error : outcome.roundErrors)
                EXPECT_FALSE(error) << name << " " << language << ": " << Cp1250ToUtf8(*error);
            for (const TRoundItem& r : p.rounds)
                EXPECT_EQ(r.hydraulic.flags, 0) << name << " " << language;
            text[i++] = ProjectText(p, outcome);
        }
        EXPECT_EQ(text[0], text[1]) << name;
    }
}

namespace {

// The value the help quotes under `key` ("circuit|Kör 1|massFlow", names in UTF-8),
// taken from the recalculated example: a number, or a text (returned in `text`).
std::optional<double> ExampleValue(const TProject& p, const std::string& key, std::string& text)
{
    std::vector<std::string> part;
    for (std::size_t start = 0;;) {
        const std::size_t bar = key.find('|', start);
        part.push_back(key.substr(start, bar - start));
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    auto room = [&](const std::string& name) -> const TRoomItem* {
        const int i = p.FindItem(Cp(name.c_str()), true);
        return i < 0 ? nullptr : &p.rooms[i];
    };
    auto round = [&](const std::string& name) -> const TRoundItem* {
        const int i = p.FindItem(Cp(name.c_str()), false);
        return i < 0 ? nullptr : &p.rounds[i];
    };
    const std::string& kind = part[0];
    if (kind == "system" && !p.rooms.empty() && !p.rooms[0].fields.empty()) {
        text = Cp1250ToUtf8(p.rooms[0].fields[0].systemName);
        return std::nullopt;
    }
    if (kind == "room" && part.size() == 3) {
        if (const TRoomItem* r = room(part[1])) {
            if (part[2] == "area")
                return r->floorArea;
            if (part[2] == "demand")
                return r->heatDemand;
            if (part[2] == "temperature")
                return r->roomTemperature;
            if (part[2] == "fieldPower")
                return r->FieldPowerSum();
        }
    }
    if (kind == "field" && part.size() == 4) {
        const TRoomItem* r = room(part[1]);
        const std::size_t n = std::stoul(part[2]);
        if (r && n >= 1 && n <= r->fields.size()) {
            const FloorHeatingField& f = r->fields[n - 1];
            if (part[3] == "area")
                return f.area;
            if (part[3] == "r")
                return f.resistance;
            if (part[3] == "q")
                return f.specificOutput;
            if (part[3] == "surface")
                return f.surfaceTemp;
            if (part[3] == "power")
                return f.power;
            if (part[3] == "tube")
                return f.tubeLength;
        }
    }
    if (kind == "circuit" && part.size() == 3) {
        if (const TRoundItem* c = round(part[1])) {
            const THydraulic& h = c->hydraulic;
            if (part[2] == "power")
                return h.power;
            if (part[2] == "massFlow")
                return h.massFlow;
            if (part[2] == "tube")
                return h.tubeLength;
            if (part[2] == "velocity")
                return h.velocity;
            if (part[2] == "resistance")
                return h.circuitPressureDrop;
            if (part[2] == "available")
                return h.availablePressure;
            if (part[2] == "throttling")
                return h.RequiredThrottling();
            if (part[2] == "presetting") {
                text = Cp1250ToUtf8(h.valvePosition);
                return std::nullopt;
            }
        }
    }
    if (kind == "part" && part.size() == 4) {
        const TRoundItem* c = round(part[1]);
        const std::size_t n = std::stoul(part[2]);
        if (c && n >= 1 && n <= c->roundFields.size()) {
            const auto& f = c->roundFields[n - 1];
            if (part[3] == "power")
                return f.partPower;
            if (part[3] == "outlet")
                return f.outletTemp;
        }
    }
    if (kind == "total" && part.size() == 2) {
        if (part[1] == "heatLoss")
            return p.heatingLoss; // kW
        if (part[1] == "fieldPowers")
            return p.fieldPowers;
        if (part[1] == "area")
            return p.surfaceSum;
        if (part[1] == "tube")
            return p.tubeLengths;
        if (part[1] == "remaining")
            return p.remainderSurfaceSum;
    }
    text = "unknown key";
    return std::nullopt;
}

// A decimal comma and a decimal point read alike.
std::string Normalised(std::string number)
{
    for (char& c : number)
        if (c == ',')
            c = '.';
    return number;
}

} // namespace

// The worked example of the help quotes the numbers of examples/flat.klp: each one
// is marked in the page (data-check="key") and must be what the recalculated example
// gives, to the digits the page shows, in both languages.
TEST(Examples, HelpQuotesTheNumbersTheFlatExampleGives)
{
    TProject p;
    ReadProjectFile(kSource + "/examples/flat.klp", p);
    RecalculateProject(p, Shipped(), false);
    p.ComputeTotals();
    const std::regex marked("<span data-check=\"([^\"]+)\">([^<]*)</span>");
    for (const char* language : {"hu", "en"}) {
        SCOPED_TRACE(language);
        const std::string page = ReadText(kSource + "/help/" + language + "/example.html");
        int checked = 0;
        for (std::sregex_iterator it(page.begin(), page.end(), marked), end; it != end; ++it, ++checked) {
            const std::string key = (*it)[1], quoted = (*it)[2];
            std::string text;
            const std::optional<double> value = ExampleValue(p, key, text);
            if (!value) {
                EXPECT_EQ(Normalised(quoted), Normalised(text)) << key;
                continue;
            }
            // Within half a unit of the last digit the page shows.
            const std::string number = Normalised(quoted);
            const std::size_t point = number.find('.');
            const int decimals = point == std::string::npos ? 0 : static_cast<int>(number.size() - point - 1);
            const double quotedValue = std::stod(number);
            EXPECT_NEAR(quotedValue, *value, 0.5 * std::pow(10.0, -decimals) + 1e-9) << key << " quoted " << quoted;
        }
        EXPECT_GE(checked, 25);
    }
}

// The help writes numbers as its language does: the Hungarian pages with a decimal
// comma, the English ones with a point, as the program shows them.
TEST(Examples, HelpPagesWriteTheirLanguagesDecimalSign)
{
    const std::regex tag("<[^>]*>");
    for (const auto& [language, wrong] : {std::pair<const char*, std::regex>{"hu", std::regex("[0-9]\\.[0-9]")},
                                          std::pair<const char*, std::regex>{"en", std::regex("[0-9],[0-9]")}}) {
        int pages = 0;
        for (const auto& entry : std::filesystem::directory_iterator(kSource + "/help/" + language)) {
            if (entry.path().extension() != ".html")
                continue;
            ++pages;
            const std::string text = std::regex_replace(ReadText(entry.path().string()), tag, " ");
            std::smatch found;
            EXPECT_FALSE(std::regex_search(text, found, wrong))
                << entry.path() << ": " << text.substr(std::max<std::ptrdiff_t>(0, found.position() - 30), 60);
        }
        EXPECT_GT(pages, 10) << language;
    }
}
