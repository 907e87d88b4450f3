#include "layout/LoopPattern.h"

#include <clipper.hpp>

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>
#include <unordered_map>
#include <utility>

// How a loop is laid.  Both patterns first draw a skeleton: a tree of lines half a spacing
// further in than the tube may go, and two spacings apart from each other.  The tube is the
// outline of that skeleton widened by half a spacing on each side, opened at one free end of the
// skeleton.  Seen from the tube, every line of the skeleton carries the supply on one side and the
// return on the other, a spacing apart; neighbouring lines are two spacings apart, so the tubes
// between them are a spacing apart too.  The outline of a widened tree is one closed curve that
// cannot cross itself, so the loop is simple and its ends come out side by side.  What is left to
// choose is where the lines go: offset rings of the floor for the spiral, parallel rows for the
// meander.  Where a skeleton falls short of that ideal (corners, narrow middles), the laid tube is
// measured, the few offending branches are pruned, and of several skeletons the best one is kept.

namespace kalorina::layout {

namespace {

namespace cl = ClipperLib;
using plan::Point;
using plan::Polygon;

// Clipper counts in integers: a hundredth of a millimetre is far below anything a tube cares for.
constexpr double kScale = 1e5;
constexpr double kInf = std::numeric_limits<double>::infinity();

Point Add(Point a, Point b)
{
    return {a.x + b.x, a.y + b.y};
}
Point Sub(Point a, Point b)
{
    return {a.x - b.x, a.y - b.y};
}
Point Mul(Point a, double k)
{
    return {a.x * k, a.y * k};
}
double Dot(Point a, Point b)
{
    return a.x * b.x + a.y * b.y;
}
double Cross(Point a, Point b)
{
    return a.x * b.y - a.y * b.x;
}
double Norm(Point a)
{
    return std::hypot(a.x, a.y);
}
Point Unit(Point a)
{
    const double n = Norm(a);
    return n > 0 ? Mul(a, 1 / n) : Point{1, 0};
}
Point Left(Point a)
{
    return {-a.y, a.x};
}

// The point of segment ab nearest p, as the fraction along ab.
double NearestOnSegment(Point p, Point a, Point b)
{
    const Point d = Sub(b, a);
    const double l2 = Dot(d, d);
    return l2 > 0 ? std::clamp(Dot(Sub(p, a), d) / l2, 0.0, 1.0) : 0.0;
}

double SegmentDistance(Point p, Point a, Point b)
{
    const double t = NearestOnSegment(p, a, b);
    return plan::Distance(p, Add(a, Mul(Sub(b, a), t)));
}

// ---------------------------------------------------------------------------------------------
// Clipper in metres.

cl::IntPoint ToInt(Point p)
{
    return {static_cast<cl::cInt>(std::llround(p.x * kScale)), static_cast<cl::cInt>(std::llround(p.y * kScale))};
}

Point ToPoint(const cl::IntPoint& q)
{
    return {static_cast<double>(q.X) / kScale, static_cast<double>(q.Y) / kScale};
}

cl::Path ToPath(const Polyline& line)
{
    cl::Path path;
    path.reserve(line.size());
    for (const Point& p : line)
        path.push_back(ToInt(p));
    return path;
}

Polyline FromPath(const cl::Path& path)
{
    Polyline line;
    line.reserve(path.size());
    for (const cl::IntPoint& q : path)
        line.push_back(ToPoint(q));
    return line;
}

double AreaOf(const cl::Path& path)
{
    return cl::Area(path) / (kScale * kScale);
}

// Round joins stray inside the true arc by up to `arcTolerance` metres.
cl::Paths Offset(const cl::Paths& in, double delta, cl::JoinType join, cl::EndType end = cl::etClosedPolygon,
                 double miterLimit = 2.0, double arcTolerance = 0.0005)
{
    cl::ClipperOffset offset(miterLimit, arcTolerance * kScale);
    offset.AddPaths(in, join, end);
    cl::Paths out;
    offset.Execute(out, delta * kScale);
    return out;
}

cl::Paths Boolean(const cl::Paths& a, const cl::Paths& b, cl::ClipType type)
{
    cl::Clipper clipper;
    clipper.AddPaths(a, cl::ptSubject, true);
    clipper.AddPaths(b, cl::ptClip, true);
    cl::Paths out;
    clipper.Execute(type, out, cl::pftNonZero, cl::pftNonZero);
    return out;
}

// The outer outlines of at least `minArea` m2; an erosion of a simple outline has no holes.
cl::Paths Outers(const cl::Paths& paths, double minArea)
{
    cl::Paths out;
    for (const cl::Path& p : paths)
        if (AreaOf(p) >= minArea)
            out.push_back(p);
    return out;
}

bool Inside(const cl::Paths& area, Point p)
{
    const cl::IntPoint q = ToInt(p);
    int winding = 0;
    for (const cl::Path& path : area) {
        const int in = cl::PointInPolygon(q, path);
        if (in != 0)
            winding += cl::Orientation(path) ? 1 : -1;
    }
    return winding > 0;
}

// ---------------------------------------------------------------------------------------------
// A closed ring walked by arc length, counter-clockwise.

class Ring {
public:
    explicit Ring(Polyline points) : points_(std::move(points))
    {
        const std::size_t n = points_.size();
        cumulative_.assign(n + 1, 0.0);
        for (std::size_t i = 0; i < n; ++i)
            cumulative_[i + 1] = cumulative_[i] + plan::Distance(points_[i], points_[(i + 1) % n]);
        corner_.assign(n, 0);
        for (std::size_t i = 0; i < n; ++i) {
            const Point in = Sub(points_[i], points_[(i + n - 1) % n]), out = Sub(points_[(i + 1) % n], points_[i]);
            corner_[i] = std::fabs(std::atan2(Cross(in, out), Dot(in, out))) > 0.035;
        }
    }

    // Whether the ring runs without a corner from a back (against dir) over `length`; a corner
    // right at a does not count.
    // The distance from the ring point at a to the rest of the ring: all of it but the straight
    // stretch the point lies on.
    double Clearance(double a) const
    {
        const Point p = At(a);
        const std::size_t n = points_.size();
        std::vector<char> own(n, 0);
        for (std::size_t i = 0; i < n; ++i)
            own[i] = SegmentDistance(p, points_[i], points_[(i + 1) % n]) < 1e-7;
        // The straight stretch: segments joined to one of the point's own without a corner.
        for (int pass = 0; pass < 2; ++pass)
            for (std::size_t k = 0; k < n; ++k) {
                const std::size_t i = pass == 0 ? k : n - 1 - k;
                const std::size_t next = (i + 1) % n, prev = (i + n - 1) % n;
                if (own[i] && !corner_[next])
                    own[next] = 1;
                if (own[i] && !corner_[i])
                    own[prev] = 1;
            }
        double best = kInf;
        for (std::size_t i = 0; i < n; ++i)
            if (!own[i])
                best = std::min(best, SegmentDistance(p, points_[i], points_[(i + 1) % n]));
        return best;
    }

    // How far the ring runs straight from a back against dir, to the first corner.
    double RoomBehind(double a, int dir) const
    {
        double room = Length();
        for (std::size_t i = 0; i < points_.size(); ++i)
            if (corner_[i]) {
                const double back = Wrap(dir * (a - cumulative_[i]));
                if (back > 1e-7)
                    room = std::min(room, back);
            }
        return room;
    }

    bool StraightBehind(double a, int dir, double length) const
    {
        const double l = Length();
        if (length >= l)
            return false;
        for (std::size_t i = 0; i < points_.size(); ++i) {
            if (!corner_[i])
                continue;
            const double back = Wrap(dir * (a - cumulative_[i]));
            if (back > 1e-7 && back < length - 1e-9)
                return false;
        }
        return true;
    }

    double Length() const { return cumulative_.back(); }
    const Polyline& Points() const { return points_; }

    double Wrap(double a) const
    {
        const double l = Length();
        if (!(l > 0))
            return 0;
        a = std::fmod(a, l);
        return a < 0 ? a + l : a;
    }

    Point At(double a) const
    {
        const std::size_t i = SegmentAt(a = Wrap(a));
        const double length = cumulative_[i + 1] - cumulative_[i];
        const double t = length > 0 ? (a - cumulative_[i]) / length : 0;
        return Add(points_[i], Mul(Sub(points_[(i + 1) % points_.size()], points_[i]), t));
    }

    Point Tangent(double a) const
    {
        const std::size_t i = SegmentAt(Wrap(a));
        return Unit(Sub(points_[(i + 1) % points_.size()], points_[i]));
    }

    // The arc position of the ring point nearest q.
    double Project(Point q, double* distance = nullptr) const
    {
        double best = kInf, where = 0;
        const std::size_t n = points_.size();
        for (std::size_t i = 0; i < n; ++i) {
            const Point a = points_[i], b = points_[(i + 1) % n];
            const double t = NearestOnSegment(q, a, b);
            const double d = plan::Distance(q, Add(a, Mul(Sub(b, a), t)));
            if (d < best) {
                best = d;
                where = cumulative_[i] + t * (cumulative_[i + 1] - cumulative_[i]);
            }
        }
        if (distance)
            *distance = best;
        return where;
    }

