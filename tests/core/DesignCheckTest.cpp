// The design check: each rule broken once in a copy of a sound example design, and
// the shipped examples themselves, which must come through without an error.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "CatalogueTestSupport.h"
#include "app/ProjectFiles.h"
#include "app/ProjectRecalc.h"
#include "catalogue/DeviceKind.h"
#include "catalogue/TDevices.h"
#include "catalogue/TubeDBItem.h"
#include "check/DesignCheck.h"
#include "document/TProject.h"
#include "lang/TLanguages.h"
#include "util/Codepage.h"

using namespace kalorina;

namespace {

const std::string kSource = KALORINA_SOURCE_DIR;

const TDevices& Shipped()
{
    static TDevices devices(kSource + "/data", "hu");
    return devices;
}

std::string Cp(const char* utf8)
{
    return Utf8ToCp1250(utf8);
}

TProject Example(const char* name)
{
    TProject p;
    ReadProjectFile(kSource + "/examples/" + name + ".klp", p);
    RecalculateProject(p, Shipped(), false);
    return p;
}

std::string Describe(const std::vector<DesignProblem>& problems)
{
    std::string out;
    for (const DesignProblem& p : problems)
        out += std::string(ProblemSeverityName(p.severity)) + " " + std::string(ProblemKindName(p.kind)) + " ["
            + Cp1250ToUtf8(p.roomName) + "|" + Cp1250ToUtf8(p.roundName) + "] " + Cp1250ToUtf8(p.text) + "\n";
    return out;
}

TRoomItem& Room(TProject& p, const char* utf8)
{
    const int i = p.FindItem(Cp(utf8), true);
    EXPECT_GE(i, 0) << utf8;
    return p.rooms.at(i);
}

TRoundItem& Round(TProject& p, const char* utf8)
{
    const int i = p.FindItem(Cp(utf8), false);
    EXPECT_GE(i, 0) << utf8;
    return p.rounds.at(i);
}

} // namespace

TEST(DesignCheck, ShippedExamplesHaveNoError)
{
    for (const char* name : {"flat", "house"}) {
        const TProject p = Example(name);
        const TProject before = p;
        const auto problems = CheckDesign(p, Shipped());
        EXPECT_FALSE(AnyDesignError(problems)) << name << ":\n" << Describe(problems);
        EXPECT_TRUE(p.SameContent(before)) << name;
    }
}

