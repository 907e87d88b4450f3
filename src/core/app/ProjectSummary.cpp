#include "app/ProjectSummary.h"

#include <cstdio>

#include "document/RecordMembers.h"
#include "util/Codepage.h"
#include "util/FloatFormat.h"
#include "util/Json.h"

namespace kalorina {

namespace {

std::string Lines(const TStringList& lines)
{
    return Array(lines, [](const std::string& l) { return JsonText(l); });
}

// Adds visited record members to a JSON object: numbers, texts, and stored flags as
// true or false.
class JsonMembers {
public:
    explicit JsonMembers(JsonObject& o) : o_(o) {}
    void operator()(const char* name, double v) { o_.Number(name, v); }
    void operator()(const char* name, const std::string& v) { o_.Text(name, v); }
    void operator()(const char* name, FlagMember<const std::int16_t> v) { o_.Bool(name, v.value != 0); }

private:
    JsonObject& o_;
};

std::string ErrorJson(const std::optional<std::string>& error)
{
    return error ? JsonText(*error) : "null";
}

std::string MediumJson(const TMedium& m)
{
    JsonObject o;
    MediumMembers(m, JsonMembers(o));
    return o.Str();
}

std::string FittingsJson(const std::vector<TResist>& fittings)
{
    return Array(fittings, [](const TResist& r) {
        JsonObject o;
        ResistMembers(r, JsonMembers(o));
        return o.Str();
    });
}

std::string FieldJson(const FloorHeatingField& f)
{
    return JsonObject()
        .Number("fieldId", f.fieldId)
        .Text("systemName", f.systemName)
        .Text("coveringName", f.coveringName)
        .Number("resistance", f.resistance)
        .Number("spacing", f.spacing)
        .Number("area", f.area)
        .Number("assignedArea", f.assignedArea)
        .Number("forward", f.forward)
        .Number("return", f.return_)
        .Number("zoneType", f.zoneType)
        .Number("specificOutput", f.specificOutput)
        .Number("surfaceTemp", f.surfaceTemp)
        .Number("power", f.power)
        .Number("belowTemp", f.belowTemp)
        .Number("downK", f.downK)
        .Number("downPower", f.downPower)
        .Number("tubeLength", f.tubeLength)
        .Bool("withinZoneLimit", f.WithinZoneLimit())
        .Str();
}

std::string RoomJson(const TRoomItem& r, const std::optional<std::string>& error)
{
    JsonObject o;
    RoomMembers(r, JsonMembers(o));
    return o.Number("nextFieldId", r.nextFieldId)
        .Raw("error", ErrorJson(error))
        .Number("fieldPowerSum", r.FieldPowerSum())
        .Number("fieldAreaSum", r.FieldAreaSum())
        .Number("fieldDownPowerSum", r.FieldDownPowerSum())
        .Number("assignedAreaSum", r.AssignedAreaSum())
        .Number("unassignedArea", r.UnassignedArea())
        .Number("estimatedTubeLength", r.EstimatedTubeLength())
        .Raw("fields", Array(r.fields, FieldJson))
        .Str();
}

std::string HydraulicJson(const THydraulic& h)
{
    return JsonObject()
        .Text("tubeName", h.tubeName)
        .Text("tubeSize", h.tubeSize)
        .Number("fieldsTubeLength", h.fieldsTubeLength)
        .Number("extraLength", h.extraLength)
        .Bool("extraInMetres", h.extraInMetres != 0)
        .Number("tubeLength", h.tubeLength)
        .Number("tubeDN", h.tubeDN)
        .Number("tubeValveDN", h.tubeValveDN)
        .Number("tubePressureDrop", h.tubePressureDrop)
        .Text("valveName", h.valveName)
        .Text("valveSize", h.valveSize)
        .Text("autoValveSize", h.autoValveSize)
        .Number("valvePressureDrop", h.valvePressureDrop)
        .Text("valvePosition", h.valvePosition)
        .Number("power", h.power)
        .Number("massFlow", h.massFlow)
        .Number("velocity", h.velocity)
        .Number("pressureGradient", h.pressureGradient)
        .Number("dynamicPressure", h.dynamicPressure)
        .Number("circuitPressureDrop", h.circuitPressureDrop)
        .Number("availablePressure", h.availablePressure)
        .Number("fittingsPressureDrop", h.fittingsPressureDrop)
        .Number("flags", h.flags)
        .Raw("medium", MediumJson(h.medium))
        .Raw("fittings", FittingsJson(h.fittings))
        .Str();
}

std::string RoundJson(const TRoundItem& r, const std::optional<bool>& recalculated,
                      const std::optional<std::string>& error)
{
    auto parts = Array(r.roundFields, [](const FloorHeatingRoundField& p) {
        JsonObject o;
        RoundFieldMembers(p, JsonMembers(o));
        return o.Number("refState", p.refState).Str();
    });
    JsonObject o;
    RoundMembers(r, JsonMembers(o));
    return o.Number("manifold", r.manifold)
        .Raw("recalculated", recalculated ? (*recalculated ? "true" : "false") : "null")
        .Raw("error", ErrorJson(error))
        .Raw("roundFields", parts)
        .Raw("hydraulic", HydraulicJson(r.hydraulic))
        .Str();
}

// A number of the text summary with the language's decimal sign (the JSON keeps
// the point).
std::string Format(const char* format, double a)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, format, a);
    return WithDecimalSeparator(buf);
}

} // namespace