    // The ring from arc position a over `length` in direction dir (+1 counter-clockwise).
    Polyline Arc(double a, double length, int dir) const
    {
        if (dir < 0) {
            Polyline line = Arc(a - length, length, 1);
            std::reverse(line.begin(), line.end());
            return line;
        }
        const std::size_t n = points_.size();
        const double l = Length();
        Polyline line{At(a)};
        const double start = Wrap(a);
        const double end = start + length;
        std::size_t k = SegmentAt(start) + 1;
        for (;; ++k) {
            const double at = static_cast<double>(k / n) * l + cumulative_[k % n];
            if (at >= end - 1e-9)
                break;
            if (at > start + 1e-9)
                line.push_back(points_[k % n]);
        }
        line.push_back(At(end));
        return line;
    }

private:
    std::size_t SegmentAt(double a) const
    {
        const auto it = std::upper_bound(cumulative_.begin(), cumulative_.end(), a);
        const std::ptrdiff_t i = (it - cumulative_.begin()) - 1;
        return static_cast<std::size_t>(
            std::clamp<std::ptrdiff_t>(i, 0, static_cast<std::ptrdiff_t>(points_.size()) - 1));
    }

    Polyline points_;
    std::vector<double> cumulative_;
    std::vector<char> corner_;
};

// ---------------------------------------------------------------------------------------------
// The floor as the layout sees it.

struct Segment {
    Point a, b;
};

struct Floor {
    double s = 0, e = 0;
    cl::Paths room, region;
    cl::Paths splits; // parts of the region's outline that are not walls, as open paths
    std::vector<Segment> splitSegments;
    cl::Paths cover; // every point here must be near the tube
    cl::Paths tube;  // the tube may run here
    Point entry;
    Polygon roomOutline, regionOutline;
    double area = 0;
};

// The parts of the region's outline that do not lie on the room's outline.
std::vector<Segment> SplitSegments(const Polygon& region, const Polygon& room)
{
    constexpr double tolerance = 1e-3;
    std::vector<Segment> out;
    for (std::size_t i = 0; i < region.size(); ++i) {
        const Point a = region[i], b = region[(i + 1) % region.size()];
        const double length = plan::Distance(a, b);
        if (length < tolerance)
            continue;
        const Point u = Mul(Sub(b, a), 1 / length);
        std::vector<std::pair<double, double>> onWall;
        for (std::size_t j = 0; j < room.size(); ++j) {
            const Point c = room[j], d = room[(j + 1) % room.size()];
            if (std::fabs(Cross(u, Sub(c, a))) > tolerance || std::fabs(Cross(u, Sub(d, a))) > tolerance)
                continue;
            const double tc = Dot(Sub(c, a), u), td = Dot(Sub(d, a), u);
            const double lo = std::max(0.0, std::min(tc, td)), hi = std::min(length, std::max(tc, td));
            if (hi > lo)
                onWall.emplace_back(lo, hi);
        }
        std::sort(onWall.begin(), onWall.end());
        double at = 0;
        for (const auto& [lo, hi] : onWall) {
            if (lo - at > tolerance)
                out.push_back({Add(a, Mul(u, at)), Add(a, Mul(u, lo))});
            at = std::max(at, hi);
        }
        if (length - at > tolerance)
            out.push_back({Add(a, Mul(u, at)), b});
    }
    return out;
}

// Where a distance is a rule, arcs are drawn closely and a twentieth of a millimetre is kept in hand.
constexpr double kFineArc = 1e-5, kMargin = 5e-5;

cl::Paths SplitBand(const Floor& f, double width)
{
    if (f.splits.empty() || width <= 0)
        return {};
    return Offset(f.splits, width + kMargin, cl::jtMiter, cl::etOpenRound, 2.0, kFineArc);
}

// Where the skeleton may run, `inset` further in than it must (`splitInset` along split lines).
// Walls are offset square at their inner corners, which keeps rings evenly apart around them.
cl::Paths Core(const Floor& f, double inset, double splitInset)
{
    const cl::Paths walls = Offset(f.room, -(f.e + f.s / 2 + inset), cl::jtMiter);
    cl::Paths region = f.region;
    if (!f.splits.empty())
        region = Boolean(region, SplitBand(f, f.s + splitInset), cl::ctDifference);
    return Outers(Boolean(walls, region, cl::ctIntersection), 1e-8);
}

double DistanceToSplits(const Floor& f, Point p)
{
    double best = kInf;
    for (const Segment& g : f.splitSegments)
        best = std::min(best, SegmentDistance(p, g.a, g.b));
    return best;
}

// ---------------------------------------------------------------------------------------------
// The skeleton and the tube around it.

struct Skeleton {
    std::vector<Polyline> lines; // widened by half a spacing, with square ends
    Point root, rootDir;         // the free end the tube is opened at, and the way the skeleton leaves it
    double risk = 0;             // a quick guess, in metres of skeleton, at how much floor it leaves bare
    std::size_t rootLine = 0;    // the line the free end lies on
};

std::optional<Polyline> TubeAround(const Skeleton& skeleton, const Floor& f, int* holes)
{
    cl::Paths lines;
    for (const Polyline& line : skeleton.lines)
        if (!line.empty())
            lines.push_back(ToPath(line));
    const cl::Paths body = Offset(lines, f.s / 2, cl::jtMiter, cl::etOpenSquare);
    cl::Clipper clipper;
    clipper.StrictlySimple(true);
    clipper.AddPaths(body, cl::ptSubject, true);
    clipper.AddPaths(f.tube, cl::ptClip, true);
    cl::PolyTree tree;
    clipper.Execute(cl::ctIntersection, tree, cl::pftNonZero, cl::pftNonZero);
    const cl::PolyNode* best = nullptr;
    double bestArea = 0;
    for (const cl::PolyNode* node : tree.Childs) {
        const double a = std::fabs(AreaOf(node->Contour));
        if (a > bestArea) {
            bestArea = a;
            best = node;
        }
    }
    if (!best)
        return std::nullopt;
    if (holes)
        *holes = best->ChildCount();
    Polyline outline = FromPath(best->Contour);
    if (plan::SignedArea(outline) < 0)
        std::reverse(outline.begin(), outline.end());
    if (outline.size() < 3)
        return std::nullopt;

    // Open the outline around the free end: drop the short stretch that runs round its cap.
    const Ring ring(outline);
    const Point side = Mul(Left(skeleton.rootDir), f.s / 2);
    const double a1 = ring.Project(Add(skeleton.root, side));
    const double a2 = ring.Project(Sub(skeleton.root, side));
    const double forward = ring.Wrap(a2 - a1);
    const Point cap = Sub(skeleton.root, Mul(skeleton.rootDir, f.s / 2));
    const double viaForward = plan::Distance(ring.At(a1 + forward / 2), cap);
    const double viaBackward = plan::Distance(ring.At(a2 + (ring.Length() - forward) / 2), cap);
    Polyline tube = viaForward < viaBackward ? ring.Arc(a2, ring.Length() - forward, 1) : ring.Arc(a1, forward, 1);

    // Drop repeated and in-line points.
    Polyline clean;
    for (const Point& p : tube) {
        if (!clean.empty() && plan::Distance(clean.back(), p) < 1e-6)
            continue;
        if (clean.size() >= 2) {
            const Point a = clean[clean.size() - 2], b = clean.back();
            if (std::fabs(Cross(Sub(b, a), Sub(p, b))) < 1e-12 && Dot(Sub(b, a), Sub(p, b)) > 0) {
                clean.back() = p;
                continue;
            }
        }
        clean.push_back(p);
    }
    // The supply starts at the end nearer the walls: the coldest part of the floor gets the warmest water.
    auto wallDistance = [&](Point p) {
        double best = kInf;
        for (std::size_t i = 0; i < f.roomOutline.size(); ++i)
            best = std::min(best, SegmentDistance(p, f.roomOutline[i], f.roomOutline[(i + 1) % f.roomOutline.size()]));
        return best;
    };
    if (clean.size() >= 2 && wallDistance(clean.back()) < wallDistance(clean.front()) - 1e-6)
        std::reverse(clean.begin(), clean.end());
    return clean;
}

// ---------------------------------------------------------------------------------------------
// Measuring a laid tube, to choose between ways of laying it.

struct Quality {
    double clearance = kInf; // least distance between stretches far apart along the tube
    double uncovered = 0;    // m2 of floor farther than 0.75 spacings from the tube
    double farOff = 0;       // m2 of floor farther than a spacing from the tube
    double lengthRatio = 0;  // length against area / spacing
    int holes = 0;
    Point near1, near2; // where the clearance is least

