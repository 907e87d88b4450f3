#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

#include "CatalogueTestSupport.h"
#include "LzwTestSupport.h"
#include "catalogue/CatalogueTexts.h"
#include "catalogue/FloorHeatDBItem.h"
#include "catalogue/ItemListDBItem.h"
#include "catalogue/MediumDBItem.h"
#include "catalogue/RC4.h"
#include "catalogue/ResistDBItem.h"
#include "catalogue/SecurityCode.h"
#include "catalogue/TDevices.h"
#include "catalogue/TubeDBItem.h"
#include "catalogue/ValveDBItem.h"
#include "util/Error.h"

using namespace kalorina;
using kalorina::test::Header;
using kalorina::test::Medium;
using kalorina::test::ScratchCatalogue;

namespace {
std::vector<std::string> Names(const TDevices& d, int kind)
{
    return d.FillDeviceCombo(kind);
}

std::string ValveXml(const std::string& name, const std::string& code, float kv = 1.5f, const std::string& attrs = "")
{
    return "<TervaldDBValve ResistMode=\"kv\"" + attrs + ">"
        + Header(name, "Valves", code.empty() ? "" : "<SecurityCode>" + code + "</SecurityCode>")
        + "<NameBase>Valve %s</NameBase><ValveSubType><SizeName>DN15</SizeName><DN>15</DN>"
          "<OpenedValue>2.1</OpenedValue><Position><PositionString>1</PositionString><ResistValue>"
        + std::to_string(kv) + "</ResistValue></Position></ValveSubType></TervaldDBValve>\n";
}

// The check value of the valve ValveXml describes.
std::int32_t CheckValueOf(float kv)
{
    ValveDBItem v;
    v.resistMode = kKvMode;
    ValveSubType s;
    s.dn = 15;
    s.openedValue = 2.1f;
    s.positions = {{"1", kv, 0}};
    v.sizes = {s};
    return v.CheckValue();
}

std::string NaiveExpand(std::string s, const TXMLMacroItem& m)
{
    if (m.ID.empty())
        return s;
    for (std::size_t p; (p = s.find(m.ID)) != std::string::npos;)
        s.replace(p, m.ID.size(), m.value);
    return s;
}
} // namespace

TEST(CatalogueMacros, OrderAndBoundedExpansion)
{
    CatalogueMacros m;
    m.local = {{"%A", "x%B"}};
    m.global = {{"%B", "y"}};
    EXPECT_EQ(m.ExpandMacros("1%A2"), "1xy2");
    m.local = {{"%B", "y"}};
    m.global = {{"%A", "x%B"}};
    EXPECT_EQ(m.ExpandMacros("1%A2"), "1x%B2");
    // Names that do not share their first byte, and an empty name among them.
    m.local = {{"", "never"}, {"$P", "p"}};
    m.global = {{"%A", "a"}};
    EXPECT_EQ(m.ExpandMacros("$P%A"), "pa");
    EXPECT_EQ(m.ExpandMacros("%A"), "a");
    m.local = {{"%A", "$P"}};
    m.global = {{"$P", "p"}};
    EXPECT_EQ(m.ExpandMacros("%A"), "p");
    EXPECT_EQ(m.ExpandMacros("no macro"), "no macro");
    // A value holding its own ID would never finish: each occurrence is replaced once.
    EXPECT_EQ(ExpandMacro("a%Xb%X", {"%X", "[%X]"}), "a[%X]b[%X]");
    EXPECT_EQ(ExpandMacro("abc", {"", "zz"}), "abc");
    // Rescanning from the start matters: "aab" -> "aba" -> "baa".
    EXPECT_EQ(ExpandMacro("aab", {"ab", "ba"}), "baa");
}

TEST(CatalogueMacros, SameResultAsSearchingFromTheStart)
{
    // Shrinking and same-length rules always end; the resumed search must agree
    // with the plain one on every input.
    std::mt19937 rng(7);
    auto word = [&](int maxLen) {
        std::string s(1 + rng() % maxLen, 'a');
        for (auto& c : s)
            c = "ab%"[rng() % 3];
        return s;
    };
    for (int i = 0; i < 3000; ++i) {
        TXMLMacroItem m{word(3), ""};
        m.value = word(static_cast<int>(m.ID.size()));
        if (m.value.size() > m.ID.size())
            m.value.resize(m.ID.size());
        if (m.value.find(m.ID) != std::string::npos)
            continue;
        std::string text = word(30);
        ASSERT_EQ(ExpandMacro(text, m), NaiveExpand(text, m)) << text << " " << m.ID << "->" << m.value;
    }
}

TEST(CatalogueRC4, PublishedVectors)
{
    auto run = [](std::string key, std::string text) {
        std::vector<std::uint8_t> data(text.begin(), text.end());
        RC4(key).Apply(data);
        std::string hex;
        char buf[3];
        for (auto b : data) {
            std::snprintf(buf, sizeof buf, "%02X", b);
            hex += buf;
        }
        return hex;
    };
    EXPECT_EQ(run("Key", "Plaintext"), "BBF316E8D940AF0AD3");
    EXPECT_EQ(run("Wiki", "pedia"), "1021BF0420");
    EXPECT_EQ(run("Secret", "Attack at dawn"), "45A01F645FC35B383552544B9BF5");
    // RFC 6229, 40-bit key 0102030405, keystream bytes 0-15.
    const std::uint8_t key[] = {1, 2, 3, 4, 5};
    RC4 rc4{std::span<const std::uint8_t>(key)};
    const std::uint8_t expected[] = {0xb2, 0x39, 0x63, 0x05, 0xf0, 0x3d, 0xc0, 0x27,
                                     0xcc, 0xc3, 0x52, 0x4a, 0x0a, 0x11, 0x18, 0xa8};
    for (auto e : expected)
        EXPECT_EQ(rc4.NextByte(), e);
    // Enciphering twice gives the number back.
    EXPECT_EQ(EncipherCode(EncipherCode(-123456, brandName), brandName), -123456);
}

