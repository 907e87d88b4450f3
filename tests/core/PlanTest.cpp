// The floor plan: outlines as polygons in metres, their areas, the refusal of
// crossing and overlapping outlines, snapping, the plan stored beside the rooms
// and rooms taking their areas from their outlines.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "app/PlanEditor.h"
#include "app/PlanJson.h"
#include "document/Stream.h"
#include "document/TProject.h"
#include "history/History.h"
#include "plan/DxfReader.h"
#include "plan/Geometry.h"
#include "util/Error.h"

using namespace kalorina;
using namespace kalorina::plan;

namespace {

Polygon Rect(double x, double y, double w, double h)
{
    return {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}};
}

TProject Reread(const TProject& p)
{
    TMemoryStream s;
    p.WriteToStream(s);
    TMemoryStream in(s.Data());
    TProject back;
    back.ReadFromStream(in);
    return back;
}

} // namespace

// An L of 4 × 2 and 2 × 2 m: 12 m2 either way round; stored counter-clockwise.
TEST(Plan, AreaAndOrientation)
{
    const Polygon l = {{0, 0}, {4, 0}, {4, 2}, {2, 2}, {2, 4}, {0, 4}};
    EXPECT_DOUBLE_EQ(SignedArea(l), 12);
    Polygon clockwise(l.rbegin(), l.rend());
    EXPECT_DOUBLE_EQ(SignedArea(clockwise), -12);
    EXPECT_FALSE(IsCounterClockwise(clockwise));
    EXPECT_TRUE(IsCounterClockwise(CounterClockwise(clockwise)));
    EXPECT_DOUBLE_EQ(RoundedArea(clockwise), 12);
    // Areas to 0.01 m2: 3.333 × 3 = 9.999 → 10.00; 1.234 × 1.001 = 1.235234 → 1.24.
    EXPECT_DOUBLE_EQ(RoundedArea(Rect(0, 0, 3.333, 3)), 10.0);
    EXPECT_DOUBLE_EQ(RoundedArea(Rect(5, 5, 1.234, 1.001)), 1.24);
}

TEST(Plan, OutlinesThatAreNoRooms)
{
    EXPECT_EQ(CheckOutline({{0, 0}, {1, 0}}), OutlineFault::TooFewCorners);
    EXPECT_EQ(CheckOutline({{0, 0}, {1, 0}, {1, 1}, {1, 0}}), OutlineFault::RepeatedCorner);
    EXPECT_EQ(CheckOutline({{0, 0}, {1, 0}, {2, 0}}), OutlineFault::NoArea);
    // A figure of eight crosses itself, with area on both sides.
    EXPECT_EQ(CheckOutline({{0, 0}, {4, 0}, {0, 3}, {4, 3}}), OutlineFault::SelfCrossing);
    // A spike that folds back along its own edge, and a corner on another edge.
    EXPECT_EQ(CheckOutline({{0, 0}, {4, 0}, {4, 4}, {4, 2}, {0, 4}}), OutlineFault::SelfCrossing);
    EXPECT_EQ(CheckOutline({{0, 0}, {4, 0}, {4, 4}, {2, 0.0}, {0, 4}}), OutlineFault::SelfCrossing);
    EXPECT_EQ(CheckOutline({{0, 0}, {4, 0}, {4, 4}, {2, 0.00001}, {0, 4}}), OutlineFault::SelfCrossing);
    EXPECT_EQ(CheckOutline({{0, 0}, {4, 0}, {4, 2}, {2, 2}, {2, 4}, {0, 4}}), OutlineFault::None);
}