std::string ProjectJson(const TProject& p, const RecalcOutcome& outcome)
{
    const TProjektOptions& o = p.options;
    std::string project = JsonObject()
                              .Text("fileName", p.fileName)
                              .Text("projectDate", p.projectDate)
                              .Number("nextRoomId", p.nextRoomId)
                              .Raw("buildingLines", Lines(p.buildingLines))
                              .Raw("customerLines", Lines(p.customerLines))
                              .Raw("designerLines", Lines(p.designerLines))
                              .Raw("commentLines", Lines(p.commentLines))
                              .Str();
    std::string options = JsonObject()
                              .Number("roomTemperature", o.roomTemperature)
                              .Number("belowTemperature", o.belowTemperature)
                              .Number("downK", o.downK)
                              .Number("extraLength", o.extraLength)
                              .Number("extraLengthMode", o.extraLengthMode)
                              .Raw("medium", MediumJson(o.medium))
                              .Text("valveType", o.valveType)
                              .Number("availablePressure", o.availablePressure)
                              .Raw("fittings", FittingsJson(o.defaultFittings))
                              .Str();
    std::string rooms = "[";
    for (std::size_t i = 0; i < p.rooms.size(); ++i)
        rooms += (i ? "," : "") + RoomJson(p.rooms[i], outcome.roomErrors.at(i));
    rooms += "]";
    std::string rounds = "[";
    for (std::size_t i = 0; i < p.rounds.size(); ++i)
        rounds += (i ? "," : "") + RoundJson(p.rounds[i], outcome.recalculated.at(i), outcome.roundErrors.at(i));
    rounds += "]";
    std::string totals = JsonObject()
                             .Number("heatingLoss", p.heatingLoss)
                             .Number("surfaceSum", p.surfaceSum)
                             .Number("fieldPowers", p.fieldPowers)
                             .Number("roundPowers", p.roundPowers)
                             .Number("remainderSurfaceSum", p.remainderSurfaceSum)
                             .Number("tubeLengths", p.tubeLengths)
                             .Str();
    std::string manifolds = Array(p.manifolds, [](const TManifold& m) {
        JsonObject o;
        ManifoldMembers(m, JsonMembers(o));
        o.Bool("designed", m.designed);
        return o.Str();
    });
    return JsonObject()
        .Raw("project", project)
        .Raw("options", options)
        .Raw("rooms", rooms)
        .Raw("rounds", rounds)
        .Raw("manifolds", manifolds)
        .Raw("totals", totals)
        .Str();
}

