#include "layout/LoopPattern.h"

#include <cmath>

namespace kalorina::layout {
// Placeholder until the pattern generator lands: the region's corners.
std::optional<Polyline> LayLoop(const LoopRequest& request, std::string*)
{
    if (request.region.size() < 3)
        return std::nullopt;
    return Polyline(request.region.begin(), request.region.end());
}
double PolylineLength(const Polyline& line)
{
    double l = 0;
    for (std::size_t i = 1; i < line.size(); ++i)
        l += plan::Distance(line[i - 1], line[i]);
    return l;
}
double DistanceToPolyline(plan::Point, const Polyline&)
{
    return 0;
}
} // namespace kalorina::layout
