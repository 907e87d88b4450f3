// Laying tubes on the plan: how a room's floor is shared among its circuit parts,
// the feed pipes' way through the doors, the laid length in the hydraulics and the
// file, the one step it is in the history, and circuits too long for their tube.
#include <gtest/gtest.h>

#include <cmath>
#include <deque>

#include "ProjectTestSupport.h"
#include "app/CircuitEditor.h"
#include "app/MainController.h"
#include "app/ProjectFiles.h"
#include "catalogue/TDevices.h"
#include "check/DesignCheck.h"
#include "design/ManifoldDesign.h"
#include "document/LayoutInputs.h"
#include "lang/BuiltInTexts.h"
#include "layout/Clip.h"
#include "layout/Layout.h"
#include "layout/Regions.h"
#include "layout/Routes.h"
#include "platform/SettingsStore.h"

using namespace kalorina;
using plan::Point;
using plan::Polygon;

namespace {

const TDevices& Catalogue()
{
    static TDevices devices(KALORINA_SOURCE_DIR "/data", "hu");
    return devices;
}

TProject Example(const char* name)
{
    TProject p;
    ReadProjectFile(std::string(KALORINA_SOURCE_DIR "/examples/") + name, p);
    return p;
}

Polygon Rect(double x0, double y0, double x1, double y1)
{
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

double Area(const Polygon& p)
{
    return std::fabs(plan::SignedArea(p));
}

// Whether every point of the polygon lies inside or on the outline.
bool Within(const Polygon& inner, const Polygon& outer)
{
    return std::fabs(layout::Area(layout::Difference({inner}, {outer}))) < 1e-4;
}

double MaxX(const Polygon& p)
{
    double m = -1e300;
    for (const Point& q : p)
        m = std::max(m, q.x);
    return m;
}

double MinX(const Polygon& p)
{
    double m = 1e300;
    for (const Point& q : p)
        m = std::min(m, q.x);
    return m;
}

double MaxY(const Polygon& p)
{
    double m = -1e300;
    for (const Point& q : p)
        m = std::max(m, q.y);
    return m;
}

struct Answers : MessageService {
    MessageAnswer Show(MessageKind kind, const std::string&, const std::string& text) override
    {
        texts.push_back(text);
        if (answers.empty())
            return kind == MessageKind::Warning ? MessageAnswer::Ok : MessageAnswer::No;
        const MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::deque<MessageAnswer> answers;
    std::vector<std::string> texts;
};
struct NoFiles : FileDialogService {
    std::string Run(const FileDialogRequest&) override { return {}; }
};

// The main window's commands on the shipped villa, without widgets.
class LayoutCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetSettingsStore(std::make_unique<MemorySettingsStore>());
        controller.LoadCatalogue(KALORINA_SOURCE_DIR "/data", "hu");
        ASSERT_TRUE(controller.OpenFile(KALORINA_SOURCE_DIR "/examples/villa.klp"));
    }
    Answers messages;
    NoFiles files;
    MainController controller{messages, files};
};

} // namespace

