// kalorina-cli heatload and building export on a project with a room's envelope.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/ProjectFiles.h"
#include "document/TProject.h"
#include "report/TPlanReport.h"
#include "util/Codepage.h"

using namespace kalorina;
namespace fs = std::filesystem;

namespace {

std::string RunCli(const std::string& args, int& code)
{
    const fs::path out = fs::temp_directory_path() / ("kalorina-heatload-out-" + std::to_string(::getpid()));
    const int status =
        std::system((std::string("'") + KALORINA_CLI + "' " + args + " >'" + out.string() + "'").c_str());
    code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(out);
    std::string text{std::istreambuf_iterator<char>(in), {}};
    fs::remove(out);
    return text;
}

} // namespace

TEST(HeatLoadCli, RoomsBreakdownAndApply)
{
    const fs::path dir = fs::temp_directory_path() / ("kalorina-heatload-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    TProject p;
    ReadProjectFile(KALORINA_SOURCE_DIR "/examples/flat.klp", p);
    // The bathroom: 6 m2 at 24 °C, an outside wall of 5 m2 at U 0.24 and the
    // air at 1.5 changes an hour (V = 6 · 2.6 = 15.6 m3):
    //   H = 5 · 0.29 = 1.45 W/K, Φ_T = 1.45 · 37 = 53.65 W
    //   Φ_V = 0.34 · 1.5 · 15.6 · 37 = 294.372 W; total 348.022 W, applied as 348 W.
    TRoomItem& bath = p.rooms.at(p.FindItem("F\xFCrd\xF5szoba", true));
    RoomHeatLoad data;
    data.minAirChange = 1.5f;
    HeatElement wall;
    wall.name = "wall";
    wall.area = 5;
    wall.u = 0.24f;
    data.elements.push_back(wall);
    bath.heatLoad = data;
    const std::string in = (dir / "in.klp").string(), out = (dir / "out.klp").string();
    WriteProjectFile(in, p);

    int code = -1;
    const std::string json = RunCli("heatload '" + in + "' --json", code);
    EXPECT_EQ(code, 0);
    EXPECT_NE(json.find("\"room\":\"F\xC3\xBCrd\xC5\x91szoba\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"transmission\":53.649999"), std::string::npos) << json;
    EXPECT_NE(json.find("\"total\":348.02198"), std::string::npos) << json;
    EXPECT_NE(json.find("\"building\":"), std::string::npos) << json;

    RunCli("heatload '" + in + "' --apply -o '" + out + "'", code);
    EXPECT_EQ(code, 0);
    TProject applied;
    ReadProjectFile(out, applied);
    EXPECT_EQ(applied.rooms.at(applied.FindItem("F\xFCrd\xF5szoba", true)).heatDemand, 348.0f);
    EXPECT_EQ(applied.rooms.at(0).heatDemand, p.rooms.at(0).heatDemand);

    // What is exported imports back into the project without it, unchanged.
    const std::string exported = RunCli("building export '" + in + "'", code);
    EXPECT_EQ(code, 0);
    EXPECT_NE(exported.find("\"outdoorTemperature\": -13.0,"), std::string::npos) << exported;
    EXPECT_NE(exported.find("\"u\": 0.24,"), std::string::npos) << exported;
    const std::string plain = (dir / "plain.klp").string(), jsonFile = (dir / "b.json").string();
    TProject withoutBuilding = p;
    withoutBuilding.rooms.at(withoutBuilding.FindItem("F\xFCrd\xF5szoba", true)).heatLoad.reset();
    WriteProjectFile(plain, withoutBuilding);
    std::ofstream(jsonFile) << exported;
    RunCli("building import '" + plain + "' '" + jsonFile + "' -o '" + out + "'", code);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(RunCli("building export '" + out + "'", code), exported);
    TProject imported;
    ReadProjectFile(out, imported);
    EXPECT_EQ(imported.rooms.at(imported.FindItem("F\xFCrd\xF5szoba", true)).heatDemand, 348.0f)
        << "an import gives the rooms their loads at once";

    // Any fault names its place and writes nothing.
    const std::pair<const char*, const char*> faults[] = {
        {R"({"rooms":[{"room":"Kamra","elements":[]}]})", "rooms[0].room"},
        {R"({"rooms":[{"room":"F\u00fcrd\u0151szoba","elements":[{"area":2,"u":12}]}]})", "rooms[0].elements[0].u"},
        {R"({"rooms":[{"room":"F\u00fcrd\u0151szoba","heigth":3}]})", "heigth"},
        {R"({"shielding":"windy"})", "shielding"},
        {R"({"outdoorTemperature":16,"rooms":[{"room":"F\u00fcrd\u0151szoba"}]})", "outdoorTemperature"},
        {R"({"rooms":[{"room":"F\u00fcrd\u0151szoba","elements":[{"area":0,"u":1}]}]})", "rooms[0].elements[0].area"},
        {R"({"rooms":[)", "JSON"},
    };
    for (const auto& [text, place] : faults) {
        fs::remove(out);
        std::ofstream(jsonFile) << text;
        const fs::path err = dir / "err.txt";
        RunCli("building import '" + plain + "' '" + jsonFile + "' -o '" + out + "' 2>'" + err.string() + "'", code);
        std::ifstream e(err);
        const std::string message{std::istreambuf_iterator<char>(e), {}};
        EXPECT_EQ(code, 1) << text;
        EXPECT_NE(message.find(place), std::string::npos) << text << " -> " << message;
        EXPECT_FALSE(fs::exists(out)) << text;
    }
    RunCli("heatload '" + in + "' --apply", code);
    EXPECT_EQ(code, 2);
    fs::remove_all(dir);
}

// The heat-load report of the flat: every room with its elements, the load the
// room dialog applies, the building's sum; its CSV has a row per element and four
// per room; the first page is kept as report-heatload.png for review.
TEST(HeatLoadCli, ReportAndCsv)
{
    const fs::path dir = fs::temp_directory_path() / ("kalorina-heatload-report-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string flat = KALORINA_SOURCE_DIR "/examples/flat.klp";
    int code = -1;
    RunCli("report '" + flat + "' --kind heatload --all --pdf '" + (dir / "h.pdf").string() + "' --csv '"
               + (dir / "h.csv").string() + "' --png '" + (dir / "png").string() + "'",
           code);
    ASSERT_EQ(code, 0);
    std::system(("pdftotext -layout '" + (dir / "h.pdf").string() + "' '" + (dir / "h.txt").string() + "'").c_str());
    std::ifstream t(dir / "h.txt");
    const std::string text{std::istreambuf_iterator<char>(t), {}};
    TProject p;
    ReadProjectFile(flat, p);
    for (const TRoomItem& r : p.rooms)
        EXPECT_NE(text.find(Cp1250ToUtf8(r.roomName) + ": "), std::string::npos) << r.roomName;
    EXPECT_NE(text.find("Hőveszteség: 982 W"), std::string::npos) << text;
    EXPECT_NE(text.find("Épület: 2730 W, a helyiségek összege"), std::string::npos) << text;

    std::ifstream c(dir / "h.csv");
    std::string line;
    int rows = 0, elements = 0;
    std::getline(c, line);
    EXPECT_NE(line.find("Helyiség;Szerkezet;Típus;A [m2]"), std::string::npos) << line;
    while (std::getline(c, line)) {
        ++rows;
        if (line.starts_with("Nappali;Hőveszteség;"))
            EXPECT_NE(line.find(";981,6"), std::string::npos) << line;
    }
    for (const TRoomItem& r : p.rooms)
        elements += static_cast<int>(r.heatLoad->elements.size());
    EXPECT_EQ(rows, elements + 4 * static_cast<int>(p.rooms.size()));
    std::error_code ec;
    fs::copy_file(dir / "png" / "page-001.png", KALORINA_BINARY_DIR "/report-heatload.png",
                  fs::copy_options::overwrite_existing, ec);
    EXPECT_FALSE(ec) << ec.message();
    fs::remove_all(dir);
}

// plan import and export through the real executable: the areas come from the
// outlines, the JSON goes round, and a fault writes nothing.
TEST(PlanCli, ImportExportAndRefusal)
{
    const fs::path dir = fs::temp_directory_path() / ("kalorina-plan-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string flat = KALORINA_SOURCE_DIR "/examples/flat.klp";
    const std::string json = (dir / "p.json").string(), out = (dir / "out.klp").string();
    std::ofstream(json) << R"({"floors":[{"name":"3. emelet","level":9,"rooms":[
        {"room":"Nappali","outline":[[0,0],[7,0],[7,4.2],[0,4.2]]},
        {"room":"Erkély","outline":[[0,4.2],[4,4.2],[4,6],[2,6],[2,7],[0,7]]}]}]})";
    int code = -1;
    RunCli("plan import '" + flat + "' '" + json + "' -o '" + out + "'", code);
    ASSERT_EQ(code, 0);
    TProject p;
    ReadProjectFile(out, p);
    EXPECT_FLOAT_EQ(p.rooms.at(p.FindItem("Nappali", true)).floorArea, 29.4f);
    EXPECT_FLOAT_EQ(p.rooms.at(p.FindItem(Utf8ToCp1250("Erkély"), true)).floorArea, 9.2f);
    const std::string exported = RunCli("plan export '" + out + "'", code);
    EXPECT_EQ(code, 0);
    EXPECT_NE(exported.find("\"name\":\"3. emelet\""), std::string::npos) << exported;
    EXPECT_NE(exported.find("\"area\":29.4"), std::string::npos) << exported;

    fs::remove(out);
    std::ofstream(json) << R"({"floors":[{"rooms":[{"room":"Nappali","outline":[[0,0],[7,0],[0,4],[7,4]]}]}]})";
    RunCli("plan import '" + flat + "' '" + json + "' -o '" + out + "' 2>/dev/null", code);
    EXPECT_EQ(code, 1);
    EXPECT_FALSE(fs::exists(out));
    fs::remove_all(dir);
}