std::string ProjectText(const TProject& p, const RecalcOutcome& outcome)
{
    std::string out;
    for (std::size_t i = 0; i < p.rooms.size(); ++i) {
        const TRoomItem& r = p.rooms[i];
        out += "room " + Cp1250ToUtf8(r.roomName) + ": " + Format("%.1f m2", r.floorArea) + ", "
            + Format("%.1f °C", r.roomTemperature) + ", demand " + Format("%.0f W", r.heatDemand) + ", fields "
            + Format("%.0f W", r.FieldPowerSum()) + " on " + Format("%.2f m2", r.FieldAreaSum()) + ", free "
            + Format("%.2f m2", r.UnassignedArea()) + "\n";
        for (const auto& f : r.fields)
            out += "  field " + std::to_string(f.fieldId + 1) + " " + Cp1250ToUtf8(f.systemName) + " / "
                + Cp1250ToUtf8(f.coveringName) + ", " + std::to_string(f.spacing) + " mm, " + Format("%.2f m2", f.area)
                + ", " + Format("%.1f W/m2", f.specificOutput) + ", surface " + Format("%.1f °C", f.surfaceTemp)
                + (f.WithinZoneLimit() ? "" : " (above the zone limit)") + ", " + Format("%.0f W", f.power) + " + "
                + Format("%.0f W", f.downPower) + " down, tube " + Format("%.1f m", f.tubeLength) + "\n";
        if (outcome.roomErrors[i])
            out += "  error: " + Cp1250ToUtf8(*outcome.roomErrors[i]) + "\n";
    }
    for (std::size_t i = 0; i < p.rounds.size(); ++i) {
        const TRoundItem& r = p.rounds[i];
        const THydraulic& h = r.hydraulic;
        out += "circuit " + Cp1250ToUtf8(r.roundName) + ": " + Format("%.0f W", h.power) + ", "
            + Format("%.1f kg/h", h.massFlow) + ", " + Format("%.1f", h.medium.forward) + "/"
            + Format("%.1f °C", h.medium.return_) + ", tube " + Format("%.2f m", h.tubeLength) + " at "
            + Format("%.3f m/s", h.velocity) + ", resistance " + Format("%.0f Pa", h.circuitPressureDrop) + " of "
            + Format("%.0f Pa", h.availablePressure);
        if (!h.valveName.empty())
            out += ", valve " + Cp1250ToUtf8(h.valveName) + " " + Cp1250ToUtf8(h.ValveSizeInUse()) + " at "
                + Cp1250ToUtf8(h.valvePosition) + " (" + Format("%.0f Pa", h.valvePressureDrop) + ")";
        if (h.flags)
            out += ", warnings " + std::to_string(h.flags);
        out += "\n";
        for (const auto& part : r.roundFields)
            out += "  part " + Cp1250ToUtf8(part.roomRefName) + " field " + std::to_string(part.fieldRef + 1) + ": "
                + Format("%.2f m2", part.assignedPart) + ", " + Format("%.0f W", part.partPower) + ", "
                + Format("%.1f", part.inletTemp) + " -> " + Format("%.1f °C", part.outletTemp)
                + (part.refState ? ", broken reference" : "") + "\n";
        if (outcome.recalculated[i] && !*outcome.recalculated[i])
            out += "  not recalculated: the parts give no power\n";
        if (outcome.roundErrors[i])
            out += "  error: " + Cp1250ToUtf8(*outcome.roundErrors[i]) + "\n";
    }
    out += "totals: heat loss " + Format("%.3f kW", p.heatingLoss) + ", floor heating "
        + Format("%.3f kW", p.fieldPowers) + " on " + Format("%.2f m2", p.surfaceSum) + ", circuits "
        + Format("%.3f kW", p.roundPowers) + ", tube " + Format("%.1f m", p.tubeLengths) + ", unassigned "
        + Format("%.2f m2", p.remainderSurfaceSum) + "\n";
    return out;
}

} // namespace kalorina
