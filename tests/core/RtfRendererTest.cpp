// The RTF renderer on a canvas with fixed metrics: 96 pixels per inch, every
// character 6 pixels wide and 13 high at 10 points (scaled with the size).
#include <gtest/gtest.h>

#include <climits>

#include "platform/FixedMetricsCanvas.h"
#include "report/RtfRenderer.h"
#include "report/TPrintfStringStream.h"

using namespace kalorina;

namespace {

struct Rendered {
    FixedMetricsCanvas canvas;
    TRect area{100, 50, 700, 1000};
};

Rendered Render(const std::string& rtf, TRect area = {100, 50, 700, 1000}, bool measureOnly = false)
{
    Rendered r;
    r.area = area;
    TPrintfStringStream s;
    s.Write(rtf);
    RTFPrint({"Report", 10}, measureOnly).Render(r.canvas, r.area, s);
    EXPECT_TRUE(s.AtEnd());
    return r;
}

const FixedMetricsCanvas::DrawnText& Drawn(const Rendered& r, const std::string& text)
{
    for (const auto& t : r.canvas.texts)
        if (t.text == text)
            return t;
    ADD_FAILURE() << "not drawn: " << text;
    static FixedMetricsCanvas::DrawnText none;
    return none;
}

} // namespace

TEST(RtfRenderer, StylesGroupsAndFonts)
{
    auto r = Render("{\\b X}Y\\b Z\\b0 W\\i V\\i0 {\\fs24 L}{\\fs16 S}\\f1 D\\f4 E");
    EXPECT_TRUE(Drawn(r, "X").font.bold);
    EXPECT_FALSE(Drawn(r, "Y").font.bold);
    EXPECT_TRUE(Drawn(r, "Z").font.bold);
    EXPECT_FALSE(Drawn(r, "W").font.bold);
    EXPECT_TRUE(Drawn(r, "V").font.italic);
    EXPECT_EQ(Drawn(r, "L").font.size, 12);
    EXPECT_EQ(Drawn(r, "S").font.size, 8);
    EXPECT_EQ(Drawn(r, "D").font.name, "Symbol");
    EXPECT_EQ(Drawn(r, "E").font.name, "Report");
    EXPECT_EQ(Drawn(r, "X").font.name, "Report");
    // Words run on along the line: X at the area's left, Y 6 pixels further.
    EXPECT_EQ(Drawn(r, "X").x, 100);
    EXPECT_EQ(Drawn(r, "Y").x, 106);
    EXPECT_EQ(Drawn(r, "Y").y, 50);
}

TEST(RtfRenderer, SuperAndSubscriptSitOnTheirOwnHeight)
{
    auto r = Render("m{\\super 2}x{\\sub 3}");
    const auto& two = Drawn(r, "2");
    EXPECT_EQ(two.font.size, 8);
    // 8 points: 13 * 8 / 10 = 10 pixels high, drawn 0.2 of that above the line top.
    EXPECT_EQ(two.y, 50 - 2);
    EXPECT_EQ(Drawn(r, "3").y, 50 + 6); // truncate(10 * 0.66)
    EXPECT_EQ(Drawn(r, "x").font.size, 10);
}

TEST(RtfRenderer, TabStopsAndIndents)
{
    // 3600 twips at 96 ppi are 240 pixels: B ends there.
    auto right = Render("\\tqr\\tx3600 A\\tab BB");
    EXPECT_EQ(Drawn(right, "BB").x, 100 + 240 - 12);
    // x already past the stop: the tab does nothing.
    auto past = Render("\\tqr\\tx720 AAAAAAAAAAAAAAA\\tab B");
    EXPECT_EQ(Drawn(past, "B").x, 100 + 90);
    // Left stops in definition order; the first beyond x wins.
    auto left = Render("\\tx1440\\tx2880 A\\tab B\\tab C\\tab D");
    EXPECT_EQ(Drawn(left, "B").x, 100 + 96);
    EXPECT_EQ(Drawn(left, "C").x, 100 + 192);
    EXPECT_EQ(Drawn(left, "D").x, 100 + 198); // no stop left: runs on
    // The TAB character is a tab too.
    auto tabChar = Render("\\tx1440 A\tB");
    EXPECT_EQ(Drawn(tabChar, "B").x, 100 + 96);
    // Left of the left indent a tab goes to the indent, whatever the stops.
    auto indent = Render("\\li1440\\fi-1440\\tx480 A\\tab B\\par C");
    EXPECT_EQ(Drawn(indent, "A").x, 100);
    EXPECT_EQ(Drawn(indent, "B").x, 100 + 96);
    EXPECT_EQ(Drawn(indent, "C").x, 100); // \par: x back to 0, the first indent again
    // \ri is kept but does not narrow the line.
    auto ri = Render("\\ri7200 " + std::string(90, 'w'));
    EXPECT_EQ(ri.canvas.texts.size(), 1u);
}

