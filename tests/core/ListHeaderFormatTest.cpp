#include <gtest/gtest.h>

#include "lang/TLanguages.h"
#include "listview/TListHeaderFormat.h"
#include "util/Codepage.h"

using namespace kalorina;

namespace {

std::string U(const char* utf8)
{
    return Utf8ToCp1250(utf8);
}

TEST(ListHeaderFormat, BuiltInFormatsHaveTheirColumns)
{
    const std::pair<const char*, int> formats[] = {
        {"FloorHeatingChoose", 6},    {"RoomFloorHeatingsTitle", 18}, {"RoundFloorFields", 16},
        {"ResistItemsTitle", 10},     {"ResistItemsTitle2", 8},       {"FloorHeatingsReportTitle", 19},
        {"RoomItemTitle", 8},         {"RoundItemTitle", 21},         {"UsedMaterialsTableTitle", 3},
        {"ManifoldOutletsTitle", 13}, {"HeatLoadElementsTitle", 8},
    };
    for (auto [name, count] : formats) {
        TListHeaderFormat f;
        ASSERT_TRUE(f.LoadFormat(name)) << name;
        EXPECT_EQ(f.ColumnCount(), count) << name;
        EXPECT_EQ(f.displayOrder.size(), static_cast<std::size_t>(count)) << name;
        EXPECT_EQ(f.captionLineCount, std::string(name) == "UsedMaterialsTableTitle" ? 1 : 2);
    }
    TListHeaderFormat f;
    EXPECT_TRUE(f.LoadFormat("FLOORHEATINGCHOOSE")); // resource names ignore case
    EXPECT_FALSE(f.LoadFormat("NoSuchTitle"));
    EXPECT_EQ(f.ColumnCount(), 0);
}

TEST(ListHeaderFormat, FloorHeatingChooseColumns)
{
    TListHeaderFormat f;
    ASSERT_TRUE(f.LoadFormat("FloorHeatingChoose"));
    const auto& c0 = f.columns[0];
    EXPECT_EQ(c0.width, 8);
    EXPECT_EQ(c0.valueKind, TValueKind::Text);
    EXPECT_EQ(c0.captionLines[0], U("Osztás"));
    EXPECT_EQ(c0.captionLines[1], "[mm]");

    const auto& c1 = f.columns[1]; // ".1Fcr1"
    EXPECT_EQ(c1.columnId, 1);
    EXPECT_EQ(c1.valueKind, TValueKind::Real);
    EXPECT_EQ(c1.realFormat, TFloatFormat::Fixed);
    EXPECT_EQ(c1.precision, 5);
    EXPECT_EQ(c1.digits, 1);
    EXPECT_FALSE(c1.zeroShown);
    EXPECT_EQ(c1.titleAlignment, TAlignment::Center);
    EXPECT_EQ(c1.dataAlignment, TAlignment::Right);
    EXPECT_EQ(c1.captionLines[0], U("q\\; (fajlagos teljesítmény)"));
    EXPECT_EQ(c1.captionLines[1], "[W/m\\u2\\p]");

    EXPECT_TRUE(f.columns[2].zeroShown); // ".1fcr2"
    EXPECT_EQ(f.columns[4].digits, 0);   // ".0Fcr4"
}

TEST(ListHeaderFormat, FormatLinesAndWidths)
{
    TListHeaderFormat f;
    ASSERT_TRUE(f.LoadFormat("ResistItemsTitle"));
    EXPECT_TRUE(f.columns[0].visible);
    EXPECT_EQ(f.columns[0].valueKind, TValueKind::Integer); // "icr0"
    EXPECT_TRUE(f.columns[0].zeroShown);
    EXPECT_FALSE(f.columns[2].visible); // -35
    EXPECT_EQ(f.columns[2].width, 35);
    EXPECT_EQ(f.columns[6].realFormat, TFloatFormat::Fixed); // "Fcr4"
    EXPECT_EQ(f.columns[6].precision, 5);
    EXPECT_EQ(f.columns[6].digits, 3);

    ASSERT_TRUE(f.LoadFormat("RoomItemTitle"));
    EXPECT_EQ(f.columns[2].realFormat, TFloatFormat::General); // "Gcr2"
    EXPECT_EQ(f.columns[6].digits, 0);                         // ".Gcr6": no decimals given
    EXPECT_EQ(f.columns[6].precision, 5);

    ASSERT_TRUE(f.LoadFormat("UsedMaterialsTableTitle"));
    EXPECT_EQ(f.columns[2].titleAlignment, TAlignment::Right); // "Grr2"
    EXPECT_EQ(f.columns[2].captionLines[0], U("Mennyiség"));
}

TEST(ListHeaderFormat, ConditionsDropColumns)
{
    TListHeaderFormat f;
    f.Parse("2\r\n4\r\n"
            "5\r\n[1]7.2Ecl3\r\nA\r\nB\r\n"
            "6\r\n[0]sll4\r\nC\r\nD\r\n"
            "7\r\n[!0]sll5\r\nE\r\nF\r\n"
            "-8\r\n[!4]sll6\r\nG\r\nH\r\n");
    ASSERT_EQ(f.ColumnCount(), 2);
    EXPECT_EQ(f.columns[0].columnId, 3);
    EXPECT_EQ(f.columns[0].precision, 7);
    EXPECT_EQ(f.columns[0].digits, 2);
    EXPECT_EQ(f.columns[0].realFormat, TFloatFormat::Exponent);
    EXPECT_EQ(f.columns[0].dataAlignment, TAlignment::Left);
    EXPECT_EQ(f.columns[1].columnId, 5);
    EXPECT_EQ(f.columns[1].captionLines[1], "F");
    EXPECT_EQ(f.displayOrder, (std::vector<std::int16_t>{0, 1}));
}

TEST(ListHeaderFormat, OnlyNumberLettersInUpperCaseHideZeros)
{
    TListHeaderFormat f;
    f.Parse("1\r\n4\r\n"
            "5\r\nScl1\r\nA\r\n"
            "5\r\nXcl2\r\nB\r\n"
            "5\r\nIcr3\r\nC\r\n"
            "5\r\nEcr4\r\nD\r\n");
    ASSERT_EQ(f.ColumnCount(), 4);
    EXPECT_EQ(f.columns[0].valueKind, TValueKind::Text);
    EXPECT_TRUE(f.columns[0].zeroShown);
    EXPECT_EQ(f.columns[1].valueKind, TValueKind::Text);
    EXPECT_TRUE(f.columns[1].zeroShown);
    EXPECT_FALSE(f.columns[2].zeroShown);
    EXPECT_FALSE(f.columns[3].zeroShown);
    // A text column is stored with the lower-case letter.
    EXPECT_EQ(TListHeaderFormat::LayoutValue(f.columns[0]), "5cls");
}

TEST(ListHeaderFormat, TruncatedTextKeepsWhatItHas)
{
    TListHeaderFormat f;
    f.Parse("2\n3\n10\nsll0\nA\n"); // LF only, and the text ends early
    ASSERT_EQ(f.ColumnCount(), 1);
    EXPECT_EQ(f.columns[0].captionLines[0], "A");
    EXPECT_EQ(f.columns[0].captionLines[1], "");
}

TEST(ListHeaderFormat, LanguageTranslatesCaptions)
{
    TLanguage english;
    english.name = "English";
    english.compressed = true;
    english.userInterface = true;
    english.titles.push_back(
        {"FloorHeatingChoose",
         {{0, "Spacing"}, {1, "q\\; (specific output)"}, {256 + 4, "[Watt]"}, {512 + 1, "ignored"}}});
    Languages().AddLanguage(english);
    Languages().SelectLanguage("English");

    TListHeaderFormat f;
    ASSERT_TRUE(f.LoadFormat("FloorHeatingChoose"));
    Languages().Clear();
    EXPECT_EQ(f.columns[0].captionLines[0], "Spacing");
    EXPECT_EQ(f.columns[0].captionLines[1], "[mm]");
    EXPECT_EQ(f.columns[1].captionLines[0], "q\\; (specific output)");
    EXPECT_EQ(f.columns[4].captionLines[1], "[Watt]");
    EXPECT_EQ(f.columns[1].captionLines[1], "[W/m\\u2\\p]");
}

TEST(ListHeaderFormat, SwapAndColumnAt)
{
    TListHeaderFormat f;
    ASSERT_TRUE(f.LoadFormat("RoomItemTitle"));
    f.SwapColumns(1, 3);
    EXPECT_EQ(f.ColumnAt(1)->columnId, 3);
    EXPECT_EQ(f.ColumnAt(3)->columnId, 1);
    f.SwapColumns(0, 8); // out of range: ignored
    f.SwapColumns(-1, 0);
    EXPECT_EQ(f.ColumnAt(0)->columnId, 0);
    EXPECT_EQ(f.ColumnAt(8), nullptr);
    EXPECT_EQ(f.ColumnAt(-1), nullptr);

    TListHeaderFormat copy = f;
    copy.columns[0].visible = false;
    EXPECT_TRUE(f.columns[0].visible);
    EXPECT_EQ(copy.displayOrder, f.displayOrder);
    EXPECT_EQ(copy.VisibleColumns().size(), 7u);
}

} // namespace

// The remaining heat demand of a room: exactly nothing left reads "0", not a dash
// that looks like the minus of a surplus ("-57").
TEST(ListHeaderFormat, RemainingHeatDemandShowsZeroAsANumber)
{
    TListHeaderFormat f;
    ASSERT_TRUE(f.LoadFormat("RoomItemTitle"));
    const TListHeaderFormatCol* remaining = nullptr;
    for (const auto* col : f.VisibleColumns())
        if (col->columnId == 7)
            remaining = col;
    ASSERT_NE(remaining, nullptr);
    EXPECT_EQ(remaining->FormatReal(0, '.'), "0");
    EXPECT_EQ(remaining->FormatReal(-57, '.'), "-57");
}
