#include "layout/Layout.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

#include "check/DesignCheck.h"
#include "document/LayoutInputs.h"
#include "lang/BuiltInTexts.h"
#include "layout/Clip.h"
#include "layout/LoopPattern.h"
#include "layout/Regions.h"
#include "layout/Routes.h"
#include "util/Error.h"
#include "util/FloatFormat.h"
#include "util/FormatText.h"

namespace kalorina {

namespace {

using plan::Point;

std::string Num(double value, int decimals)
{
    return FloatToStrF(value, TFloatFormat::Fixed, 15, decimals, DecimalSeparator());
}

std::string Text(const char* id, const std::vector<std::string>& args)
{
    return FormatText(TextOrBuiltIn(id), args);
}

Point Middle(Point a, Point b)
{
    return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}

Point Centroid(const plan::Polygon& p)
{
    double a = 0, x = 0, y = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const Point u = p[i], v = p[(i + 1) % p.size()];
        const double c = u.x * v.y - v.x * u.y;
        a += c;
        x += (u.x + v.x) * c;
        y += (u.y + v.y) * c;
    }
    if (std::fabs(a) < 1e-12)
        return p.empty() ? Point{} : p[0];
    return {x / (3 * a), y / (3 * a)};
}

// Stretches of the outline that no other room of the floor shares.
std::vector<std::pair<Point, Point>> OutsideWalls(const layout::FloorMap& map, std::int32_t roomId)
{
    std::vector<std::pair<Point, Point>> walls;
    const plan::Polygon* outline = map.Outline(roomId);
    if (!outline)
        return walls;
    const std::size_t n = outline->size();
    for (std::size_t i = 0; i < n; ++i) {
        const Point a = (*outline)[i], b = (*outline)[(i + 1) % n];
        // A wall is shared where its middle lies on a neighbour's outline.
        const Point m = Middle(a, b);
        bool shared = false;
        for (const plan::RoomOutline& o : map.rooms)
            if (o.roomId != roomId && plan::OnBoundary(o.outline, m))
                shared = true;
        if (!shared)
            walls.push_back({a, b});
    }
    return walls;
}

struct PartPlace {
    int round = -1;
    std::size_t part = 0;
};

struct RoomShare {
    std::vector<PartPlace> parts;
    std::vector<plan::Polygon> regions;
    Point entry;
};

// Where the feed pipes from `from` come into the room: the last door of the way, or
// the start itself when it lies in the room.
std::optional<Point> EntryInto(const layout::FloorMap& map, Point from, std::int32_t fromRoom, std::int32_t roomId)
{
    const plan::Polygon* outline = map.Outline(roomId);
    if (!outline)
        return std::nullopt;
    if (fromRoom == roomId)
        return from;
    const auto route = layout::ShortestRoute(map, from, fromRoom, Centroid(*outline), roomId);
    if (!route)
        return std::nullopt;
    for (const plan::Door& d : map.doors) {
        if (d.roomA != roomId && d.roomB != roomId)
            continue;
        const Point m = Middle(d.from, d.to);
        for (const Point& q : *route)
            if (plan::Distance(q, m) < 1e-9)
                return m;
    }
    return route->size() > 1 ? (*route)[route->size() - 2] : from;
}

// The two feed pipes side by side along the way from the manifold to a loop's
// ends: the supply from the manifold to the loop's first point, the return from
// its last point back.
void FeedPipes(const plan::Polyline& way, double spacing, const plan::Polyline& loop, plan::Polyline& supply,
               plan::Polyline& back)
{
    supply.clear();
    back.clear();
    if (way.size() < 2 || loop.empty())
        return;
    plan::Polyline left = layout::OffsetLine(way, spacing / 2), right = layout::OffsetLine(way, -spacing / 2);
    if (plan::Distance(left.back(), loop.front()) > plan::Distance(right.back(), loop.front()))
        std::swap(left, right);
    left.front() = way.front();
    right.front() = way.front();
    left.back() = loop.front();
    right.back() = loop.back();
    supply = left;
    back.assign(right.rbegin(), right.rend());
}

} // namespace

std::vector<std::string> LayoutOutcome::Warnings() const
{
    std::vector<std::string> out;
    for (const LaidCircuit& c : circuits)
        out.insert(out.end(), c.warnings.begin(), c.warnings.end());
    for (const LaidCircuit& c : circuits)
        out.insert(out.end(), c.notes.begin(), c.notes.end());
    return out;
}

bool LayoutOutcome::AnyFailed() const
{
    return std::any_of(circuits.begin(), circuits.end(), [](const LaidCircuit& c) { return !c.warnings.empty(); });
}