// Neighbours share walls and corners exactly: that is no overlap; any shared area
// is, whether edges cross, one lies inside the other, or both are the same.
TEST(Plan, OverlapAndSharedWalls)
{
    const Polygon a = Rect(0, 0, 4, 3);
    EXPECT_FALSE(Overlap(a, Rect(4, 0, 3, 3)));   // a shared wall
    EXPECT_FALSE(Overlap(a, Rect(4, 1, 3, 5)));   // part of a wall
    EXPECT_FALSE(Overlap(a, Rect(4, 3, 2, 2)));   // a corner
    EXPECT_FALSE(Overlap(a, Rect(10, 10, 1, 1))); // apart
    EXPECT_TRUE(Overlap(a, Rect(3.9, 0, 3, 3)));  // 10 cm into it
    EXPECT_TRUE(Overlap(a, Rect(1, 1, 1, 1)));    // inside
    EXPECT_TRUE(Overlap(Rect(1, 1, 1, 1), a));    // around
    EXPECT_TRUE(Overlap(a, a));                   // the same
    EXPECT_TRUE(Overlap(a, Rect(0, 0, 4, 1.5)));  // inside, sharing three walls
    const Polygon u = {{0, 0}, {6, 0}, {6, 4}, {4, 4}, {4, 1}, {2, 1}, {2, 4}, {0, 4}};
    EXPECT_FALSE(Overlap(u, Rect(2, 1, 2, 3))); // the courtyard of a U
    EXPECT_TRUE(Overlap(u, Rect(1.9, 1, 2, 3)));
}

TEST(Plan, SnappingToGridCornersAndEdges)
{
    const Point g = SnapToGrid({1.023, 2.976}, 0.05);
    EXPECT_NEAR(g.x, 1.0, 1e-12);
    EXPECT_NEAR(g.y, 3.0, 1e-12);
    const std::vector<Polygon> rooms = {Rect(0, 0, 4, 3)};
    // Near a corner the corner wins, near an edge the nearest point on it.
    EXPECT_EQ(SnapToOutlines({4.08, 3.05}, rooms, 0.15), (Point{4, 3}));
    const auto edge = SnapToOutlines({4.06, 1.3}, rooms, 0.15);
    ASSERT_TRUE(edge);
    EXPECT_NEAR(edge->x, 4, 1e-12);
    EXPECT_NEAR(edge->y, 1.3, 1e-12);
    EXPECT_FALSE(SnapToOutlines({5, 1.3}, rooms, 0.15));
}

// The plan is stored beside the rooms, read back the same; a file without one has
// none; an outline that crosses itself or names no room is damage.
TEST(Plan, StoredAndReadBack)
{
    TProject p;
    p.AddNewRoom();
    p.AddNewRoom();
    const TProject without = Reread(p);
    EXPECT_TRUE(without.plan.Empty());
    EXPECT_TRUE(without.SameContent(p));

    p.plan.floors = {{"Ground", 0}, {"Upper", 2.9}};
    p.plan.outlines = {{p.rooms[0].roomId, 0, Rect(0, 0, 4.25, 3)}, {p.rooms[1].roomId, 1, Rect(0, 0, 2, 2)}};
    p.plan.doors = {{0, p.rooms[0].roomId, 0, {1, 0}, {1.9, 0}}};
    p.plan.manifolds = {{0, 0, {3.9, 2.9}}};
    // An underlay of more lines than one block holds.
    for (int i = 0; i < 2500; ++i)
        p.plan.underlay.push_back({i % 2, {i * 0.01, 0}, {i * 0.01, 1}});
    const TProject back = Reread(p);
    EXPECT_EQ(back.plan.underlay.size(), 2500u);
    EXPECT_EQ(back.plan.outlines, p.plan.outlines);
    EXPECT_EQ(back.plan.doors, p.plan.doors);
    EXPECT_EQ(back.plan.manifolds, p.plan.manifolds);
    EXPECT_NEAR(back.plan.doors[0].Width(), 0.9, 1e-12);
    p.plan.underlay.clear();

    // A corner moved across the room in the file (4.25 made -4.25): the outline
    // crosses itself, and the file is refused as damaged.
    TMemoryStream out;
    p.WriteToStream(out);
    std::string bytes = out.Data();
    const double x = 4.25, minus = -4.25;
    const std::string pattern(reinterpret_cast<const char*>(&x), sizeof x);
    const std::size_t at = bytes.find(pattern);
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, sizeof minus, std::string(reinterpret_cast<const char*>(&minus), sizeof minus));
    TMemoryStream in(bytes);
    TProject damaged;
    EXPECT_THROW(damaged.ReadFromStream(in), KalorinaError);
}