    // Tubes too close weigh most, as nothing mends them on site; then tube loops left apart, then
    // bare floor (worse the farther from the tube), then a length off the expected one.
    double Cost(double s) const
    {
        double c = 0;
        if (clearance < 0.95 * s)
            c += 1000 + (0.95 * s - clearance) / s * 1000;
        c += holes * 200;
        c += uncovered / (s * s) * 20 + farOff / (s * s) * 100;
        c += std::max(0.0, std::fabs(lengthRatio - 1) - 0.15) * 200 + std::fabs(lengthRatio - 1);
        return c;
    }
};

// The floor left farther than `reach` from the tube, in m2: exact where a grid of samples is not.
double Uncovered(const Polyline& tube, const Floor& f, double reach)
{
    const cl::Paths band = Offset({ToPath(tube)}, reach, cl::jtRound, cl::etOpenRound);
    double area = 0;
    for (const cl::Path& p : Boolean(f.cover, band, cl::ctDifference))
        area += AreaOf(p);
    return area;
}

Quality Measure(const Polyline& tube, const Floor& f)
{
    Quality q;
    const double s = f.s;
    // Pieces no longer than a spacing, so that each lies within a cell or two; the least distance
    // between two pieces is reached at an end of one, so the pieces' ends are points enough.
    Polyline pts;
    std::vector<double> arc;
    double along = 0;
    for (std::size_t i = 0; i + 1 < tube.size(); ++i) {
        const double length = plan::Distance(tube[i], tube[i + 1]);
        const int n = std::max(1, static_cast<int>(std::ceil(length / s)));
        for (int k = 0; k < n; ++k) {
            pts.push_back(Add(tube[i], Mul(Sub(tube[i + 1], tube[i]), static_cast<double>(k) / n)));
            arc.push_back(along + length * k / n);
        }
        along += length;
    }
    if (!tube.empty()) {
        pts.push_back(tube.back());
        arc.push_back(along);
    }
    q.lengthRatio = along / (f.area / s);
    if (pts.size() < 2)
        return q;

    double minX = kInf, minY = kInf, maxX = -kInf, maxY = -kInf;
    auto grow = [&](Point p) {
        minX = std::min(minX, p.x), minY = std::min(minY, p.y);
        maxX = std::max(maxX, p.x), maxY = std::max(maxY, p.y);
    };
    for (const Point& p : pts)
        grow(p);
    const double cell = 1.5 * s;
    const int nx = static_cast<int>((maxX - minX) / cell) + 1, ny = static_cast<int>((maxY - minY) / cell) + 1;
    std::vector<std::vector<int>> cells(static_cast<std::size_t>(nx) * ny);
    auto cellOf = [&](Point p) {
        const int ix = std::clamp(static_cast<int>((p.x - minX) / cell), 0, nx - 1);
        const int iy = std::clamp(static_cast<int>((p.y - minY) / cell), 0, ny - 1);
        return std::pair{ix, iy};
    };
    for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
        const auto [ax, ay] = cellOf(pts[i]);
        const auto [bx, by] = cellOf(pts[i + 1]);
        cells[static_cast<std::size_t>(ay) * nx + ax].push_back(static_cast<int>(i));
        if (ax != bx || ay != by)
            cells[static_cast<std::size_t>(by) * nx + bx].push_back(static_cast<int>(i));
    }
    auto visit = [&](Point p, int reach, auto&& fn) {
        const auto [cx, cy] = cellOf(p);
        for (int y = std::max(0, cy - reach); y <= std::min(ny - 1, cy + reach); ++y)
            for (int x = std::max(0, cx - reach); x <= std::min(nx - 1, cx + reach); ++x)
                for (int i : cells[static_cast<std::size_t>(y) * nx + x])
                    fn(i);
    };

    // Each point against the parts of the pieces nearby that lie more than two spacings away along the tube.
    for (std::size_t j = 0; j < pts.size(); ++j)
        visit(pts[j], 1, [&](int i) {
            const std::size_t k = static_cast<std::size_t>(i);
            const double a0 = arc[k], a1 = arc[k + 1], length = a1 - a0;
            if (length <= 0)
                return;
            auto at = [&](double a) { return Add(pts[k], Mul(Sub(pts[k + 1], pts[k]), (a - a0) / length)); };
            auto against = [&](Point a, Point b) {
                const Point c = Add(a, Mul(Sub(b, a), NearestOnSegment(pts[j], a, b)));
                if (const double d = plan::Distance(pts[j], c); d < q.clearance) {
                    q.clearance = d;
                    q.near1 = pts[j];
                    q.near2 = c;
                }
            };
            const double lo = arc[j] - 2 * s, hi = arc[j] + 2 * s;
            if (a0 < lo)
                against(at(a0), at(std::min(a1, lo)));
            if (a1 > hi)
                against(at(std::max(a0, hi)), at(a1));
        });

    q.uncovered = Uncovered(tube, f, 0.75 * s);
    q.farOff = q.uncovered > 0 ? Uncovered(tube, f, s) : 0;
    return q;
}

// ---------------------------------------------------------------------------------------------
// The spiral: rings offset from the walls two spacings apart, each opened by a short gap and
// joined to the next ring by a short link, with the parts too narrow for a ring laid along their
// middle.

struct Cycle {
    Ring ring;
    cl::Path outline;
    int level = 0;
    int piece = 0;
    int parent = -1;
    std::vector<int> kids;
    std::vector<std::pair<Point, Point>> cuts; // sharp corners cut off: the middle of the cut, facing out
};

struct Ridge {
    std::vector<Polyline> lines; // the middle line of a part too narrow for a ring, in pieces that touch
    int level = 0;
    int piece = 0;
    int host = -1;    // the ring it hangs from
    bool own = false; // a narrow arm of its host's own piece, touching the host
    std::vector<int> touching;
};

// The ring with its sharp corners cut off.  Inside a bend sharper than about 57 degrees two
// stretches of tube two spacings apart along it come closer than a spacing, so each such corner
// gives way to a short edge between two blunt ones, long enough to keep them apart.
Polyline Chamfered(const Polyline& ring, double s, std::vector<std::pair<Point, Point>>* cuts)
{
    const std::size_t n = ring.size();
    if (n < 3)
        return ring;
    Polyline out;
    for (std::size_t i = 0; i < n; ++i) {
        const Point prev = ring[(i + n - 1) % n], v = ring[i], next = ring[(i + 1) % n];
        const Point in = Sub(v, prev), outDir = Sub(next, v);
        const double turn = std::atan2(Cross(in, outDir), Dot(in, outDir)); // > 0: a convex corner
        const double angle = std::acos(-1.0) - turn;                        // inside angle
        if (turn <= 0 || angle >= 65 * std::acos(-1.0) / 180) {
            out.push_back(v);
            continue;
        }
        const double half = std::sin(angle / 2);
        const double inner = std::max(0.3, (0.95 - 2 * half) / (1 - half) + 0.1) * s;
        const double chamfer = inner + s * std::tan((std::acos(-1.0) - angle) / 4);
        const double cut = std::min(chamfer / 2 / half, 0.45 * std::min(Norm(in), Norm(outDir)));
        const Point a = Add(v, Mul(Unit(in), -cut)), b = Add(v, Mul(Unit(outDir), cut));
        out.push_back(a);
        out.push_back(b);
        cuts->emplace_back(Mul(Add(a, b), 0.5), Mul(Left(Unit(Sub(b, a))), -1)); // the middle, facing out
    }
    return out;
}

// The line without the points that lie within `tolerance` of the straight line past them.
Polyline Simplified(const Polyline& line, double tolerance)
{
    if (line.size() <= 2)
        return line;
    Polyline out{line.front()};
    std::size_t anchor = 0;
    for (std::size_t i = 1; i + 1 < line.size(); ++i) {
        // Keep point i when some point between the anchor and i + 1 strays from the chord.
        bool straight = true;
        for (std::size_t k = anchor + 1; k <= i && straight; ++k)
            straight = SegmentDistance(line[k], line[anchor], line[i + 1]) <= tolerance;
        if (!straight) {
            out.push_back(line[i]);
            anchor = i;
        }
    }
    out.push_back(line.back());
    return out;
}

// Where the ray from p along unit d first meets the polygon's outline, leaving out edge `skip`;
// *edge tells which edge it meets.
double RayHit(const Polyline& polygon, std::size_t skip, Point p, Point d, std::size_t* edge)
{
    double best = kInf;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        if (i == skip)
            continue;
        const Point a = polygon[i], b = polygon[(i + 1) % polygon.size()];
        const Point e = Sub(b, a);
        const double den = Cross(d, e);
        if (std::fabs(den) < 1e-12)
            continue;
        const Point w = Sub(a, p);
        const double t = Cross(w, e) / den, u = Cross(w, d) / den;
        if (t > 1e-7 && u >= -1e-9 && u <= 1 + 1e-9 && t < best) {
            best = t;
            *edge = i;
        }
    }
    return best;
}

// The middle lines of the narrow parts `thin` of `piece`: from each edge, the midpoints of the
// chords square to it, where the opposite side is near.  Unlike an erosion this runs the full
// length of a narrow part, right to its end.
std::vector<std::vector<Polyline>> SpineOf(const Polyline& piece, const cl::Paths& thin, double reach, double step,
                                           double wideChord, double* risk)
{
    const cl::Paths zone = Offset(thin, step, cl::jtMiter);
    // Midpoints found so far by cell of a hash grid, with the edge and the run they came from.
    struct Mid {
        Point p;
        std::size_t edge;
        int run;
    };
    const double cell = 1.5 * step;
    std::unordered_map<long long, std::vector<Mid>> grid;
    auto key = [&](long long ix, long long iy) { return ix * 4000037LL + iy; };
    auto near = [&](Point p, double radius, auto&& fn) {
        const long long cx = static_cast<long long>(std::floor(p.x / cell));
        const long long cy = static_cast<long long>(std::floor(p.y / cell));
        for (long long y = cy - 1; y <= cy + 1; ++y)
            for (long long x = cx - 1; x <= cx + 1; ++x)
                if (const auto it = grid.find(key(x, y)); it != grid.end())
                    for (const Mid& m : it->second)
                        if (plan::Distance(m.p, p) <= radius)
                            fn(m);
    };
    std::vector<Polyline> runs;
    for (std::size_t i = 0; i < piece.size(); ++i) {
        const Point a = piece[i], b = piece[(i + 1) % piece.size()];
        const double length = plan::Distance(a, b);
        if (length < 1e-9)
            continue;
        const Point along = Mul(Sub(b, a), 1 / length), inward = Left(along);
        const int n = std::max(1, static_cast<int>(std::ceil(length / step)));
        Polyline run;
        std::vector<Mid> pending;
        auto flush = [&] {
            if (run.size() >= 2) {
                runs.push_back(Simplified(run, 0.002 * step));
                for (Mid& m : pending) {
                    m.run = static_cast<int>(runs.size()) - 1;
                    grid[key(static_cast<long long>(std::floor(m.p.x / cell)),
                             static_cast<long long>(std::floor(m.p.y / cell)))]
                        .push_back(m);
                }
            }
            run.clear();
            pending.clear();
        };
        for (int k = 0; k <= n; ++k) {
            const double at = std::clamp(length * k / n, 1e-4, length - 1e-4);
            const Point p = Add(a, Mul(along, at));
            std::size_t hit = i;
            const double t = RayHit(piece, i, p, inward, &hit);
            const Point m = Add(p, Mul(inward, t / 2));
            // Only across to a side running the other way: chords onto the end of a narrow part
            // would draw short arms off the middle line at a slant.
            const Point other = Unit(Sub(piece[(hit + 1) % piece.size()], piece[hit]));
            bool fresh = t <= reach && Dot(along, other) < -0.9 && Inside(zone, m);
            // The same middle seen from the opposite side is drawn once.
            if (fresh)
                near(m, 0.6 * step, [&](const Mid&) { fresh = false; });
            if (!fresh) {
                flush();
                continue;
            }
            run.push_back(m);
            pending.push_back({m, i, -1});
            if (t > wideChord)
                *risk += step; // a middle line this far from the sides leaves a strip bare
        }
        flush();
    }
    // Runs that touch make one line; each such line hangs from one place only.
    std::vector<int> group(runs.size());
    for (std::size_t i = 0; i < runs.size(); ++i)
        group[i] = static_cast<int>(i);
    auto find = [&](int x) {
        while (group[static_cast<std::size_t>(x)] != x)
            x = group[static_cast<std::size_t>(x)] =
                group[static_cast<std::size_t>(group[static_cast<std::size_t>(x)])];
        return x;
    };
    for (std::size_t i = 0; i < runs.size(); ++i)
        for (const Point& p : runs[i])
            near(p, 1.5 * step,
                 [&](const Mid& m) { group[static_cast<std::size_t>(find(static_cast<int>(i)))] = find(m.run); });
    std::vector<std::vector<Polyline>> out;
    std::vector<int> index(runs.size(), -1);
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const int g = find(static_cast<int>(i));
        if (index[static_cast<std::size_t>(g)] < 0) {
            index[static_cast<std::size_t>(g)] = static_cast<int>(out.size());
            out.emplace_back();
        }
        out[static_cast<std::size_t>(index[static_cast<std::size_t>(g)])].push_back(std::move(runs[i]));
    }
    return out;
}