std::vector<int> RoundsOfRoom(const TProject& project, std::int32_t roomId)
{
    std::vector<int> out;
    for (std::size_t r = 0; r < project.rounds.size(); ++r)
        for (const FloorHeatingRoundField& part : project.rounds[r].roundFields)
            if (part.roomRef == roomId) {
                out.push_back(int(r));
                break;
            }
    return out;
}

LayoutOutcome LayCircuits(TProject& project, const TDevices& devices, const std::vector<int>& wanted, bool again)
{
    LayoutOutcome outcome;
    std::vector<int> rounds = wanted;
    if (rounds.empty())
        for (std::size_t r = 0; r < project.rounds.size(); ++r)
            rounds.push_back(int(r));
    const plan::Plan& plan = project.plan;
    const double edge = project.options.edgeDistance;

    // Each room's floor is shared once among all circuit parts in it.
    std::map<std::int32_t, RoomShare> shares;
    for (std::size_t r = 0; r < project.rounds.size(); ++r)
        for (std::size_t i = 0; i < project.rounds[r].roundFields.size(); ++i)
            shares[project.rounds[r].roundFields[i].roomRef].parts.push_back({int(r), i});
    std::map<int, layout::FloorMap> floors;
    const auto floorMap = [&](int floor) -> const layout::FloorMap& {
        auto it = floors.find(floor);
        if (it == floors.end())
            it = floors.emplace(floor, layout::FloorOf(plan, floor)).first;
        return it->second;
    };
    const auto manifoldPlace = [&](int manifold) -> const plan::ManifoldPlace* {
        for (const plan::ManifoldPlace& m : plan.manifolds)
            if (m.manifold == manifold)
                return &m;
        return nullptr;
    };
    const auto fieldOf = [&](const FloorHeatingRoundField& part) { return part.RoomField(project); };
    const auto roomShare = [&](std::int32_t roomId) -> RoomShare* {
        RoomShare& share = shares[roomId];
        if (!share.regions.empty())
            return &share;
        const plan::RoomOutline* outline = plan.OutlineOf(roomId);
        if (!outline)
            return nullptr;
        const layout::FloorMap& map = floorMap(outline->floor);
        // The entry is where the first circuit's pipes come in.
        share.entry = Centroid(outline->outline);
        // (A manifold on another floor comes up through a riser at its place.)
        for (const PartPlace& p : share.parts)
            if (const plan::ManifoldPlace* m = manifoldPlace(project.rounds[p.round].manifold))
                if (const std::int32_t at = map.RoomAt(m->position))
                    if (auto e = EntryInto(map, m->position, at, roomId)) {
                        share.entry = *e;
                        break;
                    }
        layout::RegionRequest request;
        request.outline = outline->outline;
        request.outsideWalls = OutsideWalls(map, roomId);
        request.entry = share.entry;
        for (const PartPlace& p : share.parts) {
            const FloorHeatingRoundField& part = project.rounds[p.round].roundFields[p.part];
            const FloorHeatingField* field = fieldOf(part);
            request.parts.push_back({part.assignedPart, field && field->zoneType == 1});
        }
        share.regions = layout::RoomRegions(request);
        return &share;
    };

    for (int r : rounds) {
        if (r < 0 || std::size_t(r) >= project.rounds.size())
            continue;
        TRoundItem& round = project.rounds[r];
        LaidCircuit result;
        result.round = r;
        result.name = round.roundName;
        const std::uint64_t inputs = LayoutInputs(project, round);
        if (!again && round.layout.laid && round.layout.inputs == inputs) {
            result.laid = result.kept = true;
            result.length = round.layout.length;
            outcome.circuits.push_back(std::move(result));
            continue;
        }
        plan::CircuitLayout layout;
        layout.pattern = round.layout.pattern;
        layout.edgeDistance = edge;
        const auto fail = [&](const char* id, std::vector<std::string> args) {
            args.insert(args.begin(), round.roundName);
            result.warnings.push_back(Text(id, args));
        };
        const plan::ManifoldPlace* place = manifoldPlace(round.manifold);
        if (round.roundFields.empty())
            fail("IDS_LAYOUTNOPARTS", {});
        else if (!place)
            fail("IDS_LAYOUTNOMANIFOLD", {project.manifolds[round.manifold].name});
        if (result.warnings.empty()) {
            // The loops lie on the floor of the circuit's first room; a manifold on
            // another floor feeds them through a riser at its place.
            const plan::RoomOutline* first = plan.OutlineOf(round.roundFields[0].roomRef);
            layout.floor = first ? first->floor : place->floor;
            const layout::FloorMap& map = floorMap(layout.floor);
            const Point manifold = place->position;
            std::int32_t manifoldRoom = map.RoomAt(manifold);
            if (layout.floor != place->floor) {
                const auto level = [&](int f) {
                    return f >= 0 && std::size_t(f) < plan.floors.size() ? plan.floors[f].level : 0.0;
                };
                layout.riser = std::fabs(level(place->floor) - level(layout.floor));
                if (manifoldRoom == 0)
                    fail("IDS_LAYOUTNORISER", {project.manifolds[round.manifold].name, plan.floors[layout.floor].name});
            }
            Point at = manifold;
            std::int32_t atRoom = manifoldRoom;
            for (std::size_t i = 0; i < round.roundFields.size() && result.warnings.empty(); ++i) {
                const FloorHeatingRoundField& part = round.roundFields[i];
                const std::string roomName = project.RoomNameById(part.roomRef);
                const plan::RoomOutline* outline = plan.OutlineOf(part.roomRef);
                if (!outline) {
                    fail("IDS_LAYOUTNOOUTLINE", {roomName});
                    break;
                }
                if (outline->floor != layout.floor) {
                    fail("IDS_LAYOUTOTHERFLOOR", {roomName});
                    break;
                }
                if (atRoom == 0) {
                    fail("IDS_LAYOUTMANIFOLDOUTSIDE", {project.manifolds[round.manifold].name});
                    break;
                }
                const FloorHeatingField* field = fieldOf(part);
                const double spacing = field && field->spacing > 0 ? field->spacing / 1000.0 : 0;
                if (!(spacing > 0)) {
                    fail("IDS_LAYOUTNOSPACING", {roomName});
                    break;
                }
                if (layout.spacing == 0)
                    layout.spacing = spacing;
                RoomShare* share = roomShare(part.roomRef);
                plan::Polygon region;
                if (share)
                    for (std::size_t k = 0; k < share->parts.size(); ++k)
                        if (share->parts[k].round == r && share->parts[k].part == i)
                            region = share->regions[k];
                if (region.size() < 3) {
                    fail("IDS_LAYOUTNOREGION", {roomName});
                    break;
                }
                const auto way = layout::ShortestRoute(map, at, atRoom, Centroid(region), part.roomRef);
                if (!way) {
                    fail("IDS_LAYOUTNOROUTE", {roomName});
                    break;
                }
                layout::LoopRequest request;
                request.region = region;
                request.room = outline->outline;
                request.spacing = spacing;
                request.edgeDistance = edge;
                request.pattern = static_cast<layout::Pattern>(layout.pattern);
                request.entry = EntryInto(map, at, atRoom, part.roomRef).value_or(at);
                std::string why;
                layout::Pattern laidAs = request.pattern;
                const auto loop = layout::LayLoop(request, &why, &laidAs);
                if (loop && laidAs != request.pattern)
                    result.notes.push_back(Text("IDS_LAYOUTASMEANDER", {round.roundName, roomName}));
                if (!loop || loop->size() < 2) {
                    fail("IDS_LAYOUTNOLOOP", {roomName, why});
                    break;
                }
                if (i == 0) {
                    const auto feed = layout::ShortestRoute(map, manifold, manifoldRoom,
                                                            Middle(loop->front(), loop->back()), part.roomRef);
                    plan::Polyline back;
                    FeedPipes(feed ? *feed : plan::Polyline{manifold, loop->front()}, spacing, *loop,
                              layout.supplyRoute, back);
                    layout.returnRoute = back; // until a later part takes the return over
                } else {
                    const auto join = layout::ShortestRoute(map, at, atRoom, loop->front(), part.roomRef);
                    layout.joins.push_back(join ? *join : plan::Polyline{at, loop->front()});
                }
                layout.parts.push_back({part.roomRef, region, *loop});
                at = loop->back();
                atRoom = part.roomRef;
            }
            // The return comes back from the last loop; after the first it follows the
            // way back from where the last loop ends.
            if (result.warnings.empty() && layout.parts.size() > 1) {
                const auto way = layout::ShortestRoute(map, at, atRoom, manifold, manifoldRoom);
                layout.returnRoute = way ? *way : plan::Polyline{at, manifold};
            }
        }
        if (result.warnings.empty()) {
            layout.Measure();
            result.length = layout.length;
            const double longest = MaxLoopLength(round.hydraulic, devices);
            if (layout.length > longest + 0.005) {
                result.splitInto = std::max(2, int(std::ceil(layout.length / longest)));
                fail("IDS_LAYOUTTOOLONG", {Num(layout.length, 1), Num(longest, 0), std::to_string(result.splitInto)});
            }
        }
        if (result.warnings.empty()) {
            layout.laid = true;
            layout.inputs = inputs;
            round.layout = std::move(layout);
            result.laid = true;
        } else {
            round.layout = plan::CircuitLayout{};
            round.layout.pattern = layout.pattern;
        }
        round.Recalculate(project, devices);
        outcome.circuits.push_back(std::move(result));
    }
    project.ComputeTotals();
    project.modified = true;
    return outcome;
}

