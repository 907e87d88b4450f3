#include "design/ManifoldDesign.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <map>
#include <set>

#include "catalogue/DeviceKind.h"
#include "catalogue/TDevices.h"
#include "catalogue/ValveDBItem.h"
#include "check/DesignCheck.h"
#include "document/StoredRanges.h"
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
// Temperatures far beyond any building are held to a range that the grid's
// integers can count.
constexpr double kGridLimit = 1e6;
int TenthsAbove(double t)
{
    return static_cast<int>(std::clamp(std::ceil(t * kGrid - 1e-6), -kGridLimit, kGridLimit));
}
int TenthsBelow(double t)
{
    return static_cast<int>(std::clamp(std::floor(t * kGrid + 1e-6), -kGridLimit, kGridLimit));
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
        {"IDS_DESIGNOVERHEATED",
         "Circuit %s: even at its most closed presetting its valve lets more through than needed; room %s gets %s W "
         "against its heat loss of %s W."},
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
        spread_ = std::max(1, TenthsNearest(p.manifolds[manifold].designSpread));
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
        FindGroups();
        // A room whose floor the limit forbids to heat does not set the supply; the
        // design is made again without it, and each pass leaves out one room more.
        for (;;) {
            DesignSupply();
            DesignSpreads();
            std::vector<int> hot;
            for (int room : driving_)
                if (!SurfaceWithinLimit(room))
                    hot.push_back(room);
            if (hot.empty())
                break;
            for (int room : hot) {
                driving_.erase(room);
                tooHot_.push_back(room);
            }
        }
        Balance();
        Report();
        return result_;
    }

