#include "document/TProject.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "document/ImpossibleValue.h"
#include "document/Record.h"
#include "document/RecordMembers.h"
#include "lang/BuiltInTexts.h"
#include "lang/TLanguages.h"
#include "util/Error.h"
#include "util/FormatText.h"

namespace kalorina {

namespace {
constexpr std::int16_t kProjectDataTag = 1;
constexpr std::int16_t kOptionsTag = 2;
constexpr std::int16_t kRoomTag = 3;
constexpr std::int16_t kRoundTag = 4;
// Options that the options record has no room for.  Older programs skip the record
// by its length, so their files (without it) and ours read both ways.
constexpr std::int16_t kMoreOptionsTag = 5;
constexpr std::int16_t kMoreOptionsEnd = 0x7FFF;
// Each value group is a block of its own; a later value goes into a new block, so
// that a reader that does not know it skips it by its length.
constexpr std::int16_t kExtraLengthBlock = 1;
constexpr std::int16_t kBuildUpBlock = 2;      // the floor under new fields' tubes
constexpr std::int16_t kEdgeDistanceBlock = 3; // laid loops' distance from the walls
constexpr RecordList kMoreOptionsRecords{kMoreOptionsEnd, EndTagForm::kBare, StreamEnd::kFails};
// The manifolds and which circuit each feeds.  Written after the circuits, so
// that a reader can hold each circuit to a manifold that exists; older programs
// skip the record and see the circuits as they always did.
constexpr std::int16_t kManifoldsTag = 6;
constexpr std::int16_t kManifoldBlock = 1;   // one manifold, in list order
constexpr std::int16_t kMembershipBlock = 2; // the manifold of every circuit, in circuit order
// Which manifolds the automatic design has set, in list order.  Written only when one
// has been, so that a project never designed keeps the bytes older programs write.
constexpr std::int16_t kDesignStateBlock = 3;
constexpr RecordList kManifoldRecords{kMoreOptionsEnd, EndTagForm::kBare, StreamEnd::kFails};
// What rooms hold beyond their own record, by room identifier, so that a room's
// record (also the clipboard's) stays as older programs read it.  Written after the
// rooms; older programs skip it.
constexpr std::int16_t kRoomExtrasTag = 7;
constexpr std::int16_t kRoomFlagsBlock = 1; // one room: its identifier and flags
constexpr std::int32_t kRoomSupplementaryHeat = 1;
constexpr std::int16_t kRoomBuildUpBlock = 2; // one room: its identifier and own build-up
constexpr RecordList kRoomExtrasRecords{kMoreOptionsEnd, EndTagForm::kBare, StreamEnd::kFails};
// The building the rooms' heat loads are computed from: the climate, then each
// room's air data and each element of its envelope, by room identifier.  Written
// only for a project that has such data; older programs skip it.
constexpr std::int16_t kHeatLoadTag = 8;
constexpr std::int16_t kClimateBlock = 1;
constexpr std::int16_t kRoomAirBlock = 2;      // one room: identifier and air data
constexpr std::int16_t kElementBlock = 3;      // one element: its room's identifier and the element
constexpr std::int16_t kConstructionBlock = 4; // one construction with its layers
constexpr RecordList kHeatLoadRecords{kMoreOptionsEnd, EndTagForm::kBare, StreamEnd::kFails};
constexpr std::int32_t kHasBu = 1, kHasTemperature = 2, kHasThermalBridge = 4;
// The floor plan: floors, then each room's outline, each door and each manifold's
// place, one block each.  Written only for a project with a plan.
constexpr std::int16_t kPlanTag = 9;
constexpr std::int16_t kFloorBlock = 1;
constexpr std::int16_t kOutlineBlock = 2;
constexpr std::int16_t kDoorBlock = 3;
constexpr std::int16_t kManifoldPlaceBlock = 4;
// The drawing's other lines, a thousand to a block: a block's length is 16 bits.
constexpr std::int16_t kUnderlayBlock = 5;
constexpr std::size_t kUnderlayLinesPerBlock = 1000;
constexpr RecordList kPlanRecords{kMoreOptionsEnd, EndTagForm::kBare, StreamEnd::kFails};
// The circuits' tubes as laid on the plan, by circuit place: one block with each
// circuit's figures, then its polylines, a thousand points to a block.  Written after
// the circuits, only for a project with a laid circuit or a pattern chosen.
constexpr std::int16_t kLayoutTag = 10;
constexpr std::int16_t kCircuitLayoutBlock = 1;
constexpr std::int16_t kLayoutLineBlock = 2;
constexpr std::size_t kLayoutPointsPerBlock = 1000;
enum LayoutLine : std::int32_t { kRegionLine = 1, kLoopLine = 2, kSupplyLine = 3, kJoinLine = 4, kReturnLine = 5 };
constexpr RecordList kLayoutRecords{kMoreOptionsEnd, EndTagForm::kBare, StreamEnd::kFails};
constexpr std::int16_t kEndMark = 0x7FFF;
// The end mark stands alone, and the file must not end before it.
constexpr RecordList kProjectRecords{kEndMark, EndTagForm::kBare, StreamEnd::kFails};

} // namespace

namespace {
// A build-up: insulation and slab resistance, the kind of space below and its
// temperature.  Values the program never writes are damage.
void WriteBuildUp(TMemoryStream& s, const FloorBuildUp& b)
{
    MemberWriter writer(s);
    writer("insulationResistance", b.insulationResistance);
    writer("slabResistance", b.slabResistance);
    s.WriteInt32(static_cast<std::int32_t>(b.below));
    writer("belowTemperature", b.belowTemperature);
}

FloorBuildUp ReadBuildUp(TMemoryStream& s)
{
    FloorBuildUp b;
    MemberReader reader(s);
    reader("insulationResistance", b.insulationResistance);
    reader("slabResistance", b.slabResistance);
    const std::int32_t below = s.ReadInt32();
    reader("belowTemperature", b.belowTemperature);
    if (!(b.insulationResistance >= 0) || !(b.slabResistance >= 0) || b.insulationResistance > 100
        || b.slabResistance > 100)
        throw ImpossibleValue("insulationResistance = " + std::to_string(b.insulationResistance)
                              + ", slabResistance = " + std::to_string(b.slabResistance));
    if (!IsBelowKind(below))
        throw ImpossibleValue("below = " + std::to_string(below));
    b.below = static_cast<BelowKind>(below);
    return b;
}

// An element's optional numbers are stored as a presence mask and three values.
void WriteElement(TMemoryStream& s, std::int32_t roomId, const HeatElement& e)
{
    s.WriteInt32(roomId);
    WriteStreamString(s, e.name);
    s.WriteInt32(static_cast<std::int32_t>(e.type));
    HeatElementMembers(e, MemberWriter(s));
    s.WriteInt32(static_cast<std::int32_t>(e.boundary));
    const std::int32_t mask =
        (e.bu ? kHasBu : 0) | (e.temperature ? kHasTemperature : 0) | (e.thermalBridge ? kHasThermalBridge : 0);
    s.WriteInt32(mask);
    MemberWriter writer(s);
    writer("bu", e.bu.value_or(0));
    writer("elementTemperature", e.temperature.value_or(0));
    writer("thermalBridge", e.thermalBridge.value_or(0));
    WriteStreamString(s, e.construction);
}

void WriteConstruction(TMemoryStream& s, const Construction& c)
{
    WriteStreamString(s, c.name);
    s.WriteInt32(c.layered ? 1 : 0);
    MemberWriter writer(s);
    writer("constructionU", c.u);
    s.WriteInt32(static_cast<std::int32_t>(c.flow));
    s.WriteInt32(c.outsideSurface ? 1 : 0);
    s.WriteInt32(static_cast<std::int32_t>(c.layers.size()));
    for (const ConstructionLayer& l : c.layers) {
        WriteStreamString(s, l.name);
        writer("layerThickness", l.thickness);
        writer("conductivity", l.conductivity);
    }
}

std::int32_t ReadFlag(TMemoryStream& s, const char* what)
{
    const std::int32_t flag = s.ReadInt32();
    if (flag != 0 && flag != 1)
        throw ImpossibleValue(std::string(what) + " = " + std::to_string(flag));
    return flag;
}

Construction ReadConstruction(TMemoryStream& s)
{
    Construction c;
    ReadStreamString(s, c.name);
    c.layered = ReadFlag(s, "layered") == 1;
    MemberReader reader(s);
    reader("constructionU", c.u);
    const std::int32_t flow = s.ReadInt32();
    if (flow < 0 || flow > static_cast<std::int32_t>(HeatFlow::Downward))
        throw ImpossibleValue("flow = " + std::to_string(flow));
    c.flow = static_cast<HeatFlow>(flow);
    c.outsideSurface = ReadFlag(s, "outsideSurface") == 1;
    const std::int32_t count = s.ReadInt32();
    if (count < 0 || std::size_t(count) > s.Size())
        throw ImpossibleValue("layers = " + std::to_string(count));
    for (std::int32_t i = 0; i < count; ++i) {
        ConstructionLayer l;
        ReadStreamString(s, l.name);
        reader("layerThickness", l.thickness);
        reader("conductivity", l.conductivity);
        c.layers.push_back(std::move(l));
    }
    return c;
}

HeatElement ReadElement(TMemoryStream& s)
{
    HeatElement e;
    ReadStreamString(s, e.name);
    const std::int32_t type = s.ReadInt32();
    if (type < 0 || type > static_cast<std::int32_t>(ElementType::Floor))
        throw ImpossibleValue("elementType = " + std::to_string(type));
    e.type = static_cast<ElementType>(type);
    HeatElementMembers(e, MemberReader(s));
    const std::int32_t boundary = s.ReadInt32();
    if (boundary < 0 || boundary > static_cast<std::int32_t>(Boundary::Heated))
        throw ImpossibleValue("boundary = " + std::to_string(boundary));
    e.boundary = static_cast<Boundary>(boundary);
    const std::int32_t mask = s.ReadInt32();
    if (mask < 0 || mask > (kHasBu | kHasTemperature | kHasThermalBridge))
        throw ImpossibleValue("elementMask = " + std::to_string(mask));
    float bu = 0, temperature = 0, bridge = 0;
    MemberReader reader(s);
    reader("bu", bu);
    reader("elementTemperature", temperature);
    reader("thermalBridge", bridge);
    if (mask & kHasBu)
        e.bu = bu;
    if (mask & kHasTemperature)
        e.temperature = temperature;
    if (mask & kHasThermalBridge)
        e.thermalBridge = bridge;
    ReadStreamString(s, e.construction);
    return e;
}

void WritePoint(TMemoryStream& s, plan::Point p)
{
    s.WriteDouble(p.x);
    s.WriteDouble(p.y);
}

// Coordinates of a building: finite and within 100 km.
plan::Point ReadPoint(TMemoryStream& s)
{
    plan::Point p;
    p.x = s.ReadDouble();
    p.y = s.ReadDouble();
    if (!(std::fabs(p.x) <= 1e5 && std::fabs(p.y) <= 1e5))
        throw ImpossibleValue("coordinate");
    return p;
}

void WriteLayoutLine(TMemoryStream& s, RecordWriter& blocks, std::int32_t round, LayoutLine kind, std::int32_t index,
                     const plan::Polyline& line)
{
    for (std::size_t from = 0; from < line.size(); from += kLayoutPointsPerBlock)
        blocks.Write(kLayoutLineBlock, [&] {
            const std::size_t to = std::min(line.size(), from + kLayoutPointsPerBlock);
            s.WriteInt32(round);
            s.WriteInt32(kind);
            s.WriteInt32(index);
            s.WriteInt32(static_cast<std::int32_t>(to - from));
            for (std::size_t i = from; i < to; ++i)
                WritePoint(s, line[i]);
        });
}

void WriteLayouts(TMemoryStream& s, const std::vector<TRoundItem>& rounds)
{
    RecordWriter blocks(s, kLayoutRecords);
    for (std::size_t r = 0; r < rounds.size(); ++r) {
        const plan::CircuitLayout& l = rounds[r].layout;
        if (l.Default())
            continue;
        const auto index = static_cast<std::int32_t>(r);
        blocks.Write(kCircuitLayoutBlock, [&] {
            s.WriteInt32(index);
            s.WriteInt32(static_cast<std::int32_t>(l.pattern));
            s.WriteInt32(l.laid ? 1 : 0);
            s.WriteInt32(l.floor);
            s.WriteDouble(l.spacing);
            s.WriteDouble(l.edgeDistance);
            s.WriteInt32(static_cast<std::int32_t>(l.parts.size()));
            s.WriteInt32(static_cast<std::int32_t>(l.joins.size()));
            for (const plan::LaidPart& part : l.parts)
                s.WriteInt32(part.roomId);
            s.WriteInt32(static_cast<std::int32_t>(l.inputs & 0xFFFFFFFFu));
            s.WriteInt32(static_cast<std::int32_t>(l.inputs >> 32));
            s.WriteDouble(l.riser);
        });
        for (std::size_t i = 0; i < l.parts.size(); ++i) {
            WriteLayoutLine(s, blocks, index, kRegionLine, std::int32_t(i), l.parts[i].region);
            WriteLayoutLine(s, blocks, index, kLoopLine, std::int32_t(i), l.parts[i].loop);
        }
        WriteLayoutLine(s, blocks, index, kSupplyLine, 0, l.supplyRoute);
        for (std::size_t i = 0; i < l.joins.size(); ++i)
            WriteLayoutLine(s, blocks, index, kJoinLine, std::int32_t(i), l.joins[i]);
        WriteLayoutLine(s, blocks, index, kReturnLine, 0, l.returnRoute);
    }
    blocks.End();
}

TManifold DefaultManifold(const std::string& name)
{
    TManifold m;
    m.name = name;
    return m;
}
std::string NewManifoldCaption()
{
    return TextOrBuiltIn("IDS_NEWMANIFOLDITEMCAPTION");
}
} // namespace

TProject::TProject(const NewProjectDefaults& defaults)
    : designerLines(defaults.designerLines), projectDate(defaults.projectDate), options(defaults.defaultValveName)
{
    if (defaults.medium)
        options.medium = *defaults.medium;
    manifolds.push_back(DefaultManifold(NewManifoldCaption()));
}

void TProject::ReadFromStream(TMemoryStream& s)
{
    std::string signature;
    try {
        signature = ReadStreamString(s);
    } catch (const StreamEndError&) {
        // Cut short within the signature: damaged when what there is begins like one.
        TMemoryStream expected;
        WriteStreamString(expected, kSignature);
        const std::string& have = s.Data();
        if (have.empty() || expected.Data().compare(0, have.size(), have) != 0)
            throw KalorinaError(TextOrBuiltIn("IDS_INVALIDFILE"));
        throw;
    }
    if (signature != kSignature)
        throw KalorinaError(TextOrBuiltIn("IDS_INVALIDFILE"));
    std::int16_t version = s.ReadInt16();
    CheckRecordVersion(version);
    manifolds.clear();
    // Files from before the build-up keep the temperature below and k they stored.
    options.buildUp.reset();
    heatLoad = ProjectHeatLoad{};
    plan = plan::Plan{};
    std::vector<std::int32_t> membership;
    bool membershipRead = false;
    std::vector<bool> designed;
    options.edgeDistance = TProjektOptions::kDefaultEdgeDistance;
    auto unnamed = [](auto&& read) { ReadNamedRecord("IDS_DAMAGEDPROJECT", nullptr, read); };
    // A layout block names its circuit by place; the circuits are read before it.
    auto StoredRound = [&]() -> TRoundItem& {
        const std::int32_t index = s.ReadInt32();
        if (index < 0 || std::size_t(index) >= rounds.size())
            throw ImpossibleValue("circuit = " + std::to_string(index));
        return rounds[index];
    };
    auto ReadCircuitLayout = [&](TMemoryStream& s) {
        plan::CircuitLayout& l = StoredRound().layout;
        const std::int32_t pattern = s.ReadInt32();
        const std::int32_t laid = s.ReadInt32();
        if (!plan::IsLoopPattern(pattern) || (laid != 0 && laid != 1))
            throw ImpossibleValue("layout");
        l.pattern = static_cast<plan::LoopPattern>(pattern);
        l.laid = laid == 1;
        l.floor = s.ReadInt32();
        l.spacing = s.ReadDouble();
        l.edgeDistance = s.ReadDouble();
        const std::int32_t parts = s.ReadInt32();
        const std::int32_t joins = s.ReadInt32();
        if (parts < 0 || joins < 0 || std::size_t(parts) > s.Size() || std::size_t(joins) > s.Size())
            throw ImpossibleValue("layout parts");
        l.parts.assign(parts, {});
        for (plan::LaidPart& part : l.parts)
            part.roomId = s.ReadInt32();
        l.joins.assign(joins, {});
        const auto low = static_cast<std::uint32_t>(s.ReadInt32());
        const auto high = static_cast<std::uint32_t>(s.ReadInt32());
        l.inputs = (std::uint64_t(high) << 32) | low;
        l.riser = s.ReadDouble();
        if (!(l.riser >= 0 && l.riser <= 1000))
            throw ImpossibleValue("riser");
        if (!(l.spacing >= 0 && l.spacing <= 1 && l.edgeDistance >= 0 && l.edgeDistance <= 1))
            throw ImpossibleValue("layout spacing");
    };
    auto ReadLayoutLine = [&](TMemoryStream& s) {
        plan::CircuitLayout& l = StoredRound().layout;
        const std::int32_t kind = s.ReadInt32();
        const std::int32_t index = s.ReadInt32();
        const std::int32_t count = s.ReadInt32();
        if (count < 0 || std::size_t(count) > s.Size())
            throw ImpossibleValue("points = " + std::to_string(count));
        plan::Polyline* line = nullptr;
        const auto in = [&](auto& list) {
            if (index < 0 || std::size_t(index) >= list.size())
                throw ImpossibleValue("layout line " + std::to_string(index));
        };
        switch (kind) {
        case kRegionLine:
            in(l.parts);
            line = &l.parts[index].region;
            break;
        case kLoopLine:
            in(l.parts);
            line = &l.parts[index].loop;
            break;
        case kSupplyLine:
            line = &l.supplyRoute;
            break;
        case kJoinLine:
            in(l.joins);
            line = &l.joins[index];
            break;
        case kReturnLine:
            line = &l.returnRoute;
            break;
        default:
            throw ImpossibleValue("layout line kind " + std::to_string(kind));
        }
        for (std::int32_t i = 0; i < count; ++i)
            line->push_back(ReadPoint(s));
    };
    // The room a block beside the room records names by its identifier.
    auto StoredRoom = [&]() -> TRoomItem& {
        const std::int32_t id = s.ReadInt32();
        TRoomItem* room = FindRoomById(id);
        if (!room)
            throw ImpossibleValue("roomId = " + std::to_string(id));
        return *room;
    };
    ReadRecords(
        s, kProjectRecords,
        {
            {kProjectDataTag, [&] { unnamed([&] { ProjectDataMembers(*this, MemberReader(s)); }); }},
            {kOptionsTag, [&] { unnamed([&] { options.ReadOptions(s, version); }); }},
            {kMoreOptionsTag,
             [&] {
                 ReadRecords(s, kMoreOptionsRecords,
                             {
                                 {kExtraLengthBlock,
                                  [&] {
                                      unnamed([&] {
                                          MemberReader reader(s);
                                          reader("extraLength", options.extraLength);
                                          options.extraLengthMode = s.ReadInt32();
                                          if (options.extraLengthMode != 0 && options.extraLengthMode != 1)
                                              throw ImpossibleValue("extraLengthMode = "
                                                                    + std::to_string(options.extraLengthMode));
                                      });
                                  }},
                                 {kBuildUpBlock, [&] { unnamed([&] { options.buildUp = ReadBuildUp(s); }); }},
                                 {kEdgeDistanceBlock,
                                  [&] {
                                      unnamed([&] {
                                          options.edgeDistance = s.ReadDouble();
                                          if (!(options.edgeDistance >= 0 && options.edgeDistance <= 1))
                                              throw ImpossibleValue("edgeDistance");
                                      });
                                  }},
                             });
             }},
            {kRoomTag,
             [&] {
                 TRoomItem room(options.roomTemperature);
                 room.ReadFromStream(s, version);
                 rooms.push_back(std::move(room));
             }},
            {kRoundTag,
             [&] {
                 // A default circuit's hydraulics start from the options, as a
                 // new one's do; the record's hydraulic data then replace them.
                 TRoundItem round;
                 round.hydraulic = THydraulic(options);
                 round.ReadFromStream(s, version);
                 rounds.push_back(std::move(round));
             }},
            {kRoomExtrasTag,
             [&] {
                 ReadRecords(s, kRoomExtrasRecords,
                             {
                                 {kRoomFlagsBlock,
                                  [&] {
                                      unnamed([&] {
                                          TRoomItem* room = &StoredRoom();
                                          const std::int32_t flags = s.ReadInt32();
                                          room->supplementaryHeatAllowed = (flags & kRoomSupplementaryHeat) != 0;
                                      });
                                  }},
                                 {kRoomBuildUpBlock,
                                  [&] {
                                      unnamed([&] {
                                          TRoomItem* room = &StoredRoom();
                                          room->buildUp = ReadBuildUp(s);
                                      });
                                  }},
                             });
             }},
            {kHeatLoadTag,
             [&] {
                 ReadRecords(s, kHeatLoadRecords,
                             {
                                 {kClimateBlock,
                                  [&] {
                                      unnamed([&] {
                                          HeatLoadClimateMembers(heatLoad, MemberReader(s));
                                          const std::int32_t shielding = s.ReadInt32();
                                          const std::int32_t groundwater = s.ReadInt32();
                                          if (shielding < 0 || shielding > static_cast<std::int32_t>(Shielding::Heavy))
                                              throw ImpossibleValue("shielding = " + std::to_string(shielding));
                                          if (groundwater != 0 && groundwater != 1)
                                              throw ImpossibleValue("groundwater = " + std::to_string(groundwater));
                                          heatLoad.shielding = static_cast<Shielding>(shielding);
                                          heatLoad.groundwaterShallow = groundwater == 1;
                                      });
                                  }},
                                 {kConstructionBlock,
                                  [&] { unnamed([&] { heatLoad.constructions.push_back(ReadConstruction(s)); }); }},
                                 {kRoomAirBlock,
                                  [&] {
                                      unnamed([&] {
                                          TRoomItem* room = &StoredRoom();
                                          RoomHeatLoad data;
                                          RoomHeatLoadMembers(data, MemberReader(s));
                                          data.exposedFacades = s.ReadInt32();
                                          const std::int32_t manual = s.ReadInt32();
                                          if (data.exposedFacades < 0 || data.exposedFacades > 2)
                                              throw ImpossibleValue("exposedFacades = "
                                                                    + std::to_string(data.exposedFacades));
                                          if (manual != 0 && manual != 1)
                                              throw ImpossibleValue("manual = " + std::to_string(manual));
                                          data.manual = manual == 1;
                                          // Elements read before their room's air data stay.
                                          if (room->heatLoad)
                                              data.elements = std::move(room->heatLoad->elements);
                                          room->heatLoad = std::move(data);
                                      });
                                  }},
                                 {kElementBlock,
                                  [&] {
                                      unnamed([&] {
                                          TRoomItem* room = &StoredRoom();
                                          HeatElement e = ReadElement(s);
                                          if (!room->heatLoad)
                                              room->heatLoad.emplace();
                                          room->heatLoad->elements.push_back(std::move(e));
                                      });
                                  }},
                             });
             }},
            {kPlanTag,
             [&] {
                 ReadRecords(s, kPlanRecords,
                             {
                                 {kFloorBlock,
                                  [&] {
                                      unnamed([&] {
                                          plan::Floor f;
                                          ReadStreamString(s, f.name);
                                          f.level = s.ReadDouble();
                                          if (!(std::fabs(f.level) <= 1e4))
                                              throw ImpossibleValue("level");
                                          plan.floors.push_back(std::move(f));
                                      });
                                  }},
                                 {kOutlineBlock,
                                  [&] {
                                      unnamed([&] {
                                          plan::RoomOutline o;
                                          o.roomId = s.ReadInt32();
                                          o.floor = s.ReadInt32();
                                          const std::int32_t count = s.ReadInt32();
                                          if (count < 0 || std::size_t(count) > s.Size())
                                              throw ImpossibleValue("corners = " + std::to_string(count));
                                          for (std::int32_t i = 0; i < count; ++i)
                                              o.outline.push_back(ReadPoint(s));
                                          plan.outlines.push_back(std::move(o));
                                      });
                                  }},
                                 {kDoorBlock,
                                  [&] {
                                      unnamed([&] {
                                          plan::Door d;
                                          d.floor = s.ReadInt32();
                                          d.roomA = s.ReadInt32();
                                          d.roomB = s.ReadInt32();
                                          d.from = ReadPoint(s);
                                          d.to = ReadPoint(s);
                                          plan.doors.push_back(d);
                                      });
                                  }},
                                 {kUnderlayBlock,
                                  [&] {
                                      unnamed([&] {
                                          const std::int32_t floor = s.ReadInt32();
                                          const std::int32_t count = s.ReadInt32();
                                          if (count < 0 || std::size_t(count) > s.Size())
                                              throw ImpossibleValue("lines = " + std::to_string(count));
                                          for (std::int32_t i = 0; i < count; ++i) {
                                              plan::UnderlayLine l;
                                              l.floor = floor;
                                              l.from = ReadPoint(s);
                                              l.to = ReadPoint(s);
                                              plan.underlay.push_back(l);
                                          }
                                      });
                                  }},
                                 {kManifoldPlaceBlock,
                                  [&] {
                                      unnamed([&] {
                                          plan::ManifoldPlace m;
                                          m.manifold = s.ReadInt32();
                                          m.floor = s.ReadInt32();
                                          m.position = ReadPoint(s);
                                          plan.manifolds.push_back(m);
                                      });
                                  }},
                             });
             }},
            {kLayoutTag,
             [&] {
                 ReadRecords(s, kLayoutRecords,
                             {
                                 {kCircuitLayoutBlock, [&] { unnamed([&] { ReadCircuitLayout(s); }); }},
                                 {kLayoutLineBlock, [&] { unnamed([&] { ReadLayoutLine(s); }); }},
                             });
             }},
            {kManifoldsTag,
             [&] {
                 ReadRecords(s, kManifoldRecords,
                             {
                                 {kManifoldBlock,
                                  [&] {
                                      unnamed([&] {
                                          TManifold m;
                                          ManifoldMembers(m, MemberReader(s));
                                          manifolds.push_back(std::move(m));
                                      });
                                  }},
                                 {kMembershipBlock,
                                  [&] {
                                      unnamed([&] {
                                          const std::int32_t count = s.ReadInt32();
                                          if (count < 0 || std::size_t(count) > s.Size())
                                              throw ImpossibleValue("circuits = " + std::to_string(count));
                                          membership.clear();
                                          for (std::int32_t i = 0; i < count; ++i)
                                              membership.push_back(s.ReadInt32());
                                          membershipRead = true;
                                      });
                                  }},
                                 {kDesignStateBlock,
                                  [&] {
                                      unnamed([&] {
                                          const std::int32_t count = s.ReadInt32();
                                          if (count < 0 || std::size_t(count) > s.Size())
                                              throw ImpossibleValue("manifolds = " + std::to_string(count));
                                          designed.clear();
                                          for (std::int32_t i = 0; i < count; ++i) {
                                              const std::int16_t flag = s.ReadInt16();
                                              if (flag != 0 && flag != 1)
                                                  throw ImpossibleValue("designed = " + std::to_string(flag));
                                              designed.push_back(flag != 0);
                                          }
                                      });
                                  }},
                             });
             }},
        });
    // Lengths are measured along the polylines read, not stored beside them.
    for (TRoundItem& round : rounds)
        if (round.layout.laid)
            round.layout.Measure();
    // Files from before manifolds: one manifold feeds every circuit.
    if (manifolds.empty())
        manifolds.push_back(DefaultManifold(NewManifoldCaption()));
    if (membershipRead) {
        // A circuit held to a manifold that is not there is damage: guessing would
        // move it silently.  Circuits the list does not count (added by a tool that
        // does not know manifolds) go to the first manifold, as in files from before.
        unnamed([&] {
            for (std::size_t i = 0; i < rounds.size() && i < membership.size(); ++i) {
                if (membership[i] < 0 || std::size_t(membership[i]) >= manifolds.size())
                    throw ImpossibleValue("manifold = " + std::to_string(membership[i]));
                rounds[i].manifold = membership[i];
            }
        });
    }
    // A count that differs from the manifolds' (a tool added or removed some) leaves
    // the manifolds it does not reach undesigned.
    for (std::size_t i = 0; i < designed.size() && i < manifolds.size(); ++i)
        manifolds[i].designed = designed[i];
    // The plan names rooms, floors and manifolds that must be there, and outlines a
    // room can have; anything else is damage.
    unnamed([&] {
        const auto floorOk = [&](int f) { return f >= 0 && std::size_t(f) < plan.floors.size(); };
        std::vector<std::int32_t> outlined;
        for (const plan::RoomOutline& o : plan.outlines) {
            if (!FindRoomById(o.roomId) || !floorOk(o.floor))
                throw ImpossibleValue("outline of room " + std::to_string(o.roomId));
            if (plan::CheckOutline(o.outline) != plan::OutlineFault::None)
                throw ImpossibleValue("outline of room " + std::to_string(o.roomId));
            if (std::find(outlined.begin(), outlined.end(), o.roomId) != outlined.end())
                throw ImpossibleValue("outlines of room " + std::to_string(o.roomId));
            outlined.push_back(o.roomId);
        }
        for (const plan::Door& d : plan.doors)
            if (!floorOk(d.floor) || !FindRoomById(d.roomA) || (d.roomB != 0 && !FindRoomById(d.roomB)))
                throw ImpossibleValue("door");
        for (const plan::ManifoldPlace& m : plan.manifolds)
            if (!floorOk(m.floor) || m.manifold < 0 || std::size_t(m.manifold) >= manifolds.size())
                throw ImpossibleValue("manifold place");
        for (const plan::UnderlayLine& l : plan.underlay)
            if (!floorOk(l.floor))
                throw ImpossibleValue("underlay");
    });
    // Circuits find rooms by their identifier: two rooms with one are damage.
    for (std::size_t i = 0; i < rooms.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (rooms[i].roomId == rooms[j].roomId)
                throw KalorinaError(
                    FormatText(TextOrBuiltIn("IDS_DUPLICATEROOMID"), {rooms[j].roomName, rooms[i].roomName}));
    RecountAssignedSurfaces();
    modified = false;
}

int TProject::ApplyOutlineAreas()
{
    int changed = 0;
    for (const plan::RoomOutline& o : plan.outlines)
        if (TRoomItem* room = FindRoomById(o.roomId)) {
            const float area = static_cast<float>(plan::RoundedArea(o.outline));
            if (room->floorArea != area) {
                room->floorArea = area;
                ++changed;
            }
        }
    if (changed > 0) {
        modified = true;
        RecountAssignedSurfaces();
    }
    return changed;
}

void TProject::WriteToStream(TMemoryStream& s) const
{
    WriteStreamString(s, kSignature);
    s.WriteInt16(kFileVersion);
    RecordWriter w(s, kProjectRecords);
    w.Write(kProjectDataTag, [&] { ProjectDataMembers(*this, MemberWriter(s)); });
    w.Write(kOptionsTag, [&] { options.WriteOptions(s); });
    w.Write(kMoreOptionsTag, [&] {
        RecordWriter more(s, kMoreOptionsRecords);
        more.Write(kExtraLengthBlock, [&] {
            MemberWriter writer(s);
            writer("extraLength", options.extraLength);
            s.WriteInt32(options.extraLengthMode);
        });
        if (options.buildUp)
            more.Write(kBuildUpBlock, [&] { WriteBuildUp(s, *options.buildUp); });
        if (options.edgeDistance != TProjektOptions::kDefaultEdgeDistance)
            more.Write(kEdgeDistanceBlock, [&] { s.WriteDouble(options.edgeDistance); });
        more.End();
    });
    for (const auto& room : rooms)
        w.Write(kRoomTag, [&] { room.WriteToStream(s); });
    // Only a project that uses them gets the record: others keep the bytes they had.
    const bool anyRoomExtras = std::any_of(rooms.begin(), rooms.end(),
                                           [](const TRoomItem& r) { return r.supplementaryHeatAllowed || r.buildUp; });
    if (anyRoomExtras)
        w.Write(kRoomExtrasTag, [&] {
            RecordWriter blocks(s, kRoomExtrasRecords);
            for (const auto& room : rooms)
                if (room.supplementaryHeatAllowed)
                    blocks.Write(kRoomFlagsBlock, [&] {
                        s.WriteInt32(room.roomId);
                        s.WriteInt32(kRoomSupplementaryHeat);
                    });
            for (const auto& room : rooms)
                if (room.buildUp)
                    blocks.Write(kRoomBuildUpBlock, [&] {
                        s.WriteInt32(room.roomId);
                        WriteBuildUp(s, *room.buildUp);
                    });
            blocks.End();
        });
    if (heatLoad != ProjectHeatLoad{}
        || std::any_of(rooms.begin(), rooms.end(), [](const TRoomItem& r) { return r.heatLoad.has_value(); }))
        w.Write(kHeatLoadTag, [&] {
            RecordWriter blocks(s, kHeatLoadRecords);
            blocks.Write(kClimateBlock, [&] {
                HeatLoadClimateMembers(heatLoad, MemberWriter(s));
                s.WriteInt32(static_cast<std::int32_t>(heatLoad.shielding));
                s.WriteInt32(heatLoad.groundwaterShallow ? 1 : 0);
            });
            for (const Construction& c : heatLoad.constructions)
                blocks.Write(kConstructionBlock, [&] { WriteConstruction(s, c); });
            for (const auto& room : rooms) {
                if (!room.heatLoad)
                    continue;
                blocks.Write(kRoomAirBlock, [&] {
                    s.WriteInt32(room.roomId);
                    RoomHeatLoadMembers(*room.heatLoad, MemberWriter(s));
                    s.WriteInt32(room.heatLoad->exposedFacades);
                    s.WriteInt32(room.heatLoad->manual ? 1 : 0);
                });
                // One block per element: no block outgrows the length that lets an
                // older reader skip it.
                for (const HeatElement& e : room.heatLoad->elements)
                    blocks.Write(kElementBlock, [&] { WriteElement(s, room.roomId, e); });
            }
            blocks.End();
        });
    for (const auto& round : rounds)
        w.Write(kRoundTag, [&] { round.WriteToStream(s); });
    if (std::any_of(rounds.begin(), rounds.end(), [](const TRoundItem& r) { return !r.layout.Default(); }))
        w.Write(kLayoutTag, [&] { WriteLayouts(s, rounds); });
    w.Write(kManifoldsTag, [&] {
        RecordWriter blocks(s, kManifoldRecords);
        for (const TManifold& m : manifolds)
            blocks.Write(kManifoldBlock, [&] { ManifoldMembers(m, MemberWriter(s)); });
        blocks.Write(kMembershipBlock, [&] {
            s.WriteInt32(static_cast<std::int32_t>(rounds.size()));
            for (const auto& round : rounds)
                s.WriteInt32(round.manifold);
        });
        if (std::any_of(manifolds.begin(), manifolds.end(), [](const TManifold& m) { return m.designed; }))
            blocks.Write(kDesignStateBlock, [&] {
                s.WriteInt32(static_cast<std::int32_t>(manifolds.size()));
                for (const TManifold& m : manifolds)
                    s.WriteInt16(m.designed ? 1 : 0);
            });
        blocks.End();
    });
    // Only what points at rooms, floors and manifolds that are there is written: a
    // file the reader would refuse must never be written.
    const auto floorOk = [&](int f) { return f >= 0 && std::size_t(f) < plan.floors.size(); };
    const auto roomOk = [&](std::int32_t id) { return FindRoomById(id) != nullptr; };
    if (!plan.Empty())
        w.Write(kPlanTag, [&] {
            RecordWriter blocks(s, kPlanRecords);
            for (const plan::Floor& f : plan.floors)
                blocks.Write(kFloorBlock, [&] {
                    WriteStreamString(s, f.name);
                    s.WriteDouble(f.level);
                });
            std::vector<std::int32_t> outlined;
            for (const plan::RoomOutline& o : plan.outlines) {
                if (!roomOk(o.roomId) || !floorOk(o.floor) || plan::CheckOutline(o.outline) != plan::OutlineFault::None
                    || std::find(outlined.begin(), outlined.end(), o.roomId) != outlined.end())
                    continue;
                outlined.push_back(o.roomId);
                blocks.Write(kOutlineBlock, [&] {
                    s.WriteInt32(o.roomId);
                    s.WriteInt32(o.floor);
                    s.WriteInt32(static_cast<std::int32_t>(o.outline.size()));
                    for (const plan::Point& p : o.outline)
                        WritePoint(s, p);
                });
            }
            for (const plan::Door& d : plan.doors) {
                if (!floorOk(d.floor) || !roomOk(d.roomA) || (d.roomB != 0 && !roomOk(d.roomB)))
                    continue;
                blocks.Write(kDoorBlock, [&] {
                    s.WriteInt32(d.floor);
                    s.WriteInt32(d.roomA);
                    s.WriteInt32(d.roomB);
                    WritePoint(s, d.from);
                    WritePoint(s, d.to);
                });
            }
            for (const plan::ManifoldPlace& m : plan.manifolds) {
                if (!floorOk(m.floor) || m.manifold < 0 || std::size_t(m.manifold) >= manifolds.size())
                    continue;
                blocks.Write(kManifoldPlaceBlock, [&] {
                    s.WriteInt32(m.manifold);
                    s.WriteInt32(m.floor);
                    WritePoint(s, m.position);
                });
            }
            // Each floor's lines in blocks of their own, in the order they stand.
            std::size_t from = 0;
            while (from < plan.underlay.size()) {
                const int floor = plan.underlay[from].floor;
                std::size_t to = from;
                while (to < plan.underlay.size() && to - from < kUnderlayLinesPerBlock
                       && plan.underlay[to].floor == floor)
                    ++to;
                if (floorOk(floor))
                    blocks.Write(kUnderlayBlock, [&] {
                        s.WriteInt32(floor);
                        s.WriteInt32(static_cast<std::int32_t>(to - from));
                        for (std::size_t i = from; i < to; ++i) {
                            WritePoint(s, plan.underlay[i].from);
                            WritePoint(s, plan.underlay[i].to);
                        }
                    });
                from = to;
            }
            blocks.End();
        });
    w.End();
}

namespace {
template <typename List, typename NameOf>
std::string Unique(const List& list, const std::string& base, NameOf nameOf)
{
    auto taken = [&](const std::string& candidate) {
        for (const auto& item : list)
            if (nameOf(item) == candidate)
                return true;
        return false;
    };
    std::string candidate = base;
    for (int counter = 2; taken(candidate); ++counter)
        candidate = base + " (" + std::to_string(counter) + ")";
    return candidate;
}
} // namespace

std::string TProject::UniqueRoomName(const std::string& base) const
{
    return Unique(rooms, base, [](const TRoomItem& r) -> const std::string& { return r.roomName; });
}

std::string TProject::UniqueRoundName(const std::string& base) const
{
    return Unique(rounds, base, [](const TRoundItem& r) -> const std::string& { return r.roundName; });
}

std::string TProject::AddNewRoom()
{
    TRoomItem room(options.roomTemperature);
    room.roomName = UniqueRoomName(Languages().GetText("IDS_NEWROOMITEMCAPTION"));
    room.roomId = nextRoomId++;
    rooms.push_back(room);
    modified = true;
    return room.roomName;
}

std::string TProject::AddNewRound(int manifold)
{
    TRoundItem round(options);
    round.roundName = UniqueRoundName(Languages().GetText("IDS_NEWROUNDITEMCAPTION"));
    round.manifold = manifold >= 0 && std::size_t(manifold) < manifolds.size() ? manifold : 0;
    rounds.push_back(round);
    modified = true;
    return round.roundName;
}

std::string TProject::UniqueManifoldName(const std::string& base) const
{
    return Unique(manifolds, base, [](const TManifold& m) -> const std::string& { return m.name; });
}

std::string TProject::AddNewManifold()
{
    manifolds.push_back(DefaultManifold(UniqueManifoldName(NewManifoldCaption())));
    modified = true;
    return manifolds.back().name;
}

int TProject::FindManifold(const std::string& name) const
{
    for (std::size_t i = 0; i < manifolds.size(); ++i)
        if (manifolds[i].name == name)
            return static_cast<int>(i);
    return -1;
}

void TProject::DeleteManifold(int index)
{
    if (index < 0 || std::size_t(index) >= manifolds.size())
        return;
    std::erase_if(rounds, [&](const TRoundItem& r) { return r.manifold == index; });
    for (auto& round : rounds)
        if (round.manifold > index)
            --round.manifold;
    // Its place on the plan goes with it; the places of the ones after it follow.
    std::erase_if(plan.manifolds, [&](const plan::ManifoldPlace& m) { return m.manifold == index; });
    for (plan::ManifoldPlace& m : plan.manifolds)
        if (m.manifold > index)
            --m.manifold;
    manifolds.erase(manifolds.begin() + index);
    if (manifolds.empty())
        manifolds.push_back(DefaultManifold(NewManifoldCaption()));
    modified = true;
    RecountAssignedSurfaces();
}

std::vector<int> TProject::ManifoldRounds(int manifold) const
{
    std::vector<int> places;
    for (std::size_t i = 0; i < rounds.size(); ++i)
        if (rounds[i].manifold == manifold)
            places.push_back(static_cast<int>(i));
    return places;
}

int TProject::ItemCount(bool isRoom) const
{
    return static_cast<int>(isRoom ? rooms.size() : rounds.size());
}

const std::string& TProject::ItemName(int index, bool isRoom) const
{
    return isRoom ? rooms.at(index).roomName : rounds.at(index).roundName;
}

int TProject::FindItem(const std::string& name, bool isRoom) const
{
    for (int i = 0; i < ItemCount(isRoom); ++i)
        if (ItemName(i, isRoom) == name)
            return i;
    return -1;
}

void TProject::RenameItem(int index, bool isRoom, const std::string& name)
{
    if (index < 0 || index >= ItemCount(isRoom))
        return;
    if (isRoom)
        rooms[index].roomName = name;
    else
        rounds[index].roundName = name;
    modified = true;
}

void TProject::DeleteItem(int index, bool isRoom)
{
    if (index >= 0 && index < ItemCount(isRoom)) {
        if (isRoom) {
            // Its outline and its doors go with it.
            const std::int32_t id = rooms[index].roomId;
            std::erase_if(plan.outlines, [id](const plan::RoomOutline& o) { return o.roomId == id; });
            std::erase_if(plan.doors, [id](const plan::Door& d) { return d.roomA == id || d.roomB == id; });
            rooms.erase(rooms.begin() + index);
        } else
            rounds.erase(rounds.begin() + index);
        modified = true;
    }
    RecountAssignedSurfaces();
}

void TProject::RecountAssignedSurfaces(TRoundItem* edited)
{
    for (auto& room : rooms)
        room.ResetAssignedAreas();
    for (auto& round : rounds) {
        if (edited && edited->roundName == round.roundName)
            edited->RegisterAreas(*this);
        else
            round.RegisterAreas(*this);
    }
}

int TProject::AddAssignedSurface(std::int32_t roomId, int fieldId, float area)
{
    TRoomItem* room = FindRoomById(roomId);
    return room ? room->AddAssignedArea(fieldId, area) : 1;
}

TRoomItem* TProject::FindRoomById(std::int32_t id)
{
    for (auto& room : rooms)
        if (room.roomId == id)
            return &room;
    return nullptr;
}

const TRoomItem* TProject::FindRoomById(std::int32_t id) const
{
    return const_cast<TProject*>(this)->FindRoomById(id);
}

std::string TProject::RoomNameById(std::int32_t id) const
{
    const TRoomItem* room = FindRoomById(id);
    return room ? room->roomName : std::string();
}

std::int32_t TProject::RoomIdByName(const std::string& name) const
{
    for (const auto& room : rooms)
        if (room.roomName == name)
            return room.roomId;
    return -1;
}

const FloorHeatingField* TProject::FindRoomField(std::int32_t roomId, int fieldId) const
{
    const TRoomItem* room = FindRoomById(roomId);
    return room ? room->FindField(fieldId) : nullptr;
}

std::vector<std::string> TProject::RoomListNames(TRoundItem* edited, bool onlyUnassigned)
{
    RecountAssignedSurfaces(edited);
    std::vector<std::string> names;
    for (const auto& room : rooms)
        if (!onlyUnassigned || room.HasUnassignedArea())
            names.push_back(room.roomName);
    return names;
}

void TProject::ComputeTotals()
{
    *static_cast<ProjectTotals*>(this) = Totals();
}

ProjectTotals TProject::Totals() const
{
    ProjectTotals t;
    for (const auto& room : rooms) {
        t.heatingLoss += room.heatDemand;
        t.surfaceSum += room.FieldAreaSum();
        t.fieldPowers += room.FieldPowerSum();
        t.remainderSurfaceSum += room.UnassignedArea();
    }
    for (const auto& round : rounds) {
        t.roundPowers += round.TotalPower();
        t.tubeLengths += round.TotalTubeLength();
    }
    auto kilo = [](float w) { return static_cast<float>(std::floor(double(w) + 0.5) * 0.001); };
    t.heatingLoss = kilo(t.heatingLoss);
    t.fieldPowers = kilo(t.fieldPowers);
    t.roundPowers = kilo(t.roundPowers);
    t.tubeLengths = static_cast<float>(std::floor(double(t.tubeLengths) * 10 + 0.5) * 0.1);
    return t;
}

bool TProject::SameContent(const TProject& o) const
{
    return buildingLines == o.buildingLines && customerLines == o.customerLines && designerLines == o.designerLines
        && commentLines == o.commentLines && projectDate == o.projectDate && nextRoomId == o.nextRoomId
        && options == o.options && rooms == o.rooms && rounds == o.rounds && manifolds == o.manifolds
        && heatLoad == o.heatLoad && plan == o.plan;
}

} // namespace kalorina