TEST(CatalogueSecurityCode, Decoding)
{
    std::int32_t n = 987654;
    EXPECT_EQ(DecodeSecurityCode("Vexalon_" + std::to_string(n), 0), EncipherCode(n, "Vexalon"));
    EXPECT_EQ(DecodeSecurityCode("Vexalon_-2147483648", 0), EncipherCode(INT32_MIN, "Vexalon"));
    EXPECT_EQ(DecodeSecurityCode("Other_55", 0), 0);
    EXPECT_EQ(DecodeSecurityCode("Vexalon_0", 17), 17);
    EXPECT_EQ(DecodeSecurityCode("vexalon_55", 0), 0);
    EXPECT_EQ(DecodeSecurityCode("55", 0), 0);
    EXPECT_THROW(DecodeSecurityCode("Vexalon_12x", 0), KalorinaError);
    EXPECT_THROW(DecodeSecurityCode("Vexalon_99999999999", 0), KalorinaError);
    EXPECT_THROW(DecodeSecurityCode("_55", 0), KalorinaError);
}

TEST(CatalogueLoader, EmptyOrMissingDirectoryIsAFailure)
{
    // With no catalogue every recalculation would blank the stored results.
    TDevices none("/nonexistent/kalorina/data", "Magyar");
    EXPECT_TRUE(none.Failed());
    EXPECT_NE(none.FailureMessage().find("/nonexistent/kalorina/data"), std::string::npos) << none.FailureMessage();
    ScratchCatalogue cat;
    cat.Write("notes.txt", Medium("not a catalogue file"));
    bool failed = false;
    TDevices empty(cat.Dir(), "Magyar", failed);
    EXPECT_TRUE(failed);
    EXPECT_NE(empty.FailureMessage().find(cat.Dir()), std::string::npos) << empty.FailureMessage();
    EXPECT_TRUE(empty.Items(kMediumKind).empty());
}

TEST(CatalogueLoader, IncludeQueueOrderAndGlobalMacros)
{
    ScratchCatalogue cat;
    cat.Write("a.xml",
              "<TervaldDBGlobalMacro><Macro ID=\"%M\">Gyártó</Macro></TervaldDBGlobalMacro>"
              "<DBInclude>sub\\inc1.xml</DBInclude>"
                  + Medium("A1 %M"));
    cat.Write("b.xml", Medium("B1 %M") + "<DBInclude>sub/inc2.xml</DBInclude>");
    cat.Write("sub/inc1.xml",
              "<TervaldDBGlobalMacro><Macro ID=\"%N\">új</Macro></TervaldDBGlobalMacro>" + Medium("I1 %M %N")
                  + "<DBInclude>inc2.xml</DBInclude>");
    cat.Write("sub/inc2.xml", Medium("I2 %N") + "<DBInclude>../sub/inc1.xml</DBInclude>");
    cat.Write("c.txt", Medium("not a catalogue file"));
    TDevices d(cat.Dir(), "Magyar");
    EXPECT_FALSE(d.Failed()) << d.FailureMessage();
    // Included files come after every file found before them; the second block of
    // global macros replaced the first; each include is read once, so the cycle ends.
    EXPECT_EQ(Names(d, kMediumKind),
              (std::vector<std::string>{"A1 Gy\xE1rt\xF3", "B1 Gy\xE1rt\xF3", "I1 %M \xFAj", "I2 \xFAj"}));
    EXPECT_EQ(d.FilesRead().size(), 4u);
}

TEST(CatalogueLoader, LocalMacrosAndLanguageFilter)
{
    ScratchCatalogue cat;
    cat.Write("a.xml",
              "<TervaldDBGlobalMacro><Macro ID=\"%B\">y</Macro><Macro ID=\"%L\" Language=\"English\">en</Macro>"
              "<Macro ID=\"%L\" Language=\"Magyar\">hu</Macro></TervaldDBGlobalMacro>"
              "<TervaldDBTube><ItemHeader><Macro ID=\"%A\">x%B</Macro><Year>2024</Year><Month>2</Month>"
              "<Day>29</Day><ItemPath>Tubes</ItemPath>"
              "<ItemName Language=\"Magyar\">Cső 1%A2 %L</ItemName><ItemName Language=\"English\">Tube</ItemName>"
              "<ItemName Language=\"magyar\">wrong case</ItemName></ItemHeader>"
              "<NameBase Language=\"any\">\"PE-Xa %s \"</NameBase><TubeSubType><SizeName>16x2</SizeName>"
              "<SizeName Language=\"\">17x2</SizeName><d1>12,5</d1><DN>12</DN></TubeSubType></TervaldDBTube>");
    TDevices hu(cat.Dir(), "Magyar");
    ASSERT_FALSE(hu.Failed()) << hu.FailureMessage();
    auto* tube = hu.Find<TubeDBItem>(kTubeKind, "Cs\xF5 1xy2 hu");
    ASSERT_NE(tube, nullptr);
    EXPECT_EQ(tube->nameBase, "PE-Xa %s ");
    EXPECT_EQ(tube->sizes.at(0).sizeName, "17x2");
    EXPECT_FLOAT_EQ(tube->sizes[0].d1, 12.5f);
    EXPECT_EQ(tube->itemDate.Iso(), "2024-02-29");
    TDevices en(cat.Dir(), "English");
    EXPECT_EQ(Names(en, kTubeKind), std::vector<std::string>{"Tube"});

    // A rejected NameBase leaves the accepted one exactly as it was: its quotes
    // were stripped once, not again.
    ScratchCatalogue quoted;
    quoted.Write("a.xml",
                 "<TervaldDBValve ResistMode=\"kv\">" + kalorina::test::Header("v", "Valves")
                     + "<NameBase>\"\"Q\"\"</NameBase><NameBase Language=\"English\">E</NameBase>"
                       "</TervaldDBValve>");
    TDevices q(quoted.Dir(), "Magyar");
    ASSERT_EQ(q.FailedValves().size(), 1u);
    EXPECT_EQ(static_cast<const ValveDBItem&>(*q.FailedValves()[0]).nameBase, "\"Q\"");
}