std::vector<std::string> SplitCircuit(TProject& project, const TDevices& devices, int index, int count)
{
    std::vector<std::string> names;
    if (index < 0 || std::size_t(index) >= project.rounds.size() || count < 2)
        return names;
    TRoundItem original = project.rounds[index];
    original.layout = plan::CircuitLayout{};
    original.layout.pattern = project.rounds[index].layout.pattern;
    for (FloorHeatingRoundField& part : original.roundFields)
        part.assignedPart = std::floor(part.assignedPart / count * 100.0f) / 100.0f;
    std::vector<TRoundItem> pieces;
    for (int k = 0; k < count; ++k) {
        TRoundItem piece = original;
        if (k == count - 1) // the last takes what the rounding left
            for (std::size_t i = 0; i < piece.roundFields.size(); ++i)
                piece.roundFields[i].assignedPart = project.rounds[index].roundFields[i].assignedPart
                    - original.roundFields[i].assignedPart * (count - 1);
        if (k > 0)
            piece.roundName = project.UniqueRoundName(original.roundName + "/" + std::to_string(k + 1));
        pieces.push_back(std::move(piece));
    }
    project.rounds[index] = pieces[0];
    names.push_back(pieces[0].roundName);
    for (int k = 1; k < count; ++k) {
        project.rounds.insert(project.rounds.begin() + index + k, pieces[k]);
        names.push_back(pieces[k].roundName);
    }
    project.RecountAssignedSurfaces();
    for (int k = 0; k < count; ++k)
        project.rounds[index + k].ApplyToFields(project, devices);
    project.RecountAssignedSurfaces();
    project.ComputeTotals();
    project.modified = true;
    return names;
}