// The least distance between a ring and a middle line, with where on each it is reached.
double RidgeDistance(const Ring& ring, const std::vector<Polyline>& lines, double* arcAt = nullptr,
                     Point* ridgePoint = nullptr)
{
    double best = kInf;
    for (const Polyline& line : lines)
        for (const Point& p : line) {
            double d = 0;
            const double a = ring.Project(p, &d);
            if (d < best) {
                best = d;
                if (arcAt)
                    *arcAt = a;
                if (ridgePoint)
                    *ridgePoint = p;
            }
        }
    return best;
}

// The nearest point of a middle line to p.
double ToRidge(const std::vector<Polyline>& lines, Point p, Point* nearest)
{
    double best = kInf;
    for (const Polyline& line : lines)
        for (std::size_t i = 0; i + 1 < line.size(); ++i) {
            const double t = NearestOnSegment(p, line[i], line[i + 1]);
            const Point q = Add(line[i], Mul(Sub(line[i + 1], line[i]), t));
            if (const double d = plan::Distance(p, q); d < best) {
                best = d;
                *nearest = q;
            }
        }
    return best;
}

std::optional<Skeleton> SpiralSkeleton(const Floor& f, double inset, double pitch)
{
    const double s = f.s;
    const double wide = 0.98 * s; // narrower than twice this, two sides of a ring would come too close
    const double step = s / 4;    // the middle lines are drawn from points this far apart
    // The opening of a ring: a little over a spacing of floor between the tube round its two ends.
    // The root's end loses its cap when the tube is opened there, so its opening is shorter.
    const double gap = 2.2 * s, rootGap = 1.6 * s;
    const double apart = 2.2 * s;

    std::vector<Cycle> cycles;
    std::vector<Ridge> ridges;
    std::vector<std::vector<int>> atLevel;
    double skeletonRisk = 0;
    cl::Paths level = Core(f, inset, std::min(inset, 0.2 * s));
    const cl::Paths domain = Core(f, 0, 0); // where any line of the skeleton may run
    int pieces = 0;
    for (int k = 0; !level.empty() && k < 500; ++k) {
        atLevel.emplace_back();
        for (const cl::Path& piece : level) {
            const int id = pieces++;
            const cl::Paths one{piece};
            const cl::Paths fat =
                Outers(Boolean(Offset(Offset(one, -wide, cl::jtMiter), wide, cl::jtMiter, cl::etClosedPolygon, 4.0),
                               one, cl::ctIntersection),
                       wide * wide);
            cl::Paths thin = Boolean(one, fat, cl::ctDifference);
            thin = Outers(Offset(Offset(thin, -0.01 * s, cl::jtMiter), 0.01 * s, cl::jtMiter), 0.01 * s * s);
            for (const cl::Path& o : fat) {
                atLevel.back().push_back(static_cast<int>(cycles.size()));
                std::vector<std::pair<Point, Point>> cuts;
                Ring ring(Chamfered(FromPath(o), s, &cuts));
                cycles.push_back({std::move(ring), o, k, id, -1, {}, std::move(cuts)});
            }
            // A middle line reaches 1.25 spacings to either side, and the ring outside it as far again.
            const double gapOut = k == 0 ? inset + 0.75 * s : pitch;
            const double wideChord = 2 * std::max(0.0, 2.5 * s - gapOut) + 0.02 * s;
            if (!thin.empty())
                for (std::vector<Polyline>& spine :
                     SpineOf(FromPath(piece), thin, 2.05 * wide, step, wideChord, &skeletonRisk))
                    ridges.push_back({std::move(spine), k, id, -1, !fat.empty(), {}});
        }
        level = Outers(Offset(level, -pitch, cl::jtMiter), 1e-8);
    }
    if (atLevel.empty() || atLevel[0].empty())
        return std::nullopt;

    auto containing = [&](int lvl, Point p) {
        if (lvl < 0 || lvl >= static_cast<int>(atLevel.size()))
            return -1;
        int nearest = -1;
        double best = kInf;
        for (int c : atLevel[static_cast<std::size_t>(lvl)]) {
            if (cl::PointInPolygon(ToInt(p), cycles[static_cast<std::size_t>(c)].outline) != 0)
                return c;
            double d = 0;
            cycles[static_cast<std::size_t>(c)].ring.Project(p, &d);
            if (d < best)
                best = d, nearest = c;
        }
        return nearest;
    };
    for (std::size_t i = 0; i < cycles.size(); ++i)
        if (cycles[i].level > 0) {
            cycles[i].parent = containing(cycles[i].level - 1, cycles[i].ring.Points().front());
            if (cycles[i].parent >= 0)
                cycles[static_cast<std::size_t>(cycles[i].parent)].kids.push_back(static_cast<int>(i));
        }
    std::vector<std::vector<int>> ridgesOf(cycles.size());
    for (std::size_t r = 0; r < ridges.size(); ++r) {
        Ridge& ridge = ridges[r];
        if (ridge.own) {
            double best = kInf;
            for (std::size_t c = 0; c < cycles.size(); ++c) {
                if (cycles[c].piece != ridge.piece)
                    continue;
                const double d = RidgeDistance(cycles[c].ring, ridge.lines);
                if (d <= 3 * step)
                    ridge.touching.push_back(static_cast<int>(c));
                if (d < best)
                    best = d, ridge.host = static_cast<int>(c);
            }
        } else if (ridge.level > 0) {
            ridge.host = containing(ridge.level - 1, ridge.lines.front().front());
        }
        if (ridge.host >= 0)
            ridgesOf[static_cast<std::size_t>(ridge.host)].push_back(static_cast<int>(r));
    }

    // A middle line stops where its chords run out, short of the end of its piece; its free ends
    // grow on in their own direction while they keep clear of the ring around and of what else
    // lies inside it.
    for (std::size_t r = 0; r < ridges.size(); ++r) {
        Ridge& ridge = ridges[r];
        if (ridge.own || ridge.host < 0)
            continue;
        const Cycle& host = cycles[static_cast<std::size_t>(ridge.host)];
        auto clearOf = [&](Point tip) {
            double d = 0;
            host.ring.Project(tip, &d);
            if (d < 2.25 * s)
                return false;
            for (int k : host.kids) {
                cycles[static_cast<std::size_t>(k)].ring.Project(tip, &d);
                if (d < 2.25 * s)
                    return false;
            }
            for (int other : ridgesOf[static_cast<std::size_t>(ridge.host)])
                if (other != static_cast<int>(r))
                    for (const Polyline& line : ridges[static_cast<std::size_t>(other)].lines)
                        if (DistanceToPolyline(tip, line) < 2.25 * s)
                            return false;
            return true;
        };
        for (std::size_t i = 0; i < ridge.lines.size(); ++i)
            for (int end = 0; end < 2; ++end) {
                Polyline& line = ridge.lines[i];
                const Point tip = end ? line.back() : line.front();
                const Point before = end ? line[line.size() - 2] : line[1];
                bool free = true;
                for (std::size_t j = 0; j < ridge.lines.size() && free; ++j)
                    free = j == i || DistanceToPolyline(tip, ridge.lines[j]) > 1.5 * step;
                if (!free)
                    continue;
                const Point u = Unit(Sub(tip, before));
                double reach = 0;
                for (double l = s / 8; l <= 6 * s && clearOf(Add(tip, Mul(u, l))); l += s / 8)
                    reach = l;
                if (reach > 0) {
                    if (end)
                        line.push_back(Add(tip, Mul(u, reach)));
                    else
                        line.insert(line.begin(), Add(tip, Mul(u, reach)));
                }
            }
    }

    // The root ring is the outermost one nearest the entry; the tube's ends lie where it comes closest.
    int root = -1;
    double rootStart = 0, best = kInf;
    for (int c : atLevel[0]) {
        double d = 0;
        const double a = cycles[static_cast<std::size_t>(c)].ring.Project(f.entry, &d);
        if (d < best)
            best = d, root = c, rootStart = a;
    }

    Skeleton skeleton;
    // The innermost rings: a middle deeper than the tube reaches from the ring and from the
    // middle lines inside it stays bare.
    for (std::size_t c = 0; c < cycles.size(); ++c) {
        if (!cycles[c].kids.empty())
            continue;
        cl::Paths bare = Offset({cycles[c].outline}, -1.24 * s, cl::jtMiter);
        cl::Paths inner;
        for (int r : ridgesOf[c])
            if (!ridges[static_cast<std::size_t>(r)].own)
                for (const Polyline& line : ridges[static_cast<std::size_t>(r)].lines)
                    inner.push_back(ToPath(line));
        if (!bare.empty() && !inner.empty())
            bare = Boolean(bare, Offset(inner, 1.24 * s, cl::jtMiter, cl::etOpenSquare), cl::ctDifference);
        for (const cl::Path& b : bare)
            skeletonRisk += std::fabs(AreaOf(b)) / s;
    }
    std::vector<char> cycleDone(cycles.size(), 0), ridgeDone(ridges.size(), 0);
    struct Visit {
        int cycle;
        double start;
        int dir;
    };

    // A link from a ring meets the ring squarely, on a straight stretch, heading inwards.
    // Two spacings from the rest of the ring keep a link from converging with the next edge.
    auto leaves = [&](const Ring& ring, double a, Point linkDir) {
        const Point along = ring.Tangent(a);
        return std::fabs(Dot(along, linkDir)) <= 0.2 && Dot(Left(along), linkDir) > 0.8
            && ring.Clearance(a) >= 1.98 * s;
    };
    // Where a link lands, the ring's gap runs back from the landing point along one straight
    // edge, square to the link: beside a corner that is the edge before it.
    auto lands = [&](const Ring& ring, double a, int dir, Point linkDir, double gapLength) {
        if (!ring.StraightBehind(a, dir, gapLength + s))
            return false;
        const Point along = ring.Tangent(a - dir * 1e-7);
        return std::fabs(Dot(along, linkDir)) <= 0.2 && Dot(Left(along), linkDir) > 0.8
            && ring.Clearance(a) >= 1.98 * s;
    };
    auto link = [&](Point a, Point b) {
        if (plan::Distance(a, b) > 1e-5)
            skeleton.lines.push_back({a, b});
    };

    // The root: the free end nearest the entry, on a straight stretch long enough for the opening.
    Visit first{root, rootStart, 1};
    {
        const Ring& ring = cycles[static_cast<std::size_t>(root)].ring;
        // Of the two ways round, the one with more straight wall behind the end leaves the
        // staircase of links more room.
        bool found = false;
        for (int i = 0; i <= 32 && !found; ++i)
            for (int sign : {1, -1}) {
                const double a = rootStart + sign * i * s / 16;
                double room = 0;
                for (int dir : {1, -1})
                    if (ring.StraightBehind(a + dir * s, dir, rootGap + 2 * s) && ring.RoomBehind(a, dir) > room) {
                        first = {root, ring.Wrap(a), dir};
                        room = ring.RoomBehind(a, dir);
                        found = true;
                    }
                if (i == 0 || found)
                    break;
            }
    }
    std::deque<Visit> queue{first};
    cycleDone[static_cast<std::size_t>(root)] = 1;
    bool isRoot = true;

    while (!queue.empty()) {
        const Visit v = queue.front();
        queue.pop_front();
        const Cycle& cy = cycles[static_cast<std::size_t>(v.cycle)];
        const Ring& ring = cy.ring;
        const double length = ring.Length();
        const int dir = v.dir;
        const Point startPoint = ring.At(v.start);
        const double baseGap = isRoot ? rootGap : gap;

        // The staircase of a spiral: the next ring in begins right across the gap's far end.
        std::vector<int> kids;
        for (int k : cy.kids)
            if (!cycleDone[static_cast<std::size_t>(k)])
                kids.push_back(k);
        std::sort(kids.begin(), kids.end(), [&](int x, int y) {
            double dx = 0, dy = 0;
            cycles[static_cast<std::size_t>(x)].ring.Project(startPoint, &dx);
            cycles[static_cast<std::size_t>(y)].ring.Project(startPoint, &dy);
            return dx < dy;
        });
        double gapLength = baseGap;
        int stairKid = -1, stairDir = dir;
        double stairAt = 0;
        for (int kid : kids) {
            const Ring& next = cycles[static_cast<std::size_t>(kid)].ring;
            // Gap lengths to try: in small steps, and those that put the link onto a corner of the next ring.
            std::vector<double> tries;
            for (double t = baseGap; t <= baseGap + 2.5 * s; t += s / 8)
                tries.push_back(t);
            for (const Point& corner : next.Points()) {
                const double t = ring.Wrap(dir * (v.start - ring.Project(corner)));
                if (t >= baseGap && t <= baseGap + 2.5 * s)
                    tries.push_back(t);
            }
            std::sort(tries.begin(), tries.end());
            for (double t : tries) {
                if (!ring.StraightBehind(v.start, dir, t + s))
                    break;
                const double endAt = v.start - dir * t;
                const Point end = ring.At(endAt);
                double d = 0;
                const double at = next.Project(end, &d);
                if (d > 1.06 * pitch)
                    continue;
                const Point linkDir = Unit(Sub(next.At(at), end));
                if (!leaves(ring, endAt, linkDir))
                    continue;
                // The next ring keeps the way round: turned back, its gap would lie beside this one's.
                if (lands(next, at, dir, linkDir, gap))
                    stairKid = kid, stairDir = dir, stairAt = at, gapLength = t;
                if (stairKid >= 0)
                    break;
            }
            if (stairKid >= 0)
                break;
        }

        // A gap that cannot lie along one straight edge turns a corner; then the square caps of
        // its ends face each other at a slant and want more room.
        if (!ring.StraightBehind(v.start, dir, gapLength + s))
            while (gapLength < length / 2 && plan::Distance(ring.At(v.start - dir * gapLength), startPoint) < 2.6 * s)
                gapLength += s / 16;
        const double arcLength = length - gapLength;
        skeleton.lines.push_back(ring.Arc(v.start, arcLength, dir));
        const Point endPoint = ring.At(v.start + dir * arcLength);
        if (isRoot) {
            skeleton.root = startPoint;
            skeleton.rootDir = Mul(ring.Tangent(v.start + dir * 1e-7), dir);
            isRoot = false;
        }
        std::vector<Point> taken{startPoint, endPoint};
        // A cut-off corner leaves a pocket outside it, between this ring and the one around it,
        // wider than the tube reaches; a spur out along the corner's bisector fills it, stopping
        // two spacings short of that ring (or at the edge of the floor).
        for (const auto& [middle, out] : cy.cuts) {
            const double t = ring.Wrap(dir * (ring.Project(middle) - v.start));
            if (t < s || t > arcLength - s)
                continue;
            double reach = 0;
            for (double l = s / 8;; l += s / 8) {
                const Point tip = Add(middle, Mul(out, l));
                double d = kInf;
                if (cy.parent >= 0)
                    cycles[static_cast<std::size_t>(cy.parent)].ring.Project(tip, &d);
                if (!Inside(domain, tip) || d < 2.25 * s || l > 4 * s) // the square cap reaches 0.71 s aslant
                    break;
                reach = l;
            }
            if (reach >= s / 2)
                skeleton.lines.push_back({middle, Add(middle, Mul(out, reach))});
        }
        if (stairKid >= 0) {
            link(endPoint, cycles[static_cast<std::size_t>(stairKid)].ring.At(stairAt));
            cycleDone[static_cast<std::size_t>(stairKid)] = 1;
            queue.push_back({stairKid, stairAt, stairDir});
        }

        // Narrow arms of this ring's own piece touch it where they must.
        for (int r : ridgesOf[static_cast<std::size_t>(v.cycle)]) {
            Ridge& ridge = ridges[static_cast<std::size_t>(r)];
            if (!ridge.own || ridgeDone[static_cast<std::size_t>(r)])
                continue;
            ridgeDone[static_cast<std::size_t>(r)] = 1;
            double a = 0;
            Point rp;
            RidgeDistance(ring, ridge.lines, &a, &rp);
            link(ring.At(a), rp);
            taken.push_back(ring.At(a));
            for (const Polyline& line : ridge.lines)
                skeleton.lines.push_back(line);
            // A narrow neck leads on to another ring of the same piece.
            for (int other : ridge.touching) {
                if (cycleDone[static_cast<std::size_t>(other)])
                    continue;
                const Ring& next = cycles[static_cast<std::size_t>(other)].ring;
                double at = 0;
                Point from;
                RidgeDistance(next, ridge.lines, &at, &from);
                link(from, next.At(at));
                cycleDone[static_cast<std::size_t>(other)] = 1;
                queue.push_back({other, at, next.StraightBehind(at, 1, gap + s) ? 1 : -1});
            }
        }

        // Other rings and narrow pieces one level in hang from the nearest free point of the arc.
        auto attach = [&](auto&& reach, double limit, bool strict) {
            double bestDistance = kInf, bestAt = 0;
            for (double t = apart; t <= arcLength - apart; t += s / 4) {
                const double a = v.start + dir * t;
                const Point p = ring.At(a);
                bool clear = true;
                for (const Point& q : taken)
                    clear = clear && plan::Distance(p, q) >= apart;
                if (!clear)
                    continue;
                const double d = reach(a, p, strict);
                if (d < bestDistance && d <= limit)
                    bestDistance = d, bestAt = a;
            }
            return std::pair{bestDistance, bestAt};
        };
        for (int kid : kids) {
            if (cycleDone[static_cast<std::size_t>(kid)])
                continue;
            const Ring& next = cycles[static_cast<std::size_t>(kid)].ring;
            // Where the next ring has a long straight run behind its landing point, its own
            // staircase has room; that outweighs a slightly longer link.
            auto room = [&](double at, int kd) { return std::min(next.RoomBehind(at, kd), 8 * s) / (8 * s); };
            auto wayRound = [&](double at, Point linkDir) {
                const bool a = lands(next, at, dir, linkDir, gap), b = lands(next, at, -dir, linkDir, gap);
                if (a && b)
                    return room(at, -dir) > room(at, dir) + 0.25 ? -dir : dir;
                return b ? -dir : a ? dir : 0;
            };
            auto reach = [&](double a, Point p, bool strict) {
                double d = 0;
                const double at = next.Project(p, &d);
                const Point linkDir = Unit(Sub(next.At(at), p));
                if (!leaves(ring, a, linkDir))
                    return kInf;
                const int kd = wayRound(at, linkDir);
                if (kd == 0)
                    return strict ? kInf : d + s;
                return d + s * (1 - room(at, kd));
            };
            auto [d, a] = attach(reach, 1.2 * pitch + s, true);
            if (d == kInf)
                std::tie(d, a) = attach(reach, 1.5 * pitch + s, false);
            if (d == kInf)
                continue;
            const Point from = ring.At(a);
            const double at = next.Project(from);
            const Point linkDir = Unit(Sub(next.At(at), from));
            const int kd = wayRound(at, linkDir);
            const int kidDir = kd == 0 ? dir : kd;
            link(from, next.At(at));
            taken.push_back(from);
            cycleDone[static_cast<std::size_t>(kid)] = 1;
            queue.push_back({kid, at, kidDir});
        }
        for (int r : ridgesOf[static_cast<std::size_t>(v.cycle)]) {
            Ridge& ridge = ridges[static_cast<std::size_t>(r)];
            if (ridge.own || ridgeDone[static_cast<std::size_t>(r)])
                continue;
            auto reach = [&](double a, Point p, bool strict) {
                Point to;
                const double d = ToRidge(ridge.lines, p, &to);
                return (!strict || leaves(ring, a, Unit(Sub(to, p)))) ? d : kInf;
            };
            auto [d, a] = attach(reach, 2 * pitch, true);
            if (d == kInf)
                std::tie(d, a) = attach(reach, 2 * pitch, false);
            if (d == kInf)
                continue;
            const Point from = ring.At(a);
            Point to;
            ToRidge(ridge.lines, from, &to);
            link(from, to);
            taken.push_back(from);
            ridgeDone[static_cast<std::size_t>(r)] = 1;
            for (const Polyline& line : ridge.lines)
                skeleton.lines.push_back(line);
        }
    }
    // Rings and middle lines that found no place to hang from leave their floor bare.
    for (std::size_t c = 0; c < cycles.size(); ++c)
        if (!cycleDone[c])
            skeletonRisk += cycles[c].ring.Length();
    for (std::size_t r = 0; r < ridges.size(); ++r)
        if (!ridgeDone[r])
            for (const Polyline& line : ridges[r].lines)
                skeletonRisk += PolylineLength(line);
    skeleton.risk = skeletonRisk;
    return skeleton;
}

