// The project reports and the bill of materials laid out on pages of a fixed-metrics canvas: pagination,
// whole bands, repeated column headers, the closing block and the footer.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "TestLanguage.h"
#include "app/ProjectFiles.h"
#include "app/UsedMaterialsPrinting.h"
#include "catalogue/TDevices.h"
#include "document/TProject.h"
#include "lang/PrintingScope.h"
#include "materials/TUsedMaterial.h"
#include "platform/FixedMetricsCanvas.h"
#include "platform/SettingsStore.h"
#include "report/ReportFileName.h"
#include "report/TBReport.h"
#include "report/TUsedMaterialReport.h"

using namespace kalorina;
using test::MakeLanguage;

namespace {

const std::string kSource = KALORINA_SOURCE_DIR;

const TDevices& Shipped()
{
    static TDevices devices(kSource + "/data", "hu");
    return devices;
}

// A4 pages recorded for the preview at 96 pixels per inch.
struct FakePages : TReportTarget {
    TPageSetup setup{793, 1122, 0, 0, 210, 297, true, 96};
    std::vector<std::unique_ptr<FixedMetricsCanvas>> pages;
    std::map<std::string, std::pair<int, int>> pictures;
    int ended = 0;
    bool finished = false;

    TPageSetup PageSetup() const override { return setup; }
    TCanvas& BeginPage() override
    {
        pages.push_back(std::make_unique<FixedMetricsCanvas>());
        pages.back()->pictureSizes = pictures;
        return *pages.back();
    }
    void EndPage() override { ++ended; }
    void EndDocument() override { finished = true; }

    // The drawn texts of a page that equal `text`.
    std::vector<const FixedMetricsCanvas::DrawnText*> Find(int page, const std::string& text) const
    {
        std::vector<const FixedMetricsCanvas::DrawnText*> out;
        for (const auto& t : pages[page]->texts)
            if (t.text == text)
                out.push_back(&t);
        return out;
    }
    bool Has(int page, const std::string& text) const { return !Find(page, text).empty(); }
    int CountAll(const std::string& text) const
    {
        int n = 0;
        for (std::size_t p = 0; p < pages.size(); ++p)
            n += static_cast<int>(Find(static_cast<int>(p), text).size());
        return n;
    }
};

struct ReportLanguages {
    ReportLanguages()
    {
        Languages().Clear();
        Languages().AddLanguage(MakeLanguage("Magyar",
                                             {{"ID_BUILDING", "Epulet"},
                                              {"ID_SUMOFHEATINGSLOSS", "Ossz hoveszteseg"},
                                              {"ID_FLOORHEATING0", "Kor"},
                                              {"ID_FLOORHEATING6", "Mezok"},
                                              {"IDS_ROOMGROUP", "Helyisegek"},
                                              {"IDS_ROUNDGROUP", "Korok"},
                                              {"IDS_NORMALWATER", "Viz"}}));
        Languages().AddLanguage(MakeLanguage("English",
                                             {{"ID_BUILDING", "Building"},
                                              {"ID_SUMOFHEATINGSLOSS", "Total heat loss"},
                                              {"ID_FLOORHEATING0", "Circuit"},
                                              {"ID_FLOORHEATING6", "Fields"},
                                              {"ID_REPORTTEXTBEFORE1", "Closing"},
                                              {"IDS_BROKENREFERENCEMARK", "(gone)"},
                                              {"ID_MANIFOLD0", "Manifold"},
                                              {"ID_MANIFOLD9", "Nothing connected."},
                                              {"ID_MANIFOLD16", "Undesigned."},
                                              {"ID_MANIFOLD17", "*=index"}},
                                             false));
        Languages().SelectLanguage("Magyar");
        Languages().SelectPrintingLanguage("English");
    }
    ~ReportLanguages() { Languages().Clear(); }
};

TProject House()
{
    TProject p;
    ReadProjectFile(kSource + "/examples/house.klp", p);
    p.fileName = "C:\\projects\\house.klp";
    return p;
}

// The house's rooms copied until there are `count`, each with its own name.
TProject ManyRooms(int count)
{
    TProject house = House();
    TProject p = house;
    p.rooms.clear();
    for (int i = 0; i < count; ++i) {
        TRoomItem room = house.rooms[i % house.rooms.size()];
        room.roomName = "Room " + std::to_string(i + 1);
        room.roomId = i + 1;
        p.rooms.push_back(room);
    }
    p.rounds.clear();
    return p;
}

TReportEnvironment Environment(std::uint8_t switches = 0xF, std::string title = "Design")
{
    TReportEnvironment env;
    env.reportFont = {"Report", 10};
    env.options.switches = switches;
    env.options.title = title;
    env.today = "2026-12-09";
    env.identificationLine = "\\sb180\\f4\\fs16 Kalorina 1.2";
    env.closingPicture = "closing.jpg";
    return env;
}

std::unique_ptr<TBReport> Make(ReportKind kind, TProject& p, TReportEnvironment env = Environment(),
                               bool printAll = true, std::vector<TReportTreeNode> tree = {})
{
    if (tree.empty())
        tree = ReportTree(p);
    return MakeReport(kind, p, Shipped(), std::move(tree), printAll, {20, 20, 15, 20}, std::move(env));
}

// The bottom of a page's content area: above the footer's rule.
int FooterTop(const FixedMetricsCanvas& page)
{
    int top = 1 << 30;
    for (const auto& l : page.lines)
        if (l.y1 == l.y2 && l.x1 == 75 && l.x2 > 700)
            top = l.y1; // the footer rule runs over the whole width
    return top;
}

} // namespace

