#include "design/ManifoldDesign.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <map>
#include <set>

#include "catalogue/DeviceKind.h"
#include "catalogue/TDevices.h"
#include "catalogue/ValveDBItem.h"
#include "check/DesignCheck.h"
#include "lang/BuiltInTexts.h"
#include "util/FloatFormat.h"
#include "util/FormatText.h"

namespace kalorina {

namespace {

// Temperatures are designed on a grid of tenths of a kelvin: finer is not
// measurable at a manifold, coarser wastes the heat pump's efficiency.
constexpr int kGrid = 10;
// A return must stay this far above the warmest room its circuit heats.
constexpr int kReturnMargin = 1; // tenths of a kelvin

float Tenths(int k)
{
    return static_cast<float>(k / double(kGrid));
}
int TenthsAbove(double t)
{
    return static_cast<int>(std::ceil(t * kGrid - 1e-6));
}
int TenthsBelow(double t)
{
    return static_cast<int>(std::floor(t * kGrid + 1e-6));
}

const std::map<std::string, std::string>& FallbackTexts()
{
    static const std::map<std::string, std::string> texts{
        {"IDS_DESIGNNOHEAT", "The manifold feeds no circuit that carries heat; nothing was designed."},
        {"IDS_DESIGNUNCOVERED",
         "Room %s: no supply up to %s \xB0"
         "C heats it at the design spread."},
        {"IDS_DESIGNSURFACE", "Room %s: its heat loss needs a floor warmer than its zone allows."},
        {"IDS_DESIGNSHARED",
         "Room %s is also fed by another manifold's circuits; it does not set this manifold's design."},
        {"IDS_DESIGNPARTLY", "Room %s has floor not yet built into circuits; it does not set the design."},
        {"IDS_DESIGNNOTBALANCED", "Circuit %s: no presetting of its valve can throttle %s Pa."},
        {"IDS_DESIGNNOISY", "Circuit %s: the presetting throttles %s Pa, above the valve's noise limit."},
        {"IDS_DESIGNNOVALVE", "Circuit %s has no balancing valve; it gets %s Pa more than it needs."},
        {"IDS_DESIGNFAILED", "Circuit %s could not be computed: %s"},
        {"IDS_DESIGNNOCIRCUITHEAT", "Circuit %s carries no heat; it was left as it was."},
        {"IDS_DESIGNTOOLONG",
         "Circuit %s: its tube of %s m is longer than the %s m its size is made for; split it into two circuits."},
    };
    return texts;
}

std::string Text(const std::string& id)
{
    std::string text = TextOrBuiltIn(id);
    if (!text.empty() && text != id)
        return text;
    auto it = FallbackTexts().find(id);
    return it == FallbackTexts().end() ? id : it->second;
}

std::string Num(double value, int decimals)
{
    return FloatToStrF(value, TFloatFormat::Fixed, 15, decimals);
}

// One manifold's design on the working copy of the project.
class Designer {
public:
    Designer(TProject& p, const TDevices& devices, int manifold) : p_(p), devices_(devices), manifold_(manifold)
    {
        result_.manifold = manifold;
        result_.name = p.manifolds[manifold].name;
        spread_ = std::max(1, static_cast<int>(std::lround(p.manifolds[manifold].designSpread * kGrid)));
        maxSupply_ = TenthsBelow(p.manifolds[manifold].maxSupply);
        result_.spread = Tenths(spread_);
    }

    ManifoldDesignResult Run()
    {
        FindCircuits();
        if (circuits_.empty()) {
            result_.warnings.push_back(Text("IDS_DESIGNNOHEAT"));
            return result_;
        }
        FindRooms();
        // A room whose floor the limit forbids to heat is left out and the design
        // made again without it; each pass leaves out at least one room.
        for (;;) {
            if (!DesignTemperatures())
                break;
            std::vector<int> hot;
            for (int room : considered_)
                if (!SurfaceWithinLimit(room))
                    hot.push_back(room);
            if (hot.empty())
                break;
            for (int room : hot) {
                considered_.erase(room);
                uncovered_.push_back(room);
                result_.warnings.push_back(FormatText(Text("IDS_DESIGNSURFACE"), {p_.rooms[room].roomName}));
            }
        }
        Balance();
        Report();
        return result_;
    }

private:
    // The circuits of the manifold that carry heat; the others are left alone.
    void FindCircuits()
    {
        for (int c : p_.ManifoldRounds(manifold_)) {
            TRoundItem& round = p_.rounds[c];
            try {
                // A circuit without parts computes, but carries nothing to design for.
                if (!round.Recalculate(p_, devices_) || round.roundFields.empty()) {
                    result_.warnings.push_back(FormatText(Text("IDS_DESIGNNOCIRCUITHEAT"), {round.roundName}));
                    continue;
                }
            } catch (const std::exception& e) {
                result_.warnings.push_back(FormatText(Text("IDS_DESIGNFAILED"), {round.roundName, e.what()}));
                continue;
            }
            circuits_.push_back(c);
        }
    }

