#pragma once
// How a room's floor is shared among the circuit parts laid in it: an edge zone
// takes a strip along the outside walls, the other parts follow one another across
// the room's longer side from where the pipes come in, each with its own area, and
// floor no part covers is left at the far end.
#include <utility>
#include <vector>

#include "plan/Geometry.h"

namespace kalorina::layout {

struct RegionPart {
    double area = 0; // m2
    bool edgeZone = false;
};

struct RegionRequest {
    plan::Polygon outline; // counter-clockwise
    std::vector<std::pair<plan::Point, plan::Point>> outsideWalls;
    std::vector<RegionPart> parts; // in the order they are laid from the entry on
    plan::Point entry;             // where the pipes come into the room
};

// One polygon per part, in the order of the parts; an empty one where a part got no
// floor (the room is full).
std::vector<plan::Polygon> RoomRegions(const RegionRequest& request);

} // namespace kalorina::layout