// Each case breaks one rule in the flat example and expects exactly that kind of
// problem, on the room or circuit broken, and nothing else new.
TEST(DesignCheck, EachRuleBrokenOnceIsReportedWithItsItem)
{
    struct Case {
        ProblemKind kind;
        ProblemSeverity severity;
        const char* room;  // UTF-8; empty: none
        const char* round; // UTF-8; empty: none
        std::function<void(TProject&)> breakIt;
    };
    const Case cases[] = {
        {ProblemKind::RoomShortfall, ProblemSeverity::Error, "Nappali", "",
         [](TProject& p) { Room(p, "Nappali").heatDemand = 5000; }},
        // A warm room gets little from its floor, but at a surface above the limit.
        {ProblemKind::SurfaceTemperature, ProblemSeverity::Error, "Hálószoba", "",
         [](TProject& p) {
             Room(p, "Hálószoba").roomTemperature = 27;
             Room(p, "Hálószoba").heatDemand = 300;
         }},
        {ProblemKind::UnassignedArea, ProblemSeverity::Warning, "Nappali", "",
         [](TProject& p) {
             TRoomItem& room = Room(p, "Nappali");
             FloorHeatingField extra = room.fields.at(0);
             extra.area = 1;
             extra.fieldId = static_cast<std::int16_t>(room.nextFieldId++);
             room.fields.push_back(extra);
         }},
        {ProblemKind::FieldAreaBeyondRoom, ProblemSeverity::Error, "Nappali", "",
         [](TProject& p) { Room(p, "Nappali").floorArea = 20; }},
        {ProblemKind::FieldAreaBeyondRoom, ProblemSeverity::Error, "Nappali", "",
         [](TProject& p) {
             // Another circuit takes half a square metre more of a field that is
             // already wholly in a circuit.
             FloorHeatingRoundField part = Round(p, "Kör 1").roundFields.at(0);
             part.assignedPart = 0.5f;
             Round(p, "Kör 5").roundFields.push_back(part);
         }},
        {ProblemKind::RoomWithoutFields, ProblemSeverity::Warning, "Kamra", "",
         [](TProject& p) {
             p.AddNewRoom();
             p.rooms.back().roomName = Cp("Kamra");
             p.rooms.back().floorArea = 4;
             p.rooms.back().heatDemand = 200;
         }},
        {ProblemKind::TubeTooLong, ProblemSeverity::Error, "", "Kör 5",
         [](TProject& p) {
             THydraulic& h = Round(p, "Kör 5").hydraulic;
             h.extraInMetres = 1;
             h.extraLength = 80;
         }},
        {ProblemKind::Velocity, ProblemSeverity::Warning, "", "Kör 1",
         [](TProject& p) {
             TRoundItem& r = Round(p, "Kör 1");
             // A fixed small flow; without a valve, so that nothing has to throttle.
             r.connectionFlags |= TRoundItem::kMassFlowGiven;
             r.hydraulic.massFlow = 30;
             r.hydraulic.valveName.clear();
         }},
        {ProblemKind::Pressure, ProblemSeverity::Error, "", "Kör 1",
         [](TProject& p) { Round(p, "Kör 1").hydraulic.availablePressure = 5000; }},
        {ProblemKind::Pressure, ProblemSeverity::Warning, "", "Kör 1",
         [](TProject& p) { Round(p, "Kör 1").hydraulic.valveName = Cp("No such valve"); }},
        {ProblemKind::BrokenReference, ProblemSeverity::Error, "Nappali", "Kör 1",
         [](TProject& p) { p.rooms.erase(p.rooms.begin() + p.FindItem(Cp("Nappali"), true)); }},
        {ProblemKind::TemperatureOrder, ProblemSeverity::Error, "", "Kör 1",
         [](TProject& p) { Round(p, "Kör 1").hydraulic.medium.return_ = 45; }},
        {ProblemKind::EmptyName, ProblemSeverity::Error, " ", "",
         [](TProject& p) { Room(p, "Hálószoba").roomName = " "; }},
        {ProblemKind::DuplicateName, ProblemSeverity::Error, "", "Kör 1",
         [](TProject& p) { Round(p, "Kör 2").roundName = Cp("Kör 1"); }},
        {ProblemKind::DuplicateName, ProblemSeverity::Error, "Konyha", "",
         [](TProject& p) { Room(p, "Hálószoba").roomName = Cp("Konyha"); }},
        {ProblemKind::ImplausibleValue, ProblemSeverity::Error, "Nappali", "",
         [](TProject& p) { Room(p, "Nappali").floorArea = 20000; }},
        // One circuit of the flat's one manifold set warmer than the others.
        {ProblemKind::ManifoldSupply, ProblemSeverity::Error, "", "Kör 2",
         [](TProject& p) { Round(p, "Kör 2").hydraulic.medium.forward += 5; }},
        {ProblemKind::ImplausibleValue, ProblemSeverity::Error, "Nappali", "",
         [](TProject& p) { Room(p, "Nappali").fields.at(0).belowTemp = -60; }},
    };

    const TProject sound = Example("flat");
    std::set<std::string> baseline;
    for (const DesignProblem& p : CheckDesign(sound, Shipped()))
        baseline.insert(Describe({p}));

    std::set<ProblemKind> covered;
    for (const Case& c : cases) {
        const std::string name(ProblemKindName(c.kind));
        TProject p = sound;
        c.breakIt(p);
        const TProject asRead = p;
        RecalculateProject(p, Shipped(), false);
        const TProject recalculated = p;
        std::vector<DesignProblem> fresh;
        for (const DesignProblem& problem : CheckDesign(p, Shipped(), &asRead))
            if (!baseline.contains(Describe({problem})))
                fresh.push_back(problem);
        EXPECT_TRUE(p.SameContent(recalculated)) << name << ": the check changed the project";
        ASSERT_FALSE(fresh.empty()) << name;
        bool named = false;
        for (const DesignProblem& problem : fresh) {
            EXPECT_EQ(problem.kind, c.kind) << name << ":\n" << Describe(fresh);
            EXPECT_FALSE(problem.text.empty()) << name;
            named = named
                || (problem.severity == c.severity && problem.roomName == Cp(c.room)
                    && problem.roundName == Cp(c.round));
        }
        EXPECT_TRUE(named) << name << ":\n" << Describe(fresh);
        covered.insert(c.kind);
    }
    // Every kind has its case, and every kind its own name.
    std::set<std::string_view> names;
    for (int k = 0; k <= static_cast<int>(ProblemKind::ManifoldSupply); ++k) {
        if (k == static_cast<int>(ProblemKind::SupplementaryHeat) || k == static_cast<int>(ProblemKind::Insulation))
            continue; // the tests of the floor build-up and of the bathroom break these
        EXPECT_TRUE(covered.contains(static_cast<ProblemKind>(k))) << k;
        names.insert(ProblemKindName(static_cast<ProblemKind>(k)));
    }
    EXPECT_EQ(names.size(), covered.size());
}

