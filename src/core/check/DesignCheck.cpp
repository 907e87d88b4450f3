#include "check/DesignCheck.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <unordered_map>
#include <utility>

#include "catalogue/DeviceKind.h"
#include "catalogue/FloorHeatDBItem.h"
#include "catalogue/TDevices.h"
#include "catalogue/TubeDBItem.h"
#include "document/LayoutInputs.h"
#include "document/StoredRanges.h"
#include "document/TProject.h"
#include "lang/BuiltInTexts.h"
#include "util/FloatFormat.h"
#include "util/FormatText.h"

namespace kalorina {

namespace {

// Below these the difference is the rounding of what is shown, not a fault.
constexpr double kPowerTolerance = 1.0;        // W
constexpr double kPowerToleranceShare = 0.01;  // of the heat loss
constexpr double kAreaTolerance = 0.01;        // m2
constexpr double kTubeLengthTolerance = 0.005; // m

// The sentences in English for a program run without language files (tools,
// tests), so that a problem never comes without its text.
const std::map<std::string, std::string>& FallbackTexts()
{
    static const std::map<std::string, std::string> texts{
        {"IDS_CHECKROOMSHORTFALL", "The fields give %s W, %s W less than the heat loss of %s W."},
        {"IDS_CHECKINSULATION",
         "The insulation under the tubes has %s m2K/W; over %s floor heating needs at least %s m2K/W."},
        {"IDS_BELOWKIND+0", "a heated room"},
        {"IDS_BELOWKIND+1", "an unheated room"},
        {"IDS_BELOWKIND+2", "the ground"},
        {"IDS_BELOWKIND+3", "outside air"},
        {"IDS_CHECKSUPPLEMENTARYHEAT",
         "The fields give %s W of the heat loss of %s W; a supplementary heater has to give %s W."},
        {"IDS_CHECKSURFACETEMPERATURE",
         "Field %s: the surface temperature of %s \xB0"
         "C is above the zone limit of %s \xB0"
         "C."},
        {"IDS_CHECKUNASSIGNEDAREA", "%s m2 of the field area is not built into any circuit."},
        {"IDS_CHECKFIELDAREABEYONDROOM", "The fields cover %s m2, %s m2 more than the floor area of %s m2."},
        {"IDS_CHECKFIELDOVERASSIGNED", "Field %s: the circuits take %s m2 of its %s m2."},
        {"IDS_CHECKROOMWITHOUTFIELDS", "The room loses %s W but has no floor heating field."},
        {"IDS_CHECKTUBETOOLONG", "The tube is %s m long, %s m more than the loop length of %s m allowed for it."},
        {"IDS_CHECKVELOCITYLOW", "The water flows at %s m/s, slower than %s m/s."},
        {"IDS_CHECKVELOCITYHIGH", "The water flows at %s m/s, faster than %s m/s."},
        {"IDS_CHECKMANIFOLDSUPPLY",
         "The circuit is set to a supply of %s \xB0"
         "C; its manifold '%s' gives its other circuits %s \xB0"
         "C, and a manifold gives one supply temperature."},
        {"IDS_CHECKPRESSUREEXCEEDED",
         "The resistance of the circuit, %s Pa, exceeds the available pressure of %s Pa by %s Pa."},
        {"IDS_CHECKROOMMISSING", "A part of %s m2 refers to the room '%s', which does not exist."},
        {"IDS_CHECKFIELDMISSING", "A part of %s m2 refers to field %s of the room '%s', which does not exist."},
        {"IDS_CHECKROUNDTEMPERATURES",
         "The return temperature of %s \xB0"
         "C is not below the forward temperature of %s \xB0"
         "C."},
        {"IDS_CHECKFIELDTEMPERATURES",
         "Field %s: the return temperature of %s \xB0"
         "C is not below the forward temperature of %s \xB0"
         "C."},
        {"IDS_CHECKEMPTYROOMNAME", "Room %s of the list has no name."},
        {"IDS_CHECKEMPTYROUNDNAME", "Circuit %s of the list has no name."},
        {"IDS_CHECKDUPLICATEROOMNAME", "Another room is also called '%s'."},
        {"IDS_CHECKDUPLICATEROUNDNAME", "Another circuit is also called '%s'."},
        {"IDS_DESIGNHASERRORS", "The design check found errors; each stands with its room or circuit."},
        {"IDS_DESIGNCHECKTITLE", "Design check"},
        {"IDS_DESIGNCHECKSEVERITY", "Severity"},
        {"IDS_DESIGNCHECKITEM", "Room / circuit"},
        {"IDS_DESIGNCHECKPROBLEM", "Problem"},
        {"IDS_DESIGNCHECKERROR", "Error"},
        {"IDS_DESIGNCHECKWARNING", "Warning"},
        {"IDS_DESIGNCHECKNOPROBLEM", "The design check found no problem."},
        {"IDS_DESIGNCHECKSUMMARY", "%s errors, %s warnings"},
        {"IDS_DESIGNCHECKSUMMARY1E", "%s error, %s warnings"},
        {"IDS_DESIGNCHECKSUMMARY1W", "%s errors, %s warning"},
        {"IDS_DESIGNCHECKSUMMARY1EW", "%s error, %s warning"},
        {"IDS_HYDRAULICWARNING+0", "The tube of the circuit is not in the device catalogue."},
        {"IDS_HYDRAULICWARNING+1",
         "A fitting of the circuit is not in the device catalogue, or not in the size in use."},
        {"IDS_HYDRAULICWARNING+2", "The balancing valve is not in the device catalogue."},
        {"IDS_HYDRAULICWARNING+3", "Even fully open the valve throttles more than needed."},
        {"IDS_HYDRAULICWARNING+4", "The valve cannot throttle as much as needed."},
        {"IDS_HYDRAULICWARNING+5", "The resistance of the circuit exceeds the available pressure."},
        {"IDS_HYDRAULICWARNING+6", "The throttling needed exceeds the noise limit of the valve."},
    };
    return texts;
}

std::string Text(const std::string& id)
{
    std::string text = TextOrBuiltIn(id);
    if (!text.empty() && text != id)
        return text;
    const auto& fallback = FallbackTexts();
    auto it = fallback.find(id);
    return it == fallback.end() ? id : it->second;
}

// A number as the sentences show it: `decimals` places, trailing zeros dropped.
std::string Num(double value, int decimals = 1)
{
    if (!std::isfinite(value))
        return std::isnan(value) ? "nan" : (value > 0 ? "inf" : "-inf");
    std::string text = FloatToStrF(value, TFloatFormat::Fixed, 15, decimals);
    // Beyond fifteen digits before the point the number comes in scientific form,
    // whose exponent must not lose its zeros: say it with the digits a stored
    // single carries ("1E+30", not "1.00000001504747E3").
    if (text.find_first_of("Ee") != std::string::npos)
        return FloatToStrF(value, TFloatFormat::General, 7, 0);
    const char separator = DecimalSeparator();
    if (text.find(separator) != std::string::npos) {
        while (!text.empty() && text.back() == '0')
            text.pop_back();
        if (!text.empty() && text.back() == separator)
            text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

class Checker {
public:
    Checker(const TProject& project, const TDevices& devices, const TProject* asRead)
        : project_(project), devices_(devices), asRead_(asRead)
    {
    }

    std::vector<DesignProblem> Run()
    {
        CountAssignedAreas();
        CheckStoredValues();
        for (const TRoomItem& room : project_.rooms)
            CheckRoom(room);
        for (std::size_t i = 0; i < project_.rounds.size(); ++i)
            CheckRound(i);
        for (std::size_t m = 0; m < project_.manifolds.size(); ++m)
            CheckManifoldSupply(static_cast<int>(m));
        CheckNames();
        return std::move(problems_);
    }

private:
    const TProject& project_;
    const TDevices& devices_;
    const TProject* asRead_;
    std::vector<DesignProblem> problems_;
    // Area of each (room, field) that the circuits take, counted here from the
    // circuits so that the check does not depend on a recount having run.
    std::map<std::pair<std::int32_t, int>, double> assigned_;
    std::unordered_map<std::int32_t, const TRoomItem*> roomsById_;

    const TRoomItem* RoomById(std::int32_t id) const
    {
        auto it = roomsById_.find(id);
        return it == roomsById_.end() ? nullptr : it->second;
    }

    void Add(ProblemSeverity severity, ProblemKind kind, const std::string& room, const std::string& round,
             const std::string& textId, const std::vector<std::string>& args)
    {
        problems_.push_back({severity, kind, room, round, FormatText(Text(textId), args)});
    }

    void CountAssignedAreas()
    {
        // The first room of each identifier, as FindRoomById finds it, without a
        // search through every room for every part.
        for (const TRoomItem& room : project_.rooms)
            roomsById_.emplace(room.roomId, &room);
        for (const TRoundItem& round : project_.rounds)
            for (const FloorHeatingRoundField& part : round.roundFields)
                assigned_[{part.roomRef, part.fieldRef}] += part.assignedPart;
    }

    double AssignedArea(const TRoomItem& room, const FloorHeatingField& field) const
    {
        auto it = assigned_.find({room.roomId, field.fieldId});
        return it == assigned_.end() ? 0.0 : it->second;
    }

    // Every stored number outside what a building can need: a result built on one
    // is no design, whichever number it is.  The file as read, where there is one:
    // the bill and the reports print what it stores.
    void CheckStoredValues()
    {
        for (const ImplausibleStoredValue& v : FindImplausibleValues(asRead_ ? *asRead_ : project_)) {
            std::string text = ImplausibleValueText(v);
            if (!v.manifoldName.empty())
                text = v.manifoldName + ": " + text;
            problems_.push_back(
                {ProblemSeverity::Error, ProblemKind::ImplausibleValue, v.roomName, v.roundName, std::move(text)});
        }
    }

    void CheckRoom(const TRoomItem& room)
    {
        const std::string& name = room.roomName;

        const double output = room.FieldPowerSum();
        if (room.fields.empty()) {
            if (room.heatDemand > 0)
                Add(ProblemSeverity::Warning, ProblemKind::RoomWithoutFields, name, "", "IDS_CHECKROOMWITHOUTFIELDS",
                    {Num(room.heatDemand, 0)});
        } else {
            const double shortfall = double(room.heatDemand) - output;
            // Where the engineer allows a heater beside the floor, the rest is its
            // work, not a fault of the floor.
            if (NoticeableShortfall(shortfall, room.heatDemand) && room.AllowsSupplementaryHeat())
                Add(ProblemSeverity::Warning, ProblemKind::SupplementaryHeat, name, "", "IDS_CHECKSUPPLEMENTARYHEAT",
                    {Num(output, 0), Num(room.heatDemand, 0), Num(shortfall, 0)});
            else if (NoticeableShortfall(shortfall, room.heatDemand))
                Add(ProblemSeverity::Error, ProblemKind::RoomShortfall, name, "", "IDS_CHECKROOMSHORTFALL",
                    {Num(output, 0), Num(shortfall, 0), Num(room.heatDemand, 0)});
        }

        const double fieldArea = room.FieldAreaSum();
        if (fieldArea - room.floorArea > kAreaTolerance)
            Add(ProblemSeverity::Error, ProblemKind::FieldAreaBeyondRoom, name, "", "IDS_CHECKFIELDAREABEYONDROOM",
                {Num(fieldArea, 2), Num(fieldArea - room.floorArea, 2), Num(room.floorArea, 2)});

        double unassigned = 0;
        for (const FloorHeatingField& field : room.fields) {
            const std::string number = std::to_string(field.fieldId + 1);
            if (!field.WithinZoneLimit())
                Add(ProblemSeverity::Error, ProblemKind::SurfaceTemperature, name, "", "IDS_CHECKSURFACETEMPERATURE",
                    {number, Num(field.surfaceTemp, 1), Num(FloorHeatDBItem::ZoneSurfaceLimit(field.zoneType), 1)});
            if (field.return_ >= field.forward)
                Add(ProblemSeverity::Error, ProblemKind::TemperatureOrder, name, "", "IDS_CHECKFIELDTEMPERATURES",
                    {number, Num(field.return_, 1), Num(field.forward, 1)});
            const double assigned = AssignedArea(room, field);
            if (assigned - field.area > kAreaTolerance)
                Add(ProblemSeverity::Error, ProblemKind::FieldAreaBeyondRoom, name, "", "IDS_CHECKFIELDOVERASSIGNED",
                    {number, Num(assigned, 2), Num(field.area, 2)});
            unassigned += std::max(0.0, double(field.area) - assigned);
        }
        if (unassigned > kAreaTolerance)
            Add(ProblemSeverity::Warning, ProblemKind::UnassignedArea, name, "", "IDS_CHECKUNASSIGNEDAREA",
                {Num(unassigned, 2)});

        // The floor under the tubes: the room's own, or the project's.
        const auto& buildUp = room.buildUp ? room.buildUp : project_.options.buildUp;
        if (!room.fields.empty() && buildUp
            && double(buildUp->insulationResistance) < buildUp->MinimumInsulation() - 1e-6)
            Add(ProblemSeverity::Warning, ProblemKind::Insulation, name, "", "IDS_CHECKINSULATION",
                {Num(buildUp->insulationResistance, 2),
                 Text("IDS_BELOWKIND+" + std::to_string(static_cast<int>(buildUp->below))),
                 Num(buildUp->MinimumInsulation(), 2)});
    }

    // The name of the room part `p` of circuit `r` last knew.
    std::string LastKnownRoomName(std::size_t r, std::size_t p) const
    {
        const FloorHeatingRoundField& part = project_.rounds[r].roundFields[p];
        if (!part.roomRefName.empty() || !asRead_ || r >= asRead_->rounds.size())
            return part.roomRefName;
        const TRoundItem& read = asRead_->rounds[r];
        if (read.roundName != project_.rounds[r].roundName || p >= read.roundFields.size()
            || read.roundFields[p].roomRef != part.roomRef)
            return part.roomRefName;
        return read.roundFields[p].roomRefName;
    }

    void CheckRound(std::size_t index)
    {
        const TRoundItem& round = project_.rounds[index];
        const std::string& name = round.roundName;
        const THydraulic& h = round.hydraulic;

        for (std::size_t i = 0; i < round.roundFields.size(); ++i) {
            const FloorHeatingRoundField& part = round.roundFields[i];
            const TRoomItem* room = RoomById(part.roomRef);
            if (!room) {
                const std::string lastKnown = LastKnownRoomName(index, i);
                Add(ProblemSeverity::Error, ProblemKind::BrokenReference, lastKnown, name, "IDS_CHECKROOMMISSING",
                    {Num(part.assignedPart, 2), lastKnown});
            } else if (!room->FindField(part.fieldRef))
                Add(ProblemSeverity::Error, ProblemKind::BrokenReference, room->roomName, name, "IDS_CHECKFIELDMISSING",
                    {Num(part.assignedPart, 2), std::to_string(part.fieldRef + 1), room->roomName});
        }

        // A circuit without parts carries nothing yet: its hydraulics say nothing.
        if (round.roundFields.empty())
            return;

        // With the return at or above the forward temperature no flow follows from
        // the power: what the hydraulics then show is a consequence, not a fault of
        // its own.
        const bool flowKnown =
            (round.connectionFlags & TRoundItem::kMassFlowGiven) || h.medium.return_ < h.medium.forward;
        if (h.medium.return_ >= h.medium.forward)
            Add(ProblemSeverity::Error, ProblemKind::TemperatureOrder, "", name, "IDS_CHECKROUNDTEMPERATURES",
                {Num(h.medium.return_, 1), Num(h.medium.forward, 1)});

        // The laid length is in use until the tube is laid again.
        if (round.layout.laid && !LayoutCurrent(project_, round))
            Add(ProblemSeverity::Warning, ProblemKind::LayoutStale, "", name, "IDS_CHECKLAYOUTSTALE",
                {Num(h.tubeLength, 2)});

        const double maxLoop = MaxLoopLength(h, devices_);
        if (h.tubeLength - maxLoop > kTubeLengthTolerance)
            Add(ProblemSeverity::Error, ProblemKind::TubeTooLong, "", name, "IDS_CHECKTUBETOOLONG",
                {Num(h.tubeLength, 2), Num(h.tubeLength - maxLoop, 2), Num(maxLoop, 1)});

        // Without its tube in the catalogue the velocity is unknown; the missing
        // tube is reported among the hydraulic warnings instead.
        if (!flowKnown)
            return;
        if (!(h.flags & THydraulic::kBitTubeMissing) && !h.tubeName.empty() && h.power > 0) {
            if (h.velocity < kMinVelocity)
                Add(ProblemSeverity::Warning, ProblemKind::Velocity, "", name, "IDS_CHECKVELOCITYLOW",
                    {Num(h.velocity, 3), Num(kMinVelocity, 1)});
            else if (h.velocity > kMaxVelocity)
                Add(ProblemSeverity::Warning, ProblemKind::Velocity, "", name, "IDS_CHECKVELOCITYHIGH",
                    {Num(h.velocity, 3), Num(kMaxVelocity, 1)});
        }

        for (int bit = 0; bit < 7; ++bit) {
            if (!(h.flags & (1 << bit)))
                continue;
            if ((1 << bit) == THydraulic::kBitPressureExceeded)
                Add(ProblemSeverity::Error, ProblemKind::Pressure, "", name, "IDS_CHECKPRESSUREEXCEEDED",
                    {Num(h.circuitPressureDrop, 0), Num(h.availablePressure, 0),
                     Num(double(h.circuitPressureDrop) - h.availablePressure, 0)});
            else
                Add(ProblemSeverity::Warning, ProblemKind::Pressure, "", name,
                    "IDS_HYDRAULICWARNING+" + std::to_string(bit), {});
        }
    }

    // A manifold gives all its circuits one supply temperature: a circuit set to
    // another one is designed for water it will not get.  The supply most of its
    // circuits carry (the first circuit's where counts tie) is the manifold's; the
    // others are named.  Circuits without parts carry nothing and are not counted.
    void CheckManifoldSupply(int manifold)
    {
        std::vector<std::pair<float, int>> supplies; // forward temperature, circuits at it
        const std::vector<int> rounds = project_.ManifoldRounds(manifold);
        for (int r : rounds) {
            const TRoundItem& round = project_.rounds[r];
            if (round.roundFields.empty())
                continue;
            const float forward = round.hydraulic.medium.forward;
            auto it = std::find_if(supplies.begin(), supplies.end(),
                                   [&](const auto& s) { return SameSupply(s.first, forward); });
            if (it == supplies.end())
                supplies.push_back({forward, 1});
            else
                ++it->second;
        }
        if (supplies.size() < 2)
            return;
        const auto common = std::max_element(supplies.begin(), supplies.end(), [](const auto& a, const auto& b) {
            return a.second < b.second; // the first of equal counts stays
        });
        const std::string& manifoldName = project_.manifolds[manifold].name;
        for (int r : rounds) {
            const TRoundItem& round = project_.rounds[r];
            if (round.roundFields.empty() || SameSupply(round.hydraulic.medium.forward, common->first))
                continue;
            Add(ProblemSeverity::Error, ProblemKind::ManifoldSupply, "", round.roundName, "IDS_CHECKMANIFOLDSUPPLY",
                {Num(round.hydraulic.medium.forward, 1), manifoldName, Num(common->first, 1)});
        }
    }

    // Equal as shown: the supply is set and shown to 0.1 K.
    static bool SameSupply(float a, float b) { return std::fabs(double(a) - b) < 0.05; }

    static bool Blank(const std::string& s)
    {
        return std::all_of(s.begin(), s.end(), [](unsigned char c) { return c == ' ' || c == '\t' || c == 0xA0; });
    }

    template <class Items, class NameOf>
    void CheckNameList(const Items& items, NameOf nameOf, bool isRoom)
    {
        std::set<std::string> seen;
        for (std::size_t i = 0; i < items.size(); ++i) {
            const std::string& name = nameOf(items[i]);
            const std::string room = isRoom ? name : "";
            const std::string round = isRoom ? "" : name;
            if (Blank(name)) {
                Add(ProblemSeverity::Error, ProblemKind::EmptyName, room, round,
                    isRoom ? "IDS_CHECKEMPTYROOMNAME" : "IDS_CHECKEMPTYROUNDNAME", {std::to_string(i + 1)});
                continue;
            }
            if (!seen.insert(name).second)
                Add(ProblemSeverity::Error, ProblemKind::DuplicateName, room, round,
                    isRoom ? "IDS_CHECKDUPLICATEROOMNAME" : "IDS_CHECKDUPLICATEROUNDNAME", {name});
        }
    }

    void CheckNames()
    {
        CheckNameList(
            project_.rooms, [](const TRoomItem& r) -> const std::string& { return r.roomName; }, true);
        CheckNameList(
            project_.rounds, [](const TRoundItem& r) -> const std::string& { return r.roundName; }, false);
    }
};

} // namespace

bool NoticeableShortfall(double shortfall, double demand)
{
    return shortfall > std::max(kPowerTolerance, kPowerToleranceShare * demand);
}

std::string_view ProblemKindName(ProblemKind kind)
{
    switch (kind) {
    case ProblemKind::RoomShortfall:
        return "roomShortfall";
    case ProblemKind::SurfaceTemperature:
        return "surfaceTemperature";
    case ProblemKind::UnassignedArea:
        return "unassignedArea";
    case ProblemKind::FieldAreaBeyondRoom:
        return "fieldAreaBeyondRoom";
    case ProblemKind::RoomWithoutFields:
        return "roomWithoutFields";
    case ProblemKind::TubeTooLong:
        return "tubeTooLong";
    case ProblemKind::Velocity:
        return "velocity";
    case ProblemKind::Pressure:
        return "pressure";
    case ProblemKind::BrokenReference:
        return "brokenReference";
    case ProblemKind::TemperatureOrder:
        return "temperatureOrder";
    case ProblemKind::EmptyName:
        return "emptyName";
    case ProblemKind::DuplicateName:
        return "duplicateName";
    case ProblemKind::ImplausibleValue:
        return "implausibleValue";
    case ProblemKind::SupplementaryHeat:
        return "supplementaryHeat";
    case ProblemKind::Insulation:
        return "insulation";
    case ProblemKind::ManifoldSupply:
        return "manifoldSupply";
    case ProblemKind::LayoutStale:
        return "layoutStale";
    }
    return "unknown";
}

std::string_view ProblemSeverityName(ProblemSeverity severity)
{
    return severity == ProblemSeverity::Error ? "error" : "warning";
}

std::vector<DesignProblem> CheckDesign(const TProject& recalculated, const TDevices& devices, const TProject* asRead)
{
    return Checker(recalculated, devices, asRead).Run();
}

double MaxLoopLength(const THydraulic& h, const TDevices& devices)
{
    if (const auto* tube = devices.Find<TubeDBItem>(kTubeKind, h.tubeName)) {
        int i = tube->FindSize(h.tubeSize);
        if (i >= 0 && tube->sizes[i].maxLoopLength > 0)
            return tube->sizes[i].maxLoopLength;
    }
    return kDefaultMaxLoopLength;
}

std::string DesignCheckText(const std::string& id)
{
    return Text(id);
}

std::string DesignCheckSummary(int errors, int warnings)
{
    // Languages that say "1 error" but "2 errors" give the forms of one apart; a
    // language without them says all counts alike.
    const char* id = errors == 1 && warnings == 1 ? "IDS_DESIGNCHECKSUMMARY1EW"
        : errors == 1                             ? "IDS_DESIGNCHECKSUMMARY1E"
        : warnings == 1                           ? "IDS_DESIGNCHECKSUMMARY1W"
                                                  : "IDS_DESIGNCHECKSUMMARY";
    std::string format = Text(id);
    if (format == id)
        format = Text("IDS_DESIGNCHECKSUMMARY");
    return FormatText(format, {std::to_string(errors), std::to_string(warnings)});
}

bool AnyDesignError(const std::vector<DesignProblem>& problems)
{
    return std::any_of(problems.begin(), problems.end(),
                       [](const DesignProblem& p) { return p.severity == ProblemSeverity::Error; });
}

} // namespace kalorina
