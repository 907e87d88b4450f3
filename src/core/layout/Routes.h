#pragma once
// The way feed pipes take across a floor: inside rooms and from room to room only
// through doors, never through a wall; the shortest such way.
#include <cstdint>
#include <optional>
#include <vector>

#include "plan/LayoutData.h"
#include "plan/PlanData.h"

namespace kalorina::layout {

struct FloorMap {
    std::vector<plan::RoomOutline> rooms;
    std::vector<plan::Door> doors; // between two rooms of the floor
    // The room holding p (inside or on its outline), 0 when none.
    std::int32_t RoomAt(plan::Point p) const;
    const plan::Polygon* Outline(std::int32_t roomId) const;
};

FloorMap FloorOf(const plan::Plan& plan, int floor);

// The shortest way from `from` to `to`, both in (or on the outline of) the rooms
// named; none when no door leads there.
std::optional<plan::Polyline> ShortestRoute(const FloorMap& map, plan::Point from, std::int32_t fromRoom,
                                            plan::Point to, std::int32_t toRoom);
// The shortest way between two points of one room.
plan::Polyline PathInRoom(const plan::Polygon& outline, plan::Point from, plan::Point to);
// The line at `offset` to the left of the polyline (right when negative), corners
// mitred.
plan::Polyline OffsetLine(const plan::Polyline& line, double offset);

} // namespace kalorina::layout
