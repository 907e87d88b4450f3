#pragma once
// The bodies of the stored records as lists of members, in file order.  One list
// serves writing, reading and, where the order agrees, the JSON of the tools: a new
// stored member is one line here.  Each list is a template over the object (const
// for writing) and a visitor called as visit(name, member).
#include <cmath>
#include <cstdint>
#include <string>

#include "document/ImpossibleValue.h"
#include "document/StoredRanges.h"
#include "document/Stream.h"
#include "document/StreamEncoding.h"

namespace kalorina {

// A stored 16-bit integer that means yes or no.
template <class Int>
struct FlagMember {
    Int& value;
};
template <class Int>
FlagMember<Int> AsFlag(Int& value)
{
    return {value};
}

// Writes the visited members in order.
class MemberWriter {
public:
    explicit MemberWriter(TMemoryStream& s) : s_(s) {}
    // A result that could not be computed (an infinity or a NaN from a degenerate
    // design) is stored as 0, which the next recalculation computes again: a file
    // the program writes must always open again, and readers refuse such numbers.
    // Typed inputs never get here non-finite: the number reader refuses them.
    void operator()(const char*, float v) { s_.WriteFloat(std::isfinite(v) ? v : 0.0f); }
    void operator()(const char*, std::int16_t v) { s_.WriteInt16(v); }
    void operator()(const char*, std::int32_t v) { s_.WriteInt32(v); }
    void operator()(const char*, const std::string& v) { WriteStreamString(s_, v); }
    void operator()(const char*, const TStringList& v) { WriteStreamLines(s_, v); }
    void operator()(const char*, FlagMember<const std::int16_t> v) { s_.WriteInt16(v.value); }

private:
    TMemoryStream& s_;
};

// Reads the visited members in order.
class MemberReader {
public:
    explicit MemberReader(TMemoryStream& s) : s_(s) {}
    // The program never stores a NaN or an infinity: one is damage.
    // Nor a negative area, length, spacing or count: the project would mean nothing.
    void operator()(const char* name, float& v)
    {
        v = s_.ReadFloat();
        CheckStoredNumber(name, v);
        CheckStoredSign(name, v);
    }
    void operator()(const char* name, std::int16_t& v)
    {
        v = s_.ReadInt16();
        CheckStoredSign(name, v);
    }
    void operator()(const char*, std::int32_t& v) { v = s_.ReadInt32(); }
    void operator()(const char*, std::string& v) { ReadStreamString(s_, v); }
    void operator()(const char*, TStringList& v) { ReadStreamLines(s_, v); }
    void operator()(const char*, FlagMember<std::int16_t> v) { v.value = s_.ReadInt16(); }

private:
    TMemoryStream& s_;
};

// The project's data record.
template <class Project, class Visit>
void ProjectDataMembers(Project& p, Visit&& visit)
{
    visit("buildingLines", p.buildingLines);
    visit("customerLines", p.customerLines);
    visit("designerLines", p.designerLines);
    visit("commentLines", p.commentLines);
    visit("projectDate", p.projectDate);
    visit("nextRoomId", p.nextRoomId);
}

// A medium's temperatures and its properties, stored apart in a circuit's data.
template <class Medium, class Visit>
void MediumTemperatureMembers(Medium& m, Visit&& visit)
{
    visit("forward", m.forward);
    visit("return", m.return_);
}
template <class Medium, class Visit>
void MediumPropertyMembers(Medium& m, Visit&& visit)
{
    visit("mediumName", m.mediumName);
    visit("density", m.density);
    visit("viscosity", m.viscosity);
    visit("specificHeat", m.specificHeat);
}
template <class Medium, class Visit>
void MediumMembers(Medium& m, Visit&& visit)
{
    MediumTemperatureMembers(m, visit);
    MediumPropertyMembers(m, visit);
}

// The values record of the project options (the extra length is not stored).
template <class Options, class Visit>
void OptionsMembers(Options& o, Visit&& visit)
{
    visit("roomTemperature", o.roomTemperature);
    visit("belowTemperature", o.belowTemperature);
    visit("downK", o.downK);
    MediumMembers(o.medium, visit);
    visit("valveType", o.valveType);
    visit("availablePressure", o.availablePressure);
}

// One line of a fitting list.
template <class Resist, class Visit>
void ResistMembers(Resist& r, Visit&& visit)
{
    visit("count", r.count);
    visit("resistName", r.resistName);
    visit("sizeName", r.sizeName);
    visit("autoSizeName", r.autoSizeName);
    visit("dn", r.dn);
    visit("resistMode", r.resistMode);
    visit("value", r.value);
    visit("listing", AsFlag(r.listing));
    visit("unique", AsFlag(r.unique));
    visit("pressureDrop", r.pressureDrop);
    visit("errors", r.errors);
}

// The values record of a circuit's hydraulic data.
template <class Hydraulic, class Visit>
void HydraulicMembers(Hydraulic& h, Visit&& visit)
{
    visit("tubeName", h.tubeName);
    visit("tubeSize", h.tubeSize);
    visit("fieldsTubeLength", h.fieldsTubeLength);
    visit("extraLength", h.extraLength);
    visit("extraInMetres", AsFlag(h.extraInMetres));
    visit("tubeLength", h.tubeLength);
    visit("tubeDN", h.tubeDN);
    visit("tubeValveDN", h.tubeValveDN);
    visit("tubePressureDrop", h.tubePressureDrop);
    visit("valveName", h.valveName);
    visit("valveSize", h.valveSize);
    visit("autoValveSize", h.autoValveSize);
    visit("valvePosition", h.valvePosition);
    visit("valvePressureDrop", h.valvePressureDrop);
    visit("fittingsPressureDrop", h.fittingsPressureDrop);
    visit("availablePressure", h.availablePressure);
    visit("massFlow", h.massFlow);
    visit("power", h.power);
    MediumTemperatureMembers(h.medium, visit);
    visit("velocity", h.velocity);
    visit("pressureGradient", h.pressureGradient);
    visit("dynamicPressure", h.dynamicPressure);
    visit("circuitPressureDrop", h.circuitPressureDrop);
    MediumPropertyMembers(h.medium, visit);
    visit("flags", h.flags);
}

// One floor heating field of a room (the assigned area is counted, never stored).
template <class Field, class Visit>
void FieldMembers(Field& f, Visit&& visit)
{
    visit("systemName", f.systemName);
    visit("coveringName", f.coveringName);
    visit("resistance", f.resistance);
    visit("spacing", f.spacing);
    visit("area", f.area);
    visit("forward", f.forward);
    visit("return", f.return_);
    visit("zoneType", f.zoneType);
    visit("specificOutput", f.specificOutput);
    visit("surfaceTemp", f.surfaceTemp);
    visit("power", f.power);
    visit("belowTemp", f.belowTemp);
    visit("downK", f.downK);
    visit("downPower", f.downPower);
    visit("tubeLength", f.tubeLength);
    visit("fieldId", f.fieldId);
}

// The basic record of a room.
template <class Room, class Visit>
void RoomMembers(Room& r, Visit&& visit)
{
    visit("roomName", r.roomName);
    visit("roomFunction", r.roomFunction);
    visit("floorArea", r.floorArea);
    visit("roomTemperature", r.roomTemperature);
    visit("heatDemand", r.heatDemand);
    visit("roomId", r.roomId);
}

// The project's climate and air tightness for the heat load (the enumerations
// apart: they are checked as they are read).
template <class Data, class Visit>
void HeatLoadClimateMembers(Data& d, Visit&& visit)
{
    visit("outdoorTemperature", d.outdoorTemperature);
    visit("annualMeanOutdoorTemperature", d.annualMeanOutdoorTemperature);
    visit("n50", d.n50);
    visit("thermalBridge", d.thermalBridge);
}

// A room's air and heating-up data for the heat load.
template <class Data, class Visit>
void RoomHeatLoadMembers(Data& d, Visit&& visit)
{
    visit("roomHeight", d.height);
    visit("minAirChange", d.minAirChange);
    visit("heightAboveGround", d.heightAboveGround);
    visit("heatingUp", d.heatingUp);
}

// An element of a room's envelope: its numbers (the optional ones as stored, 0
// where absent).
template <class Element, class Visit>
void HeatElementMembers(Element& e, Visit&& visit)
{
    visit("elementArea", e.area);
    visit("u", e.u);
}

// The basic record of a circuit.
template <class Round, class Visit>
void RoundMembers(Round& r, Visit&& visit)
{
    visit("roundName", r.roundName);
    visit("totalArea", r.totalArea);
    visit("connectionFlags", r.connectionFlags);
}

// One part of a circuit (the reference state is found, never stored).
template <class Part, class Visit>
void RoundFieldMembers(Part& p, Visit&& visit)
{
    visit("roomRef", p.roomRef);
    visit("roomRefName", p.roomRefName);
    visit("fieldRef", p.fieldRef);
    visit("assignedPart", p.assignedPart);
    visit("inletTemp", p.inletTemp);
    visit("outletTemp", p.outletTemp);
    visit("partPower", p.partPower);
    visit("partTubeLength", p.partTubeLength);
}

} // namespace kalorina