TEST(CatalogueLoader, FailureInThirdOfFiveFilesKeepsWhatWasRead)
{
    ScratchCatalogue cat;
    cat.Write("1.xml", Medium("one"));
    cat.Write("2.xml", Medium("two"));
    cat.Write("3.xml",
              Medium("three") + "<TervaldDBMedium>" + Header("bad", "M") + "<TempMin>O1</TempMin></TervaldDBMedium>"
                  + Medium("after"));
    cat.Write("4.xml", Medium("four"));
    cat.Write("5.xml", Medium("five"));
    TDevices d(cat.Dir(), "Magyar");
    EXPECT_TRUE(d.Failed());
    EXPECT_NE(d.FailureMessage().find("3.xml"), std::string::npos);
    EXPECT_EQ(Names(d, kMediumKind), (std::vector<std::string>{"one", "two", "three"}));
}

TEST(CatalogueLoader, HeaderAndStructureFailures)
{
    auto load = [](const std::string& body) {
        ScratchCatalogue cat;
        cat.Write("a.xml", body);
        TDevices d(cat.Dir(), "Magyar");
        return std::make_pair(d.Failed(), d.FailureMessage());
    };
    EXPECT_TRUE(load("<TervaldDBMedium><ItemHeader><ItemPath>p</ItemPath><ItemName>n</ItemName></ItemHeader>"
                     "</TervaldDBMedium>")
                    .first);
    EXPECT_TRUE(load(Medium("n", "p").replace(Medium("n", "p").find("<Day>1"), 6, "<Day>31")).first == false);
    EXPECT_TRUE(load("<TervaldDBMedium>"
                     + Header("n", "p").replace(Header("n", "p").find("<Month>3"), 8, "<Month>2</Month><Day>30")
                     + "</TervaldDBMedium>")
                    .first);
    auto [failed, message] = load("<TervaldDBMedium>" + Header("", "p") + "</TervaldDBMedium>");
    EXPECT_TRUE(failed);
    EXPECT_NE(message.find("path: p"), std::string::npos) << message;
    EXPECT_TRUE(load("<TervaldDBTube>" + Header("t", "p") + "</TervaldDBTube>").first); // no NameBase
    EXPECT_TRUE(load("<TervaldDBTube>" + Header("t", "p")
                     + "<NameBase>x</NameBase><TubeSubType><DN>1</DN></TubeSubType></TervaldDBTube>")
                    .first);
    std::string divisions;
    for (int i = 0; i < 17; ++i)
        divisions += "<Division><Distance>" + std::to_string(50 + i) + "</Distance></Division>";
    EXPECT_TRUE(load("<TervaldDBFloorHeating>" + Header("f", "p") + divisions + "</TervaldDBFloorHeating>").first);
    std::string fh = "<TervaldDBFloorHeating>" + Header("f", "p")
        + "<Division><Distance>100</Distance></Division><Division><Distance>200</Distance></Division>"
          "<Surface><SurfaceName>tile</SurfaceName><Equation><LineSteep>6</LineSteep></Equation>";
    EXPECT_TRUE(load(fh + "</Surface></TervaldDBFloorHeating>").first);
    EXPECT_FALSE(load(fh + "<Equation/><Equation></Equation></Surface></TervaldDBFloorHeating>").first);
    EXPECT_TRUE(load("<TervaldDBFloorHeating>" + Header("f", "p")
                     + "<Division><Distance>99999</Distance>"
                       "</Division></TervaldDBFloorHeating>")
                    .first);
    // A document ending inside an item drops the item, and the load has failed:
    // the catalogue is not the one its maker wrote.
    ScratchCatalogue cat;
    cat.Write("a.xml", Medium("kept") + "<TervaldDBMedium>" + Header("cut", "p"), false);
    TDevices d(cat.Dir(), "Magyar");
    EXPECT_TRUE(d.Failed());
    EXPECT_NE(d.FailureMessage().find("a.xml' is damaged at line 2"), std::string::npos) << d.FailureMessage();
    EXPECT_EQ(Names(d, kMediumKind), std::vector<std::string>{"kept"});
}