// A room drawn takes its area from its outline; moving a corner is one step that
// undo takes back with the area.
TEST(Plan, RoomsTakeTheirAreasAndUndoTakesThemBack)
{
    TProject p;
    p.AddNewRoom();
    p.rooms[0].floorArea = 20;
    p.plan.floors = {{"Ground", 0}};
    p.plan.outlines = {{p.rooms[0].roomId, 0, Rect(0, 0, 4.25, 3)}};
    EXPECT_EQ(p.ApplyOutlineAreas(), 1);
    EXPECT_FLOAT_EQ(p.rooms[0].floorArea, 12.75f);
    History history(p);
    ASSERT_TRUE(history.Change(StepLabel::Of("IDS_STEPMODIFY"), [](TProject& q) {
        q.plan.outlines[0].outline[1].x = 5;
        q.plan.outlines[0].outline[2].x = 5;
        q.ApplyOutlineAreas();
    }));
    EXPECT_FLOAT_EQ(p.rooms[0].floorArea, 15.0f);
    ASSERT_TRUE(history.Undo());
    EXPECT_FLOAT_EQ(p.rooms[0].floorArea, 12.75f);
    EXPECT_DOUBLE_EQ(p.plan.outlines[0].outline[1].x, 4.25);
}

// The JSON form: what is exported imports back the same; a room the project lacks
// is added; faults name their place and change nothing.
TEST(Plan, JsonRoundTripAndRefusals)
{
    TProject p;
    p.AddNewRoom();
    p.RenameItem(0, true, "Living");
    const std::string json = R"({"floors":[{"name":"Ground","level":0,
        "rooms":[{"room":"Living","outline":[[0,0],[0,4],[7,4],[7,0]]},
                 {"room":"Hall","outline":[[7,0],[9,0],[9,4],[7,4]]}],
        "doors":[{"rooms":["Living","Hall"],"at":[[7,1],[7,1.9]]},{"rooms":["Hall",""],"at":[[9,1],[9,2]]}],
        "manifolds":[{"manifold":")"
        + p.manifolds[0].name + R"(","position":[8.5,3.5]}]}]})";
    ImportPlan(p, json);
    ASSERT_EQ(p.rooms.size(), 2u);
    EXPECT_EQ(p.rooms[1].roomName, "Hall");
    EXPECT_FLOAT_EQ(p.rooms[0].floorArea, 28.0f);
    EXPECT_FLOAT_EQ(p.rooms[1].floorArea, 8.0f);
    EXPECT_TRUE(IsCounterClockwise(p.plan.outlines[0].outline)) << "stored counter-clockwise";
    ASSERT_EQ(p.plan.doors.size(), 2u);
    EXPECT_EQ(p.plan.doors[1].roomB, 0) << "to the outside";

    TProject again = p;
    again.plan = {};
    ImportPlan(again, ExportPlan(p));
    EXPECT_EQ(again.plan, p.plan);

    const std::pair<const char*, const char*> faults[] = {
        {R"({"floors":[{"rooms":[{"room":"A","outline":[[0,0],[4,0],[0,3],[4,3]]}]}]})", "floors[0].rooms[0].outline"},
        {R"({"floors":[{"rooms":[{"room":"A","outline":[[0,0],[4,0],[4,4],[0,4]]},
                                 {"room":"B","outline":[[3,3],[6,3],[6,6],[3,6]]}]}]})",
         "\"A\""},
        {R"({"floors":[{"manifolds":[{"manifold":"Nowhere","position":[1,1]}]}]})", "Nowhere"},
        {R"({"floors":[{"rooms":[{"room":"A","outline":[[0,0],[4,0],[4,"x"]]}]}]})", "outline[2]"},
        {R"({"floors":[{"rooms":[{"room":"A","outline":[[0,0],[4,0],[4,4]]}],"walls":[]}]})", "walls"},
    };
    for (const auto& [text, place] : faults) {
        TProject before = p;
        try {
            ImportPlan(p, text);
            ADD_FAILURE() << text;
        } catch (const KalorinaError& e) {
            EXPECT_NE(std::string(e.what()).find(place), std::string::npos) << e.what();
        }
        EXPECT_TRUE(p.SameContent(before)) << text;
        EXPECT_EQ(p.rooms.size(), before.rooms.size());
    }
}

