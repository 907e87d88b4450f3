#include <gtest/gtest.h>

#include "listview/ColourPrefix.h"
#include "listview/RichCaption.h"
#include "listview/TListHeaderFormat.h"
#include "platform/FixedMetricsCanvas.h"
#include "platform/SymbolFont.h"

using namespace kalorina;

namespace {

// 10-point metrics: characters 6 wide, text 13 high, external leading 2.
FixedMetricsCanvas MakeCanvas()
{
    FixedMetricsCanvas c;
    c.SetFontName("Arial");
    c.SetFontSize(12); // characters 7 wide, text 15 high, leading 2, line height 17
    return c;
}

TEST(RichCaption, ShortAndFullForms)
{
    EXPECT_EQ(RichCaptionPlainText("q\\; (fajlagos)", true), "q");
    EXPECT_EQ(RichCaptionPlainText("q\\; (fajlagos)", false), "q (fajlagos)");
    EXPECT_EQ(RichCaptionPlainText("t\\df\\;\\p (x)", true), "tf");
    EXPECT_EQ(RichCaptionPlainText("a\\\\b\\xc\\", false), "a\\bc");

    auto s = ParseRichCaption("[W/m\\u2\\p]", true);
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0].text, "[W/m");
    EXPECT_EQ(s[1].code, 'u');
    EXPECT_EQ(s[1].text, "2");
    EXPECT_EQ(s[2].code, 'p');
    EXPECT_EQ(s[2].text, "]");
}

TEST(RichCaption, DrawsSegmentsWithTheirFonts)
{
    FixedMetricsCanvas c = MakeCanvas();
    const TRect rect{100, 10, 200, 40};
    DrawRichCaption(c, "\\fD\\pp\\dsz\\p\\; (fojtás)", TAlignment::Left, true, rect, 4, 17);
    ASSERT_EQ(c.texts.size(), 3u);
    EXPECT_EQ(c.texts[0].font.name, "Symbol");
    EXPECT_EQ(c.texts[0].font.size, 12);
    EXPECT_EQ(c.texts[0].x, 104);
    EXPECT_EQ(c.texts[0].y, 10);
    EXPECT_EQ(c.texts[1].text, "p");
    EXPECT_EQ(c.texts[1].font.name, "Arial");
    EXPECT_EQ(c.texts[1].x, 111);
    EXPECT_EQ(c.texts[1].clip, (TRect{111, 10, 200, 40}));
    EXPECT_EQ(c.texts[2].text, "sz");
    EXPECT_EQ(c.texts[2].font.size, 8); // 12 × 2 / 3
    EXPECT_EQ(c.texts[2].y, 10 + 17 / 3);
    EXPECT_EQ(c.Font().name, "Arial"); // starting font restored
    EXPECT_EQ(c.Font().size, 12);
    EXPECT_EQ(SymbolToUnicode('D'), U'\u0394');
    EXPECT_EQ(SymbolToUnicode('z'), U'\u03B6');
    EXPECT_EQ(SymbolToUnicode('S'), U'\u03A3');
}

TEST(RichCaption, RightAndCentreAlignment)
{
    FixedMetricsCanvas c = MakeCanvas();
    // "m" (7) + superscript "2" at 8 points (4) = 11 wide.
    DrawRichCaption(c, "m\\u2", TAlignment::Right, true, TRect{0, 0, 50, 20}, 9, 17);
    ASSERT_EQ(c.texts.size(), 2u);
    EXPECT_EQ(c.texts[0].x, 39);
    EXPECT_EQ(c.texts[1].x, 46);
    EXPECT_EQ(c.texts[1].y, 0); // superscripts stay at the top
    c.texts.clear();
    DrawRichCaption(c, "m\\u2", TAlignment::Center, true, TRect{0, 0, 50, 20}, 9, 17);
    EXPECT_EQ(c.texts[0].x, 19); // (50 − 11) / 2
    c.texts.clear();
    // Wider than the rectangle: the offset goes negative and the clip stays put.
    DrawRichCaption(c, "abcdefghij", TAlignment::Center, true, TRect{10, 0, 40, 20}, 0, 17);
    EXPECT_EQ(c.texts[0].x, 10 + (30 - 70) / 2);
    EXPECT_EQ(c.texts[0].clip.left, 10);
}

TEST(ListHeaderMetrics, HeightRectsAndHeader)
{
    FixedMetricsCanvas c = MakeCanvas();
    TListHeaderFormat f;
    ASSERT_TRUE(f.LoadFormat("FloorHeatingChoose"));
    EXPECT_EQ(f.HeaderHeight(c, 0), 17 * 2 + 2 + 4);
    EXPECT_EQ(f.HeaderHeight(c, 3), 17 * 2 + 3 * 15 + 2 + 4);
    EXPECT_EQ(f.TextHeight(), 15);

    int x = 0;
    TRect cell = f.ColumnRect(f.columns[0], TRect{20, 50, 500, 300}, x);
    EXPECT_EQ(cell, (TRect{22, 50, 20 + 56 - 3, 67}));
    EXPECT_EQ(x, 56);
    cell = f.ColumnRect(f.columns[1], TRect{20, 50, 500, 300}, x);
    EXPECT_EQ(cell.left, 20 + 56 + 2);

    f.columns[1].visible = false;
    f.columns[2].customCaption = true;
    f.columns[2].customCaptionLines = {"X\\; long", "Y"};
    TRect area{10, 100, 600, 800};
    f.PrintHeader(c, area);
    EXPECT_EQ(area.top, 100 + 17 * 2 + 2 + 4);
    // Column 0 "Osztás"/"[mm]" left at x 10, then the custom caption of column 2 centred.
    ASSERT_GE(c.texts.size(), 4u);
    EXPECT_EQ(c.texts[0].x, 12);
    EXPECT_EQ(c.texts[0].y, 100 + 2 + 2);
    EXPECT_EQ(c.texts[1].y, 100 + 2 + 2 + 17);
    EXPECT_EQ(c.texts[2].text, "X");
    EXPECT_EQ(c.texts[2].x, 68 + (65 - 7) / 2); // rectangle 68 .. 10 + 56 + 70 − 3
    EXPECT_EQ(c.texts[2].clip, (TRect{97, 104, 133, 140}));
    EXPECT_EQ(c.texts[3].text, "Y");
}

TEST(ListHeaderMetrics, CellTextAndColourPrefixes)
{
    FixedMetricsCanvas c = MakeCanvas();
    TListHeaderFormatCol col;
    const TRect r{10, 0, 110, 17};
    col.DrawCellText(c, "abc", r, 3);
    col.dataAlignment = TAlignment::Right;
    col.DrawCellText(c, "abc", r, 3);
    col.dataAlignment = TAlignment::Center;
    col.DrawCellText(c, "abc", r, 3);
    EXPECT_EQ(c.texts[0].x, 13);
    EXPECT_EQ(c.texts[1].x, 110 - 21);
    EXPECT_EQ(c.texts[2].x, 10 + (100 - 21) / 2);
    EXPECT_EQ(c.texts[2].clip, r);

    EXPECT_EQ(StripColourPrefix("\\red32.5"), "32.5");
    EXPECT_EQ(StripColourPrefix("\\green"), "");
    EXPECT_EQ(StripColourPrefix("\\blue\\red1"), "\\red1");
    EXPECT_EQ(StripColourPrefix("1\\red"), "1\\red");
    EXPECT_EQ(FindColourPrefix("\\green ok").colour, RGBColor(0, 128, 0));
    EXPECT_EQ(FindColourPrefix("\\redx").length, 4u);
}

} // namespace
