#include "layout/Regions.h"

#include <algorithm>
#include <cmath>

#include "layout/Clip.h"

namespace kalorina::layout {

namespace {

struct Axis {
    double ux = 1, uy = 0; // along the longer side
    double U(plan::Point p) const { return p.x * ux + p.y * uy; }
    double V(plan::Point p) const { return -p.x * uy + p.y * ux; }
    plan::Point At(double u, double v) const { return {u * ux - v * uy, u * uy + v * ux}; }
};

// The direction of the outline's longest edge: rooms are mostly rectangles whose
// longer side is that edge.
Axis LongerSide(const plan::Polygon& outline)
{
    Axis axis;
    double best = -1;
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const plan::Point a = outline[i], b = outline[(i + 1) % outline.size()];
        const double length = plan::Distance(a, b);
        if (length > best + 1e-9) {
            best = length;
            axis.ux = (b.x - a.x) / length;
            axis.uy = (b.y - a.y) / length;
        }
    }
    // One sense for every room, so that a room's parts do not flip with its corners.
    if (axis.ux < -1e-9 || (std::fabs(axis.ux) <= 1e-9 && axis.uy < 0)) {
        axis.ux = -axis.ux;
        axis.uy = -axis.uy;
    }
    return axis;
}

// The slab between u = from and u = to, wide enough in v to hold the room.
plan::Polygon Slab(const Axis& axis, double from, double to, double vMin, double vMax)
{
    return {axis.At(from, vMin), axis.At(to, vMin), axis.At(to, vMax), axis.At(from, vMax)};
}

// Bisection of a growing function of one value for the value that gives `target`.
template <class F>
double Solve(F areaAt, double low, double high, double target)
{
    for (int i = 0; i < 60 && high - low > 1e-5; ++i) {
        const double mid = (low + high) / 2;
        (areaAt(mid) < target ? low : high) = mid;
    }
    return (low + high) / 2;
}

} // namespace

std::vector<plan::Polygon> RoomRegions(const RegionRequest& request)
{
    std::vector<plan::Polygon> regions(request.parts.size());
    const plan::Polygon outline = plan::CounterClockwise(request.outline);
    if (outline.size() < 3 || request.parts.empty())
        return regions;
    const Axis axis = LongerSide(outline);
    double uMin = 1e300, uMax = -1e300, vMin = 1e300, vMax = -1e300;
    for (const plan::Point& p : outline) {
        uMin = std::min(uMin, axis.U(p));
        uMax = std::max(uMax, axis.U(p));
        vMin = std::min(vMin, axis.V(p));
        vMax = std::max(vMax, axis.V(p));
    }
    vMin -= 1;
    vMax += 1;

    // The edge zone lies along the outside walls (along every wall when the room has
    // none: it then is a room inside the building that still wants its edge).
    Polygons rest{outline};
    double edgeArea = 0;
    for (const RegionPart& part : request.parts)
        if (part.edgeZone)
            edgeArea += part.area;
    if (edgeArea > 0) {
        auto walls = request.outsideWalls;
        if (walls.empty())
            for (std::size_t i = 0; i < outline.size(); ++i)
                walls.push_back({outline[i], outline[(i + 1) % outline.size()]});
        const double total = std::fabs(plan::SignedArea(outline));
        const auto stripOf = [&](double width) { return Intersection({outline}, SegmentBands(walls, width)); };
        const double width = Solve([&](double w) { return Area(stripOf(w)); }, 0, std::max(uMax - uMin, vMax - vMin),
                                   std::min(edgeArea, total));
        const Polygons strip = stripOf(width);
        rest = Difference({outline}, strip);
        // Several edge parts share the strip in order along the longer side.
        double before = 0;
        const double stripArea = Area(strip);
        for (std::size_t i = 0; i < request.parts.size(); ++i) {
            if (!request.parts[i].edgeZone)
                continue;
            const double scale = stripArea / edgeArea;
            const auto upTo = [&](double u) { return Intersection(strip, {Slab(axis, uMin - 1, u, vMin, vMax)}); };
            const double from =
                before <= 0 ? uMin - 1 : Solve([&](double u) { return Area(upTo(u)); }, uMin, uMax, before * scale);
            before += request.parts[i].area;
            const double to = before >= edgeArea - 1e-9
                ? uMax + 1
                : Solve([&](double u) { return Area(upTo(u)); }, uMin, uMax, before * scale);
            regions[i] = Largest(Intersection(strip, {Slab(axis, from, to, vMin, vMax)}));
        }
    }

    // The other parts follow one another from one end; floor they leave lies at the
    // other, where it disturbs least: away from the outside walls, which want the
    // heat most, else away from where the pipes come in.
    const double restArea = Area(rest);
    double needed = 0;
    for (const RegionPart& part : request.parts)
        if (!part.edgeZone)
            needed += part.area;
    bool fromLow = std::fabs(axis.U(request.entry) - uMin) <= std::fabs(axis.U(request.entry) - uMax);
    if (needed < restArea - 0.05) {
        const auto wallAt = [&](double end) {
            double length = 0;
            for (const auto& [a, b] : request.outsideWalls)
                if (std::fabs(axis.U(a) - end) < 0.05 && std::fabs(axis.U(b) - end) < 0.05)
                    length += plan::Distance(a, b);
            return length;
        };
        const double low = wallAt(uMin), high = wallAt(uMax);
        if (std::fabs(low - high) > 0.1)
            fromLow = low > high;
    }
    const auto covered = [&](double u) {
        const Polygons part = fromLow ? Intersection(rest, {Slab(axis, uMin - 1, u, vMin, vMax)})
                                      : Intersection(rest, {Slab(axis, u, uMax + 1, vMin, vMax)});
        return Area(part);
    };
    // Growing in the direction the parts are laid: from the entry's end.
    const auto coveredFromEntry = [&](double t) { return covered(fromLow ? uMin + t : uMax - t); };
    const double span = uMax - uMin;
    double done = 0;
    double tFrom = 0;
    for (std::size_t i = 0; i < request.parts.size(); ++i) {
        if (request.parts[i].edgeZone)
            continue;
        done += request.parts[i].area;
        const double tTo = done >= restArea - 1e-6 ? span + 1 : Solve(coveredFromEntry, 0, span, done);
        const double a = fromLow ? uMin + tFrom - (tFrom <= 0 ? 1 : 0) : uMax - tTo;
        const double b = fromLow ? uMin + tTo : uMax - tFrom + (tFrom <= 0 ? 1 : 0);
        if (tTo > tFrom)
            regions[i] = Largest(Intersection(rest, {Slab(axis, a, b, vMin, vMax)}));
        tFrom = tTo;
        if (tFrom >= span)
            break;
    }
    return regions;
}

} // namespace kalorina::layout