TEST(Report, SixtyRoomsGiveSeveralPagesWithTheColumnHeaderOnEach)
{
    ReportLanguages langs;
    PrintingScope printing;
    TProject p = ManyRooms(60);
    FakePages pages;
    auto report = Make(ReportKind::Rooms, p);
    report->Run(pages);
    ASSERT_GE(pages.pages.size(), 2u);
    EXPECT_EQ(report->PageCount(), static_cast<int>(pages.pages.size()));
    EXPECT_EQ(pages.ended, report->PageCount());
    EXPECT_TRUE(pages.finished);
    for (std::size_t i = 0; i < pages.pages.size(); ++i) {
        const int page = static_cast<int>(i);
        EXPECT_TRUE(pages.Has(page, "Megnevez\xE9s")) << "column header on page " << page + 1;
        EXPECT_TRUE(pages.Has(page, std::to_string(page + 1))) << "page number";
        EXPECT_TRUE(pages.Has(page, "Design"));
        // The footer: file name with its backslashes as they are, date, program line.
        EXPECT_TRUE(pages.Has(page, "house.klp"));
        EXPECT_TRUE(pages.Has(page, "2026-12-09"));
        EXPECT_TRUE(pages.Has(page, "Kalorina"));
        // The project data only on the first page.
        EXPECT_EQ(pages.Has(page, "Building:"), page == 0);
        // No row runs into the footer.
        const int bottom = FooterTop(*pages.pages[i]);
        for (const auto& t : pages.pages[i]->texts) {
            if (t.text.starts_with("Room ")) {
                EXPECT_LE(t.y + 13, bottom) << t.text;
            }
        }
    }
    // Each page's table ends with a rule under its last row.
    for (const auto& page : pages.pages) {
        int lastRowBottom = 0;
        for (const auto& t : page->texts)
            if (t.text.starts_with("Room "))
                lastRowBottom = std::max(lastRowBottom, t.y + 15); // row height: 13 + 2 leading
        bool rule = false;
        for (const auto& l : page->lines)
            rule = rule || (l.y1 == lastRowBottom && l.y2 == lastRowBottom && l.x1 == 75);
        EXPECT_TRUE(rule) << "no closing rule at " << lastRowBottom;
    }
    // Every room exactly once, in order.
    for (int r = 1; r <= 60; ++r)
        EXPECT_EQ(pages.CountAll("Room " + std::to_string(r)), 1) << r;
    // The totals close the last page, in the printing language.
    EXPECT_TRUE(pages.Has(static_cast<int>(pages.pages.size()) - 1, "Total"));
    EXPECT_EQ(pages.CountAll("Total"), 1);
}