void MoveSplit(TProject& project, const TDevices& devices, int firstRound, std::size_t firstPart, int secondRound,
               std::size_t secondPart, double firstArea)
{
    const auto valid = [&](int r, std::size_t i) {
        return r >= 0 && std::size_t(r) < project.rounds.size() && i < project.rounds[r].roundFields.size();
    };
    if (!valid(firstRound, firstPart) || !valid(secondRound, secondPart))
        throw KalorinaError(TextOrBuiltIn("IDS_LAYOUTSPLITPARTS"));
    FloorHeatingRoundField& a = project.rounds[firstRound].roundFields[firstPart];
    FloorHeatingRoundField& b = project.rounds[secondRound].roundFields[secondPart];
    TRoomItem* room = project.FindRoomById(a.roomRef);
    if (!room || a.roomRef != b.roomRef || (firstRound == secondRound && firstPart == secondPart))
        throw KalorinaError(TextOrBuiltIn("IDS_LAYOUTSPLITPARTS"));
    FloorHeatingField* fa = room->FindField(a.fieldRef);
    FloorHeatingField* fb = room->FindField(b.fieldRef);
    // A field shared with another part would change that part's floor too.
    const auto own = [](const FloorHeatingField* f, const FloorHeatingRoundField& part) {
        return f && std::fabs(f->area - part.assignedPart) < 0.005f;
    };
    if (fa == fb || !own(fa, a) || !own(fb, b))
        throw KalorinaError(Text("IDS_LAYOUTSPLITSHARED", {room->roomName}));
    const double total = double(a.assignedPart) + b.assignedPart;
    constexpr double kLeast = 0.5;
    const double first = std::clamp(std::round(firstArea * 100) / 100, kLeast, total - kLeast);
    a.assignedPart = fa->area = static_cast<float>(first);
    b.assignedPart = fb->area = static_cast<float>(total - first);
    room->RecomputeFields(devices);
    project.RecountAssignedSurfaces();
    for (int r : {firstRound, secondRound})
        project.rounds[r].ApplyToFields(project, devices);
    project.RecountAssignedSurfaces();
    LayCircuits(project, devices, RoundsOfRoom(project, room->roomId));
}

} // namespace kalorina
