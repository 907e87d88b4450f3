// Filling the report templates and the printing-language scope.
#include <gtest/gtest.h>

#include <stdexcept>

#include "TestLanguage.h"
#include "lang/PrintingScope.h"
#include "report/TPrintfStringStream.h"

using namespace kalorina;
using test::MakeLanguage;

namespace {
struct TwoLanguages {
    TwoLanguages()
    {
        TLanguages& l = Languages();
        l.Clear();
        l.AddLanguage(MakeLanguage(
            "Magyar", {{"ID_BUILDING", "\xC9p\xFClet"}, {"ID_SUMOFHEATINGSLOSS", "H\xF5vesztes\xE9g 100%"}}));
        l.AddLanguage(MakeLanguage("English", {{"ID_BUILDING", "Building"}}, false));
        l.SelectLanguage("Magyar");
        l.SelectPrintingLanguage("English");
    }
    ~TwoLanguages() { Languages().Clear(); }
};
} // namespace

TEST(ReportText, TemplatesAreFilledWithoutTouchingTheValue)
{
    TwoLanguages langs;
    TPrintfStringStream s;
    s.PrintfText(96, "H\xE1z #1 {A}\\B");
    // The token is replaced; the value keeps its '#' and has its RTF characters escaped.
    EXPECT_EQ(s.Text(), "\\pard\\tx1440\\plain\\f3\\fs20 {\\b \xC9p\xFClet:}\\tab H\xE1z #1 \\{A\\}\\\\B\\par\r\n");
    s.Clear();
    // A '%' in a translated word is not a conversion.
    s.PrintfValue(512, true, 12.3456f);
    EXPECT_NE(s.Text().find("H\xF5vesztes\xE9g 100%:\\tab 12.346\\tab kW"), std::string::npos) << s.Text();
    s.Clear();
    s.PrintfValue(512, false, 1);
    EXPECT_TRUE(s.Text().empty());
    EXPECT_EQ(FillTemplate("%.0f Pa 100%%", nullptr, 2499.5), "2500 Pa 100%");
    EXPECT_EQ(FillTemplate(std::string(2000, 'a') + "%s", nullptr, 0).size(), TPrintfStringStream::kMaxLine);
    // Reading: fewer than two characters left counts as used up.
    s.Clear();
    s.Write("ab");
    EXPECT_FALSE(s.UsedUp());
    s.Get();
    EXPECT_TRUE(s.UsedUp());
}

TEST(ReportText, PrintingScopeSwitchesAndAlwaysRestores)
{
    TwoLanguages langs;
    TLanguages& l = Languages();
    EXPECT_EQ(l.GetText("ID_BUILDING"), "\xC9p\xFClet");
    {
        PrintingScope printing;
        EXPECT_EQ(l.GetText("ID_BUILDING"), "Building");
        {
            PrintingScope nested; // an export opened while the printing dialog is up
        }
        EXPECT_TRUE(l.PrintingMode); // still printing after the inner scope ends
    }
    EXPECT_FALSE(l.PrintingMode);
    try {
        PrintingScope printing;
        throw std::runtime_error("a report failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(l.PrintingMode);
    EXPECT_EQ(l.GetText("ID_BUILDING"), "\xC9p\xFClet");
}