// ---------------------------------------------------------------------------------------------
// The meander: rows parallel to the longest edge, two spacings apart, joined into a tree by short
// links at their ends so that the tube runs as a double serpentine.

struct Window {
    double lo, hi, weight;
};

// Row heights between lo and hi, 2 to 2.5 spacings apart, with a row in each window where possible.
std::vector<double> PlaceRows(double lo, double hi, const std::vector<Window>& windows, double s)
{
    const double step = s / 40;
    const int n = static_cast<int>(std::floor((hi - lo) / step)) + 1;
    auto y = [&](int i) { return std::min(hi, lo + i * step); };
    const int jMin = static_cast<int>(std::ceil(2.0 * s / step - 1e-6));
    const int jMax = static_cast<int>(std::floor(2.5 * s / step + 1e-6));
    auto missed = [&](double a, double b) {
        double m = 0;
        for (const Window& w : windows)
            if (w.lo > a + 1e-9 && w.hi < b - 1e-9)
                m += w.weight;
        return m;
    };
    std::vector<double> cost(static_cast<std::size_t>(n), kInf);
    std::vector<int> from(static_cast<std::size_t>(n), -1);
    for (int i = 0; i < n; ++i) {
        cost[static_cast<std::size_t>(i)] = missed(-kInf, y(i));
        for (int j = std::max(0, i - jMax); j <= i - jMin; ++j) {
            const double g = y(i) - y(j);
            const double c = cost[static_cast<std::size_t>(j)] + 2 * std::pow((g - 2 * s) / s, 2) + missed(y(j), y(i));
            if (c < cost[static_cast<std::size_t>(i)]) {
                cost[static_cast<std::size_t>(i)] = c;
                from[static_cast<std::size_t>(i)] = j;
            }
        }
    }
    int last = -1;
    double bestCost = kInf;
    for (int i = 0; i < n; ++i) {
        const double c = cost[static_cast<std::size_t>(i)] + missed(y(i), kInf);
        if (c < bestCost)
            bestCost = c, last = i;
    }
    std::vector<double> rows;
    for (int i = last; i >= 0; i = from[static_cast<std::size_t>(i)])
        rows.push_back(y(i));
    std::reverse(rows.begin(), rows.end());
    return rows;
}