TEST(RtfRenderer, ParagraphSpacingAndEmptyParagraphs)
{
    // \sb and \sa of 1440 twips are 96 pixels; an empty paragraph takes the height of "0".
    Rendered r = Render("\\sb1440\\sa720\\par ");
    EXPECT_EQ(r.area.top, 50 + 96 + 48 + 13);
    r = Render("A\\par B\\par ");
    EXPECT_EQ(Drawn(r, "B").y, 63);
    EXPECT_EQ(r.area.top, 76);
    // \pard returns the level to the base: no bold, no stops, no spacing.
    r = Render("\\b\\sb1440 A\\par\\pard B\\par ");
    EXPECT_FALSE(Drawn(r, "B").font.bold);
    EXPECT_EQ(Drawn(r, "B").y, 50 + 96 + 13);
    // Measuring only moves the top and draws nothing.
    r = Render("A\\par B\\par ", {100, 50, 700, 1000}, true);
    EXPECT_TRUE(r.canvas.texts.empty());
    EXPECT_EQ(r.area.top, 76);
}

TEST(RtfRenderer, WordWrapping)
{
    // 20 characters fit on a 120-pixel line.
    Rendered r = Render("aaaa bbbb cccc dddd eeee ffff\\par ", {0, 0, 120, 500});
    ASSERT_EQ(r.canvas.texts.size(), 6u);
    EXPECT_EQ(Drawn(r, "aaaa").y, 0);
    EXPECT_EQ(Drawn(r, " dddd").y, 0);
    // The wrapped word loses its blank and starts the next line at the indent.
    EXPECT_EQ(Drawn(r, "eeee").x, 0);
    EXPECT_EQ(Drawn(r, "eeee").y, 13);
    EXPECT_EQ(r.area.top, 26);
    // A word wider than the line: the line is fed first, the word runs past the edge.
    r = Render("ab " + std::string(30, 'x') + "\\par ", {0, 0, 120, 500});
    EXPECT_EQ(Drawn(r, std::string(30, 'x')).y, 13);
    EXPECT_EQ(Drawn(r, std::string(30, 'x')).x, 0);
}

TEST(RtfRenderer, UnknownWordsEscapesAndGroupsAreSkipped)
{
    auto r = Render("\\plain\\lang1038\\s31\\keepn A\\~B\\'e9{\\*\\x C}\\\\\\{\\}\r\n");
    // Unknown words vanish with their number and blank; a backslash before anything
    // that is not a letter goes alone, the character is text.
    std::string all;
    for (const auto& t : r.canvas.texts)
        all += t.text;
    EXPECT_EQ(all, "A~B'e9*C\\{}");
    EXPECT_EQ(Drawn(r, "A").x, 0 + 100);

    // Deeper than seven levels the groups share the last style; an unmatched brace at
    // level 1 makes the base level current.
    r = Render("{{{{{{{{{{\\b A}}}}}}}}}}B}\\b C\\pard D");
    EXPECT_TRUE(Drawn(r, "A").font.bold);
    EXPECT_FALSE(Drawn(r, "B").font.bold);
    EXPECT_TRUE(Drawn(r, "C").font.bold);
    EXPECT_TRUE(Drawn(r, "D").font.bold); // \pard copies the changed base

    // More than 32 stops: the rest are ignored.
    std::string many;
    for (int i = 1; i <= 40; ++i)
        many += "\\tx" + std::to_string(i * 15); // a pixel apart
    r = Render(many + " \\tab\\tab\\tab A");
    EXPECT_EQ(Drawn(r, "A").x, 100 + 3);
}