// Names, functions and coverings are printed whole: text columns get the width
// their content needs before the font is made smaller, in every table kind, and a
// text too long for any font still leaves a report that ends.
TEST(Report, TextColumnsTakeTheWidthTheirContentNeeds)
{
    ReportLanguages langs;
    PrintingScope printing;
    TProject p = House();
    ASSERT_FALSE(p.rounds.empty());
    p.rounds[0].roundName = "K1 Nappali-\xE9tkez\xF5 \xE9s konyha";
    p.rooms[0].roomFunction = "Tart\xF3zkod\xF3 \xE9s \xE9tkez\xF5";
    std::set<std::string> texts;
    for (const auto& r : p.rooms) {
        texts.insert(r.roomName);
        texts.insert(r.roomFunction);
        for (const auto& f : r.fields)
            texts.insert(f.coveringName);
    }
    for (const auto& r : p.rounds)
        texts.insert(r.roundName);
    for (ReportKind kind : {ReportKind::Rooms, ReportKind::Fields, ReportKind::Rounds, ReportKind::RoundsDetailed}) {
        SCOPED_TRACE(static_cast<int>(kind));
        FakePages pages;
        auto report = Make(kind, p);
        report->Run(pages);
        int checked = 0;
        for (const auto& page : pages.pages)
            for (const auto& t : page->texts) {
                if (!texts.count(t.text))
                    continue;
                ++checked;
                FixedMetricsCanvas measure;
                measure.SetFont(t.font);
                EXPECT_LE(t.x + measure.TextWidth(t.text), t.clip.right) << t.text << " is cut";
                EXPECT_GE(t.x, t.clip.left) << t.text;
            }
        EXPECT_GT(checked, 0);
        // The rooms summary has room on the page: its font keeps its size.
        if (kind == ReportKind::Rooms) {
            EXPECT_EQ(report->BaseFont().size, 10);
        }
    }
    // A name no font can hold: the font still fits the layout and the report ends.
    p.rooms[0].roomName = std::string(400, 'N');
    FakePages pages;
    auto report = Make(ReportKind::Rooms, p);
    report->Run(pages);
    EXPECT_TRUE(pages.finished);
    EXPECT_GE(report->BaseFont().size, 6);
}

TEST(Report, FurnitureFollowsTheSwitches)
{
    ReportLanguages langs;
    PrintingScope printing;
    TProject p = House();
    // No title and no page numbers: no header line, the project data starts at the top margin.
    FakePages pages;
    Make(ReportKind::Rooms, p, Environment(PrintingOptions::kProjectData, ""))->Run(pages);
    ASSERT_EQ(pages.pages.size(), 1u);
    auto building = pages.Find(0, "Building:");
    ASSERT_EQ(building.size(), 1u);
    EXPECT_EQ(building[0]->y, 75);
    EXPECT_FALSE(pages.Has(0, "2026-12-09"));
    EXPECT_FALSE(pages.Has(0, "house.klp"));

    // All off: no project data; the footer is the program line alone.
    FakePages bare;
    Make(ReportKind::Rooms, p, Environment(0, ""))->Run(bare);
    EXPECT_FALSE(bare.Has(0, "Building:"));
    EXPECT_TRUE(bare.Has(0, "Kalorina"));
}