// A row of the meander in the frame of the longest edge: the line y = a + b x.
struct RowLine {
    double a = 0, b = 0;
    double At(double x) const { return a + b * x; }
};

// Where a row runs inside the polygons, as intervals of x.
std::vector<std::pair<double, double>> Scan(const std::vector<Polyline>& polys, RowLine row)
{
    std::vector<double> xs;
    for (const Polyline& p : polys)
        for (std::size_t i = 0; i < p.size(); ++i) {
            const Point a = p[i], b = p[(i + 1) % p.size()];
            const double fa = a.y - row.At(a.x), fb = b.y - row.At(b.x);
            if ((fa <= 0 && 0 < fb) || (fb <= 0 && 0 < fa))
                xs.push_back(a.x + (b.x - a.x) * fa / (fa - fb));
        }
    std::sort(xs.begin(), xs.end());
    std::vector<std::pair<double, double>> out;
    for (std::size_t i = 0; i + 1 < xs.size(); i += 2)
        out.emplace_back(xs[i], xs[i + 1]);
    return out;
}

bool InsidePolys(const std::vector<Polyline>& polys, Point q)
{
    bool inside = false;
    for (const Polyline& p : polys)
        for (std::size_t i = 0, j = p.size() - 1; i < p.size(); j = i++)
            if ((p[i].y > q.y) != (p[j].y > q.y)
                && q.x < (p[j].x - p[i].x) * (q.y - p[i].y) / (p[j].y - p[i].y) + p[i].x)
                inside = !inside;
    return inside;
}

