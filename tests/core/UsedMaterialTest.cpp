// The bill of materials: the rows of each source, merging, kits pass after pass
// (also when they refer to each other), the check tree and the exported tables.
#include <gtest/gtest.h>

#include <cstring>

#include "CalcTestSupport.h"
#include "ErrorTestSupport.h"
#include "TestLanguage.h"
#include "app/UsedMaterialsExport.h"
#include "document/TProject.h"
#include "materials/MaterialTree.h"
#include "materials/TClipboardStream.h"
#include "materials/TUsedMaterial.h"
#include "platform/Clipboard.h"
#include "util/Error.h"
#include "util/FloatFormat.h"

namespace kalorina {
namespace {

std::map<std::string, std::string> BillTexts()
{
    return {{"IDS_NUMBEROFPIECES", "db"},
            {"IDS_DEVICEDBTYPES+0", "Systems"},
            {"IDS_DEVICEDBTYPES+1", "Tubes"},
            {"IDS_DEVICEDBTYPES+2", "Valves"},
            {"IDS_DEVICEDBTYPES+3", "Fittings"},
            {"IDS_DEVICEDBTYPES+6", "Other"},
            {"IDS_USEDMATERIALSBIFFTITLE+0", "Name"},
            {"IDS_USEDMATERIALSBIFFTITLE+1", "Code"},
            {"IDS_USEDMATERIALSBIFFTITLE+2", "Quantity"},
            {"IDS_USEDMATERIALSBIFFTITLE+3", "Unit"},
            {"CID_USEDMATERIAL0", "Bill"},
            {"CID_USEDMATERIAL1", "Used materials"},
            {"CID_USEDMATERIAL2", "Megnevez\xE9s"},
            {"CID_USEDMATERIAL3", "Code"},
            {"CID_USEDMATERIAL4", "Qty"},
            {"CID_USEDMATERIAL5", "Unit"}};
}

FloorHeatingField Field(const std::string& system, int spacing, float area)
{
    FloorHeatingField f;
    f.systemName = system;
    f.spacing = static_cast<std::int16_t>(spacing);
    f.area = area;
    return f;
}

TRoundItem Circuit(const std::string& name, float tubeLength)
{
    TRoundItem r;
    r.roundName = name;
    r.hydraulic.tubeName = "PEX";
    r.hydraulic.tubeSize = "16x2";
    r.hydraulic.tubeLength = tubeLength;
    r.hydraulic.valveName = "V1";
    r.hydraulic.autoValveSize = "DN15";
    TResist elbow;
    elbow.resistName = "Elbow";
    elbow.sizeName = "E12";
    elbow.count = 2;
    elbow.listing = 1;
    TResist own;
    own.resistName = "Own";
    own.unique = 1;
    own.dn = 20;
    own.listing = 1;
    TResist unlisted = own;
    unlisted.resistName = "Hidden";
    unlisted.listing = 0;
    r.hydraulic.fittings = {elbow, own, unlisted};
    return r;
}

// Piece lists (and a tube that is a kit) for the expansion tests.
const TDevices& KitCatalogue()
{
    static std::unique_ptr<TDevices> devices = [] {
        auto entry = [](const std::string& type, const std::string& name, const std::string& qty,
                        const std::string& unit, const std::string& code) {
            return "<ListItem Type=\"" + type + "\">" + (name.empty() ? "" : "<Name>" + name + "</Name>") + "<Quantity>"
                + qty + "</Quantity>" + (unit.empty() ? "" : "<DimensionString>" + unit + "</DimensionString>")
                + "<EstimateCode>" + code + "</EstimateCode></ListItem>";
        };
        auto list = [](const std::string& name, const std::string& entries) {
            return "<TervaldDBPieceList>" + test::Header(name, "Kits") + entries + "</TervaldDBPieceList>\n";
        };
        std::string xml = "<TervaldDBTube>" + test::Header("KT", "Tubes")
            + "<NameBase>Kit tube %s</NameBase><TubeSubType><SizeName>16x2</SizeName><DN>12</DN>"
              "<d1>12</d1><d2>16</d2><Roughness>0,007</Roughness><EstimateCode>@KIT</EstimateCode></TubeSubType>"
              "</TervaldDBTube>\n"
            + list("@KIT",
                   entry("TERVALD32RESIST", "Clip", "2", "", "C1") + entry("TERVALD32TUBE", "", "0,5", "m", "S1"))
            + list("@OUTER", entry("TERVALD32PIECELIST", "Inner kit", "2", "", "@INNER"))
            + list("@INNER", entry("TERVALD32RESIST", "Screw", "4", "", "SC"))
            + list("@A", entry("OTHER", "Part of A", "1", "", "@B"))
            + list("@B", entry("OTHER", "Part of B", "1", "", "@A") + entry("OTHER", "Nut", "3", "", "N1"))
            + list("@SELF", entry("OTHER", "", "2", "", "@SELF"));
        test::ScratchCatalogue dir;
        dir.Write("kits.xml", xml);
        return std::make_unique<TDevices>(dir.Dir(), "Magyar");
    }();
    return *devices;
}

TUsedMaterialItem Row(int type, const std::string& name, const std::string& code, float qty)
{
    TUsedMaterialItem r;
    r.type = type;
    r.name = name;
    r.catalogueId = "Parent";
    r.estimateCode = code;
    r.quantity = qty;
    r.unit = "db";
    return r;
}

const TUsedMaterialItem* Find(const TUsedMaterial& bill, const std::string& name)
{
    for (const auto& r : bill.rows)
        if (r.name == name)
            return &r;
    return nullptr;
}

struct UsedMaterialTest : ::testing::Test {
    test::ScopedLanguage language{BillTexts()};
};

TEST_F(UsedMaterialTest, FieldsMergeBySystemAndSpacingAndCircuitsAddTubeValveAndListedFittings)
{
    TProject project;
    TRoomItem a, b;
    a.roomName = "A";
    b.roomName = "B";
    a.fields = {Field("FH", 100, 10.0f), Field("FH", 150, 3.0f), Field("FH", 200, 0.0f)};
    b.fields = {Field("FH", 100, 5.5f), Field("Gone", 100, 2.0f)};
    project.rooms = {a, b};
    project.rounds = {Circuit("C1", 10), Circuit("C2", 20), Circuit("C3", 30)};
    TRoundItem missing = Circuit("C4", 5);
    missing.hydraulic.tubeName = "NoSuchTube";
    missing.hydraulic.valveName = "NoSuchValve";
    missing.hydraulic.fittings.clear();
    project.rounds.push_back(missing);

    TUsedMaterial bill = BuildUsedMaterials(project, test::CalcCatalogue());
    std::vector<std::string> names;
    for (const auto& r : bill.rows)
        names.push_back(r.name);
    EXPECT_EQ(names,
              (std::vector<std::string>{"FH(d=100mm)", "FH(d=150mm)", "Gone(d=100mm)", "PE-X 16x2", "Valve DN15",
                                        "Elbow E12", "Own 20"}));
    EXPECT_FLOAT_EQ(Find(bill, "FH(d=100mm)")->quantity, 15.5f);
    EXPECT_EQ(Find(bill, "FH(d=100mm)")->estimateCode, "E100");
    EXPECT_EQ(Find(bill, "FH(d=100mm)")->unit, "m2");
    EXPECT_EQ(Find(bill, "FH(d=150mm)")->estimateCode, "");   // the spacing has no code
    EXPECT_EQ(Find(bill, "Gone(d=100mm)")->estimateCode, ""); // the system is not in the catalogue
    EXPECT_FLOAT_EQ(Find(bill, "PE-X 16x2")->quantity, 60.0f);
    EXPECT_EQ(Find(bill, "PE-X 16x2")->estimateCode, "T16");
    EXPECT_EQ(Find(bill, "PE-X 16x2")->unit, "m");
    EXPECT_FLOAT_EQ(Find(bill, "Valve DN15")->quantity, 3.0f);
    EXPECT_EQ(Find(bill, "Valve DN15")->unit, "db");
    EXPECT_FLOAT_EQ(Find(bill, "Elbow E12")->quantity, 6.0f);
    EXPECT_EQ(Find(bill, "Own 20")->catalogueId, "Own");
}

TEST_F(UsedMaterialTest, EmptyProjectGivesAnEmptyBillAndTree)
{
    TProject project;
    TUsedMaterial bill = BuildUsedMaterials(project, test::CalcCatalogue());
    EXPECT_TRUE(bill.rows.empty());
    EXPECT_TRUE(FillMaterialTree(bill).empty());
    UsedMaterialsExportEditor editor(bill);
    EXPECT_EQ(editor.Commit(), 0);
    MemoryClipboard clipboard;
    clipboard.Put({{"x", "keep"}});
    editor.CopyToClipboard(clipboard);
    EXPECT_TRUE(clipboard.HasFormat("x")); // nothing chosen: the clipboard is not touched
}

TEST_F(UsedMaterialTest, TubeKitOfTwoEntriesReplacesTheTube)
{
    TProject project;
    TRoundItem r;
    r.hydraulic.tubeName = "KT";
    r.hydraulic.tubeSize = "16x2";
    r.hydraulic.tubeLength = 10;
    project.rounds = {r};
    TUsedMaterial bill = BuildUsedMaterials(project, KitCatalogue());
    ASSERT_EQ(bill.rows.size(), 2u);
    EXPECT_EQ(bill.rows[0].name, "Kit tube 16x2"); // no name: the tube's own, kind of the entry
    EXPECT_EQ(bill.rows[0].type, 1);
    EXPECT_FLOAT_EQ(bill.rows[0].quantity, 5.0f);
    EXPECT_EQ(bill.rows[0].unit, "m");
    EXPECT_EQ(bill.rows[1].name, "Clip");
    EXPECT_FLOAT_EQ(bill.rows[1].quantity, 20.0f);
    EXPECT_EQ(bill.rows[1].unit, "db");
    EXPECT_EQ(bill.rows[1].catalogueId, "KT");
    EXPECT_TRUE(bill.cycleKits.empty());
}

TEST_F(UsedMaterialTest, NestedKitsExpandOnTheNextPassAndCyclesStopNamingTheKit)
{
    TUsedMaterial bill;
    bill.Add(Row(3, "Outer", "@OUTER", 3));
    bill.Add(Row(3, "Unknown kit", "@NONE", 1));
    bill.Add(Row(6, "Nut", "N1", 1));
    bill.Add(Row(6, "Looping", "@A", 1));
    bill.Add(Row(6, "Self", "@SELF", 1));
    bill.ExpandPieceLists(KitCatalogue(), "db");
    EXPECT_EQ(Find(bill, "Outer"), nullptr);
    EXPECT_EQ(Find(bill, "Inner kit"), nullptr);
    ASSERT_NE(Find(bill, "Screw"), nullptr);
    EXPECT_FLOAT_EQ(Find(bill, "Screw")->quantity, 24.0f);
    ASSERT_NE(Find(bill, "Unknown kit"), nullptr); // a code naming no kit keeps its row
    // @A -> @B -> @A: the part of B that names A again stays, and so do its siblings.
    ASSERT_NE(Find(bill, "Part of B"), nullptr);
    EXPECT_EQ(Find(bill, "Part of B")->estimateCode, "@A");
    EXPECT_FLOAT_EQ(Find(bill, "Nut")->quantity, 4.0f); // merged with the kit's nuts
    ASSERT_NE(Find(bill, "Self"), nullptr);
    EXPECT_FLOAT_EQ(Find(bill, "Self")->quantity, 2.0f);
    EXPECT_EQ(bill.cycleKits, (std::vector<std::string>{"@SELF", "@A"})); // in the pass that met each
    EXPECT_NE(CycleWarning(bill).find("@A"), std::string::npos);
}

TEST_F(UsedMaterialTest, TreeGroupsByKindAndItemAndFollowsTheShiftRules)
{
    TUsedMaterial bill;
    bill.Add(Row(5, "Kit", "", 1));
    bill.Add(Row(2, "Valve b", "", 1));
    bill.Add(Row(2, "Valve a", "", 1));
    bill.rows[0].catalogueId = "K";
    auto tree = FillMaterialTree(bill);
    ASSERT_EQ(tree.size(), 2u);
    EXPECT_EQ(tree[0].text, "Other"); // a piece list shows in the group of other items
    EXPECT_EQ(tree[1].text, "Valves");
    ASSERT_EQ(tree[1].children.size(), 1u);
    EXPECT_EQ(tree[1].children[0].children[0].text, "Valve a");
    EXPECT_EQ(tree[1].children[0].children[0].row, 2);

    EXPECT_FALSE(ToggleMaterialNode(tree, {1}, false)); // a group needs Shift
    EXPECT_FALSE(ToggleMaterialNode(tree, {1, 0}, false));
    EXPECT_TRUE(ToggleMaterialNode(tree, {1, 0, 1}, false));
    EXPECT_EQ(tree[1].state, MaterialTreeNode::kPartly);
    EXPECT_EQ(SelectFromTree(bill, tree, false), 3);
    EXPECT_EQ(bill.SelectedCount(), 1);
    EXPECT_TRUE(bill.rows[1].selected);

    EXPECT_TRUE(ToggleMaterialNode(tree, {1}, true)); // partly checked: the whole group on
    EXPECT_EQ(tree[1].children[0].children[0].state, MaterialTreeNode::kChecked);
    EXPECT_EQ(tree[1].state, MaterialTreeNode::kChecked);
    EXPECT_TRUE(ToggleMaterialNode(tree, {1}, true)); // checked: off
    EXPECT_EQ(tree[1].state, MaterialTreeNode::kUnchecked);
    SelectFromTree(bill, tree, true);
    EXPECT_EQ(bill.SelectedCount(), 3);
}

TEST_F(UsedMaterialTest, ExportEditorSwitchesToTheChosenRowsAndSavesEachKindOfFile)
{
    TUsedMaterial bill;
    bill.Add(Row(2, "Valve", "V", 2));
    bill.Add(Row(3, "Elbow", "E", 4));
    UsedMaterialsExportEditor editor(bill);
    EXPECT_TRUE(editor.GetView().all);
    EXPECT_EQ(editor.Commit(), 2);
    EXPECT_FALSE(editor.DoubleClick({0, 0}, false));   // an item node without Shift
    EXPECT_TRUE(editor.DoubleClick({0, 0, 0}, false)); // "Fittings" sorts first: the elbow
    EXPECT_FALSE(editor.GetView().all);
    EXPECT_EQ(editor.Commit(), 1);
    EXPECT_EQ(editor.Bill().rows[1].name, "Elbow");
    EXPECT_TRUE(editor.Bill().rows[1].selected);

    EXPECT_EQ(ExportKindOfPath("a.XLS"), ExportFileKind::Xls);
    EXPECT_EQ(ExportKindOfPath("a.rtf"), ExportFileKind::Rtf);
    EXPECT_EQ(ExportKindOfPath("a.htm"), ExportFileKind::Html);
    EXPECT_EQ(ExportKindOfPath("dir.x/a"), ExportFileKind::Csv);
    // A file that cannot be written says so in the user's language, with the path and the reason.
    test::ScopedLanguage lang(
        {{"IDS_CANNOTWRITEFILE", "Nem \xEDrhat\xF3: %s (%s)"}, {"IDS_FILENOTFOUND", "nincs ilyen"}});
    EXPECT_EQ(test::ThrownText([] { WriteExportFile("/nonexistent-dir/a.csv", "x"); }),
              "Nem \xEDrhat\xF3: /nonexistent-dir/a.csv (nincs ilyen)");
}

struct ExportBytesTest : UsedMaterialTest {
    ExportBytesTest() { SetDecimalSeparator(','); }
    ~ExportBytesTest() override { SetDecimalSeparator('.'); }
};

TEST_F(ExportBytesTest, OneRowGivesTheRtfRowAndTheNumberCell)
{
    TClipboardStream stream;
    TUsedMaterialItem row = Row(1, "Tube", "T16", 12.5f);
    row.unit = "m";
    stream.WriteUsedMaterialRow(row);
    EXPECT_EQ(UsedMaterialsRtfHeader().size(), 1452u);
    std::string rtf = stream.RtfDocument();
    const std::string tail = "\\row\\ql\r\n\r\nTube\\cell T16\\cell 12,5\\cell m\\cell \\row\r\n}\r\n";
    ASSERT_GT(rtf.size(), tail.size());
    EXPECT_EQ(rtf.substr(rtf.size() - tail.size()), tail);
    EXPECT_NE(rtf.find("{\\s31\\sb180\\f4\\fs24\\lang1038\\b \\sbasedon0\\snext32 Bill;}"), std::string::npos);
    EXPECT_NE(rtf.find("Megnevez\\'e9s\\cell Code"), std::string::npos);

    const std::string& b = stream.BiffWorksheet();
    const std::string head("\x09\x00\x04\x00\x07\x00\x10\x00\x00\x00\x08\x00\x00\x00\x02\x00\x00\x00\x04\x00", 20);
    EXPECT_EQ(b.substr(0, 20), head);
    EXPECT_EQ(b.substr(20, 6), std::string("\x42\x00\x02\x00\xE2\x04", 6)); // code page 1250
    // Heading labels (12 + n each), then name and code labels of row 1.
    std::size_t at = 26;
    for (const char* t : {"Name", "Code", "Quantity", "Unit", "Tube", "T16"})
        at += 12 + std::strlen(t);
    std::string number("\x03\x00\x0F\x00\x01\x00\x02\x00\x40\x00\x00", 11);
    double twelveAndAHalf = 12.5;
    number.append(reinterpret_cast<const char*>(&twelveAndAHalf), 8);
    EXPECT_EQ(b.substr(at, 19), number);
    EXPECT_EQ(b.substr(at + 19), std::string("\x04\x00\x09\x00\x01\x00\x03\x00\x40\x00\x00\x01m\x0A\x00\x00\x00", 17));
}

TEST_F(ExportBytesTest, DimensionsEmptyCodesLongTextsEscapingAndClipboardBlocks)
{
    TClipboardStream stream;
    stream.WriteUsedMaterialRow(Row(3, "A {b} \\c", "", 1));
    stream.WriteUsedMaterialRow(Row(3, std::string(300, 'x'), "X", 2));
    stream.WriteUsedMaterialRow(Row(3, "Semi;colon \"q\"", "Y", 0.25f));
    std::string b = stream.BiffWorksheet();
    EXPECT_EQ(b[14], 4); // rows used: heading + 3
    EXPECT_EQ(b[18], 4);
    // The first data row: its name label, then a label of length 0 for the empty code.
    std::size_t at = 26 + 12 * 4 + 4 + 4 + 8 + 4;
    at += 12 + 8;
    EXPECT_EQ(b.substr(at, 12), std::string("\x04\x00\x08\x00\x01\x00\x01\x00\x40\x00\x00\x00", 12));
    EXPECT_NE(b.find(std::string("\x04\x00\x07\x01\x02\x00\x00\x00\x40\x00\x00\xFF", 12) + std::string(255, 'x')
                     + "\x04\x00"),
              std::string::npos);
    EXPECT_NE(stream.rtf.find("A \\{b\\} \\\\c\\cell \\cell 1\\cell db\\cell \\row"), std::string::npos);
    EXPECT_NE(stream.CsvText().find("\"Semi;colon \"\"q\"\"\";Y;0,25;db\r\n"), std::string::npos);
    {
        // Beside a decimal point a comma stands between the cells.
        SetDecimalSeparator('.');
        TClipboardStream point;
        point.WriteUsedMaterialRow(Row(3, "Semi;colon, comma", "Y", 0.25f));
        EXPECT_NE(point.CsvText().find("\r\n\"Semi;colon, comma\",Y,0.25,db\r\n"), std::string::npos)
            << point.CsvText();
        SetDecimalSeparator(',');
    }
    EXPECT_NE(stream.HtmlTable().find("<td>A {b} \\c</td><td></td>"), std::string::npos);

    MemoryClipboard clipboard;
    stream.PutOnClipboard(clipboard, {});
    std::string rtfBlock = *clipboard.Get("Rich Text Format");
    EXPECT_EQ(rtfBlock, stream.rtf + "}\r\n" + std::string(1, '\0'));
    EXPECT_EQ(*clipboard.Get("Biff"), b + std::string(1, '\0'));
    EXPECT_FALSE(clipboard.HasFormat("Kalorina Item"));
    EXPECT_EQ(clipboard.Get("text/plain")->substr(0, 19), "Name\tCode\tQuantity\t");
}

} // namespace
} // namespace kalorina