TEST(CatalogueLoader, FittingsAcceptWhatTubesAndValvesRefuse)
{
    // An empty NameBase, and a size without SizeName: a fitting is kept with both,
    // a tube or a valve fails the load.
    const std::string noNameBase = Header("x", "p") + "<ResistSubType><DN>20</DN></ResistSubType>";
    auto load = [](const std::string& root, const std::string& body) {
        ScratchCatalogue cat;
        cat.Write("a.xml", "<" + root + ">" + body + "</" + root + ">");
        return std::make_unique<TDevices>(cat.Dir(), "Magyar");
    };
    auto fitting =
        load("TervaldDBResist", noNameBase + "<ResistSubType><SizeName>E20</SizeName><DN>20</DN></ResistSubType>");
    EXPECT_FALSE(fitting->Failed()) << fitting->FailureMessage();
    const auto* r = fitting->Find<ResistDBItem>(kResistKind, "x");
    ASSERT_NE(r, nullptr);
    ASSERT_EQ(r->sizes.size(), 2u);
    EXPECT_EQ(r->sizes[0].sizeName, "");
    EXPECT_EQ(r->SizeByDN(20, 0), ""); // the nameless size is found first
    EXPECT_EQ(r->DisplayName("E20", {}), "E20");

    auto tube = load("TervaldDBTube", Header("x", "p") + "<TubeSubType><SizeName>d16</SizeName></TubeSubType>");
    EXPECT_TRUE(tube->Failed());
    EXPECT_NE(tube->FailureMessage().find("without NameBase (name: x, path: p)"), std::string::npos)
        << tube->FailureMessage();
    auto valve = load("TervaldDBValve",
                      Header("x", "p") + "<NameBase>V</NameBase>" + "<ValveSubType><DN>15</DN></ValveSubType>");
    EXPECT_TRUE(valve->Failed());
    EXPECT_NE(valve->FailureMessage().find("Size without SizeName"), std::string::npos) << valve->FailureMessage();
    EXPECT_TRUE(
        load("TervaldDBValve", Header("x", "p") + "<ValveSubType><SizeName>a</SizeName></ValveSubType>")->Failed());
}

TEST(CatalogueLoader, FloorHeatingEquationsBelongToTheirSpacing)
{
    ScratchCatalogue cat;
    cat.Write("a.xml",
              "<TervaldDBFloorHeating>" + Header("f", "p")
                  + "<Division><Distance>100</Distance><EstimateCode>E100</EstimateCode></Division>"
                    "<Division><Distance>200</Distance></Division>"
                    "<Surface><SurfaceName>tile</SurfaceName><HeatResist>0,05</HeatResist>"
                    "<Equation><LineSteep>6</LineSteep></Equation>"
                    "<Equation><LineSteep>4</LineSteep><Exponent>1.1</Exponent></Equation></Surface>"
                    "</TervaldDBFloorHeating>");
    TDevices d(cat.Dir(), "Magyar");
    auto* fh = d.Find<FloorHeatDBItem>(kFloorHeatingKind, "f");
    ASSERT_NE(fh, nullptr);
    ASSERT_EQ(fh->surfaces.size(), 1u);
    EXPECT_EQ(fh->surfaces[0].lineSteep[1], 4.0f);
    EXPECT_EQ(fh->surfaces[0].exponent[0], 1.0f);
    EXPECT_EQ(fh->surfaces[0].exponent[1], 1.1f);
    EXPECT_EQ(fh->distances[0].estimateCode, "E100");
}

TEST(CatalogueLoader, SecurityCheck)
{
    ScratchCatalogue cat;
    std::string good = SecurityCodeFor(CheckValueOf(1.5f));
    cat.Write("a.xml",
              ValveXml("good", good) + ValveXml("tampered", good, 1.6f)
                  + ValveXml("otherMaker", "Acme_" + good.substr(8))
                  + ValveXml("default", SecurityCodeFor(CheckValueOf(2.5f)), 2.5f, " ProjektOptionsDefault=\"yes\""));
    TDevices d(cat.Dir(), "Magyar");
    EXPECT_FALSE(d.Failed()) << d.FailureMessage();
    EXPECT_EQ(Names(d, kValveKind), (std::vector<std::string>{"good", "default"}));
    EXPECT_EQ(d.FindDevice(kValveKind, "tampered"), nullptr);
    EXPECT_EQ(d.DefaultValveName(), "default");
    auto lines = d.WriteSecurityCodes();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "tampered");
    EXPECT_EQ(lines[1], "    <SecurityCode>" + SecurityCodeFor(CheckValueOf(1.6f)) + "</SecurityCode>");
    // The printed line makes the valve pass on the next load.
    ScratchCatalogue fixed;
    fixed.Write("a.xml", ValveXml("tampered", SecurityCodeFor(CheckValueOf(1.6f)), 1.6f));
    EXPECT_NE(TDevices(fixed.Dir(), "Magyar").FindDevice(kValveKind, "tampered"), nullptr);
    // "Yes" is not "yes".
    ScratchCatalogue capital;
    capital.Write("a.xml", ValveXml("v", good, 1.5f, " ProjektOptionsDefault=\"Yes\""));
    EXPECT_EQ(TDevices(capital.Dir(), "Magyar").DefaultValveName(), "");
}