std::optional<Skeleton> MeanderSkeleton(const Floor& f)
{
    const double s = f.s;
    const double apart = 2.2 * s, rootGap = 1.6 * s;
    cl::Paths core = Core(f, 0, 0);
    if (core.empty())
        return std::nullopt;
    // One piece: a loop cannot leave it.
    std::sort(core.begin(), core.end(), [](const cl::Path& a, const cl::Path& b) { return AreaOf(a) > AreaOf(b); });
    core.resize(1);

    const Polygon& region = f.regionOutline;
    Point u{1, 0};
    double longest = 0;
    for (std::size_t i = 0; i < region.size(); ++i) {
        const Point d = Sub(region[(i + 1) % region.size()], region[i]);
        if (Norm(d) > longest + 1e-9)
            longest = Norm(d), u = Unit(d);
    }
    auto toFrame = [&](Point p) { return Point{Dot(p, u), Cross(u, p)}; };
    auto fromFrame = [&](Point q) { return Point{q.x * u.x - q.y * u.y, q.x * u.y + q.y * u.x}; };

    std::vector<Polyline> polys;
    double lo = kInf, hi = -kInf, left = kInf, right = -kInf;
    for (const cl::Path& path : core) {
        Polyline p;
        for (const cl::IntPoint& ip : path) {
            p.push_back(toFrame(ToPoint(ip)));
            lo = std::min(lo, p.back().y), hi = std::max(hi, p.back().y);
            left = std::min(left, p.back().x), right = std::max(right, p.back().x);
        }
        polys.push_back(std::move(p));
    }
    const double eps = 1e-5;

    // Edges along the rows want a row close inside them; a split line wants it closer still, as
    // the neighbouring region's tube covers nothing on this side.
    std::vector<Window> windows{{lo + eps, lo + 0.5 * s, 100}, {hi - 0.5 * s, hi - eps, 100}};
    int parallel = 0;
    const Point* farFrom = nullptr;
    const Point* farTo = nullptr;
    for (const Polyline& p : polys)
        for (std::size_t i = 0; i < p.size(); ++i) {
            const Point &a = p[i], &b = p[(i + 1) % p.size()];
            const double dx = b.x - a.x, dy = b.y - a.y;
            if (std::fabs(dx) < 0.5 * s)
                continue;
            if (std::fabs(dy) > 0.01 * std::fabs(dx)) {
                // A far wall not quite along the rows: a candidate for fanning the rows out.
                if (dx < 0 && std::fabs(dy) <= 0.27 * std::fabs(dx) && std::fabs(dx) >= 0.3 * (right - left)
                    && (!farFrom || std::max(a.y, b.y) > std::max(farFrom->y, farTo->y)))
                    farFrom = &a, farTo = &b;
                continue;
            }
            ++parallel;
            const double yw = std::clamp((a.y + b.y) / 2, lo + eps, hi - eps);
            const Point mid = fromFrame({(a.x + b.x) / 2, (a.y + b.y) / 2});
            const double reach = DistanceToSplits(f, mid) < 1.2 * s ? 0.2 * s : 0.5 * s;
            if (dx > 0)
                windows.push_back({yw, yw + reach, 100});
            else
                windows.push_back({yw - reach, yw, 100});
        }

    std::vector<RowLine> rows;
    // Rows fan out between the bottom wall and a far wall a little askew, when nothing else runs
    // along them: parallel rows would leave a wedge under that wall wider than the tube reaches.
    if (farFrom && parallel == 1 && farFrom->y > lo + 2 * s) {
        const double m = (farTo->y - farFrom->y) / (farTo->x - farFrom->x);
        const double c = farFrom->y - m * farFrom->x;
        const double wMin = std::min(c + m * left, c + m * right) - lo;
        const double wMax = std::max(c + m * left, c + m * right) - lo;
        const int gaps = static_cast<int>(std::floor(wMin / (2 * s)));
        if (gaps >= 1 && wMax / gaps <= 2.5 * s) {
            for (int j = 0; j <= gaps; ++j) {
                const double t = std::clamp(static_cast<double>(j) / gaps, 1e-6, 1 - 1e-6);
                rows.push_back({(1 - t) * (lo + eps) + t * (c - eps), t * m});
            }
        }
    }
    if (rows.empty() && hi - lo < 2 * s)
        rows.push_back({(lo + hi) / 2, 0}); // room for one row only: in the middle it reaches both sides
    if (rows.empty())
        for (double y : PlaceRows(lo + eps, std::max(lo + eps, hi - eps), windows, s))
            rows.push_back({y, 0});

    struct Row {
        int row;
        double x0, x1;
        std::vector<double> up, down; // where links leave towards the next and the previous row
        bool done = false;
    };
    std::vector<Row> segs;
    std::vector<std::vector<int>> ofRow(rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (const auto& [x0, x1] : Scan(polys, rows[r])) {
            ofRow[r].push_back(static_cast<int>(segs.size()));
            segs.push_back({static_cast<int>(r), x0, x1, {}, {}});
        }
    if (segs.empty())
        return std::nullopt;
    auto point = [&](int row, double x) { return Point{x, rows[static_cast<std::size_t>(row)].At(x)}; };

    // The root: the skeleton point nearest the entry, made a free end.
    const Point entry = toFrame(f.entry);
    int rootSeg = 0;
    double rootX = 0, best = kInf;
    for (std::size_t i = 0; i < segs.size(); ++i) {
        const Point a = point(segs[i].row, segs[i].x0), b = point(segs[i].row, segs[i].x1);
        const double t = NearestOnSegment(entry, a, b);
        const Point q = Add(a, Mul(Sub(b, a), t));
        if (const double d = plan::Distance(entry, q); d < best)
            best = d, rootSeg = static_cast<int>(i), rootX = q.x;
    }
    {
        Row& r = segs[static_cast<std::size_t>(rootSeg)];
        auto split = [&](Row rest) {
            if (rest.x1 >= rest.x0) {
                ofRow[static_cast<std::size_t>(rest.row)].push_back(static_cast<int>(segs.size()));
                segs.push_back(rest);
            }
        };
        if (rootX - r.x0 < 0.3 * s || r.x1 - r.x0 < 2 * apart) {
            rootX = (rootX - r.x0 < r.x1 - rootX) ? r.x0 : r.x1;
        } else if (r.x1 - rootX < 0.3 * s) {
            rootX = r.x1;
        } else if (rootX - r.x0 >= r.x1 - rootX) {
            // Keep the root piece on the longer side; the other side begins a gap further on.
            const Row rest{r.row, rootX + rootGap, r.x1, {}, {}};
            r.x1 = rootX;
            split(rest);
        } else {
            const Row rest{r.row, r.x0, rootX - rootGap, {}, {}};
            r.x0 = rootX;
            split(rest);
        }
    }

    auto insideLink = [&](double x, int ra, int rb) {
        const double ya = rows[static_cast<std::size_t>(ra)].At(x), yb = rows[static_cast<std::size_t>(rb)].At(x);
        for (int k = 1; k < 6; ++k)
            if (!InsidePolys(polys, {x, ya + (yb - ya) * k / 6}))
                return false;
        return true;
    };
    std::vector<Polyline> links;
    auto clear = [&](const std::vector<double>& at, double x) {
        return std::all_of(at.begin(), at.end(), [&](double y) { return std::fabs(x - y) >= apart; });
    };
    // Depth first, each link at the far end of the overlap from where the row was reached.
    auto dfs = [&](auto&& self, int si, double arrival, int heading) -> void {
        const Row current = segs[static_cast<std::size_t>(si)];
        std::vector<std::pair<int, int>> next; // segment, direction
        for (int d : {heading, -heading}) {
            const int r = current.row + d;
            if (r < 0 || r >= static_cast<int>(rows.size()))
                continue;
            std::vector<int> cand = ofRow[static_cast<std::size_t>(r)];
            std::sort(cand.begin(), cand.end(), [&](int a, int b) {
                auto far = [&](int k) {
                    const Row& o = segs[static_cast<std::size_t>(k)];
                    return std::max(std::fabs(std::max(o.x0, current.x0) - arrival),
                                    std::fabs(std::min(o.x1, current.x1) - arrival));
                };
                return far(a) > far(b);
            });
            for (int c : cand)
                next.emplace_back(c, d);
        }
        for (const auto& [ni, d] : next) {
            Row& other = segs[static_cast<std::size_t>(ni)];
            if (other.done)
                continue;
            Row& me = segs[static_cast<std::size_t>(si)];
            const double ol = std::max(me.x0, other.x0), orr = std::min(me.x1, other.x1);
            if (orr < ol)
                continue;
            const bool fromRight = std::fabs(orr - arrival) >= std::fabs(ol - arrival);
            // From the far end inwards; the ends themselves a hair inside, off the outline.
            const double l0 = std::min(ol + 1e-6, (ol + orr) / 2), r0 = std::max(orr - 1e-6, (ol + orr) / 2);
            std::vector<double> tries;
            for (double t = 0; t <= r0 - l0 + 1e-9; t += s / 4)
                tries.push_back(fromRight ? r0 - t : l0 + t);
            tries.push_back(fromRight ? l0 : r0);
            auto& mine = d > 0 ? me.up : me.down;
            auto& theirs = d > 0 ? other.down : other.up;
            for (double x : tries) {
                if (!clear(mine, x) || !clear(theirs, x) || !insideLink(x, me.row, other.row))
                    continue;
                if (si == rootSeg && std::fabs(x - rootX) < apart)
                    continue;
                mine.push_back(x);
                theirs.push_back(x);
                other.done = true;
                links.push_back({fromFrame(point(me.row, x)), fromFrame(point(other.row, x))});
                self(self, ni, x, d);
                break;
            }
        }
    };
    segs[static_cast<std::size_t>(rootSeg)].done = true;
    dfs(dfs, rootSeg, rootX, 1);

    Skeleton skeleton;
    for (const Row& r : segs)
        if (r.done) {
            if (&r == &segs[static_cast<std::size_t>(rootSeg)])
                skeleton.rootLine = skeleton.lines.size();
            skeleton.lines.push_back({fromFrame(point(r.row, r.x0)), fromFrame(point(r.row, r.x1))});
        }
    for (Polyline& l : links)
        skeleton.lines.push_back(std::move(l));
    const Row& rr = segs[static_cast<std::size_t>(rootSeg)];
    skeleton.root = fromFrame(point(rr.row, rootX));
    const double towards = (std::fabs(rootX - rr.x0) < std::fabs(rootX - rr.x1)) ? 1.0 : -1.0;
    skeleton.rootDir = Unit(Sub(fromFrame(point(rr.row, rootX + towards)), skeleton.root));
    if (rr.x1 - rr.x0 < 1e-6)
        skeleton.rootDir = u;
    return skeleton;
}

// The least distance between two polylines.
double LineDistance(const Polyline& a, const Polyline& b)
{
    double best = kInf;
    for (const Point& p : a)
        best = std::min(best, DistanceToPolyline(p, b));
    for (const Point& p : b)
        best = std::min(best, DistanceToPolyline(p, a));
    for (std::size_t i = 0; i + 1 < a.size() && best > 0; ++i)
        for (std::size_t j = 0; j + 1 < b.size() && best > 0; ++j)
            if (plan::SegmentsCross(a[i], a[i + 1], b[j], b[j + 1]))
                best = 0;
    return best;
}

// Where the tube still comes too close to itself, at p and q, the cheapest part of the skeleton
// there goes, with whatever hangs from it alone: a little bare floor is better than tubes that
// touch.  False when nothing can go.
bool Prune(Skeleton& skeleton, Point p, Point q, double s)
{
    const std::size_t n = skeleton.lines.size();
    std::vector<std::vector<std::size_t>> touching(n);
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j)
            if (LineDistance(skeleton.lines[i], skeleton.lines[j]) <= 0.45 * s) {
                touching[i].push_back(j);
                touching[j].push_back(i);
            }
    std::vector<char> best;
    double bestCost = kInf;
    for (std::size_t c = 0; c < n; ++c) {
        if (c == skeleton.rootLine)
            continue;
        if (DistanceToPolyline(p, skeleton.lines[c]) > 0.8 * s && DistanceToPolyline(q, skeleton.lines[c]) > 0.8 * s)
            continue;
        std::vector<char> kept(n, 0);
        std::vector<std::size_t> stack{skeleton.rootLine};
        kept[skeleton.rootLine] = 1;
        while (!stack.empty()) {
            const std::size_t i = stack.back();
            stack.pop_back();
            for (std::size_t j : touching[i])
                if (j != c && !kept[j]) {
                    kept[j] = 1;
                    stack.push_back(j);
                }
        }
        double cost = 0;
        for (std::size_t i = 0; i < n; ++i)
            if (!kept[i])
                cost += PolylineLength(skeleton.lines[i]) + s;
        if (cost < bestCost)
            bestCost = cost, best = std::move(kept);
    }
    if (best.empty())
        return false;
    std::vector<Polyline> lines;
    for (std::size_t i = 0; i < n; ++i)
        if (best[i]) {
            if (i == skeleton.rootLine)
                skeleton.rootLine = lines.size();
            lines.push_back(std::move(skeleton.lines[i]));
        }
    skeleton.lines = std::move(lines);
    return true;
}

