#include "building/BuildingJson.h"

#include <charconv>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <set>
#include <string_view>

#include "building/HeatLoad.h"
#include "building/JsonInput.h"
#include "document/TProject.h"
#include "util/Codepage.h"
#include "util/Error.h"
#include "util/FloatFormat.h"
#include "util/FormatText.h"
#include "util/InputRange.h"
#include "util/MessageText.h"

namespace kalorina {

using json_input::Fault;
using json_input::Index;
using json_input::Json;
using json_input::Reader;

namespace {

constexpr const char* kShieldings[] = {"none", "moderate", "heavy"};
constexpr const char* kTypes[] = {"wall", "window", "door", "roof", "ceiling", "floor"};
constexpr const char* kBoundaries[] = {"outside", "ground", "unheated", "heated"};
constexpr const char* kFlows[] = {"horizontal", "upward", "downward"};

// A stored float as the shortest decimal that reads back to it: 0.24 stays 0.24
// instead of the 0.23999999463558197 its double would print.
double Tidy(float value)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    double d = 0;
    std::from_chars(buffer, end, d);
    return d;
}

Construction ReadConstruction(const Json& j, const std::string& path)
{
    Reader r(j, path);
    Construction c;
    if (!r.Text("name", c.name) || c.name.empty())
        Fault("IDS_JSONNEEDED", "%s: a value is needed here.", {r.At("name")});
    const bool typed = r.Number("u", InputKind::UValue, c.u);
    if (const Json* layers = r.List("layers")) {
        c.layered = true;
        for (std::size_t i = 0; i < layers->size(); ++i) {
            Reader lr((*layers)[i], Index(r.At("layers"), i));
            ConstructionLayer l;
            lr.Text("name", l.name);
            lr.RequiredNumber("thickness", InputKind::LayerThickness, l.thickness);
            lr.RequiredNumber("conductivity", InputKind::Conductivity, l.conductivity);
            lr.Done();
            c.layers.push_back(std::move(l));
        }
        if (c.layers.empty())
            Fault("IDS_JSONNEEDED", "%s: a value is needed here.", {r.At("layers")});
    } else if (!typed) {
        Fault("IDS_JSONNEEDED", "%s: a value is needed here.", {r.At("u")});
    }
    r.Choice("flow", kFlows, c.flow);
    r.Bool("outsideSurface", c.outsideSurface);
    r.Done();
    if (c.layered)
        CheckInput(ConstructionU(c), InputKind::UValue, r.At("layers"));
    return c;
}

HeatElement ReadElement(const Json& j, const std::string& path, const ProjectHeatLoad& climate)
{
    Reader r(j, path);
    HeatElement e;
    r.Text("name", e.name);
    r.Choice("type", kTypes, e.type);
    r.RequiredNumber("area", InputKind::ElementArea, e.area);
    if (r.Text("construction", e.construction) && !e.construction.empty()) {
        const Construction* c = FindConstruction(climate, e.construction);
        if (!c)
            Fault("IDS_JSONUNKNOWNCONSTRUCTION", "%s: the project has no construction \"%s\".",
                  {r.At("construction"), e.construction});
        // The element keeps its construction's U as its own too, for a reader that
        // knows no constructions.
        e.u = static_cast<float>(ConstructionU(*c));
        float ignored = 0;
        r.Number("u", InputKind::UValue, ignored);
    } else {
        r.RequiredNumber("u", InputKind::UValue, e.u);
    }
    r.Choice("boundary", kBoundaries, e.boundary);
    float value = 0;
    if (r.Number("bu", InputKind::ReductionFactor, value))
        e.bu = value;
    if (r.Number("temperature", InputKind::Temperature, value))
        e.temperature = value;
    if (r.Number("thermalBridge", InputKind::ThermalBridge, value))
        e.thermalBridge = value;
    r.Done();
    return e;
}

RoomHeatLoad ReadRoom(Reader& r, const ProjectHeatLoad& climate)
{
    RoomHeatLoad d;
    r.Number("height", InputKind::RoomHeight, d.height);
    r.Number("minAirChange", InputKind::AirChange, d.minAirChange);
    if (const Json* v = r.Find("exposedFacades")) {
        if (!v->is_number_integer() || v->get<std::int64_t>() < 0 || v->get<std::int64_t>() > 2)
            Fault("IDS_JSONCHOICE", "%s: \"%s\" is not allowed; allowed are %s.",
                  {r.At("exposedFacades"), Utf8ToCp1250(v->dump()), "0, 1, 2"});
        d.exposedFacades = static_cast<std::int32_t>(v->get<std::int64_t>());
    }
    r.Number("heightAboveGround", InputKind::HeightAboveGround, d.heightAboveGround);
    r.Number("heatingUp", InputKind::HeatingUp, d.heatingUp);
    r.Bool("manual", d.manual);
    if (const Json* elements = r.List("elements"))
        for (std::size_t i = 0; i < elements->size(); ++i)
            d.elements.push_back(ReadElement((*elements)[i], Index(r.At("elements"), i), climate));
    return d;
}

void Read(TProject& p, const Json& root)
{
    Reader r(root, "");
    ProjectHeatLoad& c = p.heatLoad;
    r.Number("outdoorTemperature", InputKind::OutdoorTemperature, c.outdoorTemperature);
    r.Number("annualMeanOutdoorTemperature", InputKind::MeanOutdoorTemperature, c.annualMeanOutdoorTemperature);
    r.Number("n50", InputKind::AirTightness, c.n50);
    r.Choice("shielding", kShieldings, c.shielding);
    r.Bool("groundwaterShallow", c.groundwaterShallow);
    r.Number("thermalBridge", InputKind::ThermalBridge, c.thermalBridge);
    if (const Json* list = r.List("constructions")) {
        c.constructions.clear();
        std::set<std::string> names;
        for (std::size_t i = 0; i < list->size(); ++i) {
            Construction k = ReadConstruction((*list)[i], Index("constructions", i));
            if (!names.insert(k.name).second)
                Fault("IDS_JSONDUPLICATEROOM", "%s: the room \"%s\" is listed twice.",
                      {Index("constructions", i), k.name});
            c.constructions.push_back(std::move(k));
        }
    }
    std::set<std::string> seen;
    if (const Json* rooms = r.List("rooms"))
        for (std::size_t i = 0; i < rooms->size(); ++i) {
            Reader rr((*rooms)[i], Index("rooms", i));
            std::string name;
            if (!rr.Text("room", name))
                Fault("IDS_JSONNEEDED", "%s: a value is needed here.", {rr.At("room")});
            TRoomItem* room = nullptr;
            for (TRoomItem& candidate : p.rooms)
                if (candidate.roomName == name)
                    room = &candidate;
            if (!room)
                Fault("IDS_JSONUNKNOWNROOM", "%s: the project has no room \"%s\".", {rr.At("room"), name});
            if (!seen.insert(name).second)
                Fault("IDS_JSONDUPLICATEROOM", "%s: the room \"%s\" is listed twice.", {rr.At("room"), name});
            room->heatLoad = ReadRoom(rr, c);
            rr.Done();
        }
    r.Done();
    if (const TRoomItem* room = RoomNotAboveOutdoor(p, c.outdoorTemperature))
        Fault("IDS_OUTDOORNOTBELOW",
              "%s: enter a temperature below the inside temperature of every room; \"%s\" is heated to %s.",
              {"outdoorTemperature", room->roomName,
               FloatToStrF(room->roomTemperature, TFloatFormat::General, 7, 0)
                   + " \xB0"
                     "C"});
}

Json ElementJson(const HeatElement& e)
{
    Json o;
    o["name"] = Cp1250ToUtf8(e.name);
    o["type"] = ElementTypeName(e.type);
    o["area"] = Tidy(e.area);
    o["u"] = Tidy(e.u);
    if (!e.construction.empty())
        o["construction"] = Cp1250ToUtf8(e.construction);
    o["boundary"] = BoundaryName(e.boundary);
    if (e.bu)
        o["bu"] = Tidy(*e.bu);
    if (e.temperature)
        o["temperature"] = Tidy(*e.temperature);
    if (e.thermalBridge)
        o["thermalBridge"] = Tidy(*e.thermalBridge);
    return o;
}

Json ConstructionJson(const Construction& c)
{
    Json o;
    o["name"] = Cp1250ToUtf8(c.name);
    if (c.layered) {
        Json layers = Json::array();
        for (const ConstructionLayer& l : c.layers) {
            Json lj;
            lj["name"] = Cp1250ToUtf8(l.name);
            lj["thickness"] = Tidy(l.thickness);
            lj["conductivity"] = Tidy(l.conductivity);
            layers.push_back(std::move(lj));
        }
        o["layers"] = std::move(layers);
    } else {
        o["u"] = Tidy(c.u);
    }
    o["flow"] = HeatFlowName(c.flow);
    o["outsideSurface"] = c.outsideSurface;
    return o;
}

} // namespace

