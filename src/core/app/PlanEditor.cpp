#include "app/PlanEditor.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "document/TProject.h"
#include "lang/BuiltInTexts.h"
#include "util/Error.h"
#include "util/FormatText.h"

namespace kalorina {

namespace {

// Refuses an outline that is none, or that overlaps another room on its floor.
void CheckPlace(const TProject& p, std::int32_t roomId, int floor, const plan::Polygon& outline,
                const std::string& name)
{
    if (const plan::OutlineFault fault = plan::CheckOutline(outline); fault != plan::OutlineFault::None)
        throw KalorinaError(
            FormatText(TextOrBuiltIn("IDS_PLANOUTLINEFAULT"),
                       {TextOrBuiltIn("IDS_PLANTITLE"), name, TextOrBuiltIn(OutlineFaultTextId(fault))}));
    for (const plan::RoomOutline& other : p.plan.outlines)
        if (other.roomId != roomId && other.floor == floor && plan::Overlap(other.outline, outline))
            throw KalorinaError(FormatText(
                TextOrBuiltIn("IDS_PLANOVERLAP"),
                {TextOrBuiltIn("IDS_PLANTITLE"), p.RoomNameById(other.roomId), name, p.plan.floors.at(floor).name}));
}

plan::RoomOutline& OutlineOf(TProject& p, std::int32_t roomId)
{
    for (plan::RoomOutline& o : p.plan.outlines)
        if (o.roomId == roomId)
            return o;
    throw KalorinaError(TextOrBuiltIn("IDS_PLANNOOUTLINE"));
}

} // namespace

const char* OutlineFaultTextId(plan::OutlineFault f)
{
    switch (f) {
    case plan::OutlineFault::TooFewCorners:
        return "IDS_PLANFAULT+0";
    case plan::OutlineFault::RepeatedCorner:
        return "IDS_PLANFAULT+1";
    case plan::OutlineFault::NoArea:
        return "IDS_PLANFAULT+2";
    case plan::OutlineFault::SelfCrossing:
    case plan::OutlineFault::None:
        break;
    }
    return "IDS_PLANFAULT+3";
}

int EnsureFloor(TProject& project)
{
    if (project.plan.floors.empty())
        project.plan.floors.push_back({TextOrBuiltIn("IDS_PLANFIRSTFLOOR"), 0});
    return 0;
}

std::string DrawRoom(TProject& project, int floor, plan::Polygon outline)
{
    if (floor < 0 || std::size_t(floor) >= project.plan.floors.size())
        floor = EnsureFloor(project);
    outline = plan::CounterClockwise(std::move(outline));
    std::string name;
    for (int n = 1; name.empty() || project.FindItem(name, true) >= 0; ++n)
        name = FormatText(TextOrBuiltIn("IDS_PLANNEWROOM"), {std::to_string(n)});
    CheckPlace(project, 0, floor, outline, name);
    project.AddNewRoom();
    TRoomItem& room = project.rooms.back();
    room.roomName = name;
    project.plan.outlines.push_back({room.roomId, floor, std::move(outline)});
    project.ApplyOutlineAreas();
    return name;
}

void SetOutline(TProject& project, std::int32_t roomId, int floor, plan::Polygon outline)
{
    const TRoomItem* room = project.FindRoomById(roomId);
    if (!room || floor < 0 || std::size_t(floor) >= project.plan.floors.size())
        throw KalorinaError(TextOrBuiltIn("IDS_PLANNOOUTLINE"));
    outline = plan::CounterClockwise(std::move(outline));
    CheckPlace(project, roomId, floor, outline, room->roomName);
    std::erase_if(project.plan.outlines, [roomId](const plan::RoomOutline& o) { return o.roomId == roomId; });
    project.plan.outlines.push_back({roomId, floor, std::move(outline)});
    project.ApplyOutlineAreas();
}

void MoveCorner(TProject& project, std::int32_t roomId, int corner, plan::Point to)
{
    plan::RoomOutline& o = OutlineOf(project, roomId);
    if (corner < 0 || std::size_t(corner) >= o.outline.size())
        return;
    plan::Polygon moved = o.outline;
    moved[corner] = to;
    SetOutline(project, roomId, o.floor, std::move(moved));
}

void DeleteCorner(TProject& project, std::int32_t roomId, int corner)
{
    plan::RoomOutline& o = OutlineOf(project, roomId);
    if (corner < 0 || std::size_t(corner) >= o.outline.size())
        return;
    plan::Polygon fewer = o.outline;
    fewer.erase(fewer.begin() + corner);
    SetOutline(project, roomId, o.floor, std::move(fewer));
}

void PlaceDoor(TProject& project, std::int32_t roomId, plan::Point near, double width)
{
    const plan::RoomOutline& o = OutlineOf(project, roomId);
    // The nearest wall and the point on it.
    std::size_t best = 0;
    double bestDistance = 1e300, bestT = 0;
    for (std::size_t i = 0; i < o.outline.size(); ++i) {
        const plan::Point a = o.outline[i], b = o.outline[(i + 1) % o.outline.size()];
        const double dx = b.x - a.x, dy = b.y - a.y, l2 = dx * dx + dy * dy;
        const double t = l2 > 0 ? std::clamp(((near.x - a.x) * dx + (near.y - a.y) * dy) / l2, 0.0, 1.0) : 0;
        const double d = plan::Distance(near, {a.x + t * dx, a.y + t * dy});
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
            bestT = t;
        }
    }
    const plan::Point a = o.outline[best], b = o.outline[(best + 1) % o.outline.size()];
    const double length = plan::Distance(a, b);
    const double w = std::min(width, length);
    // The door's middle on the wall, kept within it.
    const double centre = std::clamp(bestT * length, w / 2, length - w / 2);
    const double ux = (b.x - a.x) / length, uy = (b.y - a.y) / length;
    plan::Door door;
    door.floor = o.floor;
    door.roomA = roomId;
    door.from = {a.x + ux * (centre - w / 2), a.y + uy * (centre - w / 2)};
    door.to = {a.x + ux * (centre + w / 2), a.y + uy * (centre + w / 2)};
    // Beyond the wall: the room whose outline holds the door too.
    for (const plan::RoomOutline& other : project.plan.outlines)
        if (other.roomId != roomId && other.floor == o.floor && plan::OnBoundary(other.outline, door.from)
            && plan::OnBoundary(other.outline, door.to))
            door.roomB = other.roomId;
    project.plan.doors.push_back(door);
    project.modified = true;
}

