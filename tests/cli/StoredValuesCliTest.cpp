// Project files holding values no building has, through the real kalorina-cli:
// a meaningless one (a negative area, spacing, length or count) is refused when
// read; any other is loaded, named by the design check as an error, and nothing
// is designed, billed or printed from it.  An infinity never comes out as a result.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cfloat>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "app/ProjectFiles.h"
#include "document/TProject.h"

using namespace kalorina;
namespace fs = std::filesystem;

namespace {

struct CliRun {
    int code = -1;
    std::string out, err;
};

std::string Slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class StoredValues : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("kalorina-stored-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        ReadProjectFile(KALORINA_SOURCE_DIR "/examples/flat.klp", flat);
    }
    void TearDown() override { fs::remove_all(dir); }

    // The example with one value changed, written as the program writes files.
    std::string Damaged(const std::string& name, const std::function<void(TProject&)>& change)
    {
        TProject p = flat;
        change(p);
        const std::string path = (dir / (name + ".klp")).string();
        WriteProjectFile(path, p);
        return path;
    }

    CliRun Cli(const std::string& args)
    {
        const fs::path out = dir / "out", err = dir / "err";
        const std::string command = std::string("'") + KALORINA_CLI + "' --language English " + args + " >'"
            + out.string() + "' 2>'" + err.string() + "'";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(out), Slurp(err)};
    }

    fs::path dir;
    TProject flat;
};

} // namespace

TEST_F(StoredValues, MeaninglessValuesRefuseTheFile)
{
    const std::pair<const char*, std::function<void(TProject&)>> cases[] = {
        {"floorArea", [](TProject& p) { p.rooms[0].floorArea = -5; }},
        {"spacing", [](TProject& p) { p.rooms[0].fields[0].spacing = -1; }},
        {"area", [](TProject& p) { p.rooms[0].fields[0].area = -1; }},
        {"tubeLength", [](TProject& p) { p.rounds[0].hydraulic.tubeLength = -5148; }},
        // A field shifted by a byte reads as a tiny negative part of a room.
        {"assignedPart", [](TProject& p) { p.rounds[0].roundFields[0].assignedPart = -8e-16f; }},
        {"totalArea", [](TProject& p) { p.rounds[0].totalArea = -1; }},
    };
    for (const auto& [member, change] : cases) {
        const std::string file = Damaged(member, change);
        for (const char* command : {"show", "recalc", "check", "design", "bom"}) {
            const CliRun r = Cli(std::string(command) + " '" + file + "'");
            EXPECT_EQ(r.code, 1) << command << " " << member << "\n" << r.out << r.err;
            EXPECT_NE(r.err.find(std::string(member) + " = -"), std::string::npos) << member << ": " << r.err;
        }
    }
}

TEST_F(StoredValues, ImplausibleValuesAreNamedAndNeverDesignedOrBilled)
{
    struct Case {
        const char* named;
        std::function<void(TProject&)> change;
        bool result = false; // a stored result, which a recalculation computes again
    };
    const Case cases[] = {
        {"Heat loss: -1000 W", [](TProject& p) { p.rooms[0].heatDemand = -1000; }},
        {"Tube length: 1E20 m", [](TProject& p) { p.rounds[0].hydraulic.tubeLength = 1e20f; }, true},
        {"Highest supply temperature: 1E20", [](TProject& p) { p.manifolds[0].maxSupply = 1e20f; }},
        {"Design spread: 9.99", [](TProject& p) { p.manifolds[0].designSpread = 1e-40f; }},
        {"Room temperature: 3E9", [](TProject& p) { p.rooms[0].roomTemperature = 3e9f; }},
        {"Density of the medium: 0 kg/m3", [](TProject& p) { p.rounds[0].hydraulic.medium.density = 0; }, true},
        {"Viscosity of the medium: 0 m2/s", [](TProject& p) { p.options.medium.viscosity = 0; }},
        {"Forward temperature: -1000", [](TProject& p) { p.options.medium.forward = -1000; }},
        {"Available pressure: -1000 Pa", [](TProject& p) { p.rounds[0].hydraulic.availablePressure = -1000; }},
        {"Extra tube length: -1000 m", [](TProject& p) { p.options.extraLength = -1000; }},
        {"Floor area: 1E30 m2", [](TProject& p) { p.rooms[0].floorArea = 1e30f; }},
    };
    int n = 0;
    for (const auto& [named, change, result] : cases) {
        SCOPED_TRACE(named);
        const std::string file = Damaged("implausible" + std::to_string(n++), change);
        CliRun r = Cli("check '" + file + "' --json");
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_NE(r.out.find("\"severity\":\"error\",\"kind\":\"implausibleValue\""), std::string::npos) << r.out;
        EXPECT_NE(r.out.find(named), std::string::npos) << r.out;
        EXPECT_EQ(Cli("check '" + file + "' --strict").code, 3);

        r = Cli("design '" + file + "' --apply -o '" + (dir / "designed.klp").string() + "'");
        EXPECT_EQ(r.code, 1) << r.out;
        EXPECT_NE(r.err.find(named), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(dir / "designed.klp"));
        EXPECT_EQ(r.out.find("-214748"), std::string::npos) << r.out;

        r = Cli("bom '" + file + "' --json");
        EXPECT_EQ(r.code, 1) << r.out;
        EXPECT_NE(r.err.find(named), std::string::npos) << r.err;
        EXPECT_EQ(r.out.find("\"rows\": [], \"warnings\": [], \"error\": \"The project holds values outside"), 1u)
            << r.out;

        r = Cli("report '" + file + "' --kind rooms --pdf '" + (dir / "rooms.pdf").string() + "'");
        EXPECT_EQ(r.code, 1) << r.out << r.err;
        EXPECT_FALSE(fs::exists(dir / "rooms.pdf"));

        r = Cli("recalc '" + file + "'");
        EXPECT_EQ(r.code, result ? 0 : 3) << r.out << r.err;
        EXPECT_EQ(r.err.find(named) != std::string::npos, !result) << r.err;
    }
}

TEST_F(StoredValues, AnInfiniteResultIsAFailedItemNotANumber)
{
    const std::string file = Damaged("huge", [](TProject& p) { p.rooms[0].fields[0].area = FLT_MAX; });
    const CliRun r = Cli("recalc '" + file + "' --apply -o '" + (dir / "recalculated.klp").string() + "'");
    EXPECT_EQ(r.code, 3) << r.out << r.err;
    for (const char* never : {"inf", "nan"})
        EXPECT_EQ(r.out.find(never), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("cannot be computed as a finite number"), std::string::npos) << r.out;
    const CliRun shown = Cli("show '" + (dir / "recalculated.klp").string() + "'");
    EXPECT_EQ(shown.code, 0) << shown.err;
    EXPECT_EQ(shown.out.find("inf"), std::string::npos) << shown.out;
}