    // The rooms that only this manifold's circuits heat, and heat entirely.
    void FindRooms()
    {
        p_.RecountAssignedSurfaces();
        std::set<std::int32_t> mine, others;
        for (std::size_t c = 0; c < p_.rounds.size(); ++c) {
            const bool ours = std::find(circuits_.begin(), circuits_.end(), int(c)) != circuits_.end();
            for (const auto& part : p_.rounds[c].roundFields)
                (ours ? mine : others).insert(part.roomRef);
        }
        for (std::size_t r = 0; r < p_.rooms.size(); ++r) {
            const TRoomItem& room = p_.rooms[r];
            if (!mine.count(room.roomId) || room.heatDemand <= 0)
                continue;
            if (others.count(room.roomId)) {
                result_.warnings.push_back(FormatText(Text("IDS_DESIGNSHARED"), {room.roomName}));
                continue;
            }
            bool whole = !room.fields.empty();
            for (const auto& field : room.fields)
                if (field.area - field.assignedArea > 0.005f)
                    whole = false;
            if (!whole) {
                result_.warnings.push_back(FormatText(Text("IDS_DESIGNPARTLY"), {room.roomName}));
                continue;
            }
            considered_.insert(static_cast<int>(r));
        }
        for (int c : circuits_) {
            std::set<int> rooms;
            for (const auto& part : p_.rounds[c].roundFields)
                for (int r : considered_)
                    if (p_.rooms[r].roomId == part.roomRef)
                        rooms.insert(r);
            roomsOf_[c] = std::move(rooms);
        }
    }

    // The warmest room a circuit heats bounds its return from below.
    int LowestReturn(int c) const
    {
        double warmest = -273;
        for (const auto& part : p_.rounds[c].roundFields)
            if (const TRoomItem* room = p_.FindRoomById(part.roomRef))
                warmest = std::max(warmest, double(room->roomTemperature));
        return TenthsAbove(warmest) + kReturnMargin;
    }

    // Runs circuit c at supply `forward` and spread `spread` (tenths), through the
    // same steps as the circuit dialog's "recalculate into the fields".
    bool Apply(int c, int forward, int spread)
    {
        TRoundItem& round = p_.rounds[c];
        round.connectionFlags = static_cast<std::int16_t>(round.connectionFlags & ~TRoundItem::kMassFlowGiven);
        round.hydraulic.medium.forward = Tenths(forward);
        round.hydraulic.medium.return_ = Tenths(forward - spread);
        try {
            return round.ApplyToFields(p_, devices_);
        } catch (const std::exception&) {
            return false;
        }
    }

    bool Heated(int room) const { return double(p_.rooms[room].FieldPowerSum()) >= double(p_.rooms[room].heatDemand); }

    bool SurfaceWithinLimit(int room) const
    {
        for (const auto& field : p_.rooms[room].fields)
            if (!field.WithinZoneLimit())
                return false;
        return true;
    }

    // Every circuit at the design spread; the rooms that stay cold.
    std::vector<int> ColdRoomsAt(int forward)
    {
        for (int c : circuits_)
            Apply(c, forward, std::min(spread_, std::max(1, forward - LowestReturn(c))));
        std::vector<int> cold;
        for (int r : considered_)
            if (!Heated(r))
                cold.push_back(r);
        return cold;
    }

