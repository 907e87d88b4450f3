#pragma once
// One loop of tube laid in a region of a room at the field's spacing.
#include <optional>
#include <string>
#include <vector>

#include "plan/Geometry.h"

namespace kalorina::layout {
enum class Pattern { Spiral = 0, Meander = 1 };
using Polyline = std::vector<plan::Point>;
struct LoopRequest {
    plan::Polygon region;
    plan::Polygon room;
    double spacing = 0.15;
    double edgeDistance = 0.10;
    Pattern pattern = Pattern::Spiral;
    plan::Point entry;
};
std::optional<Polyline> LayLoop(const LoopRequest& request, std::string* why = nullptr);
double PolylineLength(const Polyline& line);
double DistanceToPolyline(plan::Point p, const Polyline& line);
} // namespace kalorina::layout
