#include "layout/Routes.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <queue>

namespace kalorina::layout {

namespace {

using plan::Point;

double Cross(Point o, Point a, Point b)
{
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// Whether the segments cross in a point inside both (touching is no crossing).
bool ProperlyCross(Point a, Point b, Point c, Point d)
{
    const double d1 = Cross(a, b, c), d2 = Cross(a, b, d), d3 = Cross(c, d, a), d4 = Cross(c, d, b);
    constexpr double e = 1e-12;
    return ((d1 > e && d2 < -e) || (d1 < -e && d2 > e)) && ((d3 > e && d4 < -e) || (d3 < -e && d4 > e));
}

bool InsideOrOn(const plan::Polygon& p, Point q)
{
    return plan::StrictlyInside(p, q) || plan::OnBoundary(p, q);
}

// Whether the segment stays within the room: it crosses no wall and no piece of it
// lies outside (sampled between the walls' corners it may touch).
bool Visible(const plan::Polygon& room, Point a, Point b)
{
    for (std::size_t i = 0; i < room.size(); ++i)
        if (ProperlyCross(a, b, room[i], room[(i + 1) % room.size()]))
            return false;
    for (int k = 1; k < 16; ++k) {
        const double t = k / 16.0;
        if (!InsideOrOn(room, {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)}))
            return false;
    }
    return true;
}

// A reflex corner moved a little into the room, so that a way round it does not run
// along the wall.
std::vector<Point> InnerCorners(const plan::Polygon& room)
{
    std::vector<Point> out;
    const plan::Polygon p = plan::CounterClockwise(room);
    const std::size_t n = p.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Point a = p[(i + n - 1) % n], b = p[i], c = p[(i + 1) % n];
        if (Cross(a, b, c) >= 0)
            continue; // convex
        const double l1 = plan::Distance(a, b), l2 = plan::Distance(b, c);
        if (l1 <= 0 || l2 <= 0)
            continue;
        // Away from both walls: along the sum of the inward normals.
        const double nx = -(b.y - a.y) / l1 - (c.y - b.y) / l2, ny = (b.x - a.x) / l1 + (c.x - b.x) / l2;
        const double nl = std::hypot(nx, ny);
        if (nl <= 0)
            continue;
        const Point q{b.x + 0.05 * nx / nl, b.y + 0.05 * ny / nl};
        if (plan::StrictlyInside(p, q))
            out.push_back(q);
    }
    return out;
}

// Dijkstra over a small dense graph; the nodes' order along the shortest way.
std::vector<std::size_t> Shortest(const std::vector<std::vector<double>>& cost, std::size_t from, std::size_t to)
{
    const std::size_t n = cost.size();
    std::vector<double> dist(n, std::numeric_limits<double>::infinity());
    std::vector<std::size_t> previous(n, n);
    std::vector<bool> done(n, false);
    dist[from] = 0;
    for (std::size_t step = 0; step < n; ++step) {
        std::size_t u = n;
        for (std::size_t i = 0; i < n; ++i)
            if (!done[i] && (u == n || dist[i] < dist[u]))
                u = i;
        if (u == n || !std::isfinite(dist[u]))
            break;
        done[u] = true;
        if (u == to)
            break;
        for (std::size_t v = 0; v < n; ++v)
            if (std::isfinite(cost[u][v]) && dist[u] + cost[u][v] < dist[v]) {
                dist[v] = dist[u] + cost[u][v];
                previous[v] = u;
            }
    }
    if (!std::isfinite(dist[to]))
        return {};
    std::vector<std::size_t> path{to};
    while (path.back() != from)
        path.push_back(previous[path.back()]);
    std::reverse(path.begin(), path.end());
    return path;
}

} // namespace

std::int32_t FloorMap::RoomAt(Point p) const
{
    for (const plan::RoomOutline& o : rooms)
        if (plan::StrictlyInside(o.outline, p))
            return o.roomId;
    for (const plan::RoomOutline& o : rooms)
        if (plan::OnBoundary(o.outline, p))
            return o.roomId;
    return 0;
}

const plan::Polygon* FloorMap::Outline(std::int32_t roomId) const
{
    for (const plan::RoomOutline& o : rooms)
        if (o.roomId == roomId)
            return &o.outline;
    return nullptr;
}

