#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "XmlTestSupport.h"
#include "xml/XmlParser.h"

using namespace kalorina;

namespace {

using test::Part;
using test::ScanAll;

std::vector<Part> ScanAll(std::string_view doc, bool normalize = true)
{
    TXmlParser xml;
    xml.LoadFromBuffer(doc);
    xml.Normalize = normalize;
    return ScanAll(xml);
}

// The attribute `name` of the first tag in the document.
std::string FirstTagAttr(std::string_view doc, const char* name)
{
    TXmlParser xml;
    xml.LoadFromBuffer(doc);
    xml.StartScan();
    while (xml.Scan())
        if (xml.PartType == ptStartTag || xml.PartType == ptEmptyTag)
            return xml.PartAttributes.Value(name);
    return "<no tag>";
}

// The text of the first text part.
std::string FirstText(std::string_view doc)
{
    for (const Part& p : ScanAll(doc))
        if (p.type == ptContent)
            return p.content;
    return "<no text>";
}

} // namespace

TEST(XmlParser, TagKinds)
{
    auto parts = ScanAll("<a/><a /><b x='1'/></a><c>");
    ASSERT_EQ(parts.size(), 5u);
    EXPECT_EQ(parts[0].type, ptEmptyTag);
    EXPECT_EQ(parts[0].name, "a");
    EXPECT_EQ(parts[1].type, ptEmptyTag);
    EXPECT_EQ(parts[2].type, ptEmptyTag);
    EXPECT_EQ(parts[2].name, "b");
    EXPECT_EQ(parts[3].type, ptEndTag);
    EXPECT_EQ(parts[3].name, "a");
    EXPECT_EQ(parts[4].type, ptStartTag);
    EXPECT_EQ(parts[4].name, "c");
}

TEST(XmlParser, EveryPartKindInOrder)
{
    auto parts = ScanAll("<?xml version=\"1.0\"?><!DOCTYPE r><!-- c --><?pi data here?>"
                         "<r><![CDATA[ <x> & ]]>text</r>");
    std::vector<TPartType> types;
    for (const Part& p : parts)
        types.push_back(p.type);
    EXPECT_EQ(types,
              (std::vector<TPartType>{ptXmlProlog, ptDtdc, ptComment, ptPI, ptStartTag, ptCData, ptContent, ptEndTag}));
    ASSERT_EQ(parts.size(), 8u);
    EXPECT_EQ(parts[3].type, ptPI);
    EXPECT_EQ(parts[3].name, "pi");
    EXPECT_EQ(parts[3].content, " data here");
    EXPECT_EQ(parts[5].type, ptCData);
    EXPECT_EQ(parts[5].content, " <x> & "); // no references, no whitespace treatment
    EXPECT_EQ(parts[6].content, "text");
}

TEST(XmlParser, XmlDeclarationAndProcessingInstructions)
{
    TXmlParser xml;
    xml.LoadFromBuffer("<?xml version=\"1.0\" encoding=\"windows-1250\" standalone='yes'?>"
                       "<?xml-stylesheet href=\"s.css\"?><r/>");
    auto parts = ScanAll(xml);
    EXPECT_EQ(xml.DocVersion, "1.0");
    EXPECT_EQ(xml.DocEncoding, "windows-1250");
    EXPECT_TRUE(xml.DocStandalone);
    EXPECT_EQ(xml.ActiveEncoding, "WINDOWS-1250");
    ASSERT_EQ(parts.size(), 3u);
    // "<?xml" not followed by whitespace is an ordinary processing instruction.
    EXPECT_EQ(parts[1].type, ptPI);
    EXPECT_EQ(parts[1].name, "xml-stylesheet");

    TXmlParser bare;
    bare.LoadFromBuffer("<?xml version='1.0'?><r/>");
    ScanAll(bare);
    EXPECT_EQ(bare.ActiveEncoding, "UTF-8"); // no encoding attribute means UTF-8
}