namespace {

// A DXF drawing as a CAD program writes its entities: group code and value lines.
struct DxfWriter {
    std::string text = "0\nSECTION\n2\nENTITIES\n";
    void Pair(int code, const std::string& value) { text += std::to_string(code) + "\n" + value + "\n"; }
    void Pair(int code, double value) { Pair(code, std::to_string(value)); }
    void LwPolyline(const std::string& layer, const std::vector<std::array<double, 3>>& corners, bool closed)
    {
        Pair(0, "LWPOLYLINE");
        Pair(8, layer);
        Pair(90, std::to_string(corners.size()));
        Pair(70, closed ? "1" : "0");
        for (const auto& c : corners) {
            Pair(10, c[0]);
            Pair(20, c[1]);
            if (c[2] != 0)
                Pair(42, c[2]);
        }
    }
    void Polyline(const std::string& layer, const std::vector<std::array<double, 2>>& corners)
    {
        Pair(0, "POLYLINE");
        Pair(8, layer);
        Pair(66, "1");
        Pair(70, "1");
        for (const auto& c : corners) {
            Pair(0, "VERTEX");
            Pair(8, layer);
            Pair(10, c[0]);
            Pair(20, c[1]);
        }
        Pair(0, "SEQEND");
    }
    void Text(const std::string& layer, double x, double y, const std::string& value)
    {
        Pair(0, "TEXT");
        Pair(8, layer);
        Pair(10, x);
        Pair(20, y);
        Pair(40, 250.0);
        Pair(1, value);
    }
    std::string Done() { return text + "0\nENDSEC\n0\nEOF\n"; }
};

} // namespace

// Rooms from a drawing in centimetres: an LWPOLYLINE named by a TEXT inside it, a
// POLYLINE without a name, a bay whose arc (bulge 1, a half circle of 1 m radius)
// is laid as chords within 5 cm; another layer's lines and a missing layer.
TEST(Plan, RoomsFromADxfDrawing)
{
    DxfWriter w;
    w.LwPolyline("ROOMS", {{{0, 0, 0}, {700, 0, 0}, {700, 400, 0}, {0, 400, 0}}}, true);
    w.Text("NAMES", 300, 200, "Nappali");
    w.Polyline("ROOMS", {{{700, 0}, {1050, 0}, {1050, 400}, {700, 400}}});
    w.LwPolyline("ROOMS", {{{0, 400, 0}, {400, 400, 0}, {400, 700, 1}, {200, 700, 0}, {0, 700, 0}}}, true);
    w.LwPolyline("WALLS", {{{0, -20, 0}, {1050, -20, 0}}}, false);
    const DxfDrawing d = ReadDxf(w.Done());
    EXPECT_NE(std::find(d.layers.begin(), d.layers.end(), "ROOMS"), d.layers.end());
    EXPECT_NE(std::find(d.layers.begin(), d.layers.end(), "WALLS"), d.layers.end());
    ASSERT_EQ(d.polylines.size(), 4u);
    EXPECT_TRUE(d.polylines[1].closed);
    ASSERT_EQ(d.polylines[1].vertices.size(), 4u);

    // The bay: a 4 × 3 m room whose top edge from (4, 7) to (2, 7) is a half circle
    // about (3, 7), counter-clockwise: it bulges outwards, up to y = 8.
    const Polygon bay = OutlineOf(d.polylines[2], DxfUnit::Centimetre);
    double top = 0;
    for (const Point& p : bay) {
        top = std::max(top, p.y);
        // Every chord end lies on the circle about (3, 7).
        if (p.y > 7 + 1e-9)
            EXPECT_NEAR(Distance(p, {3, 7}), 1.0, 1e-9);
    }
    EXPECT_NEAR(top, 8.0, 0.05);
    const double exact = 12 + std::numbers::pi / 2;
    EXPECT_LT(exact - std::fabs(SignedArea(bay)), 2 * 0.05 * 1.0 * std::numbers::pi / 2 + 1e-9)
        << "chords stray at most 5 cm";

    TProject p;
    p.AddNewRoom();
    p.RenameItem(0, true, "Nappali");
    p.rooms[0].heatDemand = 1234;
    ImportDxf(p, d, "ROOMS", DxfUnit::Centimetre, "Ground");
    ASSERT_EQ(p.rooms.size(), 3u);
    EXPECT_EQ(p.rooms[0].heatDemand, 1234.0f) << "a room matched by name keeps its data";
    EXPECT_FLOAT_EQ(p.rooms[0].floorArea, 28.0f);
    EXPECT_EQ(p.rooms[1].roomName, "Room 1") << "unnamed, in the built-in words";
    EXPECT_FLOAT_EQ(p.rooms[1].floorArea, 14.0f);
    ASSERT_EQ(p.plan.floors.size(), 1u);
    EXPECT_EQ(p.plan.floors[0].name, "Ground");
    // The walls' layer lies under the rooms, in metres.
    ASSERT_EQ(p.plan.underlay.size(), 1u);
    EXPECT_NEAR(p.plan.underlay[0].to.x, 10.5, 1e-9);

    const TProject before = p;
    EXPECT_THROW(ImportDxf(p, d, "WALLS", DxfUnit::Centimetre, "Ground"), KalorinaError);
    EXPECT_THROW(ImportDxf(p, d, "DOORS", DxfUnit::Centimetre, "Ground"), KalorinaError);
    EXPECT_TRUE(p.SameContent(before));
    EXPECT_THROW(ReadDxf("no drawing"), KalorinaError);
}