FloorMap FloorOf(const plan::Plan& plan, int floor)
{
    FloorMap map;
    for (const plan::RoomOutline& o : plan.outlines)
        if (o.floor == floor)
            map.rooms.push_back(o);
    for (const plan::Door& d : plan.doors)
        if (d.floor == floor && d.roomB != 0)
            map.doors.push_back(d);
    return map;
}

plan::Polyline PathInRoom(const plan::Polygon& outline, Point from, Point to)
{
    if (Visible(outline, from, to))
        return {from, to};
    std::vector<Point> nodes{from, to};
    for (Point q : InnerCorners(outline))
        nodes.push_back(q);
    const std::size_t n = nodes.size();
    std::vector<std::vector<double>> cost(n, std::vector<double>(n, std::numeric_limits<double>::infinity()));
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j)
            if (Visible(outline, nodes[i], nodes[j]))
                cost[i][j] = cost[j][i] = plan::Distance(nodes[i], nodes[j]);
    const std::vector<std::size_t> order = Shortest(cost, 0, 1);
    if (order.empty())
        return {from, to};
    plan::Polyline path;
    for (std::size_t i : order)
        path.push_back(nodes[i]);
    return path;
}

std::optional<plan::Polyline> ShortestRoute(const FloorMap& map, Point from, std::int32_t fromRoom, Point to,
                                            std::int32_t toRoom)
{
    const plan::Polygon* start = map.Outline(fromRoom);
    if (!start || !map.Outline(toRoom))
        return std::nullopt;
    if (fromRoom == toRoom)
        return PathInRoom(*start, from, to);
    // Nodes: the two ends and the middle of every door; two nodes are joined when a
    // room holds both, at the length of the way through that room.
    struct Node {
        Point at;
        std::int32_t roomA, roomB;
    };
    std::vector<Node> nodes{{from, fromRoom, fromRoom}, {to, toRoom, toRoom}};
    for (const plan::Door& d : map.doors)
        nodes.push_back({{(d.from.x + d.to.x) / 2, (d.from.y + d.to.y) / 2}, d.roomA, d.roomB});
    const std::size_t n = nodes.size();
    const auto shared = [&](const Node& a, const Node& b) -> std::int32_t {
        for (std::int32_t r : {a.roomA, a.roomB})
            if (r == b.roomA || r == b.roomB)
                return r;
        return 0;
    };
    std::vector<std::vector<double>> cost(n, std::vector<double>(n, std::numeric_limits<double>::infinity()));
    std::vector<std::vector<std::int32_t>> via(n, std::vector<std::int32_t>(n, 0));
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j)
            if (const std::int32_t room = shared(nodes[i], nodes[j]))
                if (const plan::Polygon* outline = map.Outline(room)) {
                    cost[i][j] = cost[j][i] = plan::PolylineLength(PathInRoom(*outline, nodes[i].at, nodes[j].at));
                    via[i][j] = via[j][i] = room;
                }
    const std::vector<std::size_t> order = Shortest(cost, 0, 1);
    if (order.empty())
        return std::nullopt;
    plan::Polyline route{from};
    for (std::size_t k = 1; k < order.size(); ++k) {
        const plan::Polyline piece =
            PathInRoom(*map.Outline(via[order[k - 1]][order[k]]), nodes[order[k - 1]].at, nodes[order[k]].at);
        route.insert(route.end(), piece.begin() + 1, piece.end());
    }
    return route;
}

plan::Polyline OffsetLine(const plan::Polyline& line, double offset)
{
    plan::Polyline out;
    const std::size_t n = line.size();
    if (n < 2)
        return line;
    const auto normal = [&](std::size_t i) {
        const Point a = line[i], b = line[i + 1];
        const double l = plan::Distance(a, b);
        return l > 0 ? Point{-(b.y - a.y) / l, (b.x - a.x) / l} : Point{0, 0};
    };
    for (std::size_t i = 0; i < n; ++i) {
        Point m;
        if (i == 0)
            m = normal(0);
        else if (i == n - 1)
            m = normal(n - 2);
        else {
            const Point n1 = normal(i - 1), n2 = normal(i);
            const double dot = 1 + n1.x * n2.x + n1.y * n2.y;
            m = dot > 1e-6 ? Point{(n1.x + n2.x) / dot, (n1.y + n2.y) / dot} : n1;
        }
        out.push_back({line[i].x + offset * m.x, line[i].y + offset * m.y});
    }
    return out;
}

} // namespace kalorina::layout