private:
    struct Group {
        std::vector<int> circuits;
        std::set<int> rooms;
        int spread = 0;
    };

    static int TenthsNearest(double t)
    {
        return static_cast<int>(std::lround(std::clamp(t * kGrid, -kGridLimit, kGridLimit)));
    }

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
                if (field.LeftoverArea() > 0)
                    whole = false;
            if (!whole) {
                result_.warnings.push_back(FormatText(Text("IDS_DESIGNPARTLY"), {room.roomName}));
                continue;
            }
            considered_.insert(static_cast<int>(r));
            if (room.AllowsSupplementaryHeat())
                supplementary_.insert(static_cast<int>(r));
        }
        for (int c : circuits_) {
            std::set<int> rooms;
            for (const auto& part : p_.rounds[c].roundFields)
                for (int r : considered_)
                    if (p_.rooms[r].roomId == part.roomRef)
                        rooms.insert(r);
            roomsOf_[c] = std::move(rooms);
        }
        // Rooms allowed a supplementary heater do not set the supply, unless no
        // other room is there to set it.
        for (int r : considered_)
            if (!supplementary_.count(r))
                driving_.insert(r);
        if (driving_.empty())
            driving_ = considered_;
    }

    // Circuits that share a room run at one spread: each group is a set of rooms
    // and the circuits that heat them, closed under sharing.
    void FindGroups()
    {
        std::vector<bool> placed(circuits_.size(), false);
        for (std::size_t i = 0; i < circuits_.size(); ++i) {
            if (placed[i])
                continue;
            Group g;
            g.circuits.push_back(circuits_[i]);
            g.rooms = roomsOf_[circuits_[i]];
            placed[i] = true;
            for (bool grew = true; grew;) {
                grew = false;
                for (std::size_t j = 0; j < circuits_.size(); ++j) {
                    if (placed[j])
                        continue;
                    const auto& rooms = roomsOf_[circuits_[j]];
                    if (std::none_of(rooms.begin(), rooms.end(), [&](int r) { return g.rooms.count(r) > 0; }))
                        continue;
                    g.circuits.push_back(circuits_[j]);
                    g.rooms.insert(rooms.begin(), rooms.end());
                    placed[j] = grew = true;
                }
            }
            groups_.push_back(std::move(g));
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

    // The spread a circuit can run at: `spread`, or less where its return would
    // come too near its rooms.
    int Feasible(int c, int forward, int spread) const
    {
        return std::min(spread, std::max(1, forward - LowestReturn(c)));
    }

    // Runs circuit c at supply `forward` and spread `spread` (tenths), through the
    // same steps as the circuit dialog's "recalculate into the fields".
    bool Apply(int c, int forward, int spread)
    {
        TRoundItem& round = p_.rounds[c];
        round.connectionFlags = static_cast<std::int16_t>(round.connectionFlags & ~TRoundItem::kMassFlowGiven);
        round.hydraulic.medium.forward = Tenths(forward);
        round.hydraulic.medium.return_ = Tenths(forward - Feasible(c, forward, spread));
        try {
            return round.ApplyToFields(p_, devices_);
        } catch (const std::exception&) {
            return false;
        }
    }

    // Runs circuit c at the flow `massFlow` given, the return following from it.
    bool ApplyFlow(int c, double massFlow)
    {
        TRoundItem& round = p_.rounds[c];
        round.connectionFlags = static_cast<std::int16_t>(round.connectionFlags | TRoundItem::kMassFlowGiven);
        round.hydraulic.medium.forward = Tenths(supply_);
        round.hydraulic.massFlow = static_cast<float>(massFlow);
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

    // Every circuit at the design spread; whether the rooms that set the supply
    // are all warm.
    bool DrivingRoomsWarmAt(int forward)
    {
        for (int c : circuits_)
            Apply(c, forward, spread_);
        for (int r : driving_)
            if (!Heated(r))
                return false;
        return true;
    }

    // The lowest supply on the grid at which every room that sets it is warm at
    // the design spread; rooms that no supply allowed can heat do not set it.
    void DesignSupply()
    {
        int lowest = 0;
        for (int c : circuits_)
            for (int r : roomsOf_[c])
                if (driving_.count(r))
                    lowest = std::max(lowest, LowestReturn(c) + spread_);
        lowest = std::min(lowest, maxSupply_);
        DrivingRoomsWarmAt(maxSupply_);
        for (auto it = driving_.begin(); it != driving_.end();)
            if (!Heated(*it)) {
                cold_.push_back(*it);
                it = driving_.erase(it);
            } else
                ++it;
        int supply = maxSupply_;
        if (!driving_.empty()) {
            // Heating never falls as the supply rises: the lowest warm enough supply
            // is found by halving.
            int lo = lowest, hi = maxSupply_;
            while (lo < hi) {
                const int mid = lo + (hi - lo) / 2;
                if (DrivingRoomsWarmAt(mid))
                    hi = mid;
                else
                    lo = mid + 1;
            }
            supply = lo;
        }
        supply_ = supply;
        // The design room: the one a step lower leaves coldest.
        designRooms_.clear();
        result_.designRoom.clear();
        if (!driving_.empty() && supply_ > lowest) {
            DrivingRoomsWarmAt(supply_ - 1);
            double worst = -1;
            for (int r : driving_) {
                const TRoomItem& room = p_.rooms[r];
                const double shortfall = 1.0 - double(room.FieldPowerSum()) / double(room.heatDemand);
                if (shortfall > 0)
                    designRooms_.insert(r);
                if (shortfall > 0 && shortfall > worst) {
                    worst = shortfall;
                    result_.designRoom = room.roomName;
                }
            }
        }
    }

    // Every group at the largest spread that still heats its rooms, never below the
    // design spread; the design room's group at the design spread.  A room allowed a
    // supplementary heater that the floor cannot heat takes what the floor gives at
    // the design spread, less where its zone's surface limit says so.
    void DesignSpreads()
    {
        for (Group& g : groups_) {
            auto run = [&](int spread) {
                for (int c : g.circuits)
                    Apply(c, supply_, spread);
            };
            auto fits = [&](int spread, bool needHeat) {
                run(spread);
                for (int c : g.circuits)
                    if (spread > spread_ && double(p_.rounds[c].hydraulic.velocity) < kMinVelocity)
                        return false;
                for (int r : g.rooms) {
                    if (needHeat && !Heated(r))
                        return false;
                    if (supplementary_.count(r) && !SurfaceWithinLimit(r))
                        return false;
                }
                return true;
            };
            // The return keeps its margin above the warmest room of every circuit.
            int widest = std::numeric_limits<int>::max();
            for (int c : g.circuits)
                widest = std::min(widest, supply_ - LowestReturn(c));
            widest = std::max(widest, spread_);
            bool sets = false;
            for (int r : g.rooms)
                sets = sets || designRooms_.count(r);
            int spread = spread_;
            if (!sets && !g.rooms.empty()) {
                // Heat falls as the spread widens: the widest spread that heats is
                // found by halving.  Where even the design spread leaves a room
                // cold, the group keeps it, or what its zone allows.
                if (fits(spread_, true)) {
                    int lo = spread_, hi = widest;
                    while (lo < hi) {
                        const int mid = lo + (hi - lo + 1) / 2;
                        if (fits(mid, true))
                            lo = mid;
                        else
                            hi = mid - 1;
                    }
                    spread = lo;
                } else if (!fits(spread_, false)) {
                    // A room allowed a supplementary heater whose floor would be
                    // too warm: the narrowest spread its zone allows.
                    int lo = spread_, hi = widest;
                    while (lo < hi) {
                        const int mid = lo + (hi - lo) / 2;
                        if (fits(mid, false))
                            hi = mid;
                        else
                            lo = mid + 1;
                    }
                    spread = lo;
                }
            }
            g.spread = spread;
            run(spread);
            for (int c : g.circuits)
                designFlow_[c] = p_.rounds[c].hydraulic.massFlow;
        }
    }

    // The flow circuit c takes at the pump pressure `head` through its own
    // resistance and the valve at `position` (none: no valve), with its medium as
    // it stands.
    double RealFlow(int c, double head, const ValveDBItem* valve, const ValveSubType* size,
                    const ValvePosition* position) const
    {
        THydraulic h = p_.rounds[c].hydraulic;
        auto excess = [&](double m) {
            h.massFlow = static_cast<float>(m);
            h.Compute(devices_);
            double drop = h.circuitPressureDrop;
            if (position)
                drop +=
                    ValveDBItem::PositionDrop(*position, h.VolumeFlow(), h.medium.density, valve->resistMode, size->dn);
            return drop - head;
        };
        double lo = 0, hi = std::max(1.0, 2.0 * double(designFlow_.at(c)));
        for (int i = 0; i < 40 && excess(hi) < 0; ++i)
            hi *= 2;
        // The drops are whole pascals: the flow is found to a thousandth of a kg/h.
        // Flows no circuit carries (from values no building has) are at the end of
        // what a double resolves before that: the halving stops where it cannot
        // halve any more.
        for (int i = 0; i < 200 && hi - lo > 1e-3; ++i) {
            const double mid = 0.5 * (lo + hi);
            if (mid <= lo || mid >= hi)
                break;
            (excess(mid) < 0 ? lo : hi) = mid;
        }
        return 0.5 * (lo + hi);
    }

    struct Setting {
        int position = -1; // index among the size's positions, -1 without a valve
        double flow = 0;   // kg/h at the pump pressure
        bool enough = true;
    };

    // The most closed presetting that still lets the circuit's design flow through
    // at `head`: rounding goes toward the more open position, so no room falls
    // short of its heat.
    Setting ChooseSetting(int c, double head) const
    {
        const THydraulic& h = p_.rounds[c].hydraulic;
        const double need = double(designFlow_.at(c)) - kFlowTolerance;
        const ValveDBItem* valve = h.valveName.empty() ? nullptr : devices_.Find<ValveDBItem>(kValveKind, h.valveName);
        const int sizeIndex = valve ? valve->FindSize(h.ValveSizeInUse()) : -1;
        if (!valve || sizeIndex < 0 || valve->sizes[sizeIndex].positions.empty()) {
            Setting s;
            s.flow = RealFlow(c, head, nullptr, nullptr, nullptr);
            s.enough = s.flow >= need;
            return s;
        }
        const ValveSubType& size = valve->sizes[sizeIndex];
        const int n = static_cast<int>(size.positions.size());
        auto flowAt = [&](int i) { return RealFlow(c, head, valve, &size, &size.positions[i]); };
        // More open positions let more through: the first that is enough is found
        // by halving.
        const double open = flowAt(n - 1);
        if (open < need)
            return {n - 1, open, false};
        int lo = 0, hi = n - 1;
        double flow = open;
        while (lo < hi) {
            const int mid = lo + (hi - lo) / 2;
            const double f = flowAt(mid);
            if (f >= need) {
                hi = mid;
                flow = f;
            } else
                lo = mid + 1;
        }
        return {lo, lo == n - 1 ? open : flow, true};
    }

    void Balance()
    {
        // Every circuit stands at its design flow now: the pump gives what the most
        // demanding of them needs with its valve open.
        double most = 0;
        int index = -1;
        for (int c : circuits_) {
            const double need = PressureNeeded(p_.rounds[c].hydraulic, devices_);
            if (index < 0 || need > most) {
                most = need;
                index = c;
            }
        }
        double head = std::ceil(most - 1e-9);
        std::map<int, Setting> settings;
        // Whole-pascal drops can leave the index circuit a trace short at that
        // pressure: only then is it raised, a pascal at a time.
        for (int round = 0; round < 50; ++round) {
            bool enough = true;
            for (int c : circuits_) {
                settings[c] = ChooseSetting(c, head);
                enough = enough && settings[c].enough;
            }
            if (enough)
                break;
            head += 1;
        }
        const float pressure = static_cast<float>(head);
        for (int c : circuits_) {
            p_.rounds[c].hydraulic.availablePressure = pressure;
            // The flow brings the return, the return the medium's properties, and
            // they the flow: a few rounds settle it.
            double flow = settings[c].flow;
            for (int i = 0; i < 5; ++i) {
                ApplyFlow(c, flow);
                const Setting again = ChooseSettingAt(c, head, settings[c].position);
                if (std::abs(again.flow - flow) < kFlowTolerance) {
                    flow = again.flow;
                    break;
                }
                flow = again.flow;
            }
            ApplyFlow(c, flow);
            settings[c].flow = flow;
        }
        settings_ = std::move(settings);
        result_.availablePressure = pressure;
        result_.indexCircuit = index >= 0 ? p_.rounds[index].roundName : std::string();
    }

    // The flow at one given position (or without a valve).
    Setting ChooseSettingAt(int c, double head, int position) const
    {
        const THydraulic& h = p_.rounds[c].hydraulic;
        const ValveDBItem* valve = h.valveName.empty() ? nullptr : devices_.Find<ValveDBItem>(kValveKind, h.valveName);
        const int sizeIndex = valve ? valve->FindSize(h.ValveSizeInUse()) : -1;
        Setting s;
        s.position = position;
        if (!valve || sizeIndex < 0 || position < 0
            || std::size_t(position) >= valve->sizes[sizeIndex].positions.size())
            s.flow = RealFlow(c, head, nullptr, nullptr, nullptr);
        else
            s.flow = RealFlow(c, head, valve, &valve->sizes[sizeIndex], &valve->sizes[sizeIndex].positions[position]);
        return s;
    }

    void Report()
    {
        p_.RecountAssignedSurfaces();
        p_.ComputeTotals();
        result_.designed = true;
        result_.supplyTemperature = Tenths(supply_);
        // Rooms are named once, from the final design: a room that a pass left out
        // may be warm in the end.
        for (int r : tooHot_)
            result_.warnings.push_back(FormatText(Text("IDS_DESIGNSURFACE"), {p_.rooms[r].roomName}));
        for (int r : cold_)
            if (!Heated(r)) {
                result_.uncoveredRooms.push_back(p_.rooms[r].roomName);
                result_.warnings.push_back(
                    FormatText(Text("IDS_DESIGNUNCOVERED"), {p_.rooms[r].roomName, Num(Tenths(maxSupply_), 1)}));
            }
        for (int r : supplementary_) {
            const double watts = p_.rooms[r].SupplementaryHeat();
            if (NoticeableShortfall(watts, p_.rooms[r].heatDemand))
                result_.supplementaryHeat.push_back({p_.rooms[r].roomName, static_cast<float>(watts)});
        }
        std::map<int, int> spreadOf;
        for (const Group& g : groups_)
            for (int c : g.circuits)
                spreadOf[c] = g.spread;
        for (int c : circuits_) {
            const TRoundItem& round = p_.rounds[c];
            const THydraulic& h = round.hydraulic;
            const Setting& s = settings_[c];
            // A valve that cannot throttle enough matters only where its room gets
            // noticeably too much.
            if (s.position == 0 && s.flow > double(designFlow_[c]) + kFlowTolerance)
                for (int r : roomsOf_[c]) {
                    const TRoomItem& room = p_.rooms[r];
                    if (double(room.FieldPowerSum()) > 1.1 * double(room.heatDemand))
                        result_.warnings.push_back(FormatText(
                            Text("IDS_DESIGNOVERHEATED"),
                            {round.roundName, room.roomName, Num(room.FieldPowerSum(), 0), Num(room.heatDemand, 0)}));
                }
            if (h.flags & THydraulic::kBitValveNoisy)
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
        for (auto& d : result_.circuits) {
            d.designSpread = Tenths(spreadOf.count(d.round) ? spreadOf[d.round] : spread_);
            d.designMassFlow = designFlow_[d.round];
            result_.totalMassFlow += d.massFlow;
        }
    }

    // Flows closer than this are one flow.
    static constexpr double kFlowTolerance = 0.01; // kg/h

    TProject& p_;
    const TDevices& devices_;
    int manifold_;
    int spread_ = 50, maxSupply_ = 550, supply_ = 0;
    std::vector<int> circuits_;
    std::set<int> considered_, supplementary_, driving_, designRooms_;
    std::vector<int> cold_, tooHot_;
    std::map<int, std::set<int>> roomsOf_;
    std::vector<Group> groups_;
    std::map<int, float> designFlow_;
    std::map<int, Setting> settings_;
    ManifoldDesignResult result_;
};

} // namespace

DesignOutcome DesignManifolds(const TProject& project, const TDevices& devices, std::optional<int> onlyManifold)
{
    DesignOutcome outcome{project, {}};
    TProject& p = outcome.project;
    // A design from a value no building has would be none: each manifold stays as
    // it is, with the values named.
    if (const std::vector<ImplausibleStoredValue> implausible = FindImplausibleValues(project); !implausible.empty()) {
        for (std::size_t m = 0; m < p.manifolds.size(); ++m)
            if (!onlyManifold || *onlyManifold == int(m)) {
                ManifoldDesignResult r;
                r.manifold = static_cast<int>(m);
                r.name = p.manifolds[m].name;
                for (const ImplausibleStoredValue& v : implausible)
                    r.warnings.push_back(ImplausibleValueLine(v));
                outcome.manifolds.push_back(std::move(r));
            }
        return outcome;
    }
    for (auto& room : p.rooms) {
        try {
            room.RecomputeFields(devices);
        } catch (const std::exception&) {
            // The room's failure stays with the room; the design check names it.
        }
    }
    for (std::size_t m = 0; m < p.manifolds.size(); ++m)
        if (!onlyManifold || *onlyManifold == int(m)) {
            outcome.manifolds.push_back(Designer(p, devices, static_cast<int>(m)).Run());
            if (outcome.manifolds.back().designed)
                p.manifolds[m].designed = true;
        }
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