// A deleted room takes its outline and doors along, a deleted manifold its place
// (the later ones' places follow their manifolds); and whatever the plan points at,
// the file written reads back.
TEST(Plan, DeletionsKeepThePlanReadable)
{
    TProject p;
    p.AddNewRoom();
    p.AddNewRoom();
    p.AddNewManifold();
    p.AddNewManifold();
    const std::int32_t first = p.rooms[0].roomId, second = p.rooms[1].roomId;
    p.plan.floors = {{"Ground", 0}};
    p.plan.outlines = {{first, 0, Rect(0, 0, 4, 3)}, {second, 0, Rect(4, 0, 3, 3)}};
    p.plan.doors = {{0, first, second, {4, 1}, {4, 1.9}}, {0, second, 0, {7, 1}, {7, 2}}};
    p.plan.manifolds = {{0, 0, {1, 1}}, {1, 0, {2, 2}}, {2, 0, {3, 2}}};
    p.DeleteItem(0, true);
    ASSERT_EQ(p.plan.outlines.size(), 1u);
    EXPECT_EQ(p.plan.outlines[0].roomId, second);
    ASSERT_EQ(p.plan.doors.size(), 1u);
    EXPECT_EQ(p.plan.doors[0].roomB, 0);
    p.DeleteManifold(1);
    ASSERT_EQ(p.plan.manifolds.size(), 2u);
    EXPECT_EQ(p.plan.manifolds[1].manifold, 1);
    EXPECT_EQ(p.plan.manifolds[1].position, (Point{3, 2}));
    EXPECT_EQ(Reread(p).plan, p.plan);

    // References nothing keeps in step (a tool's, a bug's) are left out of the file
    // rather than making it unreadable.
    p.plan.outlines.push_back({999, 0, Rect(10, 10, 1, 1)});
    p.plan.manifolds.push_back({7, 0, {0, 0}});
    p.plan.doors.push_back({3, second, 0, {0, 0}, {1, 0}});
    const TProject back = Reread(p);
    EXPECT_EQ(back.plan.outlines.size(), 1u);
    EXPECT_EQ(back.plan.manifolds.size(), 2u);
    EXPECT_EQ(back.plan.doors.size(), 1u);
}