TEST(XmlParser, AttributeParsing)
{
    // Line break in a value becomes a blank; the blank before it stays.
    EXPECT_EQ(FirstTagAttr("<a x=\"1 \n2\"/>", "x"), "1  2");
    EXPECT_EQ(FirstTagAttr("<a x=\"1\t\r\n2\"/>", "x"), "1   2");
    EXPECT_EQ(FirstTagAttr("<a  x = 'it\"s'  y=\"b'c\">", "x"), "it\"s");
    EXPECT_EQ(FirstTagAttr("<a  x = 'it\"s'  y=\"b'c\">", "y"), "b'c");
    EXPECT_EQ(FirstTagAttr("<a x=\"a>b\">", "x"), "a>b"); // ">" inside a value does not end the tag
    EXPECT_EQ(FirstTagAttr("<a Id=\"1\"/>", "id"), "");   // case-sensitive
    EXPECT_EQ(FirstTagAttr("<a Id=\"1\"/>", "Id"), "1");
    EXPECT_EQ(FirstTagAttr("<a/>", "missing"), "");
    EXPECT_EQ(FirstTagAttr("<a x='1' x='2'/>", "x"), "2"); // of two, the one written last

    TXmlParser xml;
    xml.LoadFromBuffer("<a b=\"1\" c=\"2\" a=\"3\">");
    xml.StartScan();
    ASSERT_TRUE(xml.Scan());
    ASSERT_EQ(xml.PartAttributes.Count(), 3);
    EXPECT_EQ(xml.PartAttributes.Name(0), "a"); // kept in name order
    EXPECT_EQ(xml.PartAttributes.Value(2), "2");
    EXPECT_EQ(xml.PartAttributes.Value(3), "");
    EXPECT_EQ(xml.PartAttributes.Node(-1), nullptr);
}

TEST(XmlParser, TextWhitespace)
{
    auto parts = ScanAll("<a>  \n\t </a><b>  a\n  b  </b>");
    ASSERT_EQ(parts.size(), 5u); // whitespace alone between tags is no part
    EXPECT_EQ(parts[3].type, ptContent);
    EXPECT_EQ(parts[3].content, "a b");

    auto raw = ScanAll("<a>  a\n  b  </a>", false);
    ASSERT_EQ(raw.size(), 3u);
    EXPECT_EQ(raw[1].content, "  a\n  b  ");
    EXPECT_EQ(ScanAll("<a> </a>", false).size(), 3u); // reported without normalisation
}

TEST(XmlParser, ReferencesInText)
{
    EXPECT_EQ(FirstText("<a>&#65;&#321;&#x42;&#X43;</a>"), "AABC");
    EXPECT_EQ(FirstText("<a>x&#xZZ;y</a>"), "x y"); // unreadable number: a blank
    EXPECT_EQ(FirstText("<a>&lt;&gt;&amp;&apos;&quot;</a>"), "<>&'\"");
    EXPECT_EQ(FirstText("<a>&nbsp;</a>"), "nbsp");
    EXPECT_EQ(FirstText("<a>a & b"), "a b");           // no semicolon anywhere: ampersand dropped
    EXPECT_EQ(FirstText("<a>&amp;amp;</a>"), "&amp;"); // replaced once
}

TEST(XmlParser, StrayAmpersandDoesNotSwallowMarkup)
{
    auto parts = ScanAll("<a>AT&T</a><b>x;</b>");
    ASSERT_EQ(parts.size(), 6u);
    EXPECT_EQ(parts[1].content, "ATT");
    EXPECT_EQ(parts[2].type, ptEndTag);
    EXPECT_EQ(parts[2].name, "a");
}

TEST(XmlParser, ReferencesInAttributes)
{
    EXPECT_EQ(FirstTagAttr("<a x=\"&nbsp;\"/>", "x"), "&nbsp;");
    EXPECT_EQ(FirstTagAttr("<a x=\"&#xZZ;\"/>", "x"), std::string(1, '\0'));
    EXPECT_EQ(FirstTagAttr("<a x=\"&amp;#65;\"/>", "x"), "A");
    EXPECT_EQ(FirstTagAttr("<a x=\"&#65;&#xq;\"/>", "x"), std::string("A\0", 2));
    EXPECT_EQ(FirstTagAttr("<a x=\"&lt;b&gt; &amp; &quot;\"/>", "x"), "<b> & \"");
    EXPECT_EQ(FirstTagAttr("<a x=\"a & b\"/>", "x"), "a & b"); // no semicolon: unchanged
    EXPECT_EQ(FirstTagAttr("<a x=\"&#10;\"/>", "x"), " ");     // whitespace treatment follows
}

