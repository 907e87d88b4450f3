#pragma once
// The project's floor plan: its floors, the outline of each room drawn on one,
// the doors between rooms (or to the outside) and where manifolds stand.  Rooms
// and manifolds are named by the project's identifiers and indices; the plan
// knows nothing else of them.
#include <cstdint>
#include <string>
#include <vector>

#include "plan/Geometry.h"

namespace kalorina::plan {

struct Floor {
    std::string name; // code page 1250
    double level = 0; // m
    bool operator==(const Floor&) const = default;
};

struct RoomOutline {
    std::int32_t roomId = 0;
    int floor = 0;
    Polygon outline; // counter-clockwise, metres
    bool operator==(const RoomOutline&) const = default;
};

// A door on a wall: the segment it takes, between two rooms or a room and the
// outside (roomB 0).
struct Door {
    int floor = 0;
    std::int32_t roomA = 0, roomB = 0;
    Point from, to;
    double Width() const { return Distance(from, to); }
    bool operator==(const Door&) const = default;
};

struct ManifoldPlace {
    int manifold = 0; // index into the project's manifolds
    int floor = 0;
    Point position;
    bool operator==(const ManifoldPlace&) const = default;
};

// A line of the architect's drawing the rooms were taken from, shown grey under
// the plan (walls, furniture, dimensions of the other layers).
struct UnderlayLine {
    int floor = 0;
    Point from, to;
    bool operator==(const UnderlayLine&) const = default;
};

struct Plan {
    std::vector<Floor> floors;
    std::vector<RoomOutline> outlines;
    std::vector<Door> doors;
    std::vector<ManifoldPlace> manifolds;
    std::vector<UnderlayLine> underlay;

    bool Empty() const
    {
        return floors.empty() && outlines.empty() && doors.empty() && manifolds.empty() && underlay.empty();
    }
    const RoomOutline* OutlineOf(std::int32_t roomId) const;
    bool operator==(const Plan&) const = default;
};

} // namespace kalorina::plan
