// The program, the CLI and the CLI's companion find the shipped files in the
// build tree and in an installed tree alike.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "catalogue/DataLocation.h"
#include "lang/LanguagePaths.h"
#include "util/ProgramFiles.h"

namespace fs = std::filesystem;
using namespace kalorina;

namespace {

class ProgramFilesTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device rd;
        root_ = fs::temp_directory_path() / ("kalorina-files-" + std::to_string(rd()) + std::to_string(rd()));
        fs::create_directories(root_);
    }
    void TearDown() override { fs::remove_all(root_); }

    fs::path Make(const fs::path& relative)
    {
        fs::create_directories(root_ / relative);
        return root_ / relative;
    }

    fs::path root_;
};

} // namespace

TEST_F(ProgramFilesTree, BuildTreeFilesBesideTheProgramComeFirst)
{
    const fs::path bin = Make("build/bin");
    Make("build/bin/languages");
    Make("build/bin/help");
    Make("build/share/kalorina/languages"); // an older install next to it must not win
    std::ofstream(bin / "KalorinaReport.jpg") << "jpg";

    EXPECT_EQ(ProgramFilePath(bin.string(), "languages"), (bin / "languages").string());
    EXPECT_EQ(ProgramFilePath(bin.string(), "help"), (bin / "help").string());
    EXPECT_EQ(ProgramFilePath(bin.string(), "KalorinaReport.jpg"), (bin / "KalorinaReport.jpg").string());
    EXPECT_EQ(LanguagesDirFor(bin.string()), (bin / "languages").string());
}

TEST_F(ProgramFilesTree, InstalledProgramsAndTheCompanionShareOneFolder)
{
    const fs::path bin = Make("usr/bin");
    const fs::path libexec = Make("usr/libexec/kalorina");
    const fs::path share = Make("usr/share/kalorina");
    Make("usr/share/kalorina/data");
    Make("usr/share/kalorina/languages");
    std::ofstream(share / "KalorinaReport.jpg") << "jpg";

    for (const fs::path& program : {bin, libexec}) {
        SCOPED_TRACE(program.string());
        EXPECT_EQ(ProgramFilePath(program.string(), "data"), (share / "data").string());
        EXPECT_EQ(LanguagesDirFor(program.string()), (share / "languages").string());
        EXPECT_EQ(ProgramFilePath(program.string(), "KalorinaReport.jpg"), (share / "KalorinaReport.jpg").string());
        // The data folder unless the current folder has one of its own (ctest runs
        // in the build tree's tests folder, which has none).
        if (!fs::is_directory("data") && !std::getenv("KALORINA_DATA"))
            EXPECT_EQ(FindDataDirectory(program.string()), (share / "data").string());
    }
}

TEST_F(ProgramFilesTree, NothingShippedNamesThePlaceBesideTheProgram)
{
    const fs::path bin = Make("opt/bin");
    EXPECT_EQ(ProgramFilePath(bin.string(), "help"), (bin / "help").string());
    EXPECT_EQ(LanguagesDirFor(bin.string()), (bin / "languages").string());
    // A file shipped under another program's name is not taken for ours.
    Make("opt/share/other/help");
    EXPECT_EQ(ProgramFilePath(bin.string(), "help"), (bin / "help").string());
}