TEST(XmlParser, Utf8IsTranslatedIntoTheProgramCodePage)
{
    // ő, ű, é, Ő, Ű in UTF-8.
    const std::string hungarian = "\xC5\x91\xC5\xB1\xC3\xA9\xC5\x90\xC5\xB0";
    const std::string cp1250 = "\xF5\xFB\xE9\xD5\xDB";
    EXPECT_EQ(FirstText("<?xml version='1.0' encoding='UTF-8'?><a>" + hungarian + "</a>"), cp1250);
    EXPECT_EQ(FirstText("<?xml version='1.0' encoding='utf-8'?><a>" + hungarian + "</a>"), cp1250);
    EXPECT_EQ(FirstText("<?xml version='1.0'?><a>" + hungarian + "</a>"), cp1250);
    EXPECT_EQ(FirstTagAttr("<?xml version='1.0'?><a x='" + hungarian + "'/>", "x"), cp1250);
    EXPECT_EQ(ScanAll("<?xml version='1.0'?><a><![CDATA[" + hungarian + "]]></a>")[2].content, cp1250);
    // Not in the code page: a question mark.  Four-byte sequence: one question mark.
    EXPECT_EQ(FirstText("<?xml version='1.0'?><a>\xE6\x97\xA5|\xF0\x9F\x98\x80|</a>"), "?|?|");
    // Declared in another encoding, or not declared: byte for byte.
    EXPECT_EQ(FirstText("<?xml version='1.0' encoding='windows-1250'?><a>\xC3\xA9\xF5</a>"), "\xC3\xA9\xF5");
    EXPECT_EQ(FirstText("<a>\xC3\xA9\xF5</a>"), "\xC3\xA9\xF5");
    // A character reference is already a byte of the program's code page.
    EXPECT_EQ(FirstTagAttr("<?xml version='1.0'?><a x='&#233;" + hungarian.substr(0, 2) + "'/>", "x"), "\xE9\xF5");
    EXPECT_EQ(FirstText("<?xml version='1.0'?><a>&#233;</a>"), "\xE9");
}

TEST(XmlText, Utf8ToAnsi)
{
    EXPECT_EQ(Utf8ToAnsi("\xC3\xA9\xC5\x91\xC5\xB1"), "\xE9\xF5\xFB");
    EXPECT_EQ(Utf8ToAnsi("\xE2\x82\xAC"), "\x80"); // euro sign
    EXPECT_EQ(Utf8ToAnsi("a\xE2\x82"), "a?");      // cut off by the end
    EXPECT_EQ(Utf8ToAnsi("\x80x\xFFy"), "?x?y");   // stray bytes
    EXPECT_EQ(Utf8ToAnsi("\xC3"
                         "A<"),
              "?A<");                       // a broken sequence never swallows ASCII
    EXPECT_EQ(Utf8ToAnsi("\xC0\x80"), "?"); // overlong form
    EXPECT_EQ(Utf8ToAnsi("\xC3\xA9", '#'), "\xE9");
    EXPECT_EQ(Utf8ToAnsi("\xE6\x97\xA5", '#'), "#");
    // Every byte of the code page survives the round trip, the unassigned ones too.
    for (int b = 1; b < 256; ++b) {
        std::string one(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(one)), one) << b;
    }
    EXPECT_EQ(AnsiToUtf8("\xF5\xFB"), "\xC5\x91\xC5\xB1");
}

