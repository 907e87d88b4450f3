#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "XmlTestSupport.h"
#include "xml/XmlParser.h"

using namespace kalorina;

namespace {

using test::Part;
using test::ScanAll;

// Texts and tags after the document type, as one line: "<b>", "</b>", "text".
std::string Body(TXmlParser& xml)
{
    std::string out;
    for (const Part& p : ScanAll(xml)) {
        if (p.type == ptStartTag)
            out += "<" + p.name + ">";
        else if (p.type == ptEndTag)
            out += "</" + p.name + ">";
        else if (p.type == ptEmptyTag)
            out += "<" + p.name + "/>";
        else if (p.type == ptContent)
            out += "[" + p.content + "]";
    }
    return out;
}

std::string Body(std::string_view doc)
{
    TXmlParser xml;
    xml.LoadFromBuffer(doc);
    return Body(xml);
}

// Attribute `name` of the first start or empty tag named `tag`.
std::string Attr(std::string_view doc, const char* tag, const char* name, TValueType* type = nullptr)
{
    TXmlParser xml;
    xml.LoadFromBuffer(doc);
    xml.StartScan();
    while (xml.Scan())
        if ((xml.PartType == ptStartTag || xml.PartType == ptEmptyTag) && xml.PartName == tag) {
            const TAttr* a = xml.PartAttributes.Node(name);
            if (type && a)
                *type = a->ValueType;
            return a ? a->Value : "<absent>";
        }
    return "<no tag>";
}

class TempDir {
public:
    TempDir()
    {
        path_ = std::filesystem::temp_directory_path()
            / ("kalorina-xml-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-"
               + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_ / "sub");
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    std::string Write(const std::string& name, const std::string& text) const
    {
        std::ofstream(path_ / name, std::ios::binary) << text;
        return (path_ / name).string();
    }

private:
    std::filesystem::path path_;
};

} // namespace

TEST(XmlParserDtd, DeclarationsAreRecorded)
{
    TXmlParser xml;
    xml.LoadFromBuffer("<!DOCTYPE root [\n"
                       "  <!ELEMENT root (item*)>\n"
                       "  <!ELEMENT item (#PCDATA|b)*>\n"
                       "  <!ELEMENT br EMPTY>\n"
                       "  <!ATTLIST item id ID #REQUIRED kind (a|b) 'a' unit NOTATION (mm|m) #IMPLIED>\n"
                       "  <!ENTITY pic SYSTEM 'p.gif' NDATA gif>\n"
                       "  <!ENTITY % ext PUBLIC '-//X//EN' 'x.ent'>\n"
                       "  <!NOTATION gif PUBLIC '-//GIF//EN' 'viewer'>\n"
                       "]><root/>");
    auto parts = ScanAll(xml);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].type, ptDtdc);
    EXPECT_EQ(parts[0].name, "");
    EXPECT_EQ(xml.DoctypeRoot, "root");

    ASSERT_EQ(xml.ElementDecls.Count(), 3);
    EXPECT_EQ(xml.ElementDecls.Node("root")->ElemType, etChildren);
    EXPECT_EQ(xml.ElementDecls.Node("br")->ElemType, etEmpty);
    const TElemDef* item = xml.ElementDecls.Node("item");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->ElemType, etMixed);
    EXPECT_EQ(item->Definition, "(#PCDATA|b)*");
    ASSERT_EQ(item->Count(), 3);
    EXPECT_EQ(item->Node("id")->AttrType, atID);
    EXPECT_EQ(item->Node("id")->DefaultType, adRequired);
    EXPECT_EQ(item->Node("kind")->AttrType, atEnumeration);
    EXPECT_EQ(item->Node("kind")->TypeDef, "(a|b)");
    EXPECT_EQ(item->Node("kind")->Value, "a");
    EXPECT_EQ(item->Node("unit")->AttrType, atNotation);
    EXPECT_EQ(item->Node("unit")->Notations, "(mm|m)");
    EXPECT_EQ(item->Node("unit")->DefaultType, adImplied);

    const TEntityDef* pic = xml.GeneralEntityDecls.Node("pic");
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(pic->SystemId, "p.gif");
    EXPECT_EQ(pic->NotationName, "gif");
    const TEntityDef* ext = xml.ParameterEntityDecls.Node("ext");
    ASSERT_NE(ext, nullptr);
    EXPECT_EQ(ext->PublicId, "-//X//EN");
    EXPECT_EQ(ext->SystemId, "x.ent");
    EXPECT_EQ(xml.NotationDecls.Value("gif"), "viewer");
    EXPECT_EQ(xml.NotationDecls.Node("gif")->PublicId, "-//GIF//EN");

    // Loading again forgets every declaration.
    xml.LoadFromBuffer("<r/>");
    EXPECT_TRUE(xml.ElementDecls.Empty());
    EXPECT_TRUE(xml.GeneralEntityDecls.Empty());
    EXPECT_EQ(xml.DoctypeRoot, "");
}

