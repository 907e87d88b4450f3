#pragma once
// A circuit's tube as laid on the floor plan: the pattern it is laid in, the
// region of each of its parts with the loop in it, and the pipes that join the
// loops to the manifold and to each other.  Polylines are tube centre lines in
// metres; lengths are measured along them.
#include <cstdint>
#include <vector>

#include "plan/Geometry.h"

namespace kalorina::plan {

enum class LoopPattern : std::int32_t { Spiral = 0, Meander = 1 };
inline bool IsLoopPattern(std::int32_t v)
{
    return v == 0 || v == 1;
}

using Polyline = std::vector<Point>;
double PolylineLength(const Polyline& line);

struct LaidPart {
    std::int32_t roomId = 0;
    Polygon region; // counter-clockwise
    Polyline loop;  // supply end first
    bool operator==(const LaidPart&) const = default;
};

struct CircuitLayout {
    LoopPattern pattern = LoopPattern::Spiral; // chosen for the circuit, laid or not
    bool laid = false;
    int floor = 0;
    double spacing = 0, edgeDistance = 0; // m, as laid
    std::vector<LaidPart> parts;          // in the circuit's part order
    Polyline supplyRoute;                 // from the manifold to the first loop
    std::vector<Polyline> joins;          // from each loop to the next
    Polyline returnRoute;                 // from the last loop to the manifold
    // Up or down from a manifold on another floor, m: each of the two pipes runs it
    // at the manifold's place, and the route lengths count it.
    double riser = 0;
    double length = 0, loopLength = 0, routeLength = 0; // m
    // What the tube was laid from (outlines, doors, manifold place, parts); a
    // different value now means the plan or the fields changed since.
    std::uint64_t inputs = 0;

    bool Default() const { return !laid && pattern == LoopPattern::Spiral; }
    // The lengths from the polylines.
    void Measure();
    bool operator==(const CircuitLayout&) const = default;
};

// The colour a circuit's tube is drawn in on the screen and on paper, by the
// circuit's place in the list: twelve that tell apart on white.
struct Rgb {
    int r = 0, g = 0, b = 0;
};
Rgb CircuitColour(int index);

} // namespace kalorina::plan