TEST(XmlText, WhitespaceHelpers)
{
    EXPECT_EQ(TrimWs(" \t\r\na b\n "), "a b");
    EXPECT_EQ(TrimWs(" \t "), "");
    EXPECT_EQ(ConvertWs("a \t\nb", false), "a   b");
    EXPECT_EQ(ConvertWs("a \t\nb  ", true), "a b ");
    EXPECT_EQ(ReplaceCharacterEntities("&#65;&#x41;&#xZ;&#Q;&#65"), std::string("AA\0 &#65", 8));
}

TEST(XmlParser, TruncatedInput)
{
    // Every part kind cut off runs to the end; nothing is reported after it.
    const char* docs[] = {
        "<!-- open", "<?pi open", "<?xml version='1.0'",         "<![CDATA[open", "<a x='open", "<a x=", "<a",
        "<",         "</",        "<!DOCTYPE r [ <!ENTITY e 'v", "<!DOCTYPE",     "&",          "&#",    "&#x",
        "<a>&e"};
    for (const char* doc : docs) {
        TXmlParser xml;
        xml.LoadFromBuffer(doc);
        xml.StartScan();
        int parts = 0;
        while (xml.Scan()) {
            ASSERT_LT(++parts, 3) << doc;
            EXPECT_LE(xml.PartStart, xml.PartEnd) << doc;
        }
        EXPECT_FALSE(xml.Scan()) << doc;
        EXPECT_EQ(*xml.PartStart, 0) << doc;
    }
    auto parts = ScanAll("<a><!-- never closed <b>text</b>");
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[1].type, ptComment);
}

TEST(XmlParser, PositionsAndLifecycle)
{
    const std::string doc = "<a x='1'>text</a>";
    TXmlParser xml;
    ASSERT_TRUE(xml.LoadFromBuffer(doc));
    EXPECT_EQ(xml.SourceName, "<MEM>");
    xml.StartScan();
    ASSERT_TRUE(xml.Scan());
    EXPECT_EQ(std::string(xml.PartStart, xml.PartEnd + 1), "<a x='1'>");
    ASSERT_TRUE(xml.Scan());
    EXPECT_EQ(std::string(xml.PartStart, xml.PartEnd + 1), "text");
    ASSERT_TRUE(xml.Scan());
    EXPECT_FALSE(xml.Scan());
    EXPECT_FALSE(xml.Scan());
    xml.StartScan(); // scanning again from the start
    EXPECT_EQ(ScanAll(xml).size(), 3u);

    const char* mine = "<r/>";
    xml.SetBuffer(mine);
    EXPECT_EQ(xml.SourceName, "<REFERENCE>");
    EXPECT_EQ(xml.GetDocBuffer(), mine);
    xml.Clear();
    EXPECT_STREQ(xml.GetDocBuffer(), "");
    xml.StartScan();
    EXPECT_FALSE(xml.Scan());

    EXPECT_FALSE(xml.LoadFromFile("/nonexistent/kalorina.xml"));
    EXPECT_FALSE(xml.LoadFromFile("/")); // a directory is no document
    EXPECT_STREQ(xml.GetDocBuffer(), "");
}