TEST(Report, ClosingPictureOnlyOnTheLastPageWhenThereIsRoom)
{
    ReportLanguages langs;
    PrintingScope printing;
    TProject p = House();
    FakePages pages;
    pages.pictures = {{"closing.jpg", {400, 120}}, {"logo", {120, 120}}};
    Make(ReportKind::Rooms, p)->Run(pages);
    ASSERT_EQ(pages.pages.size(), 1u);
    const auto& pics = pages.pages[0]->pictures;
    ASSERT_EQ(pics.size(), 2u);
    // Scaled by pixels per inch / 300; the logo sits at the right edge of the footer.
    EXPECT_EQ(pics[0].name, "closing.jpg");
    EXPECT_EQ(pics[0].rect.Width(), 400 * 96 / 300);
    EXPECT_EQ(pics[0].rect.Height(), 120 * 96 / 300);
    EXPECT_TRUE(pages.Has(0, "Closing"));
    EXPECT_EQ(pics[1].name, "logo");
    EXPECT_EQ(pics[1].rect.right, 793 - 56); // right margin 15 mm at 96 ppi

    // Reports of every length: the signature block is on the last page, once, and a
    // last page too full for it hands it to a page of its own, without a column
    // header over no rows.
    int pagesOfItsOwn = 0;
    for (int rooms = 20; rooms <= 70; rooms += 2) {
        TProject many = ManyRooms(rooms);
        FakePages longPages;
        longPages.pictures = pages.pictures;
        Make(ReportKind::Rooms, many)->Run(longPages);
        ASSERT_GE(longPages.pages.size(), 1u);
        const std::size_t last = longPages.pages.size() - 1;
        int closings = 0;
        for (std::size_t i = 0; i < longPages.pages.size(); ++i)
            for (const auto& pic : longPages.pages[i]->pictures)
                if (pic.name == "closing.jpg") {
                    ++closings;
                    EXPECT_EQ(i, last) << rooms << " rooms";
                }
        EXPECT_EQ(closings, 1) << rooms << " rooms";
        EXPECT_TRUE(longPages.Has(static_cast<int>(last), "Closing")) << rooms << " rooms";
        bool rowsOnLast = false;
        for (const auto& t : longPages.pages[last]->texts)
            rowsOnLast = rowsOnLast || t.text.starts_with("Room ");
        if (!rowsOnLast) {
            ++pagesOfItsOwn;
            EXPECT_FALSE(longPages.Has(static_cast<int>(last), "Megnevez\xE9s")) << rooms << " rooms";
        }
    }
    EXPECT_GT(pagesOfItsOwn, 0); // some length left no room on its last page of rows

    // Without the picture file the last page ends with the footer.
    FakePages none;
    Make(ReportKind::Rooms, p)->Run(none);
    EXPECT_TRUE(none.pages[0]->pictures.empty());
    EXPECT_FALSE(none.Has(0, "Closing"));
}

TEST(Report, ChosenItemsOnlyAndAnEmptyChoice)
{
    ReportLanguages langs;
    PrintingScope printing;
    TProject p = House();
    auto tree = ReportTree(p);
    tree[2].state = 1; // the second room
    FakePages pages;
    Make(ReportKind::Rooms, p, Environment(), false, tree)->Run(pages);
    EXPECT_TRUE(pages.Has(0, p.rooms[1].roomName));
    EXPECT_FALSE(pages.Has(0, p.rooms[0].roomName));

    for (auto& n : tree)
        n.state = 3;
    FakePages empty;
    Make(ReportKind::Rooms, p, Environment(), false, tree)->Run(empty);
    ASSERT_EQ(empty.pages.size(), 1u); // header, data, column header, totals, footer
    EXPECT_TRUE(empty.Has(0, "Total"));
    EXPECT_TRUE(empty.Has(0, "Megnevez\xE9s"));
}

TEST(Report, FieldRowsAreNeverSplitAndContinueAfterTheHeader)
{
    ReportLanguages langs;
    PrintingScope printing;
    TProject p = ManyRooms(120);
    FakePages pages;
    Make(ReportKind::Fields, p)->Run(pages);
    ASSERT_GE(pages.pages.size(), 2u);
    int rows = 0;
    for (std::size_t i = 0; i < pages.pages.size(); ++i) {
        EXPECT_TRUE(pages.Has(static_cast<int>(i), "Helys\xE9gn\xE9v")
                    || pages.Has(static_cast<int>(i), "Helyis\xE9gn\xE9v"));
        for (const auto& t : pages.pages[i]->texts)
            if (t.text.starts_with("Room "))
                ++rows;
    }
    std::size_t fields = 0;
    for (const auto& r : p.rooms)
        fields += r.fields.size();
    EXPECT_EQ(rows, static_cast<int>(fields));
}

