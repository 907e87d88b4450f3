// Every file of fuzz/corpus/<target>/ (the seeds and every input that ever found a
// fault) through the code its fuzz target runs, with the same checks: a fault that
// was fixed stays fixed without a sanitizer build.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzBodies.h"

namespace {

namespace fs = std::filesystem;

using Body = void (*)(const std::uint8_t*, std::size_t);

struct Target {
    const char* name; // the folder below fuzz/corpus, the target without "_fuzz"
    Body body;
};

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class FuzzCorpusReplay : public ::testing::TestWithParam<Target> {};

TEST_P(FuzzCorpusReplay, EveryCorpusFileKeepsTheTargetsChecks)
{
    const fs::path folder = fs::path(KALORINA_SOURCE_DIR) / "fuzz" / "corpus" / GetParam().name;
    ASSERT_TRUE(fs::is_directory(folder)) << folder;
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty()) << "no seeds in " << folder;

    kalorina::fuzz::ThrowOnBrokenInvariant(true);
    for (const fs::path& file : files) {
        const std::string bytes = ReadFile(file);
        try {
            GetParam().body(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        } catch (const kalorina::fuzz::InvariantFailure& f) {
            ADD_FAILURE() << file.filename() << ": " << f.what;
        } catch (const std::exception& e) {
            ADD_FAILURE() << file.filename() << ": escaped " << e.what();
        }
    }
    kalorina::fuzz::ThrowOnBrokenInvariant(false);
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzCorpusReplay,
                         ::testing::Values(Target{"catalogue_loader", kalorina::fuzz::CatalogueFile},
                                           Target{"clipboard_item", kalorina::fuzz::ClipboardItem},
                                           Target{"column_format", kalorina::fuzz::ColumnFormat},
                                           Target{"design_check", kalorina::fuzz::DesignAndCheck},
                                           Target{"language_file", kalorina::fuzz::LanguageFile},
                                           Target{"lzw_decode", kalorina::fuzz::LzwData},
                                           Target{"project_file", kalorina::fuzz::ProjectFile},
                                           Target{"rtf_renderer", kalorina::fuzz::RtfText},
                                           Target{"settings_file", kalorina::fuzz::SettingsFile},
                                           Target{"xml_scanner", kalorina::fuzz::XmlText}),
                         [](const ::testing::TestParamInfo<Target>& info) { return std::string(info.param.name); });

// Each fuzz target has its folder in the table above, and each folder its target.
TEST(FuzzCorpusReplayTable, CoversEveryTarget)
{
    const fs::path fuzz = fs::path(KALORINA_SOURCE_DIR) / "fuzz";
    std::vector<std::string> targets, folders;
    for (const auto& entry : fs::directory_iterator(fuzz)) {
        const std::string name = entry.path().filename().string();
        if (name.ends_with("_fuzz.cpp"))
            targets.push_back(name.substr(0, name.size() - 9));
    }
    for (const auto& entry : fs::directory_iterator(fuzz / "corpus"))
        folders.push_back(entry.path().filename().string());
    std::sort(targets.begin(), targets.end());
    std::sort(folders.begin(), folders.end());
    EXPECT_EQ(targets, folders);
    EXPECT_EQ(targets.size(), 10u); // the instantiation above lists ten
}

} // namespace
