#pragma once
// Plane geometry of the floor plan, in metres: points, simple polygons (room
// outlines) and the tests a drawing needs, free of any window.  Neighbouring rooms
// share walls exactly, so touching along an edge or at a corner is no overlap.
#include <optional>
#include <vector>

namespace kalorina::plan {

struct Point {
    double x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

using Polygon = std::vector<Point>;

// Below this two coordinates are one (a tenth of a millimetre).
inline constexpr double kTolerance = 1e-4;

// The shoelace area: positive counter-clockwise, negative clockwise.
double SignedArea(const Polygon& p);
// The area in m2 rounded to 0.01, as a room takes it.
double RoundedArea(const Polygon& p);
bool IsCounterClockwise(const Polygon& p);
// The same outline counter-clockwise, as it is stored.
Polygon CounterClockwise(Polygon p);

// Why an outline is no room outline; None for a sound one.
enum class OutlineFault { None, TooFewCorners, RepeatedCorner, NoArea, SelfCrossing };
OutlineFault CheckOutline(const Polygon& p);

// Whether the open segments ab and cd cross or overlap in more than a point that is
// an end of both (two walls meeting at a corner do not cross).
bool SegmentsCross(Point a, Point b, Point c, Point d);
// Strictly inside: on the boundary is not inside.
bool StrictlyInside(const Polygon& p, Point q);
bool OnBoundary(const Polygon& p, Point q);
// Whether the interiors of two sound outlines share any area.  Sharing a wall or a
// corner is no overlap.
bool Overlap(const Polygon& a, const Polygon& b);

// Snapping for the drawing tools: to the grid, or to the nearest corner or edge of
// the given outlines within `reach`.
Point SnapToGrid(Point p, double grid);
std::optional<Point> SnapToOutlines(Point p, const std::vector<Polygon>& outlines, double reach);

double Distance(Point a, Point b);

} // namespace kalorina::plan