// The plan view's edits: a room drawn beside another sharing its wall is taken, one
// drawn into it is refused and changes nothing; a corner moved changes the area, a
// triangle cannot lose a corner; a door on a shared wall joins the two rooms, one on
// an outside wall leads out; a manifold has one place.
TEST(Plan, EditsOfTheDrawingTools)
{
    TProject p;
    History history(p);
    ASSERT_TRUE(history.Change(StepLabel::Of("IDS_STEPMODIFY"), [](TProject& q) { DrawRoom(q, 0, Rect(0, 0, 4, 3)); }));
    ASSERT_EQ(p.rooms.size(), 1u);
    EXPECT_FLOAT_EQ(p.rooms[0].floorArea, 12.0f);
    EXPECT_EQ(p.plan.floors.size(), 1u);
    ASSERT_TRUE(history.Change(StepLabel::Of("IDS_STEPMODIFY"), [](TProject& q) { DrawRoom(q, 0, Rect(4, 0, 3, 3)); }));
    ASSERT_EQ(p.rooms.size(), 2u);
    EXPECT_NE(p.rooms[0].roomName, p.rooms[1].roomName);
    const TProject before = p;
    EXPECT_THROW(history.Change(StepLabel::Of("IDS_STEPMODIFY"), [](TProject& q) { DrawRoom(q, 0, Rect(3, 1, 2, 1)); }),
                 KalorinaError);
    EXPECT_TRUE(p.SameContent(before)) << "a refused room changes nothing";

    const std::int32_t a = p.rooms[0].roomId, b = p.rooms[1].roomId;
    MoveCorner(p, a, 3, {0, 4}); // (0, 3) up to (0, 4): a trapezium of 14 m2
    EXPECT_FLOAT_EQ(p.rooms[0].floorArea, 14.0f);
    EXPECT_THROW(MoveCorner(p, a, 1, {5, 0}), KalorinaError) << "into the neighbour";
    EXPECT_FLOAT_EQ(p.rooms[0].floorArea, 14.0f);

    PlaceDoor(p, a, {3.9, 1.5});
    ASSERT_EQ(p.plan.doors.size(), 1u);
    EXPECT_EQ(p.plan.doors[0].roomB, b);
    EXPECT_NEAR(p.plan.doors[0].Width(), 0.9, 1e-9);
    EXPECT_NEAR(p.plan.doors[0].from.x, 4, 1e-9);
    PlaceDoor(p, a, {2, -0.2});
    EXPECT_EQ(p.plan.doors[1].roomB, 0) << "to the outside";
    EXPECT_NEAR(p.plan.doors[1].from.y, 0, 1e-9);

    DeleteCorner(p, b, 0);
    EXPECT_FLOAT_EQ(p.rooms[1].floorArea, 4.5f);
    EXPECT_THROW(DeleteCorner(p, b, 0), KalorinaError) << "a triangle keeps its corners";

    PlaceManifold(p, 0, 0, {1, 1});
    PlaceManifold(p, 0, 0, {2, 2});
    ASSERT_EQ(p.plan.manifolds.size(), 1u);
    EXPECT_EQ(p.plan.manifolds[0].position, (Point{2, 2}));
    EXPECT_EQ(RoomAt(p, 0, {1, 1}), a);
    EXPECT_EQ(RoomAt(p, 0, {20, 1}), 0);
}

// A room of 4 × 3 m beside another along its 3 m east wall, 2.5 m high: the east
// wall is 7.5 m2 to the neighbour at its temperature, the other three 4, 3 and 4 m
// outside (10, 7.5 and 10 m2), its 2 m2 window taken off the first; the roof stays.
TEST(Plan, ElementsFromThePlan)
{
    TProject p;
    DrawRoom(p, 0, Rect(0, 0, 4, 3));
    DrawRoom(p, 0, Rect(4, 0, 3, 3));
    p.rooms[1].roomTemperature = 24;
    HeatElement wall, window, roof;
    wall.type = ElementType::Wall;
    wall.u = 0.3f;
    window.type = ElementType::Window;
    window.area = 2;
    window.u = 1.1f;
    roof.type = ElementType::Roof;
    roof.area = 12;
    roof.u = 0.17f;
    const auto elements = ElementsFromPlan(p, p.rooms[0].roomId, 2.5, {wall, window, roof});
    ASSERT_EQ(elements.size(), 6u);
    EXPECT_FLOAT_EQ(elements[0].area, 8.0f); // south, 10 m2 less the window
    EXPECT_FLOAT_EQ(elements[0].u, 0.3f);
    EXPECT_EQ(elements[1].boundary, Boundary::Heated);
    EXPECT_FLOAT_EQ(elements[1].area, 7.5f);
    EXPECT_EQ(elements[1].temperature, 24.0f);
    EXPECT_FLOAT_EQ(elements[2].area, 10.0f);
    EXPECT_FLOAT_EQ(elements[3].area, 7.5f);
    EXPECT_EQ(elements[4].type, ElementType::Window);
    EXPECT_EQ(elements[5].type, ElementType::Roof);
    EXPECT_TRUE(ElementsFromPlan(p, 99, 2.5, {}).empty());
    // A window named after the north wall (edge 3) comes off that one.
    window.name = "3: ablak";
    const auto perWall = ElementsFromPlan(p, p.rooms[0].roomId, 2.5, {wall, window, roof});
    EXPECT_FLOAT_EQ(perWall[0].area, 10.0f);
    EXPECT_FLOAT_EQ(perWall[2].area, 8.0f);
}
