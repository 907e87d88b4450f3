// The manifold schedule of a small project with two manifolds, worked out by hand:
// outlets numbered within their manifold, flows in l/h at each circuit's own
// density and in l/min as flow meters read, outputs and returns, the mixed return,
// total output and pump head (also in metres of water) of each manifold, the index
// circuit's mark, whether it was designed, and the same rows as a CSV file.
#include <gtest/gtest.h>

#include <sstream>

#include "TestLanguage.h"
#include "catalogue/TDevices.h"
#include "document/TProject.h"
#include "report/ManifoldSchedule.h"
#include "report/TManifoldReport.h"
#include "util/FloatFormat.h"

using namespace kalorina;

namespace {

// Hydraulics typed in by the tests name no catalogue valve: each circuit needs its
// own resistance, which makes the index circuit the one with the most.
const TDevices kNoCatalogue;

TRoundItem Circuit(const std::string& name, int manifold, float massFlow, float density, float forward, float ret,
                   float available, float drop, std::vector<std::string> rooms, float power = 0)
{
    TRoundItem r;
    r.hydraulic.power = power;
    r.roundName = name;
    r.manifold = manifold;
    THydraulic& h = r.hydraulic;
    h.massFlow = massFlow;
    h.medium.density = density;
    h.medium.forward = forward;
    h.medium.return_ = ret;
    h.availablePressure = available;
    h.circuitPressureDrop = drop;
    h.tubeLength = 80.5f;
    h.valveName = "Valve";
    h.valvePosition = "2.5";
    for (auto& room : rooms) {
        FloorHeatingRoundField part;
        part.roomRefName = room;
        r.roundFields.push_back(part);
    }
    return r;
}

// Manifold "Földszint" feeds circuits 0, 2 and 3 (3 carries no heat); "Emelet; 1"
// feeds circuit 1.  The circuits of the two are interleaved in the list.
TProject TwoManifolds()
{
    TProject p;
    p.manifolds.resize(2);
    p.manifolds[0].name = "F\xF6ldszint"; // Földszint
    p.manifolds[0].location = "Kamra";
    p.manifolds[1].name = "Emelet; 1";
    p.rounds.push_back(Circuit("K1", 0, 120, 1000, 40, 34, 20000, 9000, {"Nappali", "Nappali", "Konyha"}, 840));
    p.rounds.push_back(Circuit("K \"2\"", 1, 200, 980, 45, 38, 15000, 7000, {"Szoba"}));
    p.rounds.push_back(Circuit("K3", 0, 60, 960, 38, 32, 25000, 14000, {"Konyha"}, 420));
    p.rounds.push_back(Circuit("K4", 0, 0, 1000, 0, 0, 0, 0, {}));
    p.rounds[3].hydraulic.valveName.clear();
    p.manifolds[1].designed = true;
    p.manifolds[1].designSpread = 7;
    return p;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> out;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        out.push_back(line);
    }
    return out;
}

} // namespace

