#include "layout/Clip.h"

#include <clipper.hpp>
#include <cmath>

namespace kalorina::layout {

namespace {

constexpr double kScale = 1e4; // 0.1 mm

ClipperLib::Path ToPath(const plan::Polygon& p)
{
    ClipperLib::Path path;
    path.reserve(p.size());
    for (const plan::Point& q : p)
        path.push_back({ClipperLib::cInt(std::llround(q.x * kScale)), ClipperLib::cInt(std::llround(q.y * kScale))});
    return path;
}

ClipperLib::Paths ToPaths(const Polygons& polygons)
{
    ClipperLib::Paths paths;
    for (const plan::Polygon& p : polygons)
        paths.push_back(ToPath(p));
    return paths;
}

// Outer boundaries only: a region with a hole is no region a loop is laid in, and
// the plan's rooms have none.
Polygons FromPaths(const ClipperLib::Paths& paths)
{
    Polygons out;
    for (const ClipperLib::Path& path : paths) {
        if (path.size() < 3 || !ClipperLib::Orientation(path))
            continue;
        plan::Polygon p;
        for (const ClipperLib::IntPoint& q : path)
            p.push_back({double(q.X) / kScale, double(q.Y) / kScale});
        out.push_back(std::move(p));
    }
    return out;
}

Polygons Run(ClipperLib::ClipType type, const Polygons& subject, const Polygons& clip)
{
    ClipperLib::Clipper c;
    c.AddPaths(ToPaths(subject), ClipperLib::ptSubject, true);
    c.AddPaths(ToPaths(clip), ClipperLib::ptClip, true);
    ClipperLib::Paths result;
    c.Execute(type, result, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
    ClipperLib::CleanPolygons(result, 1.0);
    return FromPaths(result);
}

} // namespace

Polygons Intersection(const Polygons& subject, const Polygons& clip)
{
    return Run(ClipperLib::ctIntersection, subject, clip);
}

Polygons Difference(const Polygons& subject, const Polygons& clip)
{
    return Run(ClipperLib::ctDifference, subject, clip);
}

Polygons SegmentBands(const std::vector<std::pair<plan::Point, plan::Point>>& segments, double halfWidth)
{
    ClipperLib::ClipperOffset offset;
    for (const auto& [a, b] : segments)
        offset.AddPath(ToPath({a, b}), ClipperLib::jtMiter, ClipperLib::etOpenSquare);
    ClipperLib::Paths result;
    offset.Execute(result, halfWidth * kScale);
    return FromPaths(result);
}

double Area(const Polygons& polygons)
{
    double a = 0;
    for (const plan::Polygon& p : polygons)
        a += plan::SignedArea(p);
    return a;
}

plan::Polygon Largest(const Polygons& polygons)
{
    const plan::Polygon* best = nullptr;
    for (const plan::Polygon& p : polygons)
        if (!best || std::fabs(plan::SignedArea(p)) > std::fabs(plan::SignedArea(*best)))
            best = &p;
    return best ? plan::CounterClockwise(*best) : plan::Polygon{};
}

} // namespace kalorina::layout
