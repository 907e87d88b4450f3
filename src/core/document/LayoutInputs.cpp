#include "document/LayoutInputs.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "document/TProject.h"

namespace kalorina {

namespace {

// FNV-1a over the bytes of what is fed in.
class Fingerprint {
public:
    template <class T>
    void Add(const T& value)
    {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (unsigned char b : bytes)
            hash_ = (hash_ ^ b) * 0x100000001b3ULL;
    }
    void Add(plan::Point p)
    {
        Add(p.x);
        Add(p.y);
    }
    std::uint64_t Value() const { return hash_; }

private:
    std::uint64_t hash_ = 0xcbf29ce484222325ULL;
};

} // namespace

std::uint64_t LayoutInputs(const TProject& project, const TRoundItem& round)
{
    Fingerprint f;
    f.Add(static_cast<std::int32_t>(round.layout.pattern));
    f.Add(project.options.edgeDistance);
    f.Add(round.connectionFlags & TRoundItem::kSeries);
    const plan::Plan& plan = project.plan;
    // The manifold's floor and those of the circuit's rooms: the routes run there.
    std::vector<int> floors;
    for (const plan::ManifoldPlace& m : plan.manifolds)
        if (m.manifold == round.manifold) {
            floors.push_back(m.floor);
            f.Add(m.floor);
            f.Add(m.position);
        }
    for (const FloorHeatingRoundField& part : round.roundFields)
        if (const plan::RoomOutline* o = plan.OutlineOf(part.roomRef))
            if (std::find(floors.begin(), floors.end(), o->floor) == floors.end())
                floors.push_back(o->floor);
    const auto onFloor = [&](int floor) { return std::find(floors.begin(), floors.end(), floor) != floors.end(); };
    for (int floor : floors)
        if (floor >= 0 && std::size_t(floor) < plan.floors.size())
            f.Add(plan.floors[floor].level);
    for (const plan::RoomOutline& o : plan.outlines)
        if (onFloor(o.floor)) {
            f.Add(o.roomId);
            f.Add(o.floor);
            for (const plan::Point& p : o.outline)
                f.Add(p);
        }
    for (const plan::Door& d : plan.doors)
        if (onFloor(d.floor)) {
            f.Add(d.roomA);
            f.Add(d.roomB);
            f.Add(d.from);
            f.Add(d.to);
        }
    // A part's region follows the parts of every circuit in its room; which field a
    // part draws from does not matter (the fields are split to the parts).
    const auto addPart = [&](const FloorHeatingRoundField& part) {
        f.Add(part.roomRef);
        f.Add(part.assignedPart);
        if (const FloorHeatingField* field = part.RoomField(project)) {
            f.Add(field->spacing);
            f.Add(field->zoneType);
        }
    };
    std::vector<std::int32_t> rooms;
    for (const FloorHeatingRoundField& part : round.roundFields) {
        addPart(part);
        if (std::find(rooms.begin(), rooms.end(), part.roomRef) == rooms.end())
            rooms.push_back(part.roomRef);
    }
    for (std::int32_t id : rooms)
        for (std::size_t r = 0; r < project.rounds.size(); ++r)
            for (const FloorHeatingRoundField& part : project.rounds[r].roundFields)
                if (part.roomRef == id) {
                    f.Add(static_cast<std::int32_t>(r));
                    addPart(part);
                }
    return f.Value();
}

bool LayoutCurrent(const TProject& project, const TRoundItem& round)
{
    return round.layout.laid && round.layout.inputs == LayoutInputs(project, round);
}

} // namespace kalorina