TEST(RtfRenderer, TokenizerReadsNumbersAndOneBlank)
{
    TPrintfStringStream s;
    s.Write("\\fs-24  x\\tx3600y\\par\\unknown12 z");
    RtfTokenRead t;
    ASSERT_TRUE(NextRtfToken(s, t));
    EXPECT_EQ(t.kind, RtfToken::Fs);
    EXPECT_EQ(t.number, -24);
    ASSERT_TRUE(NextRtfToken(s, t));
    EXPECT_EQ(t.kind, RtfToken::Text);
    EXPECT_EQ(t.text, " x");
    ASSERT_TRUE(NextRtfToken(s, t));
    EXPECT_EQ(t.kind, RtfToken::Tx);
    EXPECT_EQ(t.number, 3600);
    ASSERT_TRUE(NextRtfToken(s, t));
    EXPECT_EQ(t.text, "y");
    ASSERT_TRUE(NextRtfToken(s, t));
    EXPECT_EQ(t.kind, RtfToken::Par);
    EXPECT_EQ(t.number, 1);
    ASSERT_TRUE(NextRtfToken(s, t));
    EXPECT_EQ(t.kind, RtfToken::Other);
    ASSERT_TRUE(NextRtfToken(s, t));
    EXPECT_EQ(t.text, "z");
    EXPECT_FALSE(NextRtfToken(s, t));
}

// Texts from the string table and language files may carry any number: sizes and
// positions are held to what a page can use, so that nothing overflows on the way.
TEST(RtfRenderer, NumbersBeyondAnyPageAreClamped)
{
    struct Case {
        const char* rtf;
        const char* word;
        int size, x, y; // points, pixels
    };
    // 22 inches at 96 ppi are 2112 pixels; sizes run from 1 to 1638 points.
    const Case cases[] = {
        {"{\\fs2000000000 x}", "x", 1638, 100, 50},
        {"{\\fs99999999999 x}", "x", 1638, 100, 50},
        {"{\\fs-2000000000 x}", "x", 1, 100, 50},
        {"{\\fs0 x}", "x", 1, 100, 50},
        {"{\\fs1\\sub x}", "x", 1, 100, 50},
        {"\\li2147483647 x", "x", 10, 100 + 2112, 50},
        {"\\li-2147483647\\fi-2147483647 x", "x", 10, 100 - 2 * 2112, 50},
        {"\\tx2147483647 a\\tab x", "x", 10, 100 + 2112, 50},
        {"\\sb2000000000 x", "x", 10, 100, 50 + 2112},
        {"\\sb-2000000000 x", "x", 10, 100, 50 - 2112},
        {"\\sa2147483647 a\\par x", "x", 10, 100, 50 + 2112 + 13},
    };
    for (const Case& c : cases) {
        auto r = Render(c.rtf, {100, 50, 100000, 100000}); // no wrapping
        const auto& drawn = Drawn(r, c.word);
        EXPECT_EQ(drawn.font.size, c.size) << c.rtf;
        EXPECT_EQ(drawn.x, c.x) << c.rtf;
        EXPECT_EQ(drawn.y, c.y) << c.rtf;
    }
    // A report font of any size from the settings: within the same range.
    for (int size : {INT_MAX, -5}) {
        FixedMetricsCanvas canvas;
        TRect area{100, 50, 700, 1000};
        TPrintfStringStream s;
        s.Write("a{\\fs40 b}");
        RTFPrint({"Report", size}, false).Render(canvas, area, s);
        ASSERT_EQ(canvas.texts.size(), 2u);
        EXPECT_EQ(canvas.texts[0].font.size, size > 0 ? 1638 : 1) << size;
        EXPECT_EQ(canvas.texts[1].font.size, size > 0 ? 1638 : 2) << size; // twice the smallest
    }
}