std::optional<Floor> FloorOf(const LoopRequest& request, std::string* why)
{
    auto fail = [&](std::string reason) -> std::optional<Floor> {
        *why = std::move(reason);
        return std::nullopt;
    };
    const double s = request.spacing, e = request.edgeDistance;
    if (!(s >= 0.05 - 1e-9 && s <= 0.50 + 1e-9))
        return fail("the spacing must lie between 0.05 and 0.50 m");
    if (!(e >= 0 && e <= 0.5 + 1e-9))
        return fail("the edge distance must lie between 0 and 0.5 m");
    if (plan::CheckOutline(request.region) != plan::OutlineFault::None)
        return fail("the region is no simple outline");
    if (plan::CheckOutline(request.room) != plan::OutlineFault::None)
        return fail("the room is no simple outline");

    Floor f;
    f.s = s;
    f.e = e;
    f.entry = request.entry;
    f.roomOutline = plan::CounterClockwise(request.room);
    f.regionOutline = plan::CounterClockwise(request.region);
    f.room = {ToPath(f.roomOutline)};
    f.region = {ToPath(f.regionOutline)};
    f.area = std::fabs(plan::SignedArea(f.regionOutline));
    double outside = 0;
    for (const cl::Path& p : Boolean(f.region, f.room, cl::ctDifference))
        outside += std::fabs(AreaOf(p));
    if (outside > 1e-4 * std::max(1.0, f.area))
        return fail("the region reaches outside the room");
    f.splitSegments = SplitSegments(f.regionOutline, f.roomOutline);
    // Split lines that run on round a corner of the region make one line, so that their band has
    // a square corner there and the rings inside it keep straight edges to the corner.
    std::vector<Polyline> chains;
    for (const Segment& g : f.splitSegments) {
        if (!chains.empty() && plan::Distance(chains.back().back(), g.a) < 1e-9)
            chains.back().push_back(g.b);
        else
            chains.push_back({g.a, g.b});
    }
    if (chains.size() > 1 && plan::Distance(chains.back().back(), chains.front().front()) < 1e-9) {
        chains.back().insert(chains.back().end(), chains.front().begin() + 1, chains.front().end());
        chains.erase(chains.begin());
    }
    for (const Polyline& chain : chains)
        f.splits.push_back(ToPath(chain));
    f.cover =
        Boolean(Offset(f.room, -e, cl::jtRound, cl::etClosedPolygon, 2.0, kFineArc), f.region, cl::ctIntersection);
    const cl::Paths walls = Offset(f.room, -(e + kMargin), cl::jtRound, cl::etClosedPolygon, 2.0, kFineArc);
    cl::Paths allowed = f.region;
    if (!f.splits.empty())
        allowed = Boolean(allowed, SplitBand(f, s / 2), cl::ctDifference);
    f.tube = Boolean(walls, allowed, cl::ctIntersection);
    if (Core(f, 0, 0).empty())
        return fail("the region is too narrow for a loop at this spacing: it must be at least "
                    + std::to_string(static_cast<int>(std::ceil((2 * e + s) * 100)))
                    + " cm wide (twice the edge distance and one spacing)");
    return f;
}

struct Laid {
    Polyline tube;
    Skeleton skeleton;
    Quality quality;
    Pattern pattern = Pattern::Spiral; // what the tube was laid as
};

std::optional<Laid> Lay(const Floor& f, Pattern pattern)
{
    const double s = f.s;
    std::optional<Laid> best;
    double bestCost = kInf;
    auto consider = [&](std::optional<Skeleton> skeleton) {
        if (!skeleton)
            return false;
        int holes = 0;
        std::optional<Polyline> tube = TubeAround(*skeleton, f, &holes);
        if (!tube || tube->size() < 2 || PolylineLength(*tube) < 4 * s)
            return false;
        Quality q = Measure(*tube, f);
        q.holes = holes;
        const bool good = q.clearance >= 0.97 * s && holes == 0 && std::fabs(q.lengthRatio - 1) <= 0.13
            && q.uncovered < 1e-9 && Uncovered(*tube, f, 0.74 * s) < 1e-9;
        if (const double c = q.Cost(s); good || c < bestCost) {
            bestCost = good ? -kInf : c;
            best = Laid{std::move(*tube), std::move(*skeleton), q};
        }
        return good;
    };

    if (pattern == Pattern::Spiral) {
        // The rings' distance from the walls and from each other decides how the middle comes
        // out; a few choices around two spacings cover the shapes a floor takes.  Skeletons are
        // cheap and laying the tube is not, so the least risky skeletons are tried first.
        double splitLength = 0, perimeter = 0;
        for (const Segment& g : f.splitSegments)
            splitLength += plan::Distance(g.a, g.b);
        for (std::size_t i = 0; i < f.regionOutline.size(); ++i)
            perimeter += plan::Distance(f.regionOutline[i], f.regionOutline[(i + 1) % f.regionOutline.size()]);
        std::vector<double> insets{0.3, 0.4, 0.2, 0.1, 0.5, 0.0};
        if (splitLength > perimeter - 1e-6)
            insets = {0.2, 0.1, 0.0}; // no walls at all: only the split lines' inset matters
        std::vector<Skeleton> skeletons;
        for (double pitch : {2.0, 2.04, 2.08, 2.12})
            for (double inset : insets)
                if (std::optional<Skeleton> sk = SpiralSkeleton(f, inset * s, pitch * s))
                    skeletons.push_back(std::move(*sk));
        std::stable_sort(skeletons.begin(), skeletons.end(),
                         [](const Skeleton& a, const Skeleton& b) { return a.risk < b.risk - 1e-9; });
        for (std::size_t i = 0; i < skeletons.size() && i < 8; ++i)
            if (consider(std::move(skeletons[i])))
                return best;
        if (skeletons.empty())
            consider(MeanderSkeleton(f)); // too narrow for a ring: a single hairpin
    } else {
        consider(MeanderSkeleton(f));
    }
    if (best)
        best->pattern = pattern;

    auto repair = [&](Laid& laid) {
        for (int i = 0; i < 24 && laid.quality.clearance < 0.95 * s; ++i) {
            if (!Prune(laid.skeleton, laid.quality.near1, laid.quality.near2, s))
                break;
            int holes = 0;
            std::optional<Polyline> tube = TubeAround(laid.skeleton, f, &holes);
            if (!tube || tube->size() < 2)
                break;
            laid.quality = Measure(*tube, f);
            laid.quality.holes = holes;
            laid.tube = std::move(*tube);
        }
    };
    if (best && best->quality.clearance < 0.95 * s)
        repair(*best);
    // Where the rings leave floor bare or still come too close, the rows of a meander may do
    // better; the rules matter more than the pattern.
    if (best && pattern == Pattern::Spiral && (best->quality.clearance < 0.95 * s || best->quality.farOff > 0)) {
        std::optional<Laid> spiral = std::move(best);
        bestCost = kInf;
        consider(MeanderSkeleton(f));
        if (best && best->quality.clearance < 0.95 * s)
            repair(*best);
        const bool spiralKeeps = spiral->quality.clearance >= 0.95 * s;
        const bool meanderKeeps = best && best->quality.clearance >= 0.95 * s;
        if (!best || (spiralKeeps && !meanderKeeps)
            || (spiralKeeps == meanderKeeps && spiral->quality.Cost(s) <= 0.5 * best->quality.Cost(s)))
            best = std::move(spiral);
        else
            best->pattern = Pattern::Meander;
    }
    return best;
}

} // namespace

double PolylineLength(const Polyline& line)
{
    double length = 0;
    for (std::size_t i = 0; i + 1 < line.size(); ++i)
        length += plan::Distance(line[i], line[i + 1]);
    return length;
}

double DistanceToPolyline(plan::Point p, const Polyline& line)
{
    if (line.empty())
        return kInf;
    if (line.size() == 1)
        return plan::Distance(p, line.front());
    double best = kInf;
    for (std::size_t i = 0; i + 1 < line.size(); ++i)
        best = std::min(best, SegmentDistance(p, line[i], line[i + 1]));
    return best;
}

std::optional<Polyline> LayLoop(const LoopRequest& request, std::string* why, Pattern* laidAs)
{
    std::string reason;
    const std::optional<Floor> f = FloorOf(request, &reason);
    std::optional<Laid> laid;
    if (f)
        laid = Lay(*f, request.pattern);
    if (f && !laid)
        reason = "the region is too small for a loop at this spacing";
    else if (laid && laid->quality.clearance < 0.95 * request.spacing)
        reason = "no loop keeps the spacing in this region; try a smaller spacing";
    else if (laid) {
        if (laidAs)
            *laidAs = laid->pattern;
        return laid->tube;
    }
    if (why)
        *why = reason;
    return std::nullopt;
}

} // namespace kalorina::layout