    // Supply temperature and flows; false when no room is left to design for.
    bool DesignTemperatures()
    {
        int lowest = 0;
        for (int c : circuits_)
            if (!roomsOf_[c].empty())
                lowest = std::max(lowest, LowestReturn(c) + spread_);
        // Rooms the highest supply allowed cannot heat do not drive the design.
        for (int r : ColdRoomsAt(maxSupply_)) {
            considered_.erase(r);
            uncovered_.push_back(r);
            result_.warnings.push_back(
                FormatText(Text("IDS_DESIGNUNCOVERED"), {p_.rooms[r].roomName, Num(Tenths(maxSupply_), 1)}));
        }
        for (auto& [c, rooms] : roomsOf_)
            for (auto it = rooms.begin(); it != rooms.end();)
                it = considered_.count(*it) ? std::next(it) : rooms.erase(it);
        int supply = maxSupply_;
        if (!considered_.empty() && lowest <= maxSupply_) {
            // Heating never falls as the supply rises: the lowest warm enough supply
            // is found by halving.
            int lo = lowest, hi = maxSupply_;
            while (lo < hi) {
                const int mid = lo + (hi - lo) / 2;
                if (ColdRoomsAt(mid).empty())
                    hi = mid;
                else
                    lo = mid + 1;
            }
            supply = lo;
        }
        supply_ = supply;
        ColdRoomsAt(supply_);
        // The index room: the one that is first to go cold a step lower.
        std::set<int> indexRooms;
        if (supply_ > lowest)
            for (int r : ColdRoomsAt(supply_ - 1))
                indexRooms.insert(r);
        spreads_.clear();
        for (int c : circuits_)
            spreads_[c] = std::min(spread_, std::max(1, supply_ - LowestReturn(c)));
        for (int c : circuits_)
            Apply(c, supply_, spreads_[c]);
        // Every other circuit: the least flow that still heats its rooms.
        for (int c : circuits_) {
            const auto& rooms = roomsOf_[c];
            bool drivesSupply = false;
            for (int r : rooms)
                drivesSupply = drivesSupply || indexRooms.count(r);
            if (rooms.empty() || drivesSupply)
                continue;
            // Less flow is taken only while it still heats the rooms and the water
            // keeps the velocity that carries air out of the loop.
            auto heated = [&](int spread) {
                Apply(c, supply_, spread);
                if (double(p_.rounds[c].hydraulic.velocity) < kMinVelocity)
                    return false;
                for (int r : rooms)
                    if (!Heated(r))
                        return false;
                return true;
            };
            int lo = spreads_[c], hi = supply_ - LowestReturn(c);
            if (hi <= lo)
                continue;
            while (lo < hi) {
                const int mid = lo + (hi - lo + 1) / 2;
                if (heated(mid))
                    lo = mid;
                else
                    hi = mid - 1;
            }
            spreads_[c] = lo;
            Apply(c, supply_, lo);
        }
        return !considered_.empty();
    }

    void Balance()
    {
        // Every circuit stands at its final flow now.
        double most = 0;
        int index = -1;
        for (int c : circuits_) {
            const double need = PressureNeeded(p_.rounds[c].hydraulic, devices_);
            if (index < 0 || need > most) {
                most = need;
                index = c;
            }
        }
        const float pressure = static_cast<float>(std::ceil(most - 1e-9));
        for (int c : circuits_) {
            p_.rounds[c].hydraulic.availablePressure = pressure;
            Apply(c, supply_, spreads_.count(c) ? spreads_[c] : spread_);
        }
        result_.availablePressure = pressure;
        result_.indexCircuit = index >= 0 ? p_.rounds[index].roundName : std::string();
    }

    void Report()
    {
        p_.RecountAssignedSurfaces();
        p_.ComputeTotals();
        result_.designed = true;
        result_.supplyTemperature = Tenths(supply_);
        for (int r : uncovered_)
            result_.uncoveredRooms.push_back(p_.rooms[r].roomName);
        for (int c : circuits_) {
            const TRoundItem& round = p_.rounds[c];
            const THydraulic& h = round.hydraulic;
            if (h.flags & THydraulic::kBitValveTooClosed)
                result_.warnings.push_back(
                    FormatText(Text("IDS_DESIGNNOTBALANCED"),
                               {round.roundName, Num(h.availablePressure - h.circuitPressureDrop, 0)}));
            else if (h.flags & THydraulic::kBitValveNoisy)
                result_.warnings.push_back(
                    FormatText(Text("IDS_DESIGNNOISY"), {round.roundName, Num(h.valvePressureDrop, 0)}));
            if (double(h.tubeLength) > MaxLoopLength(h, devices_) + 0.005)
                result_.warnings.push_back(
                    FormatText(Text("IDS_DESIGNTOOLONG"),
                               {round.roundName, Num(h.tubeLength, 1), Num(MaxLoopLength(h, devices_), 0)}));
            if (h.valveName.empty() && round.roundName != result_.indexCircuit)
                result_.warnings.push_back(FormatText(
                    Text("IDS_DESIGNNOVALVE"), {round.roundName, Num(h.availablePressure - h.circuitPressureDrop, 0)}));
        }
        result_.circuits = ManifoldFigures(p_, devices_, manifold_).circuits;
        // Only the circuits the design touched are its result.
        std::erase_if(result_.circuits, [&](const DesignedCircuit& d) {
            return std::find(circuits_.begin(), circuits_.end(), d.round) == circuits_.end();
        });
        for (const auto& d : result_.circuits)
            result_.totalMassFlow += d.massFlow;
    }

