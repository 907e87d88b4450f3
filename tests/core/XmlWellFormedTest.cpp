#include <gtest/gtest.h>

#include <string>

#include "xml/XmlWellFormed.h"

using namespace kalorina;

namespace {

const std::string kSound = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                           "<!DOCTYPE C [\n<!ENTITY e \"a > b\">\n<!-- ] > -->\n]>\n"
                           "<C a=\"x > y\" b='</D>'>\n"
                           "  <D>text &e; <![CDATA[ </C> ]]></D>\n"
                           "  <E/><!-- <F> --><?pi </C>?>\n"
                           "</C>\n";

} // namespace

TEST(XmlWellFormed, SoundDocumentsPass)
{
    EXPECT_FALSE(FindXmlSyntaxError(kSound));
    EXPECT_FALSE(FindXmlSyntaxError("\xEF\xBB\xBF<a/>"));
    // Elements side by side at the top level, as some catalogue files are written.
    EXPECT_FALSE(FindXmlSyntaxError("<a></a>\n<b/>\n<c>x</c>\n"));
}

TEST(XmlWellFormed, EveryCutOfADocumentIsFound)
{
    // Whatever point the file is cut at, the cut is noticed: nothing of a
    // truncated file passes as complete.
    for (std::size_t n = 0; n + 2 < kSound.size(); ++n) {
        const auto e = FindXmlSyntaxError(std::string_view(kSound).substr(0, n));
        ASSERT_TRUE(e) << "cut at " << n;
    }
    const auto e = FindXmlSyntaxError(kSound.substr(0, kSound.find("<E/>")));
    ASSERT_TRUE(e);
    EXPECT_EQ(e->problem, XmlSyntaxProblem::Unclosed);
    EXPECT_EQ(e->open, "C");
    EXPECT_EQ(e->openLine, 6u);
    EXPECT_EQ(e->line, 8u);
    EXPECT_EQ(FindXmlSyntaxError("")->problem, XmlSyntaxProblem::NoElement);
    EXPECT_EQ(FindXmlSyntaxError("<?xml version=\"1.0\"?>\n")->problem, XmlSyntaxProblem::NoElement);
    EXPECT_EQ(FindXmlSyntaxError("<a><b x=\"1>")->problem, XmlSyntaxProblem::Unterminated);
    EXPECT_EQ(FindXmlSyntaxError("<a><!-- x")->problem, XmlSyntaxProblem::Unterminated);
}

TEST(XmlWellFormed, FaultsNamedWithTheirLine)
{
    auto e = FindXmlSyntaxError("<a>\n<b>\n</c>\n</a>");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->problem, XmlSyntaxProblem::EndMismatch);
    EXPECT_EQ(e->line, 3u);
    EXPECT_EQ(e->name, "c");
    EXPECT_EQ(e->open, "b");
    EXPECT_EQ(e->openLine, 2u);

    e = FindXmlSyntaxError("<a/>\n</a>");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->problem, XmlSyntaxProblem::EndWithoutStart);
    EXPECT_EQ(e->line, 2u);

    e = FindXmlSyntaxError(std::string("<a>\nx\n\0y</a>", 11));
    ASSERT_TRUE(e);
    EXPECT_EQ(e->problem, XmlSyntaxProblem::NulByte);
    EXPECT_EQ(e->line, 3u);

    for (const std::string& utf16 : {std::string("\xFF\xFE<\0a\0/\0>\0", 10), std::string("<\0a\0/\0>\0", 8),
                                     std::string("\xFE\xFF\0<\0a\0/\0>", 10)})
        EXPECT_EQ(FindXmlSyntaxError(utf16)->problem, XmlSyntaxProblem::Utf16);

    EXPECT_EQ(FindXmlSyntaxError("<a>1 < 2</a>")->problem, XmlSyntaxProblem::StrayLessThan);
    EXPECT_EQ(FindXmlSyntaxError("junk <a/>")->problem, XmlSyntaxProblem::OutsideElement);
    EXPECT_EQ(FindXmlSyntaxError("<a/> junk")->problem, XmlSyntaxProblem::OutsideElement);
}
