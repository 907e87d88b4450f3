// The manifold kits of the bill: a manifold that no one kit fits is counted as the
// kits that together give its outlets, a kit with outlets to spare says how many
// stay closed, and a catalogue without kits lists none and says so wherever the
// bill is shown.
#include <gtest/gtest.h>

#include "TestLanguage.h"
#include "app/UsedMaterialsExport.h"
#include "catalogue/TDevices.h"
#include "document/TProject.h"
#include "materials/MaterialSources.h"
#include "materials/TClipboardStream.h"
#include "materials/TUsedMaterial.h"
#include "util/Codepage.h"

using namespace kalorina;

namespace {

const TDevices& Shipped()
{
    static TDevices devices(KALORINA_SOURCE_DIR "/data", "hu");
    return devices;
}

// "Ground" feeds 13 circuits, "Shed" one; the kits go from 2 to 12 outlets.
TProject ThirteenAndOne()
{
    TProject p;
    p.manifolds[0].name = "Ground";
    p.AddNewManifold();
    p.manifolds[1].name = "Shed";
    for (int i = 0; i < 13; ++i)
        p.AddNewRound(0);
    p.AddNewRound(1);
    return p;
}

float Quantity(const TUsedMaterial& bill, const std::string& code)
{
    float q = 0;
    for (const auto& row : bill.rows)
        if (row.estimateCode == code)
            q += row.quantity;
    return q;
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(ManifoldKits, FewestKitsThenFewestClosedOutletsLargerKitsFirst)
{
    const std::vector<int> shipped{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    struct Case {
        int outlets;
        std::vector<int> kits, expected;
    };
    const Case cases[] = {
        {12, shipped, {12}},     {13, shipped, {11, 2}}, // no 1-outlet kit: one outlet moves from the full kit
        {24, shipped, {12, 12}}, {25, shipped, {12, 11, 2}},
        {1, shipped, {2}}, // one outlet stays closed
        {0, shipped, {}},        {5, {}, {}},
        {13, {12}, {12, 12}},    {27, {12, 9}, {9, 9, 9}}, // three kits either way; these leave nothing closed
        {12, {10, 3}, {10, 3}},                            // two kits with one closed rather than four
        {5, {8, 4}, {8}},        {6, {4, 4, 2}, {4, 2}},   // a size listed twice counts once
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseManifoldKits(c.outlets, c.kits), c.expected) << c.outlets << " outlets";
}

TEST(ManifoldKits, ThirteenOutletsAreTwoKitsAndEveryFormOfTheBillSaysSo)
{
    test::ScopedLanguage lang;
    TUsedMaterial bill = BuildUsedMaterials(ThirteenAndOne(), Shipped());
    EXPECT_FLOAT_EQ(Quantity(bill, "VX-HKV-11"), 1);
    EXPECT_FLOAT_EQ(Quantity(bill, "VX-HKV-2"), 2); // one beside the 11, one for the shed
    EXPECT_FLOAT_EQ(Quantity(bill, "VX-HKV-12"), 0);
    EXPECT_FLOAT_EQ(Quantity(bill, "VX-HKV-VEG"), 3); // each kit is a whole manifold
    ASSERT_EQ(bill.manifoldNotes.size(), 2u);
    EXPECT_TRUE(Contains(bill.manifoldNotes[0], "'Ground'")) << bill.manifoldNotes[0];
    EXPECT_TRUE(Contains(bill.manifoldNotes[0], "13 circuits")) << bill.manifoldNotes[0];
    EXPECT_TRUE(Contains(bill.manifoldNotes[0], "11 + 2")) << bill.manifoldNotes[0];
    EXPECT_TRUE(Contains(bill.manifoldNotes[1], "'Shed'")) << bill.manifoldNotes[1];
    EXPECT_TRUE(Contains(bill.manifoldNotes[1], "1 outlet(s) stay closed")) << bill.manifoldNotes[1];
    EXPECT_EQ(BillWarnings(bill), bill.manifoldNotes);
    EXPECT_EQ(CycleWarning(bill), bill.manifoldNotes[0] + "\n" + bill.manifoldNotes[1]);

    // Under the table of every file the export writes.
    bill.SelectAll(true);
    TClipboardStream stream;
    WriteSelectedRows(bill, stream);
    const std::string note = Cp1250ToUtf8(bill.manifoldNotes[0]);
    const std::string csv = stream.CsvText();
    EXPECT_TRUE(Contains(csv, "\r\n\r\n\"" + note + "\"\r\n")) << csv; // after an empty line, quoted for its ";"
    EXPECT_TRUE(Contains(stream.HtmlTable(), "</table>\n<p>" + note + "</p>"));
    EXPECT_TRUE(Contains(stream.TabText(), "\n\n" + note + "\n"));
    const std::string rtf = stream.RtfDocument();
    EXPECT_GT(rtf.find(note), rtf.rfind("\\row")); // a paragraph after the table
    const std::string biff = stream.BiffWorksheet();
    EXPECT_TRUE(Contains(biff, bill.manifoldNotes[1]));
    EXPECT_EQ(stream.RowsUsed(), 1 + static_cast<int>(bill.rows.size()) + 1 + 2); // heading, rows, gap, notes
}

TEST(ManifoldKits, ACatalogueWithoutKitsListsNoManifoldAndNamesEach)
{
    test::ScopedLanguage lang;
    const TDevices none;
    TUsedMaterial bill = BuildUsedMaterials(ThirteenAndOne(), none);
    for (const auto& row : bill.rows)
        EXPECT_NE(row.type, 5) << row.name;
    ASSERT_EQ(bill.manifoldNotes.size(), 2u);
    EXPECT_TRUE(Contains(bill.manifoldNotes[0], "'Ground'"));
    EXPECT_TRUE(Contains(bill.manifoldNotes[0], "no manifold kit"));
    EXPECT_TRUE(Contains(bill.manifoldNotes[1], "'Shed'"));

    // A manifold that feeds nothing needs no kit and no word.
    TProject empty;
    EXPECT_TRUE(BuildUsedMaterials(empty, none).manifoldNotes.empty());
}