// Parts follow one another from the entry across the longer side, each with its
// area; what they leave lies at the far end; an edge zone takes a strip along the
// outside walls; an L room is shared the same way.  Regions never overlap and stay
// inside the room.
TEST(LayoutRegions, PartsShareTheRoomByTheirAreas)
{
    layout::RegionRequest r;
    r.outline = Rect(0, 0, 6, 4);
    r.entry = {0, 2};
    r.parts = {{10, false}, {12, false}};
    auto regions = layout::RoomRegions(r);
    ASSERT_EQ(regions.size(), 2u);
    EXPECT_NEAR(Area(regions[0]), 10, 0.2);
    EXPECT_NEAR(Area(regions[1]), 12, 0.24);
    EXPECT_FALSE(plan::Overlap(regions[0], regions[1]));
    EXPECT_NEAR(MaxX(regions[0]), 2.5, 0.01) << "the first part lies at the entry";
    EXPECT_NEAR(MaxX(regions[1]), 5.5, 0.01) << "the 2 m2 no part covers lie at the far end";

    // From the other end when the pipes come in there.
    r.entry = {6, 1};
    regions = layout::RoomRegions(r);
    EXPECT_NEAR(MaxX(regions[0]), 6, 1e-6);
    // The bare floor keeps away from an outside wall, wherever the pipes come in.
    r.entry = {6, 1};
    r.outsideWalls = {{{0, 4}, {0, 0}}};
    regions = layout::RoomRegions(r);
    EXPECT_NEAR(MinX(regions[0]), 0, 1e-6) << "the first part along the outside wall";
    EXPECT_NEAR(MinX(regions[1]), 2.5, 0.01);
    EXPECT_NEAR(MaxX(regions[1]), 5.5, 0.01);
    r.outsideWalls.clear();

    // An edge zone along the one outside wall (the bottom one).
    r.entry = {0, 2};
    r.parts = {{3, true}, {21, false}};
    r.outsideWalls = {{{0, 0}, {6, 0}}};
    regions = layout::RoomRegions(r);
    EXPECT_NEAR(Area(regions[0]), 3, 0.06);
    EXPECT_NEAR(MaxY(regions[0]), 0.5, 0.01);
    EXPECT_NEAR(Area(regions[1]), 21, 0.42);
    EXPECT_FALSE(plan::Overlap(regions[0], regions[1]));

    // An L: 6 x 4 without its top right 3 x 2 corner (18 m2).
    r.outline = {{0, 0}, {6, 0}, {6, 2}, {3, 2}, {3, 4}, {0, 4}};
    r.outsideWalls.clear();
    r.parts = {{9, false}, {8, false}};
    regions = layout::RoomRegions(r);
    for (std::size_t i = 0; i < regions.size(); ++i) {
        EXPECT_NEAR(Area(regions[i]), r.parts[i].area, 0.02 * r.parts[i].area) << i;
        EXPECT_TRUE(Within(regions[i], r.outline)) << i;
    }
    EXPECT_FALSE(plan::Overlap(regions[0], regions[1]));

    // A room the parts overfill gives the last part what is left, none beyond.
    r.outline = Rect(0, 0, 2, 2);
    r.parts = {{3, false}, {3, false}};
    regions = layout::RoomRegions(r);
    EXPECT_NEAR(Area(regions[0]) + Area(regions[1]), 4, 1e-3);
}

// The feed pipes go from room to room only through doors, the shortest way, and
// round the inner corner of an L room rather than through its wall.
TEST(LayoutRoutes, ThroughDoorsAndRoundCorners)
{
    plan::Plan p;
    p.floors.push_back({"F", 0});
    p.outlines = {{1, 0, Rect(0, 0, 4, 4)}, {2, 0, Rect(4, 0, 8, 4)}, {3, 0, Rect(8, 0, 12, 4)}};
    p.doors = {{0, 1, 2, {4, 1}, {4, 2}}, {0, 2, 3, {8, 2}, {8, 3}}, {0, 3, 0, {12, 1}, {12, 2}}};
    const layout::FloorMap map = layout::FloorOf(p, 0);
    EXPECT_EQ(map.doors.size(), 2u) << "a door to the outside leads no pipe";
    EXPECT_EQ(map.RoomAt({5, 1}), 2);
    const auto route = layout::ShortestRoute(map, {1, 1}, 1, {11, 3}, 3);
    ASSERT_TRUE(route);
    ASSERT_EQ(route->size(), 4u);
    EXPECT_EQ((*route)[1], (Point{4, 1.5}));
    EXPECT_EQ((*route)[2], (Point{8, 2.5}));
    const double expected =
        plan::Distance({1, 1}, {4, 1.5}) + plan::Distance({4, 1.5}, {8, 2.5}) + plan::Distance({8, 2.5}, {11, 3});
    EXPECT_NEAR(plan::PolylineLength(*route), expected, 1e-9);

    // Without the second door there is no way into the third room.
    p.doors.erase(p.doors.begin() + 1);
    EXPECT_FALSE(layout::ShortestRoute(layout::FloorOf(p, 0), {1, 1}, 1, {11, 3}, 3));

    // In an L the way bends at the inner corner, inside the room.
    const Polygon l = {{0, 0}, {6, 0}, {6, 2}, {2, 2}, {2, 6}, {0, 6}};
    const plan::Polyline way = layout::PathInRoom(l, {5, 1}, {1, 5});
    ASSERT_EQ(way.size(), 3u);
    EXPECT_LT(way[1].x, 2);
    EXPECT_LT(way[1].y, 2);
    EXPECT_LT(plan::Distance(way[1], {2, 2}), 0.06);

    // Feed pipes a spacing apart: the offset lines of a bent route.
    const plan::Polyline centre = {{0, 0}, {4, 0}, {4, 4}};
    const plan::Polyline left = layout::OffsetLine(centre, 0.1);
    EXPECT_NEAR(left[0].y, 0.1, 1e-12);
    EXPECT_NEAR(left[1].x, 3.9, 1e-12);
    EXPECT_NEAR(left[1].y, 0.1, 1e-12);
    EXPECT_NEAR(left[2].x, 3.9, 1e-12);
}