TEST(CatalogueLoader, DuplicatesTreeAndPieceLists)
{
    ScratchCatalogue cat;
    cat.Write("a.xml",
              Medium("w", "Víz\\Tiszta") + Medium("g", "Glikol") + Medium("w", "Víz\\Tiszta", "<HomePage>h2</HomePage>")
                  + Medium("x", "Víz") + "<TervaldDBPieceList>" + Header("@KIT", "Kits")
                  + "<ListItem Type=\"TERVALD32VALVE\"><Name>V</Name><Quantity>2,5</Quantity></ListItem>"
                    "<ListItem Type=\"Other\"><EstimateCode>@SUB</EstimateCode></ListItem>"
                    "</TervaldDBPieceList>");
    TDevices d(cat.Dir(), "Magyar");
    ASSERT_FALSE(d.Failed()) << d.FailureMessage();
    EXPECT_EQ(d.FindDevice(kMediumKind, "w")->homePage, "");
    EXPECT_EQ(d.FindDevice(kMediumKind, "W"), nullptr);
    EXPECT_EQ(d.FindDevice(9, "w"), nullptr);
    EXPECT_EQ(d.DeviceAt(kMediumKind, 1)->second, "g");
    EXPECT_FALSE(d.DeviceAt(kMediumKind, 4));
    DeviceTreeNode root = d.FillDeviceTree(kMediumKind, "Media");
    ASSERT_EQ(root.children.size(), 2u); // "Víz" and "Glikol", in order of first use
    const DeviceTreeNode& water = root.children[0];
    ASSERT_EQ(water.children.size(), 2u); // folder "Tiszta", then item "x"
    EXPECT_EQ(water.children[0].tag, 0);
    EXPECT_EQ(water.children[0].children.size(), 2u); // both "w", although "g" lies between
    EXPECT_EQ(water.children[1].text, "x");
    EXPECT_EQ(water.children[1].tag, kMediumKind + 1);
    // A path ending in a backslash has nothing after it to walk: no nameless folder.
    ScratchCatalogue trailing;
    trailing.Write("a.xml", Medium("a", "P\\") + Medium("b", "P"));
    DeviceTreeNode p = TDevices(trailing.Dir(), "Magyar").FillDeviceTree(kMediumKind, "Media");
    ASSERT_EQ(p.children.size(), 1u);
    ASSERT_EQ(p.children[0].children.size(), 2u);
    EXPECT_EQ(p.children[0].children[0].text, "a");
    EXPECT_EQ(p.children[0].children[1].text, "b");
    auto* kit = d.Find<ItemListDBItem>(kPieceListKind, "@KIT");
    ASSERT_NE(kit, nullptr);
    ASSERT_EQ(kit->entries.size(), 2u);
    EXPECT_EQ(kit->entries[0].type, kValveKind);
    EXPECT_FLOAT_EQ(kit->entries[0].quantity, 2.5f);
    EXPECT_EQ(kit->entries[1].type, 6);
    EXPECT_EQ(kit->entries[1].quantity, 0.0f);
}