TEST(ManifoldSchedule, OutletsNumberedWithinTheirManifoldWithFlowsAndTotals)
{
    const TProject p = TwoManifolds();
    const auto all = MakeManifoldSchedules(p, kNoCatalogue);
    ASSERT_EQ(all.size(), 2u);

    const ManifoldSchedule& a = all[0];
    EXPECT_EQ(a.name, "F\xF6ldszint");
    EXPECT_EQ(a.location, "Kamra");
    ASSERT_EQ(a.outlets.size(), 3u);
    const int rounds[] = {0, 2, 3};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(a.outlets[i].number, i + 1);
        EXPECT_EQ(a.outlets[i].round, rounds[i]);
    }
    EXPECT_EQ(a.outlets[0].circuit, "K1");
    EXPECT_EQ(a.outlets[0].RoomsText(), "Nappali, Konyha"); // each room once
    EXPECT_FLOAT_EQ(a.outlets[0].volumeFlow, 120.0f);
    EXPECT_FLOAT_EQ(a.outlets[1].volumeFlow, 62.5f); // 60 kg/h at 960 kg/m3
    EXPECT_FLOAT_EQ(a.outlets[0].tubeLength, 80.5f);
    EXPECT_EQ(a.outlets[0].presetting, "2.5");
    EXPECT_EQ(a.outlets[2].presetting, ""); // no valve, no presetting
    EXPECT_EQ(a.outlets[2].volumeFlow, 0.0f);
    EXPECT_FLOAT_EQ(a.totalMassFlow, 180.0f);
    EXPECT_FLOAT_EQ(a.totalVolumeFlow, 182.5f);
    EXPECT_FLOAT_EQ(a.supplyTemperature, 40.0f);
    EXPECT_NEAR(a.spread, 40 - (120 * 34 + 60 * 32) / 180.0, 1e-4);
    EXPECT_FLOAT_EQ(a.pumpHead, 25.0f); // kPa, the most any of its circuits needs
    EXPECT_EQ(a.indexCircuit, "K3");

    // What flow meters read, and the figures of each outlet.
    EXPECT_FLOAT_EQ(a.outlets[0].volumeFlowPerMinute, 2.0f);
    EXPECT_NEAR(a.outlets[1].volumeFlowPerMinute, 62.5 / 60, 1e-6);
    EXPECT_FLOAT_EQ(a.outlets[0].power, 840);
    EXPECT_FLOAT_EQ(a.outlets[0].returnTemperature, 34);
    EXPECT_FLOAT_EQ(a.outlets[1].pressureDrop, 14.0f); // kPa
    EXPECT_EQ(a.outlets[0].valve, "A");                // the one valve of the manifold
    EXPECT_EQ(a.outlets[0].valveName, "Valve");
    EXPECT_EQ(a.outlets[2].valve, "");
    ASSERT_EQ(a.valves.size(), 1u);
    EXPECT_EQ(a.valves[0].first, ""); // a valve the catalogue does not know has no scale
    EXPECT_FALSE(a.outlets[0].index);
    EXPECT_TRUE(a.outlets[1].index);
    EXPECT_FALSE(a.outlets[2].index);
    // The manifold: returns mixed by mass flow, the outputs summed, the pump head
    // in metres of water at 1000 kg/m3 and standard gravity.
    EXPECT_NEAR(a.mixedReturn, (120 * 34 + 60 * 32) / 180.0, 1e-4);
    EXPECT_NEAR(a.spread, a.supplyTemperature - a.mixedReturn, 1e-4);
    EXPECT_FLOAT_EQ(a.designSpread, 5.0f); // what it is designed for, not what it runs at
    EXPECT_FLOAT_EQ(a.totalPower, 1.26f);  // kW
    EXPECT_NEAR(a.totalVolumeFlowPerMinute, 182.5 / 60, 1e-5);
    EXPECT_NEAR(a.pumpHeadMetres, 25000 / 9806.65, 1e-5);
    EXPECT_FALSE(a.designed);
    // The design check's problems under a manifold are those of its own circuits and rooms.
    for (const std::string& w : a.warnings) {
        EXPECT_EQ(w.find("Szoba"), std::string::npos) << w;
        EXPECT_EQ(w.find("K \"2\""), std::string::npos) << w;
    }
    for (const std::string& w : all[1].warnings)
        EXPECT_EQ(w.find("K1"), std::string::npos) << w;

    const ManifoldSchedule& b = all[1];
    ASSERT_EQ(b.outlets.size(), 1u);
    EXPECT_EQ(b.outlets[0].number, 1);
    EXPECT_NEAR(b.outlets[0].volumeFlow, 200 / 0.98, 1e-3);
    EXPECT_NEAR(b.totalVolumeFlow, 200 / 0.98, 1e-3);
    EXPECT_FLOAT_EQ(b.pumpHead, 15.0f);
    EXPECT_TRUE(b.designed);
    EXPECT_FLOAT_EQ(b.designSpread, 7.0f);
    EXPECT_TRUE(b.outlets[0].index); // its only circuit

    // A short loop: 41.4 l/h is what the meter shows as 0.69 l/min.
    TProject shortLoop;
    shortLoop.rounds.push_back(Circuit("R", 0, 41.4f, 1000, 35, 30, 20000, 3000, {"WC"}, 240));
    EXPECT_NEAR(MakeManifoldSchedules(shortLoop, kNoCatalogue)[0].outlets[0].volumeFlowPerMinute, 0.69, 1e-6);

    // The printing dialog's tree chooses manifolds by their place in its third group.
    test::ScopedLanguage lang;
    auto tree = ReportTree(p);
    ASSERT_EQ(tree.size(), 1u + 0 + 1 + 4 + 1 + 2); // each group, then its items
    EXPECT_EQ(ChosenManifoldSchedules(p, kNoCatalogue, tree, true).size(), 2u);
    EXPECT_TRUE(ChosenManifoldSchedules(p, kNoCatalogue, tree, false).empty());
    tree.back().state = 1;
    const auto chosen = ChosenManifoldSchedules(p, kNoCatalogue, tree, false);
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_EQ(chosen[0].name, "Emelet; 1");
}

namespace {
// The cells of a CSV line, quotes undone.
std::vector<std::string> Cells(const std::string& line)
{
    std::vector<std::string> cells(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"')
            cells.back() += line[++i];
        else if (c == '"')
            quoted = !quoted;
        else if (c == ';' && !quoted)
            cells.emplace_back();
        else
            cells.back() += c;
    }
    return cells;
}
} // namespace