// Laid, a circuit's tube length is the laid length rounded to the centimetre,
// whatever extra length the estimate had; the file keeps the layout and gives the
// same lengths back; a circuit no longer laid takes the estimate again.
TEST(LayoutCircuits, LaidLengthReachesTheHydraulicsAndTheFile)
{
    TProject p = Example("villa.klp");
    p.rounds[0].hydraulic.extraLength = 10;
    p.rounds[0].hydraulic.extraInMetres = 1;
    const LayoutOutcome outcome = LayCircuits(p, Catalogue(), {});
    ASSERT_FALSE(outcome.circuits.empty());
    int laid = 0;
    for (const LaidCircuit& c : outcome.circuits) {
        if (!c.laid)
            continue;
        ++laid;
        const TRoundItem& r = p.rounds[c.round];
        EXPECT_TRUE(LayoutCurrent(p, r));
        EXPECT_FLOAT_EQ(r.hydraulic.tubeLength, float(std::floor(100 * r.layout.length + 0.5) * 0.01)) << c.name;
        EXPECT_NEAR(r.layout.length, r.layout.loopLength + r.layout.routeLength, 1e-9);
        ASSERT_FALSE(r.layout.parts.empty());
        EXPECT_EQ(r.layout.supplyRoute.front(), r.layout.returnRoute.back()) << "both pipes at the manifold";
        EXPECT_EQ(r.layout.supplyRoute.back(), r.layout.parts.front().loop.front());
        EXPECT_EQ(r.layout.returnRoute.front(), r.layout.parts.back().loop.back());
    }
    EXPECT_GT(laid, 0);

    const TProject back = test::Read(test::Bytes(p));
    ASSERT_EQ(back.rounds.size(), p.rounds.size());
    for (std::size_t r = 0; r < p.rounds.size(); ++r) {
        EXPECT_EQ(back.rounds[r].layout, p.rounds[r].layout) << r;
        EXPECT_EQ(back.rounds[r].hydraulic.tubeLength, p.rounds[r].hydraulic.tubeLength) << r;
    }
    // The recalculated project stores what it shows, laid and also designed.
    const auto [shown, recalculated] = test::ShownAndRecalculated(back, Catalogue());
    EXPECT_TRUE(shown == recalculated);
    const DesignOutcome designed = DesignManifolds(back, Catalogue());
    for (const TRoundItem& r : designed.project.rounds)
        if (r.layout.laid)
            EXPECT_NEAR(r.hydraulic.tubeLength, r.layout.length, 0.005) << r.roundName;
    const auto [designedShown, designedRecalculated] =
        test::ShownAndRecalculated(test::Read(test::Bytes(designed.project)), Catalogue());
    EXPECT_TRUE(designedShown == designedRecalculated);

    // Laying again changes nothing that did not change; moving a corner of a room
    // puts its circuits out of date, and only those are laid anew.
    TProject again = p;
    const LayoutOutcome kept = LayCircuits(again, Catalogue(), {});
    for (const LaidCircuit& c : kept.circuits)
        EXPECT_EQ(c.kept, c.laid) << c.name;
    const std::int32_t roomId = p.rounds[0].roundFields[0].roomRef;
    plan::RoomOutline* o = nullptr;
    for (auto& outline : again.plan.outlines)
        if (outline.roomId == roomId)
            o = &outline;
    ASSERT_TRUE(o);
    EXPECT_TRUE(LayoutCurrent(again, again.rounds[0]));
    const plan::Point moved{o->outline[2].x, o->outline[2].y - 0.2};
    o->outline[2] = moved;
    EXPECT_FALSE(LayoutCurrent(again, again.rounds[0]));
    // The check says so, and the laid length stays in use until it is laid again.
    bool told = false;
    for (const DesignProblem& problem : CheckDesign(again, Catalogue()))
        told = told || (problem.kind == ProblemKind::LayoutStale && problem.roundName == again.rounds[0].roundName);
    EXPECT_TRUE(told);
    const LayoutOutcome relaid = LayCircuits(again, Catalogue(), {});
    for (const LaidCircuit& c : relaid.circuits) {
        const bool inRoom =
            std::any_of(again.rounds[c.round].roundFields.begin(), again.rounds[c.round].roundFields.end(),
                        [&](const FloorHeatingRoundField& f) { return f.roomRef == roomId; });
        if (c.laid && again.rounds[c.round].layout.floor == o->floor && inRoom)
            EXPECT_FALSE(c.kept) << c.name;
    }
    EXPECT_TRUE(LayoutCurrent(again, again.rounds[0]));

    // The estimate comes back once the circuit is no longer laid.
    p.rounds[0].layout = plan::CircuitLayout{};
    p.rounds[0].Recalculate(p, Catalogue());
    EXPECT_FLOAT_EQ(p.rounds[0].hydraulic.tubeLength,
                    float(std::floor(100 * (double(p.rounds[0].hydraulic.fieldsTubeLength) + 10) + 0.5) * 0.01));
}