void PlaceManifold(TProject& project, int manifold, int floor, plan::Point at)
{
    if (manifold < 0 || std::size_t(manifold) >= project.manifolds.size())
        return;
    if (floor < 0 || std::size_t(floor) >= project.plan.floors.size())
        floor = EnsureFloor(project);
    std::erase_if(project.plan.manifolds, [manifold](const plan::ManifoldPlace& m) { return m.manifold == manifold; });
    project.plan.manifolds.push_back({manifold, floor, at});
    project.modified = true;
}

namespace {
// The length of ab that lies on the outline's edges.
double SharedLength(plan::Point a, plan::Point b, const plan::Polygon& other)
{
    const double length = plan::Distance(a, b);
    if (length <= 0)
        return 0;
    const double ux = (b.x - a.x) / length, uy = (b.y - a.y) / length;
    double shared = 0;
    for (std::size_t i = 0; i < other.size(); ++i) {
        const plan::Point c = other[i], d = other[(i + 1) % other.size()];
        // On the same line: both ends of cd within the tolerance of ab's line.
        auto off = [&](plan::Point p) { return std::fabs((p.x - a.x) * uy - (p.y - a.y) * ux); };
        if (off(c) > plan::kTolerance || off(d) > plan::kTolerance)
            continue;
        const double tc = (c.x - a.x) * ux + (c.y - a.y) * uy, td = (d.x - a.x) * ux + (d.y - a.y) * uy;
        const double lo = std::max(0.0, std::min(tc, td)), hi = std::min(length, std::max(tc, td));
        if (hi > lo)
            shared += hi - lo;
    }
    return std::min(shared, length);
}
} // namespace