TEST(CatalogueSecurityCode, CheckValueOfAKnownValveByHand)
{
    // kv mode, one size DN 15 with opened and thermostatic values 0 and no
    // positions: the bytes 00 00 0F 00 followed by eight zeros.  LZW by hand:
    // clear, 00, 00, 0F, "00 00" (258), "00 00 00" (261), "00 00 00 00" (262), end,
    // all nine bits wide.
    const std::string packed =
        lzwtest::Pack({{256, 9}, {0, 9}, {0, 9}, {15, 9}, {258, 9}, {261, 9}, {262, 9}, {257, 9}});
    ASSERT_EQ(packed.size(), 9u);
    auto byte = [&](int i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(packed[i])); };
    const auto expected = static_cast<std::int32_t>(byte(5) | byte(6) << 8 | byte(7) << 16 | byte(8) << 24);
    EXPECT_EQ(expected, 17634836);
    ValveDBItem v;
    v.resistMode = kKvMode;
    ValveSubType s;
    s.dn = 15;
    v.sizes = {s};
    EXPECT_EQ(v.CheckData(), (std::vector<std::uint8_t>{0, 0, 15, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(v.CheckValue(), expected);
}

TEST(CatalogueLoader, SecurityCodeNumberZeroNeverPasses)
{
    // The number 0 leaves the code at 0, and a valve's check value is never 0.
    ScratchCatalogue cat;
    cat.Write("a.xml", ValveXml("zero", "Vexalon_0") + ValveXml("none", ""));
    TDevices d(cat.Dir(), "Magyar");
    EXPECT_FALSE(d.Failed()) << d.FailureMessage();
    EXPECT_TRUE(Names(d, kValveKind).empty());
    ASSERT_EQ(d.FailedValves().size(), 2u);
    EXPECT_EQ(d.FailedValves()[0]->securityCode, 0);
    EXPECT_EQ(d.WriteSecurityCodes().size(), 4u);
}

TEST(CatalogueLoader, AttributeWordsAreCaseSensitive)
{
    ScratchCatalogue cat;
    cat.Write("a.xml",
              "<TervaldDBMedium>" + Header("m", "p")
                  + "<Characteristic Mode=\"Polinom\"><Name>x</Name><PolinomValue>5</PolinomValue>"
                    "<Temperature>0</Temperature><PointValue>1</PointValue>"
                    "<Temperature>10</Temperature><PointValue>3</PointValue></Characteristic>"
                    "<Characteristic Mode=\"polinom\"><Name>y</Name><PolinomValue>2</PolinomValue>"
                    "<PolinomValue>1</PolinomValue></Characteristic></TervaldDBMedium>"
                    "<TervaldDBResist ResistMode=\"kv\" HasUniqueValues=\"yes\" Listing=\"yes\">"
                  + Header("r", "p")
                  + "<NameBase>r</NameBase><DefaultValue>4</DefaultValue>"
                    "<ResistSubType><SizeName>A</SizeName><UniqueValue>9</UniqueValue></ResistSubType>"
                    "</TervaldDBResist>"
                    "<TervaldDBResist ResistMode=\"kv\" HasUniqueValues=\"Yes\">"
                  + Header("R", "p")
                  + "<NameBase>R</NameBase><DefaultValue>4</DefaultValue>"
                    "<ResistSubType><SizeName>A</SizeName><UniqueValue>9</UniqueValue></ResistSubType>"
                    "</TervaldDBResist>");
    TDevices d(cat.Dir(), "Magyar");
    ASSERT_FALSE(d.Failed()) << d.FailureMessage();
    auto* m = d.Find<MediumDBItem>(kMediumKind, "m");
    ASSERT_NE(m, nullptr);
    ASSERT_EQ(m->characteristics.size(), 2u);
    // "Polinom" is not "polinom": the points are used, all three lists are read.
    EXPECT_EQ(m->characteristics[0].mode, 1);
    EXPECT_EQ(m->characteristics[0].polinomValues.size(), 1u);
    EXPECT_DOUBLE_EQ(MediumDBItem::Evaluate(m->characteristics[0], 5), 2);
    EXPECT_EQ(m->characteristics[1].mode, 0);
    EXPECT_DOUBLE_EQ(MediumDBItem::Evaluate(m->characteristics[1], 5), 11);
    // "yes" is not "Yes": every size takes the default value and nothing is listed.
    auto* lower = d.Find<ResistDBItem>(kResistKind, "r");
    ASSERT_NE(lower, nullptr);
    EXPECT_FALSE(lower->hasUniqueValues);
    EXPECT_FALSE(lower->listing);
    EXPECT_DOUBLE_EQ(lower->ResistValue("A"), 4);
    auto* capital = d.Find<ResistDBItem>(kResistKind, "R");
    ASSERT_NE(capital, nullptr);
    EXPECT_TRUE(capital->hasUniqueValues);
    EXPECT_DOUBLE_EQ(capital->ResistValue("A"), 9);
}

TEST(CatalogueLoader, EmptyNamesOfValvesAndCoverings)
{
    // The message names the file, then the text of the key.
    auto load = [](const std::string& body) {
        ScratchCatalogue cat;
        cat.Write("a.xml", body);
        TDevices d(cat.Dir(), "Magyar");
        std::string message = d.FailureMessage();
        const std::string prefix = cat.Dir() + "/a.xml: ";
        if (message.starts_with(prefix))
            message.erase(0, prefix.size());
        return std::make_pair(d.Failed(), message);
    };
    const std::string size = "<ValveSubType><SizeName>DN15</SizeName><DN>15</DN></ValveSubType>";
    auto noNameBase = load("<TervaldDBValve>" + Header("v", "p") + size + "</TervaldDBValve>");
    EXPECT_TRUE(noNameBase.first);
    EXPECT_EQ(noNameBase.second, FormatText(CatalogueText("IDS_XMLPARSERERROR+11"), {"v", "p"}));
    EXPECT_TRUE(
        load("<TervaldDBValve>" + Header("v", "p") + "<NameBase></NameBase>" + size + "</TervaldDBValve>").first);
    auto noSizeName = load("<TervaldDBValve>" + Header("v", "p")
                           + "<NameBase>V</NameBase><ValveSubType><SizeName></SizeName><DN>15</DN></ValveSubType>"
                             "</TervaldDBValve>");
    EXPECT_TRUE(noSizeName.first);
    EXPECT_EQ(noSizeName.second, CatalogueText("IDS_XMLPARSERERROR+12"));
    // A language-filtered SizeName that is rejected leaves the size nameless.
    EXPECT_TRUE(load("<TervaldDBValve>" + Header("v", "p")
                     + "<NameBase>V</NameBase><ValveSubType><SizeName Language=\"x\">DN15</SizeName></ValveSubType>"
                       "</TervaldDBValve>")
                    .first);
    auto noSurfaceName = load("<TervaldDBFloorHeating>" + Header("f", "p")
                              + "<Division><Distance>100</Distance></Division>"
                                "<Surface><HeatResist>0</HeatResist><Equation><LineSteep>6</LineSteep></Equation>"
                                "</Surface></TervaldDBFloorHeating>");
    EXPECT_TRUE(noSurfaceName.first);
    EXPECT_EQ(noSurfaceName.second, CatalogueText("IDS_XMLPARSERERROR+13"));
    // The equation count is checked first: a nameless covering with too few
    // equations reports +4.
    auto both = load("<TervaldDBFloorHeating>" + Header("f", "p")
                     + "<Division><Distance>100</Distance></Division><Surface></Surface></TervaldDBFloorHeating>");
    EXPECT_EQ(both.second, FormatText(CatalogueText("IDS_XMLPARSERERROR+4"), {""}));
    // Fittings raise nothing of their own.
    EXPECT_FALSE(load("<TervaldDBResist>" + Header("r", "p")
                      + "<ResistSubType><SizeName></SizeName></ResistSubType></TervaldDBResist>")
                     .first);
}

TEST(CatalogueLoader, PieceListNamesAndQuotedNameBases)
{
    ScratchCatalogue cat;
    cat.Write("a.xml",
              "<TervaldDBPieceList>" + Header("@K", "p")
                  + "<ListItem Type=\"TERVALD32RESIST\"><Name Language=\"hu\">Könyök</Name>"
                    "<Name Language=\"en\">Elbow</Name><Quantity>1</Quantity></ListItem>"
                    "<ListItem><Name Language=\"any\">first</Name><Name Language=\"\">second</Name></ListItem>"
                    "</TervaldDBPieceList>"
                    "<TervaldDBTube>"
                  + Header("q", "p")
                  + "<NameBase>\"</NameBase>"
                    "<TubeSubType><SizeName>16x2</SizeName><d1>12</d1></TubeSubType></TervaldDBTube>"
                    "<TervaldDBValve>"
                  + Header("v", "p")
                  + "<NameBase>\"</NameBase>"
                    "<ValveSubType><SizeName>DN15</SizeName></ValveSubType></TervaldDBValve>"
                    "<TervaldDBResist>"
                  + Header("r", "p") + "<NameBase>\"</NameBase></TervaldDBResist>");
    for (const char* language : {"hu", "en"}) {
        TDevices d(cat.Dir(), language);
        ASSERT_FALSE(d.Failed()) << d.FailureMessage();
        auto* kit = d.Find<ItemListDBItem>(kPieceListKind, "@K");
        ASSERT_NE(kit, nullptr);
        ASSERT_EQ(kit->entries.size(), 2u);
        EXPECT_EQ(kit->entries[0].name, std::string(language) == "hu" ? "K\xF6ny\xF6k" : "Elbow");
        EXPECT_EQ(kit->entries[1].name, "second"); // both pass: the later wins
        // A NameBase of one double quote is kept as it is; two become an empty
        // text, which a tube does not accept.
        EXPECT_EQ(d.Find<TubeDBItem>(kTubeKind, "q")->nameBase, "\"");
        EXPECT_EQ(d.Find<TubeDBItem>(kTubeKind, "q")->DisplayName("16x2"), "\"16x2");
        EXPECT_EQ(d.Find<ResistDBItem>(kResistKind, "r")->nameBase, "\"");
        ASSERT_EQ(d.FailedValves().size(), 1u); // read completely, though unsigned
        EXPECT_EQ(dynamic_cast<const ValveDBItem&>(*d.FailedValves().front()).nameBase, "\"");
    }
    ScratchCatalogue empty;
    empty.Write("a.xml",
                "<TervaldDBTube>" + Header("qq", "p")
                    + "<NameBase>\"\"</NameBase>"
                      "<TubeSubType><SizeName>16x2</SizeName></TubeSubType></TervaldDBTube>");
    TDevices d(empty.Dir(), "hu");
    EXPECT_TRUE(d.Failed());
    EXPECT_TRUE(d.FailureMessage().ends_with(FormatText(CatalogueText("IDS_XMLPARSERERROR+11"), {"qq", "p"})));
}

// A catalogue is a third party's data: an external entity naming a local file, as
// a general or a parameter entity or the DOCTYPE's subset, is never read; each is
// reported by name and the rest of the catalogue loads.  Includes stay inside the
// catalogue folder.
TEST(CatalogueLoader, NoLocalFileReadThroughACatalogue)
{
    ScratchCatalogue secret;
    secret.Write("secret.txt", "root:x:0:0:SECRET", false);
    secret.Write("secret.dtd", "<!ENTITY leak \"SECRET\">", false);
    const std::string file = secret.Dir() + "/secret.txt";
    ScratchCatalogue cat;
    cat.Write("a.xml",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<!DOCTYPE Catalogue SYSTEM \""
                  + secret.Dir()
                  + "/secret.dtd\" [\n"
                    "<!ENTITY pw SYSTEM \""
                  + file
                  + "\">\n"
                    "<!ENTITY % pe SYSTEM \""
                  + secret.Dir()
                  + "/secret.dtd\"> %pe;\n"
                    "<!ENTITY pub PUBLIC \"-//X//Y\" \""
                  + file
                  + "\">\n"
                    "]>\n<Catalogue>\n"
                  + Medium("Water &pw;&pub;") + Medium("Glycol") + "</Catalogue>\n",
              false);
    cat.Write("b.xml",
              "<DBInclude>../" + std::filesystem::path(secret.Dir()).filename().string()
                  + "/secret.xml</DBInclude><DBInclude>" + secret.Dir() + "/x.xml</DBInclude>" + Medium("Oil"));
    secret.Write("secret.xml", Medium("Outside"));
    secret.Write("x.xml", Medium("Absolute"));
    TDevices devices(cat.Dir(), "Magyar");
    std::vector<std::string> names;
    for (const auto& item : devices.Items(kMediumKind))
        names.push_back(item->itemName);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Glycol", "Oil", "Water"}));
    for (const auto& n : names)
        EXPECT_EQ(n.find("SECRET"), std::string::npos) << n;
    EXPECT_TRUE(devices.Failed());
    const std::string& message = devices.FailureMessage();
    for (const char* named : {"pw", "pub", "%pe", "DOCTYPE Catalogue", "secret.xml", "/x.xml"})
        EXPECT_NE(message.find(named), std::string::npos) << named << " in:\n" << message;
    EXPECT_EQ(message.find("SECRET"), std::string::npos);
}

TEST(CatalogueLoader, DamagedShippedCatalogueFailsNamingFileAndLine)
{
    namespace fs = std::filesystem;
    const fs::path shipped = fs::path(KALORINA_SOURCE_DIR) / "data";
    auto bytes = [](const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    struct Damage {
        std::string file; // relative to the data folder
        std::function<std::string(std::string)> change;
    };
    auto cut = [](double fraction) {
        return [fraction](std::string s) { return s.substr(0, static_cast<std::size_t>(s.size() * fraction)); };
    };
    std::vector<Damage> damages = {
        {"vexalon.xml", cut(0.01)},
        {"vexalon.xml", cut(0.10)},
        {"vexalon.xml", cut(0.50)},
        {"vexalon.xml", cut(0.90)},
        {"vexalon.xml", [](std::string) { return std::string(); }},
        {"include/floorheating.xml", cut(0.50)},
        {"include/tubes.xml", [](std::string s) { return s.insert(s.size() / 2, 1, '\0'); }},
        {"include/valves.xml", [](std::string s) { return s.replace(s.find("</ItemName>"), 11, "</ItemNam>"); }},
        {"include/media.xml",
         [](std::string s) {
             std::string wide = "\xFF\xFE";
             for (char c : s)
                 wide += std::string{c, '\0'};
             return wide;
         }},
    };
    for (const Damage& d : damages) {
        ScratchCatalogue cat;
        fs::copy(shipped, cat.Dir(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        const fs::path target = fs::path(cat.Dir()) / d.file;
        const std::string damaged = d.change(bytes(target));
        std::ofstream(target, std::ios::binary | std::ios::trunc) << damaged;
        TDevices devices(cat.Dir(), "hu");
        EXPECT_TRUE(devices.Failed()) << d.file << " (" << damaged.size() << " bytes)";
        const std::string& message = devices.FailureMessage();
        EXPECT_NE(message.find(fs::path(d.file).filename().string() + "' is damaged at line "), std::string::npos)
            << d.file << ": " << message;
    }
    // The shipped catalogue itself is sound.
    TDevices sound(shipped.string(), "hu");
    EXPECT_FALSE(sound.Failed()) << sound.FailureMessage();
}

// Numbers no product has leave their item out, named; inputs built to make the
// load slow or huge stay bounded, and their failures are told briefly.
TEST(CatalogueLoader, ImplausibleNumbersAndUnboundedInputs)
{
    auto tube = [](const std::string& d1) {
        return "<TervaldDBTube>" + Header("T" + d1, "Tubes")
            + "<NameBase>t</NameBase><TubeSubType><SizeName>16x2</SizeName><d1>" + d1
            + "</d1></TubeSubType></TervaldDBTube>";
    };
    auto medium = [](const std::string& name, const std::string& density) {
        return "<TervaldDBMedium>" + Header(name, "Media")
            + "<TempMin>0</TempMin><TempMax>100</TempMax><Characteristic Mode=\"points\"><Name>ro</Name>"
              "<Temperature>0</Temperature><PointValue>"
            + density + "</PointValue><Temperature>100</Temperature><PointValue>" + density
            + "</PointValue></Characteristic></TervaldDBMedium>";
    };
    ScratchCatalogue cat;
    cat.Write("a.xml",
              tube("12") + tube("0") + tube("-1") + medium("water", "990") + medium("nothing", "0")
                  + medium("negative", "-1e30") + "<TervaldDBFloorHeating>" + Header("steep", "FH")
                  + "<Division><Distance>100</Distance></Division><Surface><SurfaceName>tile</SurfaceName>"
                    "<Equation><LineSteep>1e30</LineSteep></Equation></Surface></TervaldDBFloorHeating>");
    TDevices d(cat.Dir(), "Magyar");
    EXPECT_EQ(Names(d, kTubeKind), std::vector<std::string>{"T12"});
    EXPECT_EQ(Names(d, kMediumKind), std::vector<std::string>{"water"});
    EXPECT_TRUE(d.Items(kFloorHeatingKind).empty());
    EXPECT_TRUE(d.Failed());
    for (const char* named : {"'T0' is left out, as no product has 16x2: d1 = 0", "'T-1'", "'nothing'", "ro = -1E30",
                              "'steep' is left out, as no product has tile: LineSteep = 1E30"})
        EXPECT_NE(d.FailureMessage().find(named), std::string::npos) << named << " in\n" << d.FailureMessage();

    // A large macro used by many items is expanded until the load's budget is spent.
    ScratchCatalogue big;
    const std::string value(4 << 20, 'x');
    std::string items;
    for (int i = 0; i < 40; ++i)
        items += Medium("m" + std::to_string(i) + " %BIG");
    big.Write("a.xml", "<TervaldDBGlobalMacro><Macro ID=\"%BIG\">" + value + "</Macro></TervaldDBGlobalMacro>" + items);
    TDevices b(big.Dir(), "Magyar");
    EXPECT_TRUE(b.Failed());
    EXPECT_NE(b.FailureMessage().find("more than 64 MiB"), std::string::npos) << b.FailureMessage().substr(0, 300);
    std::size_t expanded = 0;
    for (const auto& item : b.Items(kMediumKind))
        expanded += item->itemName.size();
    EXPECT_LE(expanded, CatalogueMacros::kExpansionBudget + value.size());

    // Thousands of includes of missing files: each counted, twenty told.
    ScratchCatalogue includes;
    std::string list;
    for (int i = 0; i < 5000; ++i)
        list += "<DBInclude>missing" + std::to_string(i) + ".xml</DBInclude>";
    includes.Write("a.xml", list);
    TDevices inc(includes.Dir(), "Magyar");
    EXPECT_TRUE(inc.Failed());
    const std::string& message = inc.FailureMessage();
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 20) << message.substr(0, 300);
    EXPECT_NE(message.find("and 4980 more failures"), std::string::npos) << message.substr(message.size() - 200);
}