// The plan report of the villa: a page per floor at the largest scale that fits
// (its 14.75 m wide ground floor at 1:100 on A4), with the rooms' names, areas and
// heat losses; the first page is kept as report-plan.png for review.
TEST(PlanCli, PlanReport)
{
    EXPECT_EQ(TPlanReport::ScaleFor(14.75, 8.75, 180, 200), 100);
    EXPECT_EQ(TPlanReport::ScaleFor(3, 2, 180, 200), 20);
    EXPECT_EQ(TPlanReport::ScaleFor(8.5, 9, 180, 200), 50);
    EXPECT_EQ(TPlanReport::ScaleFor(30, 20, 180, 200), 200);
    const fs::path dir = fs::temp_directory_path() / ("kalorina-plan-report-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    int code = -1;
    RunCli("report '" KALORINA_SOURCE_DIR "/examples/villa.klp' --kind plan --pdf '" + (dir / "p.pdf").string()
               + "' --png '" + (dir / "png").string() + "'",
           code);
    ASSERT_EQ(code, 0);
    std::system(("pdftotext -layout '" + (dir / "p.pdf").string() + "' '" + (dir / "p.txt").string() + "'").c_str());
    std::ifstream t(dir / "p.txt");
    const std::string text{std::istreambuf_iterator<char>(t), {}};
    EXPECT_NE(text.find("Földszint, M 1:100"), std::string::npos) << text;
    EXPECT_NE(text.find("Emelet, M 1:"), std::string::npos) << text;
    for (const char* room : {"Fsz. Nappali", "40,00 m2", "Em. Háló 1", "Földszinti osztó"})
        EXPECT_NE(text.find(room), std::string::npos) << room;
    EXPECT_TRUE(fs::exists(dir / "png" / "page-002.png")) << "a page per floor";
    std::error_code ec;
    fs::copy_file(dir / "png" / "page-001.png", KALORINA_BINARY_DIR "/report-plan.png",
                  fs::copy_options::overwrite_existing, ec);
    EXPECT_FALSE(ec) << ec.message();
    fs::remove_all(dir);
}

// The printed plan of the laid villa: each circuit's tube drawn and listed with its
// spacing, length and manifold outlet; the first page is kept as report-plan-laid.png.
TEST(PlanCli, LaidPlanReport)
{
    const fs::path dir = fs::temp_directory_path() / ("kalorina-laid-report-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    int code = -1;
    const std::string laid = (dir / "laid.klp").string();
    RunCli("layout '" KALORINA_SOURCE_DIR "/examples/villa.klp' --apply -o '" + laid + "'", code);
    ASSERT_EQ(code, 0);
    RunCli("report '" + laid + "' --kind plan --pdf '" + (dir / "p.pdf").string() + "' --png '" + (dir / "png").string()
               + "'",
           code);
    ASSERT_EQ(code, 0);
    std::system(("pdftotext -layout '" + (dir / "p.pdf").string() + "' '" + (dir / "p.txt").string() + "'").c_str());
    std::ifstream t(dir / "p.txt");
    const std::string text{std::istreambuf_iterator<char>(t), {}};
    TProject p;
    ReadProjectFile(laid, p);
    for (const TRoundItem& r : p.rounds) {
        char length[32];
        std::snprintf(length, sizeof length, "%.1f", r.layout.length);
        std::string shown = length;
        std::replace(shown.begin(), shown.end(), '.', ',');
        EXPECT_NE(text.find(Cp1250ToUtf8(r.roundName) + ": "), std::string::npos) << Cp1250ToUtf8(r.roundName);
        EXPECT_NE(text.find(shown + " m cs"), std::string::npos) << Cp1250ToUtf8(r.roundName) << " " << shown;
    }
    EXPECT_NE(text.find("1. kiállás, Földszinti osztó"), std::string::npos) << text;
    std::error_code ec;
    fs::copy_file(dir / "png" / "page-001.png", KALORINA_BINARY_DIR "/report-plan-laid.png",
                  fs::copy_options::overwrite_existing, ec);
    EXPECT_FALSE(ec) << ec.message();
    fs::remove_all(dir);
}