TEST(XmlParserDtd, DeclaredAttributesApplyToTags)
{
    const std::string dtd = "<!DOCTYPE r [<!ATTLIST a def CDATA 'd  1' fix CDATA #FIXED 'F' opt CDATA #IMPLIED"
                            " tok NMTOKENS #IMPLIED req CDATA #REQUIRED>]>";
    TValueType type = vtNormal;
    EXPECT_EQ(Attr(dtd + "<a/>", "a", "def", &type), "d  1");
    EXPECT_EQ(type, vtDefault);
    EXPECT_EQ(Attr(dtd + "<a fix='other'/>", "a", "fix", &type), "F");
    EXPECT_EQ(type, vtFixed);
    EXPECT_EQ(Attr(dtd + "<a/>", "a", "fix"), "F");
    EXPECT_EQ(Attr(dtd + "<a opt='x'/>", "a", "opt", &type), "x");
    EXPECT_EQ(type, vtImplied);
    EXPECT_EQ(Attr(dtd + "<a/>", "a", "opt"), "<absent>");
    EXPECT_EQ(Attr(dtd + "<a/>", "a", "req"), "<absent>");
    // A declared type other than CDATA collapses and trims whitespace.
    EXPECT_EQ(Attr(dtd + "<a tok=' x \n\n y '/>", "a", "tok"), "x y");
    EXPECT_EQ(Attr(dtd + "<a opt=' x \n y '/>", "a", "opt"), " x   y ");
    // Declarations of another element do not apply.
    EXPECT_EQ(Attr(dtd + "<b/>", "b", "def"), "<absent>");
}

TEST(XmlParserDtd, GeneralEntitiesInTextAndAttributes)
{
    const std::string dtd = "<!DOCTYPE r [\n"
                            "<!ENTITY co 'Kalorina &amp; Co'>\n"
                            "<!ENTITY mark '<b>bold</b> tail'>\n"
                            "<!ENTITY nest '[&co;]'>\n"
                            "<!ENTITY cr '&#65;&#x42;'>\n"
                            "]>";
    EXPECT_EQ(Body(dtd + "<r>&co;</r>"), "<r>[Kalorina & Co]</r>");
    EXPECT_EQ(Body(dtd + "<r>x &nest; y</r>"), "<r>[x [Kalorina & Co] y]</r>");
    // Markup in an entity's text is scanned as if written in the document.
    EXPECT_EQ(Body(dtd + "<r>a &mark; c</r>"), "<r>[a]<b>[bold]</b>[tail c]</r>");
    EXPECT_EQ(Body(dtd + "<r>&cr;</r>"), "<r>[AB]</r>");
    EXPECT_EQ(Attr(dtd + "<r x='&nest;!'/>", "r", "x"), "[Kalorina & Co]!");
    EXPECT_EQ(Attr(dtd + "<r x='&cr;&undeclared;'/>", "r", "x"), "AB&undeclared;");
}

TEST(XmlParserDtd, ParameterEntitiesAndLastDeclarationWins)
{
    TXmlParser xml;
    xml.LoadFromBuffer("<!DOCTYPE r [\n"
                       "<!ENTITY % name 'Kalorina'>\n"
                       "<!ENTITY % decl '<!ENTITY made \"by %name;\">'>\n"
                       "%decl;\n"
                       "<!ENTITY title 'old'>\n"
                       "<!ENTITY title 'new %name;'>\n"
                       "<!ENTITY % attrs 'kind CDATA \"k\"'>\n"
                       "<!ATTLIST r %attrs;>\n"
                       "%undeclared;\n"
                       "<!ELEMENT r ANY>\n"
                       "]><r>&made;|&title;</r>");
    EXPECT_EQ(Body(xml), "<r>[by Kalorina|new Kalorina]</r>");
    EXPECT_EQ(xml.GeneralEntityDecls.Count(), 2);
    const TElemDef* r = xml.ElementDecls.Node("r");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Value("kind"), "k"); // kept when the element is declared after its attributes
    EXPECT_EQ(r->ElemType, etAny);
}

TEST(XmlParserDtd, RecursiveEntitiesStayAsWritten)
{
    const std::string dtd = "<!DOCTYPE r [\n"
                            "<!ENTITY self 'x&self;y'>\n"
                            "<!ENTITY a 'A&b;'>\n"
                            "<!ENTITY b 'B&a;'>\n"
                            "<!ENTITY % p '%p;'>\n"
                            "<!ENTITY g 'v%p;'>\n"
                            "]>";
    EXPECT_EQ(Body(dtd + "<r>&self;</r>"), "<r>[x&self;y]</r>");
    EXPECT_EQ(Body(dtd + "<r>&a;</r>"), "<r>[AB&a;]</r>");
    EXPECT_EQ(Attr(dtd + "<r x='&self;'/>", "r", "x"), "x&self;y");
    EXPECT_EQ(Attr(dtd + "<r x='&a;'/>", "r", "x"), "AB&a;");
    EXPECT_EQ(Body(dtd + "<r>&g;</r>"), "<r>[v%p;]</r>");
}