// A file written before tubes were laid opens with every circuit unlaid, and a
// project whose circuits are not laid writes no layout (the bytes older programs
// write); a chosen pattern alone is kept.
TEST(LayoutCircuits, FilesBeforeAndPatternsKept)
{
    TProject p = Example("house.klp");
    for (const TRoundItem& r : p.rounds)
        EXPECT_TRUE(r.layout.Default());
    const std::string bytes = test::Bytes(p);
    EXPECT_EQ(test::Bytes(test::Read(bytes)), bytes);
    p.rounds[1].layout.pattern = plan::LoopPattern::Meander;
    const TProject back = test::Read(test::Bytes(p));
    EXPECT_EQ(back.rounds[1].layout.pattern, plan::LoopPattern::Meander);
    EXPECT_FALSE(back.rounds[1].layout.laid);
    p.options.edgeDistance = 0.15;
    EXPECT_EQ(test::Read(test::Bytes(p)).options.edgeDistance, 0.15);
}

// The command is one step that undoes to the very bytes before it; a circuit that
// cannot be laid is named; with nothing to lay nothing is recorded.
TEST_F(LayoutCommand, OneUndoableStep)
{
    const std::string before = test::Bytes(controller.Project());
    ASSERT_TRUE(controller.LayTubes(MainController::LayScope::Manifold, 0));
    const std::string after = test::Bytes(controller.Project());
    EXPECT_NE(before, after);
    EXPECT_TRUE(controller.Project().modified);
    EXPECT_TRUE(controller.Project().rounds[controller.Project().ManifoldRounds(0)[0]].layout.laid);
    ASSERT_TRUE(controller.Changes().Undo());
    EXPECT_EQ(test::Bytes(controller.Project()), before);
    EXPECT_FALSE(controller.Project().modified);
    ASSERT_TRUE(controller.Changes().Redo());
    EXPECT_EQ(test::Bytes(controller.Project()), after);
    // Laid again unchanged: no second step.
    const std::size_t steps = controller.Changes().Size();
    EXPECT_FALSE(controller.LayTubes(MainController::LayScope::Manifold, 0));
    EXPECT_EQ(controller.Changes().Size(), steps);
}

// A circuit split in two takes half of every part in each, the names made from its
// own, the areas adding up to what it had.
TEST(LayoutCircuits, SplittingACircuit)
{
    TProject p = Example("villa.klp");
    const TRoundItem original = p.rounds[0];
    const std::vector<std::string> names = SplitCircuit(p, Catalogue(), 0, 3);
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0], original.roundName);
    EXPECT_EQ(names[1], original.roundName + "/2");
    ASSERT_EQ(p.rounds.size(), Example("villa.klp").rounds.size() + 2);
    for (std::size_t i = 0; i < original.roundFields.size(); ++i) {
        float sum = 0;
        for (int k = 0; k < 3; ++k)
            sum += p.rounds[k].roundFields[i].assignedPart;
        EXPECT_NEAR(sum, original.roundFields[i].assignedPart, 1e-4) << i;
    }
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(p.rounds[k].manifold, original.manifold);
}

// The circuit dialog says which length the hydraulics use: the laid one, the laid
// one gone out of date (another pattern chosen), or the estimate.
TEST(LayoutCircuits, TheCircuitDialogSaysWhichLengthIsUsed)
{
    TProject p = Example("villa.klp");
    {
        CircuitEditor editor(p.rounds[0], p, Catalogue());
        const CircuitView v = editor.View();
        EXPECT_EQ(v.lengthSource, TextOrBuiltIn("IDS_LENGTHESTIMATED"));
        EXPECT_FALSE(v.lengthStale);
    }
    LayCircuits(p, Catalogue(), {0});
    CircuitEditor editor(p.rounds[0], p, Catalogue());
    EXPECT_EQ(editor.View().lengthSource, TextOrBuiltIn("IDS_LENGTHLAID"));
    EXPECT_EQ(editor.View().length.substr(0, 2), std::to_string(int(p.rounds[0].layout.length)).substr(0, 2));
    EXPECT_EQ(editor.Texts().pattern, 0);
    editor.Round().layout.pattern = plan::LoopPattern::Meander;
    const CircuitView stale = editor.View();
    EXPECT_TRUE(stale.lengthStale);
    EXPECT_EQ(stale.lengthSource, TextOrBuiltIn("IDS_LENGTHLAIDSTALE"));
}