TEST(Report, DetailedCircuitTableMovesWholeToTheNextPage)
{
    ReportLanguages langs;
    PrintingScope printing;
    TProject house = House();
    ASSERT_FALSE(house.rounds.empty());
    // Enough circuits that one of them meets a page end.
    // Every number of circuits from a few to many, so that each place of a page end
    // (in the hydraulics, after the caption, in the table) is met.
    for (int n = 4; n <= 24; ++n) {
        TProject some = house;
        some.rounds.clear();
        for (int i = 0; i < n; ++i) {
            TRoundItem r = house.rounds[i % house.rounds.size()];
            r.roundName = "C" + std::to_string(i + 1);
            some.rounds.push_back(r);
        }
        FakePages pages;
        Make(ReportKind::RoundsDetailed, some)->Run(pages);
        for (std::size_t i = 0; i < pages.pages.size(); ++i) {
            const auto& texts = pages.pages[i]->texts;
            // Every caption of a field table on a page is followed on the same page
            // by its column header.
            for (std::size_t k = 0; k < texts.size(); ++k)
                if (texts[k].text == "Fields:") {
                    bool header = false;
                    for (std::size_t j = k + 1; j < texts.size(); ++j)
                        header = header || texts[j].text == "Helyis\xE9gn\xE9v";
                    EXPECT_TRUE(header) << n << " circuits: caption without its table on page " << i + 1;
                }
        }
    }
    TProject p = house;
    p.rounds.clear();
    for (int i = 0; i < 12; ++i) {
        TRoundItem r = house.rounds[i % house.rounds.size()];
        r.roundName = "C" + std::to_string(i + 1);
        p.rounds.push_back(r);
    }
    FakePages pages;
    Make(ReportKind::RoundsDetailed, p)->Run(pages);
    ASSERT_GE(pages.pages.size(), 2u);
    // Every circuit's name, in the printing language's label.
    for (int i = 1; i <= 12; ++i)
        EXPECT_EQ(pages.CountAll("C" + std::to_string(i)), 1) << i;
    EXPECT_GE(pages.CountAll("Circuit:"), 12);
}

TEST(Report, PartsWhoseRoomIsGoneAreMarked)
{
    ReportLanguages langs;
    PrintingScope printing;
    TProject p = House();
    ASSERT_FALSE(p.rounds.empty() || p.rounds[0].roundFields.empty());
    // A file of a version that deleted rooms without their circuits' parts.
    const std::int32_t gone = p.rounds[0].roundFields[0].roomRef;
    int parts = 0;
    for (const auto& round : p.rounds)
        for (const auto& part : round.roundFields)
            parts += part.roomRef == gone;
    for (std::size_t i = 0; i < p.rooms.size(); ++i)
        if (p.rooms[i].roomId == gone)
            p.DeleteItem(static_cast<int>(i), true);
    FakePages pages;
    Make(ReportKind::RoundsDetailed, p)->Run(pages);
    int marked = 0;
    for (const auto& page : pages.pages)
        for (const auto& t : page->texts)
            marked += t.text.find("(gone)") != std::string::npos;
    EXPECT_EQ(marked, parts);
}

TEST(Report, APageTallerThanTheTableStillEnds)
{
    ReportLanguages langs;
    PrintingScope printing;
    TProject p = House();
    // A sheet so short that a circuit's field table never fits on one page.
    FakePages pages;
    pages.setup.pageHeight = 260;
    Make(ReportKind::RoundsDetailed, p)->Run(pages);
    EXPECT_TRUE(pages.finished);
    EXPECT_LT(pages.pages.size(), 200u);
}

// The house's manifold, one with 50 circuits that runs over pages, and one that
// feeds nothing.
TProject ThreeManifolds()
{
    TProject p = House();
    p.manifolds.resize(3);
    p.manifolds[1].name = "Emelet";
    p.manifolds[2].name = "Pince";
    const std::size_t houseRounds = p.rounds.size();
    for (int i = 0; i < 50; ++i) {
        TRoundItem r = p.rounds[i % houseRounds];
        r.roundName = "M2-" + std::to_string(i + 1);
        r.manifold = 1;
        p.rounds.push_back(r);
    }
    return p;
}