TEST(ManifoldSchedule, CsvHasAHeaderRowAndOneQuotedRowPerOutlet)
{
    std::map<std::string, std::string> texts;
    for (int i = 0; i < 29; ++i)
        texts["IDS_MANIFOLDCSVTITLE+" + std::to_string(i)] = "T" + std::to_string(i);
    texts["IDS_MANIFOLDCSVTITLE+3"] = "Spread [K]; in K";
    texts["IDS_YES"] = "igen";
    texts["IDS_NO"] = "nem";
    test::ScopedLanguage lang(texts);
    SetDecimalSeparator(',');
    const std::string csv = ManifoldScheduleCsv(MakeManifoldSchedules(TwoManifolds(), kNoCatalogue));
    TProject shortLoop;
    shortLoop.rounds.push_back(Circuit("R", 0, 41.4f, 1000, 35, 30, 20000, 3000, {"WC"}, 240));
    const std::string shortCsv = ManifoldScheduleCsv(MakeManifoldSchedules(shortLoop, kNoCatalogue));
    SetDecimalSeparator('.');
    // Beside a decimal point a comma stands between the cells, and texts that hold
    // one are quoted.
    const std::string pointCsv = ManifoldScheduleCsv(MakeManifoldSchedules(TwoManifolds(), kNoCatalogue));
    EXPECT_TRUE(pointCsv.substr(3).starts_with("T0,T1,T2,Spread [K]; in K,T4,")) << pointCsv.substr(0, 80);
    EXPECT_NE(pointCsv.find("\r\nF\xC3\xB6ldszint,Kamra,40.0,6.7,180.0,182.5,25.0,K3,1,K1,\"Nappali, Konyha\",80.5,"),
              std::string::npos)
        << pointCsv;

    ASSERT_TRUE(csv.starts_with("\xEF\xBB\xBF")); // the BOM tells spreadsheets it is UTF-8
    const auto lines = Lines(csv.substr(3));
    ASSERT_EQ(lines.size(), 5u); // header, three outlets, one outlet
    EXPECT_EQ(lines[0],
              "T0;T1;T2;\"Spread [K]; in K\";T4;T5;T6;T7;T8;T9;T10;T11;T12;T13;T14;T15;T16;T17;T18;T19;"
              "T20;T21;T22;T23;T24;T25;T26;T27;T28");
    // The columns of the first files keep their places; the later ones follow.
    EXPECT_TRUE(lines[1].starts_with(
        "F\xC3\xB6ldszint;Kamra;40,0;6,7;180,0;182,5;25,0;K3;1;K1;Nappali, Konyha;80,5;120,0;120,0;2,5;"));
    EXPECT_TRUE(lines[3].starts_with("F\xC3\xB6ldszint;Kamra;40,0;6,7;180,0;182,5;25,0;K3;3;K4;;80,5;0,0;0,0;;"));
    EXPECT_TRUE(lines[4].starts_with(
        "\"Emelet; 1\";;45,0;7,0;200,0;204,1;15,0;\"K \"\"2\"\"\";1;\"K \"\"2\"\"\";Szoba;80,5;204,1;200,0;2,5;"));
    for (const auto& line : lines) {
        EXPECT_EQ(Cells(line).size(), 29u) << line;
        EXPECT_EQ(line.find('\r'), std::string::npos);
    }
    EXPECT_NE(csv.find("\r\n"), std::string::npos); // lines end the way spreadsheets write them

    // Per outlet: l/min, output, return, pressure drop, valve, scale, index mark;
    // per manifold: designed, design spread, mixed return, output, l/min, metres of water.
    const auto k1 = Cells(lines[1]);
    const std::vector<std::string> k1Later{"2,00", "840", "34,0", "9,0",  "Valve", "",    "",
                                           "nem",  "5,0", "33,3", "1,26", "3,04",  "2,55"};
    EXPECT_EQ(std::vector<std::string>(k1.begin() + 15, k1.begin() + 28), k1Later);
    EXPECT_EQ(Cells(lines[2])[21], "*"); // K3, the index circuit
    const auto k2 = Cells(lines[4]);
    EXPECT_EQ(k2[22], "igen");
    EXPECT_EQ(k2[23], "7,0");
    EXPECT_EQ(Cells(Lines(shortCsv.substr(3))[1])[15], "0,69");

    // A manifold that feeds nothing still has its row, without an outlet.
    TProject p;
    p.manifolds[0].name = "Empty";
    const auto empty = Lines(ManifoldScheduleCsv(MakeManifoldSchedules(p, kNoCatalogue)).substr(3));
    ASSERT_EQ(empty.size(), 2u);
    EXPECT_EQ(empty[1], "Empty,,0.0,0.0,0.0,0.0,0.0,,,,,,,,,,,,,,,,nem,5.0,0.0,0.00,0.00,0.00,");
}
