#pragma once
// One floor-heating loop laid inside a region of a room: the centre line of the tube as a polyline,
// either as a counterflow spiral (supply and return rings alternating, joined by one bend in the
// middle) or as a meander of parallel rows.  The loop keeps a full spacing between its stretches,
// keeps the edge distance to the room's walls, keeps half a spacing to a line that splits the room
// into regions, reaches every part of the floor, and brings both ends side by side to the point
// nearest where the feed pipes arrive.  Pure geometry, in metres, free of any window.
#include <optional>
#include <string>
#include <vector>

#include "plan/Geometry.h"

namespace kalorina::layout {

enum class Pattern { Spiral = 0, Meander = 1 };

using Polyline = std::vector<plan::Point>;

struct LoopRequest {
    plan::Polygon region;       // counter-clockwise simple polygon, metres: the floor this loop heats
    plan::Polygon room;         // the room's outline (counter-clockwise) that contains region; region may equal room
    double spacing = 0.15;      // m, centre to centre of neighbouring tubes (0.05 .. 0.50)
    double edgeDistance = 0.10; // m, least distance from any tube to the room's outline (0 .. 0.5)
    Pattern pattern = Pattern::Spiral;
    plan::Point entry; // where the feed pipes arrive (a door or the manifold side); the loop's two ends go near it
};

// The tube's centre line, from the supply end to the return end; the two ends lie side by side
// (spacing apart) at the point of the loop nearest `entry`.  None (with the reason in *why) when the
// region is too small or narrow for a loop at this spacing.
// `laidAs`, if given, gets the pattern the tube was laid in: a spiral whose rings would
// leave floor bare or come too close is laid as a meander instead.
std::optional<Polyline> LayLoop(const LoopRequest& request, std::string* why = nullptr, Pattern* laidAs = nullptr);

double PolylineLength(const Polyline& line);

// Least distance from point p to polyline (segments).
double DistanceToPolyline(plan::Point p, const Polyline& line);

} // namespace kalorina::layout