TEST(Report, ManifoldScheduleKeepsEachHeaderWithItsTableAndRepeatsTheTableHeader)
{
    ReportLanguages langs;
    PrintingScope printing;
    TProject p = ThreeManifolds();
    p.manifolds[1].designed = true;
    FakePages pages;
    Make(ReportKind::Manifolds, p)->Run(pages);
    ASSERT_GE(pages.pages.size(), 2u);
    EXPECT_EQ(pages.CountAll("Manifold:"), 3);
    EXPECT_EQ(pages.CountAll("Undesigned."), 2); // the house's and the cellar's
    EXPECT_EQ(pages.CountAll("*=index"), 2);     // under each table
    EXPECT_EQ(pages.CountAll("*"), 2);           // the index circuit of each table
    EXPECT_EQ(pages.CountAll("Nothing"), 1);     // the cellar's manifold feeds nothing
    for (int i = 1; i <= 50; ++i)
        EXPECT_EQ(pages.CountAll("M2-" + std::to_string(i)), 1) << i;
    for (std::size_t i = 0; i < pages.pages.size(); ++i) {
        const auto& texts = pages.pages[i]->texts;
        bool header = false, rows = false;
        std::size_t lastManifold = texts.size();
        for (std::size_t k = 0; k < texts.size(); ++k) {
            header = header || texts[k].text == "Kim.";
            rows = rows || texts[k].text.starts_with("M2-");
            if (texts[k].text == "Manifold:")
                lastManifold = k;
        }
        // Rows continue on a new page under the table's header.
        EXPECT_TRUE(!rows || header) << "rows without the column header on page " << i + 1;
        // Every caption and value of the table stays inside its cell, with room to
        // spare: none runs into the next ("KimenetK\xF6r").
        for (const auto& t : texts) {
            if (t.clip.Width() <= 0 || t.clip.Width() > 300 || t.text.empty())
                continue;                                                               // not a table cell
            const int width = static_cast<int>(t.text.size()) * (6 * t.font.size / 10); // as the canvas measures
            EXPECT_GE(t.x, t.clip.left) << t.text << " on page " << i + 1;
            EXPECT_LE(t.x + width, t.clip.right) << t.text << " on page " << i + 1;
        }
        // A manifold's header block is followed on its page by its table (or its
        // one line when it feeds nothing).
        if (lastManifold < texts.size()) {
            bool followed = false;
            for (std::size_t k = lastManifold + 1; k < texts.size(); ++k)
                followed = followed || texts[k].text == "Kim." || texts[k].text == "Nothing";
            EXPECT_TRUE(followed) << "a manifold's header alone at the end of page " << i + 1;
        }
    }

    // Only the chosen manifold: the tree's third group lists the manifolds.
    auto tree = ReportTree(p);
    tree[tree.size() - 2].state = 1; // Emelet
    FakePages chosen;
    Make(ReportKind::Manifolds, p, Environment(), false, tree)->Run(chosen);
    EXPECT_EQ(chosen.CountAll("Manifold:"), 1);
    int named = 0;
    for (const auto& page : chosen.pages)
        for (const auto& t : page->texts)
            named += t.text.find("Emelet") != std::string::npos;
    EXPECT_EQ(named, 1);
    EXPECT_EQ(chosen.CountAll("M2-50"), 1);
    EXPECT_EQ(chosen.CountAll("Nothing"), 0);
    EXPECT_EQ(chosen.CountAll(p.rounds[0].roundName), 0);
}

TEST(Report, PrintsInThePrintingLanguage)
{
    ReportLanguages langs;
    TProject p = House();
    {
        PrintingScope printing;
        FakePages pages;
        Make(ReportKind::Rooms, p)->Run(pages);
        EXPECT_TRUE(pages.Has(0, "Building:"));
        EXPECT_FALSE(pages.Has(0, "Epulet:"));
    }
    EXPECT_EQ(Txt("ID_BUILDING"), "Epulet");
    // The RTF document of the same report holds every band.
    std::string rtf;
    TReportEnvironment env = Environment();
    env.rtf = &rtf;
    FakePages pages;
    Make(ReportKind::Rooms, p, env)->Run(pages);
    EXPECT_NE(rtf.find("#"), 0u);
    EXPECT_NE(rtf.find("\\trowd"), std::string::npos);
    EXPECT_NE(rtf.find(p.rooms[0].roomName), std::string::npos);
    EXPECT_NE(rtf.find("Epulet"), std::string::npos);
}

