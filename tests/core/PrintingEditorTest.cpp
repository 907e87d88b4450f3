// The rules of the printing dialog, the preview's navigation and the page number.
#include <gtest/gtest.h>

#include "TestLanguage.h"
#include "app/PrintingEditor.h"
#include "document/TProject.h"
#include "util/Error.h"

using namespace kalorina;

namespace {
TProject TwoRoomsTwoCircuits()
{
    TProject p;
    p.rooms.resize(2);
    p.rooms[0].roomName = "R1";
    p.rooms[1].roomName = "R2";
    p.rounds.resize(2);
    p.rounds[0].roundName = "C1";
    p.rounds[1].roundName = "C2";
    return p;
}
} // namespace

TEST(PrintingEditor, FreshInstallationAndKeptChoices)
{
    test::ScopedLanguage lang;
    MemorySettingsStore store;
    PrintingOptions kept;
    TProject p = TwoRoomsTwoCircuits();
    {
        PrintingEditor e(p, kept, store);
        auto v = e.GetView();
        EXPECT_TRUE(v.projectData && v.fileName && v.pageNumbers && v.date);
        EXPECT_EQ(v.kind, ReportKind::Rooms);
        EXPECT_TRUE(v.all);
        ASSERT_EQ(v.nodes.size(), 8u); // rooms, circuits and the one manifold, each under its group
        for (const auto& n : v.nodes)
            EXPECT_EQ(n.state, 3);
        e.SetKind(ReportKind::Manifolds);
        e.SetSwitch(PrintingOptions::kDate, false);
        e.SetTitle(std::string(70, 'T'));
        e.Commit();
    }
    // Reopened in this run and after a restart (a fresh process-wide set).
    PrintingOptions restarted;
    for (PrintingOptions* o : {&kept, &restarted}) {
        PrintingEditor e(p, *o, store);
        EXPECT_EQ(e.GetView().kind, ReportKind::Manifolds);
        EXPECT_FALSE(e.GetView().date);
        EXPECT_TRUE(e.GetView().pageNumbers);
    }
    EXPECT_EQ(kept.title.size(), PrintingOptions::kMaxTitle);
    EXPECT_TRUE(restarted.title.empty()); // the title is not kept in the registry

    // A kind stored by an older version still loads; a number no version wrote (a
    // damaged or newer setting) leaves the kind as it was.
    const char* key = "Software\\Vexalon\\Kalorina\\PrintingOptions";
    store.WriteValue(key, "FormType", SettingsValue::Integer(3));
    PrintingOptions older;
    older.Load(store);
    EXPECT_EQ(older.kind, ReportKind::RoundsDetailed);
    for (int stored : {kReportKindCount, -1, 1000}) {
        store.WriteValue(key, "FormType", SettingsValue::Integer(stored));
        older.Load(store);
        EXPECT_EQ(older.kind, ReportKind::RoundsDetailed) << stored;
    }
}

TEST(PrintingEditor, DoubleClicksChooseItemsAndGroups)
{
    test::ScopedLanguage lang;
    MemorySettingsStore store;
    PrintingOptions kept;
    TProject p = TwoRoomsTwoCircuits();
    PrintingEditor e(p, kept, store);
    e.DoubleClick(1, false); // room R1
    auto v = e.GetView();
    EXPECT_EQ(v.nodes[1].state, 1);
    EXPECT_EQ(v.nodes[0].state, 2); // the rooms group: partly
    EXPECT_FALSE(v.all);
    e.DoubleClick(2, false);
    EXPECT_EQ(e.GetView().nodes[0].state, 1);
    e.DoubleClick(1, false);
    EXPECT_EQ(e.GetView().nodes[0].state, 2);

    e.SetAll(true);
    e.DoubleClick(3, false); // the circuits group without Shift: nothing
    EXPECT_EQ(e.GetView().nodes[4].state, 3);
    EXPECT_TRUE(e.GetView().all);
    e.DoubleClick(3, true);
    v = e.GetView();
    EXPECT_EQ(v.nodes[3].state, 1);
    EXPECT_EQ(v.nodes[4].state, 1);
    EXPECT_EQ(v.nodes[5].state, 1);
    EXPECT_FALSE(v.all);
    e.DoubleClick(3, true);
    EXPECT_EQ(e.GetView().nodes[5].state, 3);
    EXPECT_EQ(PrintingEditor::LayoutOfButton(4).formatName, std::string("RoundFloorFields"));
    EXPECT_EQ(PrintingEditor::LayoutOfButton(5).formatName, std::string("ManifoldOutletsTitle"));
}

TEST(PrintingEditor, PreviewNavigationAndZoom)
{
    PrintingOptions kept;
    PreviewNavigator one(1, 800, 1100, kept);
    auto v = one.GetView();
    EXPECT_EQ(v.pageLabel, "  1/1");
    EXPECT_FALSE(v.first || v.previous || v.next || v.last);
    EXPECT_EQ(v.imageWidth, 800);
    EXPECT_EQ(v.zoomTexts.front(), "25%");

    PreviewNavigator nav(5, 800, 1100, kept);
    EXPECT_FALSE(nav.Previous());
    EXPECT_TRUE(nav.Next());
    EXPECT_EQ(nav.GetView().pageLabel, "  2/5");
    EXPECT_TRUE(nav.GetView().first);
    EXPECT_TRUE(nav.Last());
    EXPECT_FALSE(nav.GetView().next);
    EXPECT_FALSE(nav.Last());
    EXPECT_TRUE(nav.GoToNumber(3));
    EXPECT_FALSE(nav.GoToNumber(9));
    EXPECT_EQ(nav.Current(), 2);
    nav.SetZoom(1);
    EXPECT_EQ(nav.GetView().imageWidth, 400);
    // The zoom is kept for the next preview.
    EXPECT_EQ(PreviewNavigator(2, 800, 1100, kept).GetView().zoomIndex, 1);
}

TEST(PrintingEditor, PageNumberMustBeAWholeNumberOnTheReport)
{
    test::ScopedLanguage lang;
    GotoPageEditor e(12, 4);
    EXPECT_EQ(e.Text(), "4");
    e.Commit(" 7 ");
    EXPECT_EQ(e.Value(), 7);
    for (const char* bad : {"", "x", "0", "13", "2.5", "-1"})
        EXPECT_THROW(e.Commit(bad), KalorinaError) << bad;
    EXPECT_EQ(e.Value(), 7);
}
