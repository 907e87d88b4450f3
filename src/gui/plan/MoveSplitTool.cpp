#include "plan/MoveSplitTool.h"

#include <QGraphicsLineItem>
#include <QPen>
#include <cmath>

#include "document/TProject.h"
#include "layout/Clip.h"
#include "layout/Layout.h"
#include "plan/PlanScene.h"

namespace kalorina::gui {

namespace {

using plan::Point;

double Cross(Point o, Point a, Point b)
{
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

double SegmentDistance(Point a, Point b, Point p)
{
    const double dx = b.x - a.x, dy = b.y - a.y, l2 = dx * dx + dy * dy;
    const double t = l2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / l2, 0.0, 1.0) : 0;
    return plan::Distance(p, {a.x + t * dx, a.y + t * dy});
}

// The stretch two polygons' edges share, if they share one longer than 5 cm.
bool SharedEdge(const plan::Polygon& a, const plan::Polygon& b, Point& from, Point& to)
{
    for (std::size_t i = 0; i < a.size(); ++i) {
        const Point p = a[i], q = a[(i + 1) % a.size()];
        const double length = plan::Distance(p, q);
        if (length < 0.05)
            continue;
        for (std::size_t j = 0; j < b.size(); ++j) {
            const Point r = b[j], s = b[(j + 1) % b.size()];
            if (std::fabs(Cross(p, q, r)) / length > 1e-3 || std::fabs(Cross(p, q, s)) / length > 1e-3)
                continue;
            // Along pq: the overlap of the two stretches.
            const auto along = [&](Point x) {
                return ((x.x - p.x) * (q.x - p.x) + (x.y - p.y) * (q.y - p.y)) / length;
            };
            const double lo = std::max(0.0, std::min(along(r), along(s)));
            const double hi = std::min(length, std::max(along(r), along(s)));
            if (hi - lo < 0.05)
                continue;
            const auto at = [&](double t) {
                return Point{p.x + (q.x - p.x) * t / length, p.y + (q.y - p.y) * t / length};
            };
            from = at(lo);
            to = at(hi);
            return true;
        }
    }
    return false;
}

} // namespace

bool MoveSplitTool::Nearest(Point at, Split& split) const
{
    const TProject& p = context_.project();
    const int floor = context_.floor();
    double best = reach;
    bool found = false;
    struct Region {
        int round;
        std::size_t part;
        const plan::LaidPart* laid;
    };
    std::vector<Region> regions;
    for (std::size_t r = 0; r < p.rounds.size(); ++r) {
        const plan::CircuitLayout& l = p.rounds[r].layout;
        if (l.laid && l.floor == floor)
            for (std::size_t i = 0; i < l.parts.size(); ++i)
                regions.push_back({int(r), i, &l.parts[i]});
    }
    for (std::size_t i = 0; i < regions.size(); ++i)
        for (std::size_t j = i + 1; j < regions.size(); ++j) {
            if (regions[i].laid->roomId != regions[j].laid->roomId)
                continue;
            Point from, to;
            if (!SharedEdge(regions[i].laid->region, regions[j].laid->region, from, to))
                continue;
            if (const double d = SegmentDistance(from, to, at); d <= best) {
                best = d;
                split = {regions[i].round, regions[j].round, regions[i].part, regions[j].part, from, to};
                found = true;
            }
        }
    return found;
}

double MoveSplitTool::FirstAreaAt(const Split& split, Point at) const
{
    const TProject& p = context_.project();
    const plan::Polygon& first = p.rounds[split.firstRound].layout.parts[split.firstPart].region;
    const plan::Polygon& second = p.rounds[split.secondRound].layout.parts[split.secondPart].region;
    // The line through `at` along the old one; the first part keeps its side of it.
    const double length = plan::Distance(split.from, split.to);
    const double ux = (split.to.x - split.from.x) / length, uy = (split.to.y - split.from.y) / length;
    double cx = 0, cy = 0;
    for (const Point& q : first) {
        cx += q.x;
        cy += q.y;
    }
    cx /= double(first.size());
    cy /= double(first.size());
    // The normal pointing to the first part.
    double nx = -uy, ny = ux;
    if ((cx - split.from.x) * nx + (cy - split.from.y) * ny < 0) {
        nx = -nx;
        ny = -ny;
    }
    const double offset = (at.x - split.from.x) * nx + (at.y - split.from.y) * ny;
    const Point base{split.from.x + offset * nx, split.from.y + offset * ny};
    constexpr double far = 1000;
    const plan::Polygon side = plan::CounterClockwise({{base.x - far * ux, base.y - far * uy},
                                                       {base.x + far * ux, base.y + far * uy},
                                                       {base.x + far * ux + far * nx, base.y + far * uy + far * ny},
                                                       {base.x - far * ux + far * nx, base.y - far * uy + far * ny}});
    return layout::Area(layout::Intersection({first}, {side})) + layout::Area(layout::Intersection({second}, {side}));
}

void MoveSplitTool::Press(Point at)
{
    if (!Nearest(at, split_))
        return;
    state_ = State::Dragging;
    Move(at);
}

void MoveSplitTool::Move(Point at)
{
    if (state_ != State::Dragging)
        return;
    // The old line moved across to the mouse.
    const double length = plan::Distance(split_.from, split_.to);
    const double nx = -(split_.to.y - split_.from.y) / length, ny = (split_.to.x - split_.from.x) / length;
    const double offset = (at.x - split_.from.x) * nx + (at.y - split_.from.y) * ny;
    auto* line =
        new QGraphicsLineItem(QLineF(PlanScene::ToScene({split_.from.x + offset * nx, split_.from.y + offset * ny}),
                                     PlanScene::ToScene({split_.to.x + offset * nx, split_.to.y + offset * ny})));
    QPen pen(PreviewColour());
    pen.setCosmetic(true);
    pen.setWidthF(2);
    pen.setStyle(Qt::DashLine);
    line->setPen(pen);
    Preview({line});
}

void MoveSplitTool::Release(Point at)
{
    if (state_ != State::Dragging)
        return;
    const Split split = split_;
    const double area = FirstAreaAt(split, at);
    Cancel();
    const float before = context_.project().rounds[split.firstRound].roundFields[split.firstPart].assignedPart;
    if (std::fabs(std::round(area * 100) / 100 - before) < 0.005)
        return; // not moved: nothing to record
    context_.commit("IDS_STEPMOVESPLIT", [&](TProject& p) {
        MoveSplit(p, context_.devices(), split.firstRound, split.firstPart, split.secondRound, split.secondPart, area);
    });
}

void MoveSplitTool::Cancel()
{
    state_ = State::Idle;
    split_ = {};
    ClearPreview();
}

} // namespace kalorina::gui