namespace {

// A bill of `count` valve rows ("Valve 1" ...), each with its code and quantity.
TUsedMaterial ValveBill(int count)
{
    TUsedMaterial bill;
    bill.rows.push_back({0, "Vexalon FH-W16(d=100mm)", "FH-W16", "VX-FH16-100", 12.5f, "m2", false, {}});
    for (int i = 1; i <= count; ++i)
        bill.rows.push_back({2,
                             "Valve " + std::to_string(i),
                             "V",
                             "CODE-" + std::to_string(i),
                             static_cast<float>(i),
                             "db",
                             false,
                             {}});
    return bill;
}

} // namespace

TEST(UsedMaterialReport, PrintsTheChosenRowsWithCodeAndQuantity)
{
    ReportLanguages langs;
    PrintingScope printing;
    TProject p = House();
    TUsedMaterial bill = ValveBill(3);
    bill.rows[0].selected = true;
    bill.rows[2].selected = true; // "Valve 2" only of the valves
    bill.cursor = 2;              // the report starts from the first row whatever came before
    FakePages pages;
    TUsedMaterialReport report(bill, p, Shipped(), {20, 20, 15, 20}, Environment());
    report.Run(pages);
    ASSERT_EQ(pages.pages.size(), 1u);
    EXPECT_TRUE(pages.Has(0, "Megnevez\xE9s"));
    EXPECT_TRUE(pages.Has(0, "Building:"));
    EXPECT_TRUE(pages.Has(0, "Design"));
    EXPECT_TRUE(pages.Has(0, "Vexalon FH-W16(d=100mm)"));
    EXPECT_TRUE(pages.Has(0, "VX-FH16-100"));
    EXPECT_TRUE(pages.Has(0, "12.5 m2"));
    EXPECT_TRUE(pages.Has(0, "Valve 2"));
    EXPECT_TRUE(pages.Has(0, "CODE-2"));
    EXPECT_TRUE(pages.Has(0, "2 db"));
    EXPECT_FALSE(pages.Has(0, "Valve 1"));
    EXPECT_FALSE(pages.Has(0, "Valve 3"));
    // The rows in the bill's order, one below the other.
    EXPECT_LT(pages.Find(0, "12.5 m2")[0]->y, pages.Find(0, "Valve 2")[0]->y);
    // The quantity column is right-aligned: its cell text ends where its column ends.
    EXPECT_GT(pages.Find(0, "12.5 m2")[0]->x, pages.Find(0, "VX-FH16-100")[0]->x);

    // The bill's warnings stand under its table.
    bill.manifoldNotes = {"KitNote"};
    FakePages noted;
    TUsedMaterialReport(bill, p, Shipped(), {20, 20, 15, 20}, Environment()).Run(noted);
    ASSERT_TRUE(noted.Has(0, "KitNote"));
    EXPECT_GT(noted.Find(0, "KitNote")[0]->y, noted.Find(0, "Valve 2")[0]->y);

    // Nothing chosen: the furniture and an empty table.
    bill.SelectAll(false);
    FakePages empty;
    TUsedMaterialReport(bill, p, Shipped(), {20, 20, 15, 20}, Environment()).Run(empty);
    ASSERT_EQ(empty.pages.size(), 1u);
    EXPECT_TRUE(empty.Has(0, "Megnevez\xE9s"));
    EXPECT_FALSE(empty.Has(0, "Valve 2"));
}

TEST(UsedMaterialReport, ALongBillRepeatsTheColumnHeaderOnEveryPage)
{
    ReportLanguages langs;
    PrintingScope printing;
    TProject p = House();
    TUsedMaterial bill = ValveBill(150);
    bill.SelectAll(true);
    FakePages pages;
    TUsedMaterialReport report(bill, p, Shipped(), {20, 20, 15, 20}, Environment());
    report.Run(pages);
    ASSERT_GE(pages.pages.size(), 2u);
    EXPECT_EQ(report.PageCount(), static_cast<int>(pages.pages.size()));
    for (std::size_t i = 0; i < pages.pages.size(); ++i) {
        const int page = static_cast<int>(i);
        EXPECT_EQ(pages.Find(page, "Megnevez\xE9s").size(), 1u) << "column header on page " << page + 1;
        EXPECT_TRUE(pages.Has(page, std::to_string(page + 1)));
        EXPECT_EQ(pages.Has(page, "Building:"), page == 0);
        const int bottom = FooterTop(*pages.pages[i]);
        for (const auto& t : pages.pages[i]->texts) {
            if (t.text.starts_with("Valve ")) {
                EXPECT_LE(t.y + 13, bottom) << t.text;
            }
        }
    }
    for (int r = 1; r <= 150; ++r)
        EXPECT_EQ(pages.CountAll("Valve " + std::to_string(r)), 1) << r;
    EXPECT_EQ(pages.CountAll("Vexalon FH-W16(d=100mm)"), 1);
}

