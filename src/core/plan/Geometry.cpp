#include "plan/Geometry.h"

#include <algorithm>
#include <cmath>

namespace kalorina::plan {

namespace {

double Cross(Point o, Point a, Point b)
{
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// -1, 0 or 1: the side of line ab that c lies on, 0 within the tolerance.
int Side(Point a, Point b, Point c)
{
    const double length = Distance(a, b);
    const double d = length > 0 ? Cross(a, b, c) / length : 0;
    return d > kTolerance ? 1 : d < -kTolerance ? -1 : 0;
}

bool Same(Point a, Point b)
{
    return Distance(a, b) <= kTolerance;
}

// Whether c lies on the segment ab (ends included), within the tolerance.
bool OnSegment(Point a, Point b, Point c)
{
    if (Side(a, b, c) != 0)
        return false;
    return c.x >= std::min(a.x, b.x) - kTolerance && c.x <= std::max(a.x, b.x) + kTolerance
        && c.y >= std::min(a.y, b.y) - kTolerance && c.y <= std::max(a.y, b.y) + kTolerance;
}

Point Nearest(Point a, Point b, Point p)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    if (length2 <= 0)
        return a;
    const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0);
    return {a.x + t * dx, a.y + t * dy};
}

} // namespace

double Distance(Point a, Point b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

double SignedArea(const Polygon& p)
{
    double twice = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const Point& a = p[i];
        const Point& b = p[(i + 1) % p.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return twice / 2;
}

double RoundedArea(const Polygon& p)
{
    return std::round(std::fabs(SignedArea(p)) * 100) / 100;
}

bool IsCounterClockwise(const Polygon& p)
{
    return SignedArea(p) > 0;
}

Polygon CounterClockwise(Polygon p)
{
    if (SignedArea(p) < 0)
        std::reverse(p.begin(), p.end());
    return p;
}

bool SegmentsCross(Point a, Point b, Point c, Point d)
{
    const int d1 = Side(a, b, c), d2 = Side(a, b, d), d3 = Side(c, d, a), d4 = Side(c, d, b);
    if (d1 * d2 < 0 && d3 * d4 < 0)
        return true; // a proper crossing
    if (d1 == 0 && d2 == 0) {
        // On one line: they overlap when they share more than a point.
        const bool horizontal = std::fabs(b.x - a.x) >= std::fabs(b.y - a.y);
        auto key = [horizontal](Point p) { return horizontal ? p.x : p.y; };
        const double lo = std::max(std::min(key(a), key(b)), std::min(key(c), key(d)));
        const double hi = std::min(std::max(key(a), key(b)), std::max(key(c), key(d)));
        return hi - lo > kTolerance;
    }
    // One end touching the other segment's inside (a T): that is a crossing of
    // walls too, unless the touching point is an end of both.
    auto touches = [](Point p, Point s, Point e) { return OnSegment(s, e, p) && !Same(p, s) && !Same(p, e); };
    return touches(c, a, b) || touches(d, a, b) || touches(a, c, d) || touches(b, c, d);
}

OutlineFault CheckOutline(const Polygon& p)
{
    if (p.size() < 3)
        return OutlineFault::TooFewCorners;
    for (std::size_t i = 0; i < p.size(); ++i)
        for (std::size_t j = i + 1; j < p.size(); ++j)
            if (Same(p[i], p[j]))
                return OutlineFault::RepeatedCorner;
    const std::size_t n = p.size();
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j) {
            const bool neighbours = j == i + 1 || (i == 0 && j == n - 1);
            const Point a = p[i], b = p[(i + 1) % n], c = p[j], d = p[(j + 1) % n];
            if (neighbours) {
                // Neighbouring edges meet at their corner; they must not fold back
                // onto each other.
                const Point far = j == i + 1 ? d : c;
                const Point shared = j == i + 1 ? b : a;
                const Point other = j == i + 1 ? a : b;
                if (Side(other, shared, far) == 0 && OnSegment(other, shared, far) && !Same(far, shared))
                    return OutlineFault::SelfCrossing;
                continue;
            }
            if (SegmentsCross(a, b, c, d) || OnSegment(a, b, c) || OnSegment(a, b, d))
                return OutlineFault::SelfCrossing;
        }
    // Corners all on one line.
    if (std::fabs(SignedArea(p)) < kTolerance)
        return OutlineFault::NoArea;
    return OutlineFault::None;
}

bool OnBoundary(const Polygon& p, Point q)
{
    for (std::size_t i = 0; i < p.size(); ++i)
        if (OnSegment(p[i], p[(i + 1) % p.size()], q))
            return true;
    return false;
}

bool StrictlyInside(const Polygon& p, Point q)
{
    if (OnBoundary(p, q))
        return false;
    bool inside = false;
    for (std::size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
        const Point& a = p[i];
        const Point& b = p[j];
        if ((a.y > q.y) != (b.y > q.y) && q.x < (b.x - a.x) * (q.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

bool Overlap(const Polygon& a, const Polygon& b)
{
    // Edges that cross properly put part of one inside the other.
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j) {
            const Point p = a[i], q = a[(i + 1) % a.size()], r = b[j], s = b[(j + 1) % b.size()];
            if (Side(p, q, r) * Side(p, q, s) < 0 && Side(r, s, p) * Side(r, s, q) < 0)
                return true;
        }
    // Without crossings one lies within the other, or they only touch: a corner or
    // the middle of an edge of one strictly inside the other tells.
    auto anyInside = [](const Polygon& x, const Polygon& y) {
        for (std::size_t i = 0; i < x.size(); ++i) {
            const Point c = x[i], d = x[(i + 1) % x.size()];
            if (StrictlyInside(y, c) || StrictlyInside(y, {(c.x + d.x) / 2, (c.y + d.y) / 2}))
                return true;
        }
        return false;
    };
    if (anyInside(a, b) || anyInside(b, a))
        return true;
    // Two equal outlines share everything and have nothing strictly inside.
    auto centre = [](const Polygon& x) {
        // A point inside: just inside the middle of the first edge, on its left.
        const Point c = x[0], d = x[1];
        const double len = Distance(c, d);
        const double k = std::min(1e-3, len / 4);
        return Point{(c.x + d.x) / 2 - (d.y - c.y) / len * k, (c.y + d.y) / 2 + (d.x - c.x) / len * k};
    };
    return StrictlyInside(b, centre(CounterClockwise(a))) || StrictlyInside(a, centre(CounterClockwise(b)));
}

Point SnapToGrid(Point p, double grid)
{
    if (!(grid > 0))
        return p;
    return {std::round(p.x / grid) * grid, std::round(p.y / grid) * grid};
}

std::optional<Point> SnapToOutlines(Point p, const std::vector<Polygon>& outlines, double reach)
{
    std::optional<Point> best;
    double bestDistance = reach;
    // Corners first: within reach a corner wins over an edge.
    for (const Polygon& o : outlines)
        for (const Point& c : o)
            if (const double d = Distance(p, c); d <= bestDistance) {
                best = c;
                bestDistance = d;
            }
    if (best)
        return best;
    for (const Polygon& o : outlines)
        for (std::size_t i = 0; i < o.size(); ++i) {
            const Point n = Nearest(o[i], o[(i + 1) % o.size()], p);
            if (const double d = Distance(p, n); d <= bestDistance) {
                best = n;
                bestDistance = d;
            }
        }
    return best;
}

} // namespace kalorina::plan
