#include "app/PlanJson.h"

#include "app/PlanEditor.h"

#include <algorithm>
#include <cmath>

#include "building/HeatLoad.h"
#include "building/JsonInput.h"
#include "document/TProject.h"
#include "lang/BuiltInTexts.h"
#include "plan/Geometry.h"

namespace kalorina {

using json_input::Fault;
using json_input::Index;
using json_input::Json;
using json_input::Reader;

namespace {

plan::Point ReadPoint(const Json& j, const std::string& where)
{
    if (!j.is_array() || j.size() != 2 || !j[0].is_number() || !j[1].is_number()
        || !(std::fabs(j[0].get<double>()) <= 1e5) || !(std::fabs(j[1].get<double>()) <= 1e5))
        Fault("IDS_PLANPOINT", "%s: a point is two numbers [x, y] in metres, within 100 km.", {where});
    return {j[0].get<double>(), j[1].get<double>()};
}

Json PointJson(plan::Point p)
{
    return Json::array({p.x, p.y});
}

// The room named `name`, added with the options' room temperature when the project
// has none of that name.
TRoomItem& RoomNamed(TProject& p, const std::string& name)
{
    for (TRoomItem& r : p.rooms)
        if (r.roomName == name)
            return r;
    p.AddNewRoom();
    p.rooms.back().roomName = name;
    return p.rooms.back();
}

void Read(TProject& p, const Json& root)
{
    Reader r(root, "");
    plan::Plan result;
    const Json* floors = r.List("floors");
    r.Done();
    for (std::size_t f = 0; floors && f < floors->size(); ++f) {
        Reader fr((*floors)[f], Index("floors", f));
        plan::Floor floor;
        fr.Text("name", floor.name);
        if (const Json* level = fr.Find("level")) {
            if (!level->is_number() || !(std::fabs(level->get<double>()) <= 1e4))
                Fault("IDS_JSONNUMBER", "%s: a number is needed here.", {fr.At("level")});
            floor.level = level->get<double>();
        }
        if (floor.name.empty())
            floor.name = std::to_string(f + 1);
        const int floorIndex = static_cast<int>(result.floors.size());
        result.floors.push_back(floor);
        if (const Json* rooms = fr.List("rooms"))
            for (std::size_t i = 0; i < rooms->size(); ++i) {
                Reader rr((*rooms)[i], Index(fr.At("rooms"), i));
                std::string name;
                if (!rr.Text("room", name) || name.empty())
                    Fault("IDS_JSONNEEDED", "%s: a value is needed here.", {rr.At("room")});
                const Json* corners = rr.List("outline");
                if (!corners)
                    Fault("IDS_JSONNEEDED", "%s: a value is needed here.", {rr.At("outline")});
                rr.Find("area"); // what the export adds; the outline gives it
                rr.Done();
                plan::Polygon outline;
                for (std::size_t c = 0; c < corners->size(); ++c)
                    outline.push_back(ReadPoint((*corners)[c], Index(rr.At("outline"), c)));
                if (const plan::OutlineFault fault = plan::CheckOutline(outline); fault != plan::OutlineFault::None)
                    Fault("IDS_PLANOUTLINEFAULT", "%s: the outline of \"%s\" %s.",
                          {rr.At("outline"), name, TextOrBuiltIn(OutlineFaultTextId(fault))});
                const std::int32_t id = RoomNamed(p, name).roomId;
                if (result.OutlineOf(id))
                    Fault("IDS_PLANROOMTWICE", "%s: the room \"%s\" has an outline twice.", {rr.At("room"), name});
                outline = plan::CounterClockwise(std::move(outline));
                for (const plan::RoomOutline& other : result.outlines)
                    if (other.floor == floorIndex && plan::Overlap(other.outline, outline))
                        Fault("IDS_PLANOVERLAP", "%s: the outlines of \"%s\" and \"%s\" overlap on the floor \"%s\".",
                              {rr.At("outline"), p.RoomNameById(other.roomId), name, floor.name});
                result.outlines.push_back({id, floorIndex, std::move(outline)});
            }
        if (const Json* doors = fr.List("doors"))
            for (std::size_t i = 0; i < doors->size(); ++i) {
                Reader dr((*doors)[i], Index(fr.At("doors"), i));
                const Json* rooms = dr.List("rooms");
                const Json* at = dr.List("at");
                dr.Done();
                if (!rooms || rooms->empty() || rooms->size() > 2)
                    Fault("IDS_JSONNEEDED", "%s: a value is needed here.", {dr.At("rooms")});
                if (!at || at->size() != 2)
                    Fault("IDS_PLANPOINT", "%s: a point is two numbers [x, y] in metres, within 100 km.",
                          {dr.At("at")});
                plan::Door door;
                door.floor = floorIndex;
                for (std::size_t k = 0; k < rooms->size(); ++k) {
                    const Json& n = (*rooms)[k];
                    if (!n.is_string())
                        Fault("IDS_JSONTEXT", "%s: a text is needed here.", {Index(dr.At("rooms"), k)});
                    const std::string name = Utf8ToCp1250(n.get<std::string>());
                    if (name.empty())
                        continue; // the outside
                    const std::int32_t id = RoomNamed(p, name).roomId;
                    (door.roomA == 0 ? door.roomA : door.roomB) = id;
                }
                if (door.roomA == 0)
                    Fault("IDS_JSONNEEDED", "%s: a value is needed here.", {dr.At("rooms")});
                door.from = ReadPoint((*at)[0], Index(dr.At("at"), 0));
                door.to = ReadPoint((*at)[1], Index(dr.At("at"), 1));
                // A door stands on a wall of each room it joins that is drawn.
                for (const std::int32_t id : {door.roomA, door.roomB}) {
                    const plan::RoomOutline* o = id ? result.OutlineOf(id) : nullptr;
                    if (o && o->floor == floorIndex
                        && !(plan::OnBoundary(o->outline, door.from) && plan::OnBoundary(o->outline, door.to)
                             && plan::OnBoundary(o->outline,
                                                 {(door.from.x + door.to.x) / 2, (door.from.y + door.to.y) / 2})))
                        Fault("IDS_PLANDOOROFFWALL", "%s: the door does not lie on a wall of \"%s\".",
                              {dr.At("at"), p.RoomNameById(id)});
                }
                result.doors.push_back(door);
            }
        if (const Json* manifolds = fr.List("manifolds"))
            for (std::size_t i = 0; i < manifolds->size(); ++i) {
                Reader mr((*manifolds)[i], Index(fr.At("manifolds"), i));
                std::string name;
                if (!mr.Text("manifold", name))
                    Fault("IDS_JSONNEEDED", "%s: a value is needed here.", {mr.At("manifold")});
                const Json* position = mr.Find("position");
                if (!position)
                    Fault("IDS_JSONNEEDED", "%s: a value is needed here.", {mr.At("position")});
                const plan::Point at = ReadPoint(*position, mr.At("position"));
                mr.Done();
                const int m = p.FindManifold(name);
                if (m < 0)
                    Fault("IDS_PLANUNKNOWNMANIFOLD", "%s: the project has no manifold \"%s\".",
                          {mr.At("manifold"), name});
                result.manifolds.push_back({m, floorIndex, at});
            }
        fr.Done();
    }
    // The drawing under a floor stays with the floor of its place.
    for (const plan::UnderlayLine& l : p.plan.underlay)
        if (std::size_t(l.floor) < result.floors.size())
            result.underlay.push_back(l);
    p.plan = std::move(result);
}

} // namespace

std::string ExportPlan(const TProject& project)
{
    const plan::Plan& plan = project.plan;
    Json floors = Json::array();
    for (std::size_t f = 0; f < plan.floors.size(); ++f) {
        Json floor;
        floor["name"] = Cp1250ToUtf8(plan.floors[f].name);
        floor["level"] = plan.floors[f].level;
        Json rooms = Json::array(), doors = Json::array(), manifolds = Json::array();
        for (const plan::RoomOutline& o : plan.outlines) {
            if (o.floor != static_cast<int>(f))
                continue;
            Json room;
            room["room"] = Cp1250ToUtf8(project.RoomNameById(o.roomId));
            Json outline = Json::array();
            for (const plan::Point& c : o.outline)
                outline.push_back(PointJson(c));
            room["outline"] = std::move(outline);
            room["area"] = plan::RoundedArea(o.outline);
            rooms.push_back(std::move(room));
        }
        for (const plan::Door& d : plan.doors) {
            if (d.floor != static_cast<int>(f))
                continue;
            Json door;
            door["rooms"] = Json::array({Cp1250ToUtf8(project.RoomNameById(d.roomA)),
                                         d.roomB ? Cp1250ToUtf8(project.RoomNameById(d.roomB)) : std::string()});
            door["at"] = Json::array({PointJson(d.from), PointJson(d.to)});
            doors.push_back(std::move(door));
        }
        for (const plan::ManifoldPlace& m : plan.manifolds) {
            if (m.floor != static_cast<int>(f) || m.manifold < 0 || std::size_t(m.manifold) >= project.manifolds.size())
                continue;
            Json place;
            place["manifold"] = Cp1250ToUtf8(project.manifolds[m.manifold].name);
            place["position"] = PointJson(m.position);
            manifolds.push_back(std::move(place));
        }
        floor["rooms"] = std::move(rooms);
        floor["doors"] = std::move(doors);
        floor["manifolds"] = std::move(manifolds);
        floors.push_back(std::move(floor));
    }
    Json root;
    root["floors"] = std::move(floors);
    // One line: a plan holds many coordinates, which an indented form spreads over pages.
    return root.dump();
}

void ImportPlan(TProject& project, const std::string& json)
{
    Json root;
    try {
        root = Json::parse(json);
    } catch (const Json::parse_error& e) {
        Fault("IDS_JSONNOTREAD", "%s: not JSON (%s).", {"(JSON)", Utf8ToCp1250(e.what())});
    }
    TProject edited = project;
    Read(edited, root);
    edited.ApplyOutlineAreas();
    ApplyHeatLoads(edited);
    edited.modified = true;
    project = std::move(edited);
}

} // namespace kalorina

