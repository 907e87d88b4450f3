#pragma once
// The polygon operations the layout needs, on plan polygons in metres, done by
// Clipper on a tenth-of-a-millimetre grid.
#include <vector>

#include "plan/Geometry.h"

namespace kalorina::layout {

using Polygons = std::vector<plan::Polygon>;

Polygons Intersection(const Polygons& subject, const Polygons& clip);
Polygons Difference(const Polygons& subject, const Polygons& clip);
// The band of half-width `halfWidth` around each segment, square-ended.
Polygons SegmentBands(const std::vector<std::pair<plan::Point, plan::Point>>& segments, double halfWidth);
double Area(const Polygons& polygons);
// The piece with the largest area, counter-clockwise; empty when there is none.
plan::Polygon Largest(const Polygons& polygons);

} // namespace kalorina::layout
