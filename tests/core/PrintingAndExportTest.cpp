// Printing and export of the project and its bill: the titles each printout keeps,
// the file the export's save dialog asks for, the numbers of the worksheet and the
// language of the exported tables.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "CalcTestSupport.h"
#include "ErrorTestSupport.h"
#include "TestLanguage.h"
#include "app/PrintingEditor.h"
#include "app/UsedMaterialsExport.h"
#include "app/UsedMaterialsPrinting.h"
#include "document/TProject.h"
#include "materials/TClipboardStream.h"
#include "materials/TUsedMaterial.h"

namespace kalorina {
namespace {

TUsedMaterialItem Row(int type, const std::string& name, float quantity)
{
    TUsedMaterialItem r;
    r.type = type;
    r.name = name;
    r.catalogueId = name;
    r.estimateCode = "C-" + name;
    r.quantity = quantity;
    r.unit = "m";
    return r;
}

TUsedMaterial TwoRows()
{
    TUsedMaterial bill;
    bill.Add(Row(1, "Tube", 12.3f));
    bill.Add(Row(2, "Valve", 2));
    return bill;
}

std::string FileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool FileExists(const std::string& path)
{
    return std::ifstream(path).good();
}

const char* const kNoRows = "Choose rows";

struct PrintingAndExport : ::testing::Test {
    test::ScopedLanguage language{{{"IDS_USEDMATERIALSTITLE", "Bill of materials"},
                                   {"IDS_NOEXPORTROWS", kNoRows},
                                   {"IDS_NUMBEROFPIECES", "db"},
                                   {"IDS_DEVICEDBTYPES+1", "Tubes"},
                                   {"IDS_DEVICEDBTYPES+2", "Valves"},
                                   {"IDS_USEDMATERIALSBIFFTITLE+0", "Name"},
                                   {"IDS_USEDMATERIALSBIFFTITLE+1", "Code"},
                                   {"IDS_USEDMATERIALSBIFFTITLE+2", "Quantity"},
                                   {"IDS_USEDMATERIALSBIFFTITLE+3", "Unit"}}};
};

TEST_F(PrintingAndExport, TheBillsTitleStaysOnTheBillAndTheProjectReportsKeepTheirs)
{
    MemorySettingsStore store;
    PrintingOptions kept;
    TProject project;
    {
        PrintingEditor reports(project, kept, store);
        reports.SetTitle("Kiviteli terv");
        reports.Commit();
    }
    for (const char* billTitle : {"", "Anyagok"}) {
        UsedMaterialsPrintingEditor bill(TwoRows(), kept, store);
        // Every bill dialog starts with the bill's own title, not the reports'.
        EXPECT_EQ(bill.GetView().title, "Bill of materials");
        if (*billTitle)
            bill.SetTitle(billTitle);
        bill.SetSwitch(PrintingOptions::kDate, false);
        EXPECT_EQ(bill.Commit(), 2); // what a print or a preview does first
        EXPECT_EQ(bill.Options().title, *billTitle ? billTitle : "Bill of materials");
        // The page switches are shared; the title is not.
        EXPECT_EQ(kept.title, "Kiviteli terv") << billTitle;
        EXPECT_FALSE(kept.Has(PrintingOptions::kDate));
        PrintingEditor reports(project, kept, store);
        EXPECT_EQ(reports.GetView().title, "Kiviteli terv");
    }
}

TEST_F(PrintingAndExport, TheFileTypeChosenDecidesTheFormatAndTheSuffix)
{
    // The save dialog's filter lists the types in the order of ExportFileTypes.
    EXPECT_EQ(ExportFileFilter(),
              "Excel munkalap (*.xls)|*.xls|RTF dokumentum (*.rtf)|*.rtf|CSV (*.csv)|*.csv|"
              "HTML (*.html)|*.html");
    struct Case {
        const char* typed;
        int fileType; // -1: the dialog could not tell
        const char* written;
        ExportFileKind kind;
    };
    const Case cases[] = {
        {"/d/bill", 2, "/d/bill.csv", ExportFileKind::Csv},
        {"/d/bill", 0, "/d/bill.xls", ExportFileKind::Xls},
        {"/d/bill", 1, "/d/bill.rtf", ExportFileKind::Rtf},
        {"/d/bill", 3, "/d/bill.html", ExportFileKind::Html},
        {"/d/bill.xls", 2, "/d/bill.xls.csv", ExportFileKind::Csv}, // the type wins over a foreign suffix
        {"/d/bill.CSV", 2, "/d/bill.CSV", ExportFileKind::Csv},
        {"/d/bill.htm", 3, "/d/bill.htm", ExportFileKind::Html},
        {"/d/bill.txt", 2, "/d/bill.txt.csv", ExportFileKind::Csv},
        {"/d/bill.", 0, "/d/bill.xls", ExportFileKind::Xls},
        {"/d.x/bill", 2, "/d.x/bill.csv", ExportFileKind::Csv},
        {"/d/bill.rtf", -1, "/d/bill.rtf", ExportFileKind::Rtf}, // no type known: the name decides
        {"/d/bill", -1, "/d/bill.csv", ExportFileKind::Csv},
        {"/d/bill", 9, "/d/bill.csv", ExportFileKind::Csv},
    };
    for (const auto& c : cases) {
        const ExportTarget t = ExportTargetOfChoice(c.typed, c.fileType);
        EXPECT_EQ(t.path, c.written) << c.typed << " as type " << c.fileType;
        EXPECT_EQ(t.kind, c.kind) << c.typed << " as type " << c.fileType;
    }

    // A bare name saved as CSV is a CSV file with the .csv suffix, nothing else.
    char dir[] = "/tmp/kalorina-export-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string bare = std::string(dir) + "/bill";
    UsedMaterialsExportEditor editor(TwoRows());
    editor.CommitChosen();
    editor.SaveToFile(ExportTargetOfChoice(bare, 2));
    EXPECT_FALSE(FileExists(bare + ".xls"));
    EXPECT_FALSE(FileExists(bare));
    const std::string csv = FileText(bare + ".csv");
    EXPECT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(csv.find("Name,Code,Quantity,Unit\r\n"), std::string::npos); // a decimal point: ',' between cells
    std::remove((bare + ".csv").c_str());

    // No row chosen: both commands say how to choose rows, and nothing is written.
    EXPECT_TRUE(editor.DoubleClick({0, 0, 0}, false)); // chosen, then taken back
    EXPECT_TRUE(editor.DoubleClick({0, 0, 0}, false));
    EXPECT_FALSE(editor.GetView().all);
    EXPECT_EQ(test::ThrownText([&] { editor.CommitChosen(); }), kNoRows);
    EXPECT_EQ(test::ThrownText([&] { editor.SaveToFile(ExportTargetOfChoice(bare, 2)); }), kNoRows);
    EXPECT_FALSE(FileExists(bare + ".csv"));
    ::rmdir(dir);
}

TEST_F(PrintingAndExport, WorksheetNumbersHoldTheValueShownNotTheSinglesNoise)
{
    struct Case {
        float quantity;
        double cell;
    };
    const Case cases[] = {{12.3f, 12.3}, {0.1f, 0.1},           {1.15f, 1.15}, {12.5f, 12.5},
                          {3.0f, 3.0},   {1234.567f, 1234.567}, {0.0f, 0.0},   {16777216.0f, 16777216.0},
                          {1e-7f, 1e-7}, {-2.7f, -2.7}};
    for (const auto& c : cases) {
        TClipboardStream stream;
        stream.WriteBiffNumber(c.quantity);
        // NUMBER: record number, length, row, column, three attribute bytes, the double.
        ASSERT_EQ(stream.biff.size(), 19u);
        EXPECT_EQ(stream.biff.substr(0, 4), std::string("\x03\x00\x0F\x00", 4));
        double cell = 0;
        std::memcpy(&cell, stream.biff.data() + 11, 8);
        EXPECT_EQ(cell, c.cell) << c.quantity;
    }
}

TEST_F(PrintingAndExport, TheExportedBillSpeaksThePrintingLanguageInEveryCell)
{
    // Screen in Hungarian, printing in English.
    Languages().AddLanguage(test::MakeLanguage("English",
                                               {{"IDS_NUMBEROFPIECES", "pcs"},
                                                {"IDS_USEDMATERIALSBIFFTITLE+0", "Item"},
                                                {"IDS_USEDMATERIALSBIFFTITLE+1", "Estimate code"},
                                                {"IDS_USEDMATERIALSBIFFTITLE+2", "Amount"},
                                                {"IDS_USEDMATERIALSBIFFTITLE+3", "Unit"}}));
    Languages().SelectPrintingLanguage("English");
    TProject project;
    TRoundItem circuit;
    circuit.roundName = "C1";
    circuit.hydraulic.valveName = "V1";
    circuit.hydraulic.autoValveSize = "DN15";
    project.rounds = {circuit, circuit};

    TUsedMaterial bill = BuildPrintedUsedMaterials(project, test::CalcCatalogue());
    EXPECT_FALSE(Languages().PrintingMode); // the windows speak their own language again
    ASSERT_EQ(bill.rows.size(), 1u);
    EXPECT_EQ(bill.rows[0].unit, "pcs");
    bill.SelectAll(true);
    TClipboardStream stream;
    WriteSelectedRows(bill, stream);
    // The catalogue has no manifold kit: the whole bill says so under its table.  The
    // language writes a decimal point, so a comma stands between the cells.
    EXPECT_EQ(stream.CsvText(),
              "\xEF\xBB\xBFItem,Estimate code,Amount,Unit\r\nValve DN15,,2,pcs\r\n\r\n"
              "Manifold 'Manifold' (2 circuits): the catalogue has no manifold kit; the bill "
              "lists no manifold for it.\r\n");
    // A part of it goes without the note.
    bill.rows[0].selected = false;
    TClipboardStream part;
    WriteSelectedRows(bill, part);
    EXPECT_EQ(part.CsvText().find("Manifold"), std::string::npos) << part.CsvText();
}

} // namespace
} // namespace kalorina