TEST(XmlParserDtd, ExponentialEntitiesEndInBoundedTime)
{
    std::string dtd = "<!DOCTYPE r [<!ENTITY e0 '0123456789'>";
    for (int i = 1; i <= 12; ++i)
        dtd += "<!ENTITY e" + std::to_string(i) + " '" + std::string() + [&] {
            std::string refs;
            for (int k = 0; k < 10; ++k)
                refs += "&e" + std::to_string(i - 1) + ";";
            return refs;
        }() + "'>";
    dtd += "]>";
    TXmlParser xml;
    xml.LoadFromBuffer(dtd + "<r a='&e12;'>&e12;</r>");
    xml.Normalize = false;
    std::size_t total = 0;
    xml.StartScan();
    while (xml.Scan())
        total += xml.PartContent.size() + xml.PartAttributes.Value("a").size();
    EXPECT_GT(total, 1000u);
    EXPECT_LT(total, 64u << 20);
}

TEST(XmlParserDtd, DeclarationsReachDtdElementFound)
{
    struct Recorder : TXmlParser {
        std::vector<TDtdElemType> kinds;
        void DtdElementFound(const TDtdElementRec& rec) override
        {
            kinds.push_back(rec.ElementType);
            EXPECT_NE(rec.Start, nullptr);
            EXPECT_NE(rec.Final, nullptr);
        }
    } xml;
    xml.LoadFromBuffer("<!DOCTYPE r [<!ELEMENT r ANY><!ATTLIST r a CDATA #IMPLIED b CDATA #IMPLIED>"
                       "<!ENTITY e 'v'><!NOTATION n SYSTEM 's'><?pi x?><!-- note --><!BOGUS x>]><r/>");
    ScanAll(xml);
    EXPECT_EQ(
        xml.kinds,
        (std::vector<TDtdElemType>{deElement, deAttList, deAttList, deEntity, deNotation, dePI, deComment, deError}));
}

TEST(XmlParserDtd, ExternalSubsetAndEntitiesRelativeToTheDocument)
{
    TempDir dir;
    dir.Write("sub/types.dtd",
              "<?xml version='1.0' encoding='UTF-8'?>\n"
              "<!ENTITY brand 'Kal\xC3\xB3rina'>\n<!ATTLIST r v CDATA 'from-dtd'>");
    dir.Write("sub/part.xml", "<?xml version='1.0' encoding='windows-1250'?><p>\xF5</p>");
    dir.Write("sub/plain.txt", "plain");
    const std::string doc = dir.Write("doc.xml",
                                      "<?xml version='1.0' encoding='UTF-8'?>\n"
                                      "<!DOCTYPE r SYSTEM 'sub/types.dtd' [\n"
                                      "<!ENTITY part SYSTEM 'sub\\part.xml'>\n"
                                      "<!ENTITY plain SYSTEM 'sub/plain.txt'>\n"
                                      "<!ENTITY missing SYSTEM 'nowhere.xml'>\n"
                                      "]><r a='&plain;'>&brand; &part; \xC5\x91&missing;</r>");
    TXmlParser xml;
    ASSERT_TRUE(xml.LoadFromFile(doc));
    EXPECT_EQ(xml.SourceName, doc);
    EXPECT_EQ(Body(xml), "<r>[Kal\xF3rina]<p>[\xF5]</p>[\xF5]</r>");
    EXPECT_EQ(xml.DocEncoding, "UTF-8"); // an entity's declaration does not change the document's
    xml.StartScan();
    while (xml.Scan() && xml.PartType != ptStartTag) {
    }
    EXPECT_EQ(xml.PartAttributes.Value("a"), "plain");
    EXPECT_EQ(xml.PartAttributes.Value("v"), "from-dtd");

    // A document in memory takes relative names as they stand.
    struct Probe : TXmlParser {
        std::string asked;
        std::unique_ptr<TXmlParser> LoadExternalEntity(const std::string& s, const std::string& p,
                                                       const std::string& n) override
        {
            asked = s;
            return TXmlParser::LoadExternalEntity(s, p, n);
        }
    } mem;
    mem.LoadFromBuffer("<!DOCTYPE r [<!ENTITY e SYSTEM 'x.xml'>]><r>&e;</r>");
    EXPECT_EQ(Body(mem), "<r></r>");
    EXPECT_EQ(mem.asked, "x.xml");
}

TEST(XmlParserDtd, PositionsStayReadableAcrossEntityEnds)
{
    TXmlParser xml;
    xml.LoadFromBuffer("<!DOCTYPE r [<!ENTITY e '<b/>xy'>]><r>&e;z</r><s>a&e;</s>");
    xml.Normalize = false;
    xml.StartScan();
    std::vector<std::string> texts;
    while (xml.Scan())
        if (xml.PartType == ptContent)
            texts.push_back(xml.PartContent + "|" + *xml.PartStart + *xml.PartEnd);
    // A text that begins in the entity and goes on after it starts in the entity's
    // text and ends in the document's.
    EXPECT_EQ(texts, (std::vector<std::string>{"|&;", "xyz|xz", "a|a;", "xy|x;"}));
}