TEST(UsedMaterialReport, DialogKeepsSwitchesForTheProgramOnly)
{
    ReportLanguages langs;
    MemorySettingsStore store;
    PrintingOptions kept; // as at the program's start: never read from the registry
    TUsedMaterial bill = ValveBill(2);
    UsedMaterialsPrintingEditor e(bill, kept, store);
    auto v = e.GetView();
    EXPECT_EQ(v.title, "Anyagkigy\xFBjt\xE9s");
    EXPECT_TRUE(v.projectData && v.fileName && v.pageNumbers && v.date); // a fresh installation: all on
    EXPECT_TRUE(v.all);
    EXPECT_FALSE(v.empty);
    // The row "Valve 2" chosen in the tree.
    std::vector<int> path;
    for (std::size_t g = 0; g < v.tree->size(); ++g)
        for (std::size_t i = 0; i < (*v.tree)[g].children.size(); ++i)
            for (std::size_t r = 0; r < (*v.tree)[g].children[i].children.size(); ++r)
                if ((*v.tree)[g].children[i].children[r].text == "Valve 2")
                    path = {int(g), int(i), int(r)};
    ASSERT_EQ(path.size(), 3u);
    EXPECT_TRUE(e.DoubleClick(path, false));
    EXPECT_FALSE(e.GetView().all);
    e.SetTitle("Order");
    e.SetSwitch(PrintingOptions::kDate, false);
    EXPECT_EQ(e.Commit(), 1);
    EXPECT_TRUE(kept.title.empty()); // the title is the bill's own, not the project reports'
    EXPECT_FALSE(kept.Has(PrintingOptions::kDate));
    // Not in the registry: a fresh program reads the date switch as it was.
    PrintingOptions restarted;
    restarted.Load(store);
    EXPECT_TRUE(restarted.Has(PrintingOptions::kDate));

    TProject p = House();
    FakePages pages;
    e.MakeReport(p, Shipped(), {20, 20, 15, 20}, Environment(0xF, "ignored"))->Run(pages);
    EXPECT_TRUE(pages.Has(0, "Order"));
    EXPECT_FALSE(pages.Has(0, "2026-12-09"));
    EXPECT_TRUE(pages.Has(0, "Valve 2"));
    EXPECT_FALSE(pages.Has(0, "Valve 1"));
}

// A save dialog proposes the project's name with what the file holds, in the
// project's folder, in plain letters whatever the language writes.
TEST(ReportFileNames, TheProjectsNameWithWhatTheFileHolds)
{
    ReportLanguages langs; // printing in English
    EXPECT_EQ(ProposedFileName("/home/anna/terv/house.klp", ReportFileWord(ReportKind::Manifolds), "pdf"),
              "/home/anna/terv/house-manifolds.pdf");
    EXPECT_EQ(ProposedFileName("C:\\terv\\flat.klp", BillFileWord(), "pdf"), "C:\\terv\\flat-bill-of-materials.pdf");
    EXPECT_EQ(ProposedFileName("", ReportFileWord(ReportKind::Rooms), "csv"), "rooms.csv");
    EXPECT_EQ(ProposedFileName("villa", "x", "csv"), "villa-x.csv");
    Languages().AddLanguage(MakeLanguage("Accents", {{"IDS_REPORTFILENAME+4", "Oszt\xF3k list\xE1ja"}}, false));
    Languages().SelectPrintingLanguage("Accents");
    EXPECT_EQ(ReportFileWord(ReportKind::Manifolds), "osztok-listaja"); // accents dropped, spaces as hyphens
}