    TProject& p_;
    const TDevices& devices_;
    int manifold_;
    int spread_ = 50, maxSupply_ = 550, supply_ = 0;
    std::vector<int> circuits_;
    std::set<int> considered_;
    std::vector<int> uncovered_;
    std::map<int, std::set<int>> roomsOf_;
    std::map<int, int> spreads_;
    ManifoldDesignResult result_;
};

} // namespace

DesignOutcome DesignManifolds(const TProject& project, const TDevices& devices, std::optional<int> onlyManifold)
{
    DesignOutcome outcome{project, {}};
    TProject& p = outcome.project;
    for (auto& room : p.rooms) {
        try {
            room.RecomputeFields(devices);
        } catch (const std::exception&) {
            // The room's failure stays with the room; the design check names it.
        }
    }
    for (std::size_t m = 0; m < p.manifolds.size(); ++m)
        if (!onlyManifold || *onlyManifold == int(m))
            outcome.manifolds.push_back(Designer(p, devices, static_cast<int>(m)).Run());
    p.RecountAssignedSurfaces();
    p.ComputeTotals();
    p.modified = true;
    return outcome;
}

double PressureNeeded(const THydraulic& h, const TDevices& devices)
{
    double need = h.circuitPressureDrop;
    if (!h.valveName.empty())
        if (const auto* valve = devices.Find<ValveDBItem>(kValveKind, h.valveName))
            need += valve->OpenDrop(h.ValveSizeInUse(), h.VolumeFlow(), h.medium.density);
    return need;
}

ManifoldDesignResult ManifoldFigures(const TProject& p, const TDevices& devices, int manifold)
{
    ManifoldDesignResult r;
    r.manifold = manifold;
    if (manifold < 0 || std::size_t(manifold) >= p.manifolds.size())
        return r;
    r.name = p.manifolds[manifold].name;
    double heatFlow = 0, returnSum = 0;
    double indexNeed = 0;
    for (int c : p.ManifoldRounds(manifold)) {
        const TRoundItem& round = p.rounds[c];
        const THydraulic& h = round.hydraulic;
        DesignedCircuit d;
        d.round = c;
        d.roundName = round.roundName;
        d.forward = h.medium.forward;
        d.return_ = h.medium.return_;
        d.massFlow = h.massFlow;
        d.circuitPressureDrop = h.circuitPressureDrop;
        d.valvePressureDrop = h.valvePressureDrop;
        d.valvePosition = h.valvePosition;
        d.tubeLength = h.tubeLength;
        for (const auto& part : round.roundFields)
            if (std::find(d.roomNames.begin(), d.roomNames.end(), part.roomRefName) == d.roomNames.end())
                d.roomNames.push_back(part.roomRefName);
        r.circuits.push_back(d);
        if (h.massFlow > 0) {
            r.supplyTemperature = std::max(r.supplyTemperature, h.medium.forward);
            r.totalMassFlow += h.massFlow;
            heatFlow += double(h.massFlow);
            returnSum += double(h.massFlow) * h.medium.return_;
        }
        // The pump gives the pressure the most demanding circuit is set for; the
        // index circuit is the one that needs most with its valve open, as the
        // design finds it.
        r.availablePressure = std::max(r.availablePressure, h.availablePressure);
        const double need = PressureNeeded(h, devices);
        if (r.indexCircuit.empty() || need > indexNeed) {
            indexNeed = need;
            r.indexCircuit = round.roundName;
        }
    }
    if (heatFlow > 0)
        r.spread = static_cast<float>(r.supplyTemperature - returnSum / heatFlow);
    r.designed = !r.circuits.empty();
    return r;
}

} // namespace kalorina