namespace kalorina {

void ImportDxf(TProject& project, const plan::DxfDrawing& drawing, const std::string& layer, plan::DxfUnit unit,
               const std::string& floorName)
{
    if (std::find(drawing.layers.begin(), drawing.layers.end(), layer) == drawing.layers.end()) {
        std::string layers;
        for (const std::string& l : drawing.layers)
            layers += (layers.empty() ? "\"" : ", \"") + l + "\"";
        Fault("IDS_DXFNOLAYER", "The drawing has no layer \"%s\"; its layers are %s.", {layer, layers});
    }
    TProject edited = project;
    // The floor the drawing is of.
    int floor = -1;
    for (std::size_t f = 0; f < edited.plan.floors.size(); ++f)
        if (edited.plan.floors[f].name == floorName)
            floor = static_cast<int>(f);
    if (floor < 0) {
        edited.plan.floors.push_back({floorName, 0});
        floor = static_cast<int>(edited.plan.floors.size()) - 1;
    }
    std::erase_if(edited.plan.outlines, [floor](const plan::RoomOutline& o) { return o.floor == floor; });
    std::vector<plan::RoomOutline> taken;
    int number = 0, unnamed = 0;
    for (const plan::DxfPolyline& line : drawing.polylines) {
        if (line.layer != layer)
            continue;
        ++number;
        plan::DxfPolyline closed = line;
        // A polyline that ends where it starts is closed, whatever its flag says.
        if (closed.vertices.size() > 2
            && plan::Distance(closed.vertices.front().at, closed.vertices.back().at) < 1e-9) {
            closed.vertices.pop_back();
            closed.closed = true;
        }
        if (!closed.closed)
            continue;
        plan::Polygon outline = plan::CounterClockwise(plan::OutlineOf(closed, unit));
        // The name: a text inside the outline.
        std::string name;
        const double k = plan::MetresPer(unit);
        for (const plan::DxfText& t : drawing.texts)
            if (!t.text.empty() && plan::StrictlyInside(outline, {t.at.x * k, t.at.y * k})) {
                name = t.text;
                break;
            }
        if (name.empty()) {
            do
                name = FormatText(TextOrBuiltIn("IDS_PLANNEWROOM"), {std::to_string(++unnamed)});
            while (std::any_of(taken.begin(), taken.end(),
                               [&](const plan::RoomOutline& o) { return edited.RoomNameById(o.roomId) == name; }));
        }
        const std::string where = FormatText(TextOrBuiltIn("IDS_DXFOUTLINE"), {std::to_string(number), layer, name});
        if (const plan::OutlineFault fault = plan::CheckOutline(outline); fault != plan::OutlineFault::None)
            Fault("IDS_PLANOUTLINEFAULT", "%s: the outline of \"%s\" %s.",
                  {where, name, TextOrBuiltIn(OutlineFaultTextId(fault))});
        const std::int32_t id = RoomNamed(edited, name).roomId;
        for (const plan::RoomOutline& other : taken) {
            if (other.roomId == id)
                Fault("IDS_PLANROOMTWICE", "%s: the room \"%s\" has an outline twice.", {where, name});
            if (plan::Overlap(other.outline, outline))
                Fault("IDS_PLANOVERLAP", "%s: the outlines of \"%s\" and \"%s\" overlap on the floor \"%s\".",
                      {where, edited.RoomNameById(other.roomId), name, floorName});
        }
        taken.push_back({id, floor, std::move(outline)});
    }
    if (taken.empty())
        Fault("IDS_DXFNOOUTLINE", "The layer \"%s\" holds no closed polyline: no room outline can be taken from it.",
              {layer});
    // The drawing's other layers under the floor, in place of what was there.
    std::erase_if(edited.plan.underlay, [floor](const plan::UnderlayLine& l) { return l.floor == floor; });
    const double k = plan::MetresPer(unit);
    constexpr std::size_t kMostLines = 200000;
    auto under = [&](plan::Point a, plan::Point b) {
        if (edited.plan.underlay.size() < kMostLines)
            edited.plan.underlay.push_back({floor, {a.x * k, a.y * k}, {b.x * k, b.y * k}});
    };
    for (const plan::DxfLine& l : drawing.lines)
        if (l.layer != layer)
            under(l.from, l.to);
    for (const plan::DxfPolyline& line : drawing.polylines) {
        if (line.layer == layer)
            continue;
        for (std::size_t i = 0; i + 1 < line.vertices.size(); ++i)
            under(line.vertices[i].at, line.vertices[i + 1].at);
        if (line.closed && line.vertices.size() > 2)
            under(line.vertices.back().at, line.vertices.front().at);
    }
    // A room drawn on another floor before is on this one now.
    std::erase_if(edited.plan.outlines, [&](const plan::RoomOutline& o) {
        return std::any_of(taken.begin(), taken.end(),
                           [&](const plan::RoomOutline& t) { return t.roomId == o.roomId; });
    });
    edited.plan.outlines.insert(edited.plan.outlines.end(), taken.begin(), taken.end());
    edited.ApplyOutlineAreas();
    ApplyHeatLoads(edited);
    edited.modified = true;
    project = std::move(edited);
}

} // namespace kalorina