// The longest loop comes from the tube's catalogue size where it gives one, and is
// 120 m where it does not; the sentence says by how much the tube is too long.
TEST(DesignCheck, LoopLengthFromTheCatalogueOrTheDefault)
{
    test::ScratchCatalogue scratch;
    scratch.Write("tubes.xml",
                  "<TervaldDBTube>" + test::Header("T", "Tubes")
                      + "<NameBase>T %s</NameBase>"
                        "<TubeSubType><SizeName>short</SizeName><DN>12</DN><d1>12</d1><d2>16</d2>"
                        "<MaxLoopLength>80</MaxLoopLength></TubeSubType>"
                        "<TubeSubType><SizeName>plain</SizeName><DN>12</DN><d1>12</d1><d2>16</d2></TubeSubType>"
                        "</TervaldDBTube>");
    TDevices devices(scratch.Dir(), "Magyar");
    const auto* tube = devices.Find<TubeDBItem>(kTubeKind, "T");
    ASSERT_NE(tube, nullptr);
    EXPECT_FLOAT_EQ(tube->sizes.at(0).maxLoopLength, 80);
    EXPECT_FLOAT_EQ(tube->sizes.at(1).maxLoopLength, 0);

    struct Row {
        const char* size;
        float length;
        bool tooLong;
    } rows[] = {{"short", 80, false}, {"short", 90, true}, {"plain", 110, false}, {"plain", 120.5f, true}};
    for (const Row& row : rows) {
        TProject p;
        p.AddNewRoom();
        p.rooms[0].roomName = "R";
        p.AddNewRound();
        TRoundItem& r = p.rounds[0];
        r.roundName = "C";
        r.roundFields.emplace_back();
        r.roundFields[0].roomRef = p.rooms[0].roomId;
        r.hydraulic.tubeName = "T";
        r.hydraulic.tubeSize = row.size;
        r.hydraulic.tubeLength = row.length;
        r.hydraulic.medium.forward = 40;
        r.hydraulic.medium.return_ = 35;
        int tooLong = 0;
        for (const DesignProblem& problem : CheckDesign(p, devices))
            if (problem.kind == ProblemKind::TubeTooLong) {
                ++tooLong;
                EXPECT_EQ(problem.roundName, "C");
                EXPECT_NE(problem.text.find(row.tooLong && row.length == 90 ? "10" : "0.5"), std::string::npos)
                    << problem.text;
            }
        EXPECT_EQ(tooLong, row.tooLong ? 1 : 0) << row.size << " " << row.length;
    }
}

// The summary counts in English as English counts: one error, two errors.
TEST(DesignCheck, SummarySaysOneErrorAndTwoWarnings)
{
    Languages().Clear(); // the English sentences the check carries itself
    EXPECT_EQ(DesignCheckSummary(1, 2), "1 error, 2 warnings");
    EXPECT_EQ(DesignCheckSummary(2, 1), "2 errors, 1 warning");
    EXPECT_EQ(DesignCheckSummary(1, 1), "1 error, 1 warning");
    EXPECT_EQ(DesignCheckSummary(0, 3), "0 errors, 3 warnings");
}

// A huge stored value is named with its magnitude intact: a scientific number
// keeps the zeros of its exponent.
TEST(DesignCheck, HugeValuesKeepTheirExponent)
{
    TProject p = Example("flat");
    p.rooms[0].floorArea = 1e30f;
    std::string text;
    for (const DesignProblem& problem : CheckDesign(p, Shipped()))
        if (problem.kind == ProblemKind::ImplausibleValue && problem.roomName == p.rooms[0].roomName)
            text = problem.text;
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.find(" 1E30 m2"), std::string::npos) << text;
}