// Files are read into the scanner's block; large ones go to a block of their
// own, which the next file reuses.  Every size must give the same parts, and a
// file never takes the bytes of the one loaded before it.
TEST(XmlParser, FilesOfEverySizeReadAlike)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("kalorina-xml-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const long page = ::sysconf(_SC_PAGESIZE);
    TXmlParser reused;
    for (std::size_t size : {std::size_t(0), std::size_t(1), std::size_t(page - 1), std::size_t(page),
                             std::size_t(page + 1), std::size_t(3u << 20), std::size_t(2 * page), std::size_t(7)}) {
        // "<a>" blanks "x" blanks "</a>" padded to the size (shorter sizes hold part of it).
        std::string text = "<a>";
        text += std::string(size > 9 ? size - 9 : 0, ' ') + "x  </a>";
        text.resize(size, ' ');
        const fs::path file = dir / ("f" + std::to_string(size) + ".xml");
        std::ofstream(file, std::ios::binary) << text;
        TXmlParser fresh;
        ASSERT_TRUE(fresh.LoadFromFile(file.string())) << size;
        ASSERT_TRUE(reused.LoadFromFile(file.string())) << size;
        EXPECT_EQ(std::string(fresh.GetDocBuffer()), text) << size;
        EXPECT_EQ(std::string(reused.GetDocBuffer()), text) << size;
        TXmlParser copy;
        ASSERT_TRUE(copy.LoadFromBuffer(text));
        auto expected = ScanAll(copy);
        auto a = ScanAll(fresh), b = ScanAll(reused);
        ASSERT_EQ(a.size(), expected.size()) << size;
        ASSERT_EQ(b.size(), expected.size()) << size;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(a[i].content, expected[i].content) << size;
            EXPECT_EQ(b[i].content, expected[i].content) << size;
        }
    }
    // A pipe is refused at once instead of waiting for a writer.
    const fs::path fifo = dir / "pipe.xml";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(reused.LoadFromFile(fifo.string()));
    EXPECT_STREQ(reused.GetDocBuffer(), "");
    fs::remove_all(dir);
}

// Reading an element in one step must leave the scanner exactly where scanning
// its parts would: the same text found (or none), the end tag current, and the
// same parts after it.  Elements that are not plain text are declined untouched.
TEST(XmlParser, SimpleElementsReadLikeTheirParts)
{
    const std::string tail = "<b>after</b>";
    struct Case {
        std::string element;
        bool normalize;
        int expected; // ReadSimpleElement's answer
        std::string text;
    };
    const std::vector<Case> cases = {
        {"<a>12.5</a>", true, 1, "12.5"},
        {"<a>  two \n words  </a>", true, 1, "two words"},
        {"<a>  two \n words  </a>", false, 1, "  two \n words  "},
        {"<a>   </a>", true, 0, ""},
        {"<a>   </a>", false, 1, "   "},
        {"<a></a>", true, 0, ""},
        {"<a>\xc5\x91r</a>", true, 1, "\xf5r"}, // UTF-8 into code page 1250
        {"<a>x&amp;y</a>", true, -1, ""},
        {"<a>x<c/>y</a>", true, -1, ""},
        {"<a>x</ab>", true, -1, ""},
        {"<a>x</a >", true, -1, ""},
        {"<a>x</", true, -1, ""},
    };
    for (const auto& c : cases) {
        const std::string doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><r>" + c.element + tail + "</r>";
        TXmlParser xml;
        xml.LoadFromBuffer(doc);
        xml.Normalize = c.normalize;
        xml.StartScan();
        while (xml.Scan() && !(xml.PartType == ptStartTag && xml.PartName == "a")) {
        }
        std::string text = "unchanged";
        const int got = xml.ReadSimpleElement(text);
        EXPECT_EQ(got, c.expected) << c.element;
        if (got < 0) {
            EXPECT_EQ(xml.PartType, ptStartTag) << c.element;
            EXPECT_EQ(text, "unchanged") << c.element;
            continue;
        }
        EXPECT_EQ(text, got == 1 ? c.text : "unchanged") << c.element;
        EXPECT_EQ(xml.PartType, ptEndTag);
        EXPECT_EQ(xml.PartName, "a");
        EXPECT_EQ(std::string(xml.PartStart, xml.PartEnd + 1), "</a>");
        // The parts after it are those of a full scan.
        std::vector<Part> rest;
        while (xml.Scan())
            rest.push_back({xml.PartType, xml.PartName, xml.PartContent});
        const auto all = ScanAll(doc, c.normalize);
        ASSERT_GE(all.size(), rest.size());
        for (std::size_t i = 0; i < rest.size(); ++i) {
            const auto& want = all[all.size() - rest.size() + i];
            EXPECT_EQ(rest[i].type, want.type) << c.element;
            EXPECT_EQ(rest[i].name, want.name) << c.element;
            EXPECT_EQ(rest[i].content, want.content) << c.element;
        }
        EXPECT_EQ(rest.size(), 4u) << c.element; // <b>, its text, </b>, </r>
    }
}
