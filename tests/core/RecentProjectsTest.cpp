// The recent projects list in the settings store.
#include <gtest/gtest.h>

#include "app/RecentProjects.h"
#include "platform/Registry.h"

using namespace kalorina;

namespace {
const std::string kKey = "Software\\Vexalon\\Kalorina\\RecentProjects";
}

TEST(RecentProjectsTest, NewestFirstWithoutRepeatsAndAtMostEight)
{
    MemorySettingsStore store;
    RecentProjects recent(&store);
    for (int i = 1; i <= 10; ++i)
        recent.Add("/home/u/p" + std::to_string(i) + ".klp");
    recent.Add("/home/u/p5.klp");
    RecentProjects again(&store);
    again.Load();
    ASSERT_EQ(again.Paths().size(), 8u);
    EXPECT_EQ(again.Paths()[0], "/home/u/p5.klp");
    EXPECT_EQ(again.Paths()[1], "/home/u/p10.klp");
    EXPECT_EQ(again.Paths()[6], "/home/u/p4.klp"); // p5 moved up, not repeated
    EXPECT_EQ(again.Paths()[7], "/home/u/p3.klp");
    again.Remove("/home/u/p10.klp");
    RecentProjects third(&store);
    third.Load();
    EXPECT_EQ(third.Paths().size(), 7u);
    EXPECT_FALSE(store.ReadValue(kKey, "File8").has_value());
}

TEST(RecentProjectsTest, AnyFileNameSurvivesTheStoreAsPrintableText)
{
    // UTF-8 names, bytes that are not UTF-8, '%' and control characters.
    for (std::string path : {std::string("/home/\xC3\xA9p\xC3\xBCl\xC5\x91 100%.klp"),
                             std::string("/tmp/\x81\x98\x90.klp"), std::string("/tmp/a\tb\nc.klp")}) {
        std::string encoded = RecentProjects::Encode(path);
        for (char c : encoded)
            EXPECT_TRUE(c >= 0x20 && c < 0x7F) << encoded;
        std::string back;
        ASSERT_TRUE(RecentProjects::Decode(encoded, back));
        EXPECT_EQ(back, path);
    }
    EXPECT_EQ(RecentProjects::Encode("/a b/c.klp"), "/a b/c.klp");
    std::string out;
    for (const char* bad : {"%", "%4", "%G0", "/x/\xE9.klp"})
        EXPECT_FALSE(RecentProjects::Decode(bad, out)) << bad;
}

TEST(RecentProjectsTest, DamagedValuesAreLeftOut)
{
    MemorySettingsStore store;
    store.CreateKey(kKey);
    store.WriteValue(kKey, "File1", SettingsValue::Integer(7));
    store.WriteValue(kKey, "File2", SettingsValue::String("%ZZ"));
    store.WriteValue(kKey, "File3", SettingsValue::String(""));
    store.WriteValue(kKey, "File4", SettingsValue::String("/ok.klp"));
    store.WriteValue(kKey, "File5", SettingsValue::String("/ok.klp"));
    RecentProjects recent(&store);
    recent.Load();
    EXPECT_EQ(recent.Paths(), std::vector<std::string>{"/ok.klp"});
    recent.Add("/new.klp");
    EXPECT_EQ(store.ReadValue(kKey, "File1"), SettingsValue::String("/new.klp"));
    EXPECT_FALSE(store.ReadValue(kKey, "File3").has_value());
}

// The menu names a project by its file name alone until another listed project
// has the same name; then each shows as many of its last folders as tell it apart.
TEST(RecentProjectsTest, MenuNamesShowTheFoldersOfNamesakesOnly)
{
    EXPECT_EQ(RecentProjects::MenuNames({"/home/anna/flat.klp", "/home/anna/house.klp"}),
              (std::vector<std::string>{"flat.klp", "house.klp"}));
    EXPECT_EQ(RecentProjects::MenuNames({"/work/a/projects/flat.klp", "/work/b/projects/flat.klp", "/tmp/villa.klp"}),
              (std::vector<std::string>{"flat.klp (a/projects)", "flat.klp (b/projects)", "villa.klp"}));
    EXPECT_EQ(RecentProjects::MenuNames({"/x/flat.klp", "/y/flat.klp", "/y/z/flat.klp"}),
              (std::vector<std::string>{"flat.klp (x)", "flat.klp (y)", "flat.klp (z)"}));
    // A name typed on Windows, and one without folders.
    EXPECT_EQ(RecentProjects::MenuNames({"C:\\terv\\flat.klp", "flat.klp"}),
              (std::vector<std::string>{"flat.klp (terv)", "flat.klp"}));
    EXPECT_TRUE(RecentProjects::MenuNames({}).empty());
}
