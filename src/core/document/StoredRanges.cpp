#include "document/StoredRanges.h"

#include <algorithm>
#include <cmath>

#include "document/ImpossibleValue.h"
#include "document/RecordMembers.h"
#include "document/TManifold.h"
#include "document/TProject.h"
#include "lang/BuiltInTexts.h"
#include "util/FloatFormat.h"
#include "util/FormatText.h"

namespace kalorina {

namespace {

constexpr InputRange K(InputKind kind)
{
    return RangeOf(kind);
}
constexpr InputRange R(double low, double high, bool whole, const char* unit)
{
    return {low, high, false, whole, unit};
}
using enum InputKind;

struct Entry {
    std::string_view member;
    StoredRange range;
    const char* textId; // the member as the engineer calls it
};

// The stored members that are quantities, with the range a building can need.
// Members of one name mean one quantity in every record (a forward temperature is
// one whether a field or a circuit stores it).
constexpr Entry kEntries[] = {
    {"floorArea", {K(Area), true}, "IDS_VALUE_FLOORAREA"},
    {"roomTemperature", {K(Temperature), false}, "IDS_VALUE_ROOMTEMPERATURE"},
    {"heatDemand", {K(HeatLoss), false}, "IDS_VALUE_HEATDEMAND"},
    {"resistance", {K(Resistance), false}, "IDS_VALUE_RESISTANCE"},
    {"spacing", {R(0, 1000, true, "mm"), true}, "IDS_VALUE_SPACING"},
    {"area", {K(Area), true}, "IDS_VALUE_AREA"},
    {"forward", {K(Temperature), false}, "IDS_VALUE_FORWARD"},
    {"return", {K(Temperature), false}, "IDS_VALUE_RETURN"},
    {"zoneType", {K(Zone), false}, "IDS_VALUE_ZONETYPE"},
    {"specificOutput", {R(-1e4, 1e4, false, "W/m2"), false}, "IDS_VALUE_SPECIFICOUTPUT"},
    {"surfaceTemp", {K(Temperature), false}, "IDS_VALUE_SURFACETEMP"},
    {"power", {K(PowerRequest), false}, "IDS_VALUE_POWER"},
    {"belowTemp", {K(Temperature), false}, "IDS_VALUE_BELOWTEMP"},
    {"downK", {K(DownK), false}, "IDS_VALUE_DOWNK"},
    {"downPower", {K(PowerRequest), false}, "IDS_VALUE_DOWNPOWER"},
    {"tubeLength", {K(Length), true}, "IDS_VALUE_TUBELENGTH"},
    {"totalArea", {K(Area), true}, "IDS_VALUE_TOTALAREA"},
    {"fieldsTubeLength", {K(Length), true}, "IDS_VALUE_FIELDSTUBELENGTH"},
    {"extraLength", {K(Length), false}, "IDS_VALUE_EXTRALENGTH"},
    {"tubeDN", {K(NominalSize), false}, "IDS_VALUE_TUBEDN"},
    {"tubeValveDN", {K(NominalSize), false}, "IDS_VALUE_TUBEVALVEDN"},
    {"dn", {K(NominalSize), false}, "IDS_VALUE_DN"},
    {"tubePressureDrop", {K(Pressure), false}, "IDS_VALUE_TUBEPRESSUREDROP"},
    {"valvePressureDrop", {K(Pressure), false}, "IDS_VALUE_VALVEPRESSUREDROP"},
    {"fittingsPressureDrop", {K(Pressure), false}, "IDS_VALUE_FITTINGSPRESSUREDROP"},
    {"availablePressure", {K(Pressure), false}, "IDS_VALUE_AVAILABLEPRESSURE"},
    {"massFlow", {R(0, 1e5, false, "kg/h"), false}, "IDS_VALUE_MASSFLOW"},
    {"velocity", {R(0, 100, false, "m/s"), false}, "IDS_VALUE_VELOCITY"},
    {"pressureGradient", {R(0, 1e6, false, "Pa/m"), false}, "IDS_VALUE_PRESSUREGRADIENT"},
    {"dynamicPressure", {K(Pressure), false}, "IDS_VALUE_DYNAMICPRESSURE"},
    {"circuitPressureDrop", {K(Pressure), false}, "IDS_VALUE_CIRCUITPRESSUREDROP"},
    {"density", {K(Density), false}, "IDS_VALUE_DENSITY"},
    {"viscosity", {K(Viscosity), false}, "IDS_VALUE_VISCOSITY"},
    {"specificHeat", {K(SpecificHeat), false}, "IDS_VALUE_SPECIFICHEAT"},
    {"count", {R(0, 1000, true, ""), true}, "IDS_VALUE_COUNT"},
    {"value", {R(0, 1e6, false, ""), false}, "IDS_VALUE_VALUE"},
    {"pressureDrop", {K(Pressure), false}, "IDS_VALUE_PRESSUREDROP"},
    {"assignedPart", {K(Area), true}, "IDS_VALUE_ASSIGNEDPART"},
    {"inletTemp", {K(Temperature), false}, "IDS_VALUE_INLETTEMP"},
    {"outletTemp", {K(Temperature), false}, "IDS_VALUE_OUTLETTEMP"},
    {"partPower", {K(PowerRequest), false}, "IDS_VALUE_PARTPOWER"},
    {"partTubeLength", {K(Length), true}, "IDS_VALUE_PARTTUBELENGTH"},
    {"designSpread", {K(Spread), false}, "IDS_VALUE_DESIGNSPREAD"},
    {"maxSupply", {K(SupplyLimit), false}, "IDS_VALUE_MAXSUPPLY"},
    {"belowTemperature", {K(Temperature), false}, "IDS_VALUE_BELOWTEMPERATURE"},
    {"insulationResistance", {K(Resistance), false}, "IDS_VALUE_INSULATIONRESISTANCE"},
    {"roomHeight", {K(RoomHeight), true}, "IDS_VALUE_ROOMHEIGHT"},
    {"minAirChange", {K(AirChange), true}, "IDS_VALUE_MINAIRCHANGE"},
    {"heightAboveGround", {K(HeightAboveGround), true}, "IDS_VALUE_HEIGHTABOVEGROUND"},
    {"heatingUp", {K(HeatingUp), true}, "IDS_VALUE_HEATINGUP"},
    {"elementArea", {K(ElementArea), true}, "IDS_VALUE_ELEMENTAREA"},
    {"u", {K(UValue), true}, "IDS_VALUE_U"},
    {"bu", {K(ReductionFactor), true}, "IDS_VALUE_BU"},
    {"elementTemperature", {K(Temperature), false}, "IDS_VALUE_ELEMENTTEMPERATURE"},
    {"thermalBridge", {K(ThermalBridge), true}, "IDS_VALUE_THERMALBRIDGE"},
    {"outdoorTemperature", {K(OutdoorTemperature), false}, "IDS_VALUE_OUTDOORTEMPERATURE"},
    {"annualMeanOutdoorTemperature", {K(MeanOutdoorTemperature), false}, "IDS_VALUE_ANNUALMEANOUTDOORTEMPERATURE"},
    {"n50", {K(AirTightness), true}, "IDS_VALUE_N50"},
    {"layerThickness", {K(LayerThickness), true}, "IDS_VALUE_LAYERTHICKNESS"},
    {"conductivity", {K(Conductivity), true}, "IDS_VALUE_CONDUCTIVITY"},
    {"constructionU", {K(UValue), true}, "IDS_VALUE_U"},
    {"slabResistance", {K(Resistance), false}, "IDS_VALUE_SLABRESISTANCE"},
};

const Entry* EntryOf(std::string_view member)
{
    for (const Entry& e : kEntries)
        if (e.member == member)
            return &e;
    return nullptr;
}

bool Outside(const InputRange& r, double v)
{
    if (!std::isfinite(v))
        return true;
    const bool low = r.aboveLow ? v > r.low : v >= r.low;
    return !low || v > r.high || (r.whole && std::floor(v) != v);
}

std::string Number(double v)
{
    return FloatToStrF(v, TFloatFormat::General, 7, 0);
}

std::string WithUnit(const std::string& number, const InputRange& r)
{
    return *r.unit ? number + " " + r.unit : number;
}

// Visits the quantities of one record and notes those outside their range.
class RangeScan {
public:
    RangeScan(std::vector<ImplausibleStoredValue>& found, std::string room, std::string round, std::string manifold)
        : found_(found), room_(std::move(room)), round_(std::move(round)), manifold_(std::move(manifold))
    {
    }
    void operator()(const char* name, const float& v) { Note(name, v); }
    void operator()(const char* name, const std::int16_t& v) { Note(name, v); }
    template <class Other>
    void operator()(const char*, const Other&)
    {
    }
    void Note(const char* name, double v)
    {
        const Entry* e = EntryOf(name);
        if (e && Outside(e->range.range, v))
            found_.push_back({room_, round_, manifold_, name, v, e->range.range});
    }

private:
    std::vector<ImplausibleStoredValue>& found_;
    std::string room_, round_, manifold_;
};

// Sets every non-finite number it visits to 0 and keeps the first one's name.
class NonFiniteSettler {
public:
    void operator()(const char* name, float& v)
    {
        if (std::isfinite(v))
            return;
        v = 0;
        if (first_.empty())
            first_ = name;
    }
    template <class Other>
    void operator()(const char*, Other&&)
    {
    }
    std::string Text() const
    {
        if (first_.empty())
            return {};
        const Entry* e = EntryOf(first_);
        return FormatText(TextOrBuiltIn("IDS_RESULTNOTFINITE"), {e ? TextOrBuiltIn(e->textId) : first_});
    }

private:
    std::string first_;
};

void ScanBuildUp(const FloorBuildUp& b, RangeScan& scan)
{
    scan("insulationResistance", b.insulationResistance);
    scan("slabResistance", b.slabResistance);
    scan("belowTemperature", b.belowTemperature);
}

} // namespace

std::optional<StoredRange> StoredRangeOf(std::string_view member)
{
    if (const Entry* e = EntryOf(member))
        return e->range;
    return std::nullopt;
}

void CheckStoredSign(const char* member, double value)
{
    if (value < 0) {
        const Entry* e = EntryOf(member);
        if (e && e->range.negativeIsDamage)
            throw ImpossibleValue(std::string(member) + " = " + Number(value));
    }
}

std::vector<ImplausibleStoredValue> FindImplausibleValues(const TProject& p)
{
    std::vector<ImplausibleStoredValue> found;
    {
        RangeScan scan(found, "", "", "");
        OptionsMembers(p.options, scan);
        scan("extraLength", p.options.extraLength);
        if (p.options.buildUp)
            ScanBuildUp(*p.options.buildUp, scan);
        for (const TResist& r : p.options.defaultFittings)
            ResistMembers(r, scan);
    }
    {
        RangeScan scan(found, "", "", "");
        HeatLoadClimateMembers(p.heatLoad, scan);
        for (const Construction& c : p.heatLoad.constructions) {
            if (!c.layered)
                scan("constructionU", c.u);
            for (const ConstructionLayer& l : c.layers) {
                scan("layerThickness", l.thickness);
                scan("conductivity", l.conductivity);
            }
        }
    }
    for (const TRoomItem& room : p.rooms) {
        RangeScan scan(found, room.roomName, "", "");
        RoomMembers(room, scan);
        if (room.heatLoad) {
            RoomHeatLoadMembers(*room.heatLoad, scan);
            for (const HeatElement& e : room.heatLoad->elements) {
                HeatElementMembers(e, scan);
                if (e.bu)
                    scan("bu", *e.bu);
                if (e.temperature)
                    scan("elementTemperature", *e.temperature);
                if (e.thermalBridge)
                    scan("thermalBridge", *e.thermalBridge);
            }
        }
        for (const FloorHeatingField& f : room.fields)
            FieldMembers(f, scan);
        if (room.buildUp)
            ScanBuildUp(*room.buildUp, scan);
    }
    for (const TRoundItem& round : p.rounds) {
        RangeScan scan(found, "", round.roundName, "");
        RoundMembers(round, scan);
        HydraulicMembers(round.hydraulic, scan);
        for (const TResist& r : round.hydraulic.fittings)
            ResistMembers(r, scan);
        for (const FloorHeatingRoundField& part : round.roundFields)
            RoundFieldMembers(part, scan);
    }
    for (const TManifold& m : p.manifolds) {
        RangeScan scan(found, "", "", m.name);
        ManifoldMembers(m, scan);
    }
    return found;
}

std::string SettleNonFiniteResults(TRoomItem& room)
{
    NonFiniteSettler settle;
    RoomMembers(room, settle);
    for (FloorHeatingField& f : room.fields)
        FieldMembers(f, settle);
    return settle.Text();
}

std::string SettleNonFiniteResults(TRoundItem& round)
{
    NonFiniteSettler settle;
    RoundMembers(round, settle);
    HydraulicMembers(round.hydraulic, settle);
    for (TResist& r : round.hydraulic.fittings)
        ResistMembers(r, settle);
    for (FloorHeatingRoundField& part : round.roundFields)
        RoundFieldMembers(part, settle);
    return settle.Text();
}

std::string ImplausibleValueText(const ImplausibleStoredValue& v)
{
    const Entry* e = EntryOf(v.member);
    const std::string name = e ? TextOrBuiltIn(e->textId) : v.member;
    const std::string allowed = FormatText(TextOrBuiltIn("IDS_CHECKSTOREDRANGE"),
                                           {Number(v.range.low), WithUnit(Number(v.range.high), v.range)});
    return FormatText(TextOrBuiltIn("IDS_CHECKSTOREDVALUE"), {name, WithUnit(Number(v.value), v.range), allowed});
}

std::string ImplausibleValueLine(const ImplausibleStoredValue& v)
{
    const std::string& where = !v.roomName.empty() ? v.roomName : !v.roundName.empty() ? v.roundName : v.manifoldName;
    return where.empty() ? ImplausibleValueText(v) : where + ": " + ImplausibleValueText(v);
}

} // namespace kalorina