const char* ShieldingName(Shielding s)
{
    return kShieldings[std::clamp(static_cast<int>(s), 0, 2)];
}
const char* ElementTypeName(ElementType t)
{
    return kTypes[std::clamp(static_cast<int>(t), 0, 5)];
}
const char* BoundaryName(Boundary b)
{
    return kBoundaries[std::clamp(static_cast<int>(b), 0, 3)];
}
const char* HeatFlowName(HeatFlow f)
{
    return kFlows[std::clamp(static_cast<int>(f), 0, 2)];
}

const TRoomItem* RoomNotAboveOutdoor(const TProject& project, double outdoor)
{
    for (const TRoomItem& room : project.rooms)
        if (room.heatLoad && !(outdoor < double(room.roomTemperature)))
            return &room;
    return nullptr;
}

std::string ExportBuilding(const TProject& project)
{
    const ProjectHeatLoad& c = project.heatLoad;
    Json root;
    root["outdoorTemperature"] = Tidy(c.outdoorTemperature);
    root["annualMeanOutdoorTemperature"] = Tidy(c.annualMeanOutdoorTemperature);
    root["n50"] = Tidy(c.n50);
    root["shielding"] = ShieldingName(c.shielding);
    root["groundwaterShallow"] = c.groundwaterShallow;
    root["thermalBridge"] = Tidy(c.thermalBridge);
    Json constructions = Json::array();
    for (const Construction& k : c.constructions)
        constructions.push_back(ConstructionJson(k));
    root["constructions"] = std::move(constructions);
    Json rooms = Json::array();
    for (const TRoomItem& r : project.rooms) {
        if (!r.heatLoad)
            continue;
        const RoomHeatLoad& d = *r.heatLoad;
        Json o;
        o["room"] = Cp1250ToUtf8(r.roomName);
        o["height"] = Tidy(d.height);
        o["minAirChange"] = Tidy(d.minAirChange);
        o["exposedFacades"] = d.exposedFacades;
        o["heightAboveGround"] = Tidy(d.heightAboveGround);
        o["heatingUp"] = Tidy(d.heatingUp);
        o["manual"] = d.manual;
        Json elements = Json::array();
        for (const HeatElement& e : d.elements)
            elements.push_back(ElementJson(e));
        o["elements"] = std::move(elements);
        rooms.push_back(std::move(o));
    }
    root["rooms"] = std::move(rooms);
    return root.dump(2);
}

void ImportBuilding(TProject& project, const std::string& json)
{
    Json root;
    try {
        root = Json::parse(json);
    } catch (const Json::parse_error& e) {
        Fault("IDS_JSONNOTREAD", "%s: not JSON (%s).", {"(JSON)", Utf8ToCp1250(e.what())});
    }
    TProject edited = project;
    Read(edited, root);
    ApplyHeatLoads(edited);
    project = std::move(edited);
}

} // namespace kalorina
