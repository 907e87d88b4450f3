#include <gtest/gtest.h>

#include "TestLanguage.h"
#include "platform/Resources.h"

using namespace kalorina;
using test::MakeLanguage;

namespace {
struct Fresh {
    Fresh() { Languages().Clear(); }
    ~Fresh() { Languages().Clear(); }
};
} // namespace

TEST(TextLookup, TokensAndFamilies)
{
    Fresh f;
    TLanguages& l = Languages();
    EXPECT_EQ(l.GetText("IDS_PROGRAMTITLE"), "");
    EXPECT_EQ(l.ReplaceTokens("a#X#b"), "a#X#b"); // no language: unchanged
    l.AddLanguage(MakeLanguage(
        "T", {{"ID_BUILDING", "Épület"}, {"X", "x"}, {"Y", "y"}, {"F+0", "a"}, {"F+1", "b"}, {"F+3", "d"}, {"", "E"}}));
    l.SelectLanguage("T");
    EXPECT_EQ(l.ReplaceTokens("{\\b #ID_BUILDING#:}"), "{\\b Épület:}");
    EXPECT_EQ(l.ReplaceTokens("a\\#b"), "a#b");
    EXPECT_EQ(l.ReplaceTokens("a#b"), "ab");
    EXPECT_EQ(l.ReplaceTokens("#X##Y#"), "xy");
    EXPECT_EQ(l.ReplaceTokens("##"), "E");
    EXPECT_EQ(l.ReplaceTokens("#missing#!"), "!");
    EXPECT_EQ(l.GetFamily("F+"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(l.GetResourceText(18), "Kalorina Item");
    EXPECT_EQ(ResourceString(32000), "#ID_NEEDFIRSTCOLUMN#");
}

TEST(TextLookup, SelectionRules)
{
    Fresh f;
    TLanguages& l = Languages();
    l.AddLanguage(MakeLanguage("Plain", {{"K", "plain"}}, false));
    l.AddLanguage(MakeLanguage("Dup", {{"K", "first"}}));
    l.AddLanguage(MakeLanguage("Dup", {{"K", "second"}}));
    TLanguage plainFile = MakeLanguage("PlainFile", {{"K", "p"}});
    plainFile.compressed = false; // plain files never serve the user interface
    l.AddLanguage(plainFile);

    l.SelectLanguage("Plain");
    EXPECT_EQ(l.GetLanguageName(), "");
    l.SelectLanguage("PlainFile");
    EXPECT_EQ(l.Current(), nullptr);
    l.SelectLanguage("Dup");
    EXPECT_EQ(l.GetText("K"), "first");
    l.SelectPrintingLanguage("nothing");
    EXPECT_EQ(l.GetPrintingLanguageName(), "Dup");
    l.SelectPrintingLanguage("PlainFile");
    l.PrintingMode = true;
    EXPECT_EQ(l.GetText("K"), "p");
    l.PrintingMode = false;
    std::vector<std::string> names;
    l.GetLanguageNames(names, true);
    EXPECT_EQ(names, (std::vector<std::string>{"Dup", "Dup"}));
    l.GetLanguageNames(names, false);
    EXPECT_EQ(names.size(), 4u);

    Languages().Clear();
    l.AddLanguage(MakeLanguage("A", {{"K", "a"}}));
    l.SelectLanguage("A");
    l.PrintingMode = true; // printing language none
    EXPECT_EQ(l.GetText("K"), "");
}