std::vector<HeatElement> ElementsFromPlan(const TProject& project, std::int32_t roomId, double clearHeight,
                                          const std::vector<HeatElement>& current)
{
    const plan::RoomOutline* o = project.plan.OutlineOf(roomId);
    if (!o)
        return {};
    HeatElement outsideWall;
    outsideWall.type = ElementType::Wall;
    outsideWall.u = 0.24f;
    for (const HeatElement& e : current)
        if (e.type == ElementType::Wall && e.boundary == Boundary::Outside) {
            outsideWall.u = e.u;
            outsideWall.construction = e.construction;
            outsideWall.thermalBridge = e.thermalBridge;
            break;
        }
    std::vector<HeatElement> walls, openings;
    // An opening named after its wall ("2: ablak", the wall's edge number) comes off
    // that wall; the others off the outside walls in their order.
    const std::size_t edges = o->outline.size();
    std::vector<double> onEdge(edges, 0.0);
    double openingArea = 0;
    for (const HeatElement& e : current)
        if (e.type == ElementType::Window || e.type == ElementType::Door) {
            openings.push_back(e);
            if (e.boundary != Boundary::Outside)
                continue;
            std::size_t digits = 0;
            while (digits < e.name.size() && std::isdigit(static_cast<unsigned char>(e.name[digits])))
                ++digits;
            const std::size_t edge = digits > 0 && digits < e.name.size() && e.name[digits] == ':'
                ? std::stoul(e.name.substr(0, digits))
                : 0;
            if (edge >= 1 && edge <= edges)
                onEdge[edge - 1] += e.area;
            else
                openingArea += e.area;
        }
    for (std::size_t i = 0; i < o->outline.size(); ++i) {
        const plan::Point a = o->outline[i], b = o->outline[(i + 1) % o->outline.size()];
        double free = plan::Distance(a, b);
        const std::string edge = std::to_string(i + 1);
        for (const plan::RoomOutline& other : project.plan.outlines) {
            if (other.roomId == roomId || other.floor != o->floor)
                continue;
            const double shared = SharedLength(a, b, other.outline);
            if (shared <= plan::kTolerance)
                continue;
            const TRoomItem* neighbour = project.FindRoomById(other.roomId);
            HeatElement wall;
            wall.name = edge + ": " + (neighbour ? neighbour->roomName : std::string());
            wall.type = ElementType::Wall;
            wall.area = static_cast<float>(std::round(shared * clearHeight * 100) / 100);
            wall.u = 1.5f;
            wall.boundary = Boundary::Heated;
            wall.temperature = neighbour ? neighbour->roomTemperature : 20.0f;
            walls.push_back(wall);
            free -= shared;
        }
        if (free > plan::kTolerance) {
            HeatElement wall = outsideWall;
            wall.name = edge;
            // The openings come off the outside walls, as far as they go.
            const double gross = free * clearHeight;
            const double own = std::min(onEdge[i], gross);
            const double off = own + std::min(openingArea, gross - own);
            openingArea -= off - own;
            wall.area = static_cast<float>(std::round((gross - off) * 100) / 100);
            if (wall.area > 0)
                walls.push_back(wall);
        }
    }
    walls.insert(walls.end(), openings.begin(), openings.end());
    // What lies above and below stays as it was.
    for (const HeatElement& e : current)
        if (e.type == ElementType::Roof || e.type == ElementType::Ceiling || e.type == ElementType::Floor)
            walls.push_back(e);
    return walls;
}

std::int32_t RoomAt(const TProject& project, int floor, plan::Point p)
{
    for (const plan::RoomOutline& o : project.plan.outlines)
        if (o.floor == floor && plan::StrictlyInside(o.outline, p))
            return o.roomId;
    return 0;
}

} // namespace kalorina