// A circuit whose tube would be longer than its tube allows is not laid and keeps
// its estimate; the command asks, then splits it into as many circuits as its
// length needs and lays those, as a step of its own.
TEST_F(LayoutCommand, TooLongACircuitIsSplitOnRequest)
{
    // The living room's two circuits made one: 36 m2 at 300 mm.
    ASSERT_TRUE(controller.Change(StepLabel::Of("IDS_STEPDESIGN"), [](TProject& p) {
        p.rounds[0].roundFields.push_back(p.rounds[1].roundFields[0]);
        p.rounds.erase(p.rounds.begin() + 1);
        p.RecountAssignedSurfaces();
        p.rounds[0].Recalculate(p, Catalogue());
    }));
    const std::size_t circuits = controller.Project().rounds.size();
    const std::string name = controller.Project().rounds[0].roundName;
    {
        TProject p = controller.Project();
        const LayoutOutcome outcome = LayCircuits(p, Catalogue(), {0});
        ASSERT_EQ(outcome.circuits.size(), 1u);
        EXPECT_FALSE(outcome.circuits[0].laid);
        EXPECT_EQ(outcome.circuits[0].splitInto, 2);
        EXPECT_FALSE(p.rounds[0].layout.laid);
        EXPECT_NEAR(p.rounds[0].hydraulic.tubeLength, p.rounds[0].hydraulic.fieldsTubeLength + 6, 0.01)
            << "the estimate stays";
    }
    messages.answers = {MessageAnswer::Yes};
    ASSERT_TRUE(controller.LayTubes(MainController::LayScope::Manifold, 0));
    ASSERT_FALSE(messages.texts.empty());
    EXPECT_NE(messages.texts.back().find(name), std::string::npos) << messages.texts.back();
    const TProject& p = controller.Project();
    ASSERT_EQ(p.rounds.size(), circuits + 1);
    for (int r : p.ManifoldRounds(0)) {
        EXPECT_TRUE(p.rounds[r].layout.laid) << p.rounds[r].roundName;
        EXPECT_LE(p.rounds[r].hydraulic.tubeLength, MaxLoopLength(p.rounds[r].hydraulic, Catalogue()));
    }
    EXPECT_EQ(p.rounds[1].roundName, name + "/2");
    // The split is a step of its own.
    ASSERT_TRUE(controller.Changes().Undo());
    EXPECT_EQ(controller.Project().rounds.size(), circuits);
    EXPECT_FALSE(controller.Project().rounds[0].layout.laid);
}

// The house's one manifold on the ground floor feeds the rooms upstairs through a
// riser at its place: those circuits are laid on the upper floor, and each of their
// two pipes counts the 2.9 m between the floors.
TEST(LayoutCircuits, RoomsUpstairsThroughARiser)
{
    TProject p = Example("house.klp");
    const LayoutOutcome outcome = LayCircuits(p, Catalogue(), {});
    EXPECT_FALSE(outcome.AnyFailed()) << outcome.Warnings().front();
    int upstairs = 0;
    for (const TRoundItem& r : p.rounds) {
        ASSERT_TRUE(r.layout.laid) << r.roundName;
        double flat = plan::PolylineLength(r.layout.supplyRoute) + plan::PolylineLength(r.layout.returnRoute);
        for (const plan::Polyline& join : r.layout.joins)
            flat += plan::PolylineLength(join);
        if (r.layout.floor == 1) {
            ++upstairs;
            EXPECT_DOUBLE_EQ(r.layout.riser, 2.9);
            EXPECT_NEAR(r.layout.routeLength, flat + 5.8, 1e-9);
        } else {
            EXPECT_EQ(r.layout.riser, 0);
        }
        EXPECT_EQ(r.layout.supplyRoute.front(), p.plan.manifolds[0].position);
    }
    EXPECT_GT(upstairs, 0);
    const TProject back = test::Read(test::Bytes(p));
    for (std::size_t r = 0; r < p.rounds.size(); ++r)
        EXPECT_EQ(back.rounds[r].layout, p.rounds[r].layout);
}
