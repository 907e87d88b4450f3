// The room and field dialogs' rules on the shipped catalogue, without windows.
#include <gtest/gtest.h>

#include "ErrorTestSupport.h"
#include "TestLanguage.h"
#include "app/EditItem.h"
#include "app/FieldEditor.h"
#include "app/FieldRows.h"
#include "app/RoomEditor.h"
#include "catalogue/FloorHeatDBItem.h"
#include "catalogue/TDevices.h"
#include "platform/Registry.h"
#include "platform/SettingsStore.h"
#include "util/Error.h"

using namespace kalorina;

namespace {

const TDevices& Shipped()
{
    static const TDevices devices(KALORINA_SOURCE_DIR "/data", "en");
    return devices;
}

class RoomEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetSettingsStore(std::make_unique<MemorySettingsStore>());
        RoomDialogState() = RoomDialogMemory{};
        ASSERT_FALSE(Shipped().Failed()) << Shipped().FailureMessage();
        ASSERT_TRUE(choose.LoadFormat("FloorHeatingChoose"));
        ASSERT_TRUE(fields.LoadFormat("RoomFloorHeatingsTitle"));
        room.floorArea = 12;
        room.heatDemand = 800;
        room.roomTemperature = 20;
        options.medium.forward = 40;
        options.medium.return_ = 35;
    }
    ChooseInputs Inputs(double power, double area, double R = 0.1, int zone = 0) const
    {
        ChooseInputs in;
        in.design = {40, 35, 20, power, area, 0, 0};
        in.R = R;
        in.covering = "R 0.10 parketta/parquet";
        in.zone = zone;
        return in;
    }

    test::ScopedLanguage lang{{{"IDS_CANNOTINCREASEDISTANCE", "No denser"},
                               {"IDS_DTLOGERROR", "Bad temperatures"},
                               {"IDS_FLOORHEATINGSUMCAPTION", "Total"},
                               {"IDS_ROOMFUNCTION+0", "Living room"},
                               {"IDS_ROOMFUNCTION+1", "Kitchen"},
                               {"IDS_TOBIGSURFACE", "Too big"}}};
    TListHeaderFormat choose, fields;
    TProjektOptions options;
    TRoomItem room;
};

} // namespace

TEST_F(RoomEditorTest, ChooseListAndOptimumOfTheChosenSystem)
{
    RoomEditor editor(room, Shipped(), options);
    EXPECT_TRUE(editor.ChooseList(Inputs(800, 12), choose).rows.empty()); // no system yet

    std::optional<SystemChoice> c = editor.SelectSystem("Vexalon FH-W16", true);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->name, "Vexalon FH-W16");
    EXPECT_FALSE(c->link.empty());
    EXPECT_EQ(c->coverings.size(), 4u);
    EXPECT_EQ(c->coveringIndex, 0);
    EXPECT_EQ(c->rText, "0");
    EXPECT_FALSE(editor.SelectSystem("Vexalon FH-W16", true)); // already chosen

    EXPECT_EQ(editor.PowerRequestText(), "800");
    EXPECT_EQ(editor.FreeAreaText(), "12");
    // 740 W on 12 m2 lies between 100 mm (64.9 W/m2) and 150 mm (58.5 W/m2) under parquet.
    ChooseListView v = editor.ChooseList(Inputs(740, 12), choose);
    ASSERT_EQ(v.rows.size(), 5u);
    EXPECT_EQ(v.rows[0][0], "100");
    EXPECT_EQ(v.rows[1][3], "12.0"); // the needed area (12.6 m2) is capped at the free area
    EXPECT_EQ(v.distance1, "100");
    EXPECT_EQ(v.surface1, "5.90");
    EXPECT_EQ(v.distance2, "150");
    EXPECT_EQ(v.surface2, "6.10");
    EXPECT_DOUBLE_EQ(RoomDialogState().lastCoveringR, 0.1);

    v = editor.ChooseList(Inputs(500, 12), choose); // the widest spacing suffices
    EXPECT_EQ(v.distance1, "300");
    EXPECT_TRUE(v.distance2.empty());

    // 100 mm without covering reaches 30.2 °C: red in the occupied zone (above 29 °C),
    // not in a bathroom (above 33 °C).
    v = editor.ChooseList(Inputs(800, 12, 0, 2), choose);
    EXPECT_EQ(v.rows[0][2].rfind("\\red", 0), std::string::npos);
    EXPECT_EQ(editor.ChooseList(Inputs(800, 12, 0, 0), choose).rows[0][2].rfind("\\red", 0), 0u);
    ChooseInputs hot = Inputs(800, 12, 0, 0);
    hot.design.forward = 55;
    hot.design.ret = 45;
    EXPECT_EQ(editor.ChooseList(hot, choose).rows[0][2].rfind("\\red", 0), 0u);

    ChooseInputs bad = Inputs(800, 12);
    bad.design.ret = 45; // return above forward
    EXPECT_EQ(test::ThrownText([&] { editor.ChooseList(bad, choose); }), "Bad temperatures");
}

TEST_F(RoomEditorTest, RememberedCoveringAndRSurviveTheNextOpening)
{
    {
        RoomEditor first(room, Shipped(), options);
        first.SelectSystem("Vexalon FH-W16", true);
        EXPECT_EQ(first.CoveringChanged("r 0.15 SZ\xD5NYEG/CARPET").value_or("none"), "0.15"); // case does not matter
        EXPECT_FALSE(first.CoveringChanged("My stone")); // a typed covering keeps R
        first.ChooseList(Inputs(800, 12, 0.07), choose);
    }
    EXPECT_EQ(RoomDialogState().lastFloorHeatingSystem, "Vexalon FH-W16");
    RoomEditor second(room, Shipped(), options);
    std::optional<SystemChoice> c = second.SelectSystem("Vexalon FH-W16", true);
    EXPECT_EQ(c->coveringIndex, -1); // the typed covering with the typed R
    EXPECT_EQ(c->coveringText, "My stone");
    EXPECT_EQ(c->rText, "0.07");

    // Another system (or a folder while one is chosen) resets R to the catalogue's.
    c = second.SelectSystem("Vexalon FH-W17", true);
    EXPECT_EQ(c->coveringIndex, 0);
    EXPECT_EQ(c->rText, "0");
    RoomDialogState().lastCovering = "R 0.15 sz\xF5nyeg/carpet";
    c = second.SelectSystem("Wet systems", false);
    EXPECT_EQ(c->name, "Vexalon FH-W17");
    EXPECT_EQ(c->coveringIndex, 3);
    EXPECT_EQ(c->rText, "0.15");
}

TEST_F(RoomEditorTest, FieldsAreAddedChangedAndDeleted)
{
    RoomEditor editor(room, Shipped(), options);
    editor.SelectSystem("Vexalon FH-W16", true);

    // The area question gets the needed area, the zone and the free area.
    double asked = 0, maximum = 0;
    auto cancel = [&](double& area, int&, double max) {
        asked = area;
        maximum = max;
        return false;
    };
    EXPECT_FALSE(editor.AddField(Inputs(800, 12), 100, cancel));
    EXPECT_DOUBLE_EQ(asked, 12);
    EXPECT_DOUBLE_EQ(maximum, 12);
    EXPECT_FALSE(editor.AddField(Inputs(0, 12), 100, cancel));  // nothing requested: no question
    EXPECT_FALSE(editor.AddField(Inputs(800, 0), 100, cancel)); // no free area
    EXPECT_FALSE(editor.AddField(Inputs(800, 12), 75, cancel)); // not a spacing of the system
    EXPECT_DOUBLE_EQ(asked, 12);

    auto four = [](double& area, int& zone, double) {
        area = 4;
        zone = 1;
        return true;
    };
    ASSERT_TRUE(editor.AddField(Inputs(800, 12), 100, four));
    const FloorHeatingField& f = editor.Room().fields[0];
    EXPECT_EQ(f.fieldId, 0);
    EXPECT_EQ(f.zoneType, 1);
    EXPECT_EQ(f.spacing, 100);
    EXPECT_FLOAT_EQ(f.area, 4);
    EXPECT_FLOAT_EQ(f.power, 260); // 4 m2 at 64.9 W/m2, to whole watts
    EXPECT_EQ(editor.FreeAreaText(), "8");
    EXPECT_EQ(editor.PowerRequestText(), "540");

    EXPECT_EQ(editor.AddOptimum(Inputs(540, 8), {{100, 1.5}, {150, 6.5}, {75, 1}}), 2);
    ASSERT_EQ(editor.Room().fields.size(), 3u);
    EXPECT_EQ(editor.Room().fields[2].fieldId, 2);
    std::vector<RowCells> rows = editor.FieldRows(fields);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows.back()[1], "Total");

    EXPECT_EQ(test::ThrownText([&] { editor.Denser(1); }), "No denser"); // already at 100 mm, the densest
    editor.Wider(1);
    EXPECT_EQ(editor.Room().fields[1].spacing, 150);

    for (int i = 0; i < 3; ++i)
        editor.DeleteField(0);
    EXPECT_TRUE(editor.FieldRows(fields).empty()); // no totals row without fields
    ASSERT_TRUE(editor.AddField(Inputs(800, 12), 150, four));
    EXPECT_EQ(editor.Room().fields[0].fieldId, 3); // circuits that used 0 to 2 find them gone
}

TEST_F(RoomEditorTest, CommandsFollowTheSelection)
{
    RoomActions a = UpdateRoomActions(2, 3, false, false); // the totals row
    EXPECT_FALSE(a.modify || a.denser || a.wider || a.remove || a.add || a.optimum);
    a = UpdateRoomActions(1, 3, true, true);
    EXPECT_TRUE(a.modify && a.denser && a.wider && a.remove && a.add && a.optimum);
    EXPECT_FALSE(UpdateRoomActions(-1, 0, false, false).modify);
}

TEST_F(RoomEditorTest, OkStoresANewRoomFunctionUnderTheSmallestFreeNumber)
{
    room.roomFunction = "Living room";
    {
        RoomEditor editor(room, Shipped(), options);
        editor.Commit(RoomEditor::RoomFunctions()); // a listed function is not stored
    }
    TRegistry r;
    ASSERT_TRUE(OpenRootKey(r) && r.OpenKey("RoomFunctions", true));
    EXPECT_TRUE(r.GetValueNames().empty());

    RoomEditor editor(room, Shipped(), options);
    editor.SetRoomValues("Workshop", 20, 18, 1000);
    editor.Commit(RoomEditor::RoomFunctions());
    EXPECT_EQ(r.ReadString("1"), "Workshop");
    r.WriteString("2", "Garage");
    editor.SetRoomValues("workshop", 20, 18, 1000); // listed, case aside
    editor.Commit(RoomEditor::RoomFunctions());
    editor.SetRoomValues("Cellar", 20, 18, 1000);
    editor.Commit(RoomEditor::RoomFunctions());
    EXPECT_EQ(r.ReadString("3"), "Cellar");
    EXPECT_EQ(RoomEditor::RoomFunctions(),
              (std::vector<std::string>{"Living room", "Kitchen", "Workshop", "Garage", "Cellar"}));

    // A field whose system left the catalogue refuses OK.
    FloorHeatingField lost;
    lost.systemName = "Gone";
    editor.Room().fields.push_back(lost);
    EXPECT_NE(test::ThrownText([&] { editor.Commit({}); }), "nothing");
}

TEST_F(RoomEditorTest, EditItemTakesTheCopyBackOnlyOnOk)
{
    TProject project;
    project.AddNewRoom();
    project.modified = false;
    ItemDialogs dialogs;
    dialogs.room = [](TRoomItem& r) {
        r.heatDemand = 999;
        return false;
    };
    EXPECT_FALSE(EditItem(project, Shipped(), 0, true, dialogs));
    EXPECT_FLOAT_EQ(project.rooms[0].heatDemand, 0);
    EXPECT_FALSE(project.modified);
    EXPECT_FALSE(EditItem(project, Shipped(), 0, false, dialogs)); // no circuit dialog yet
    EXPECT_FALSE(EditItem(project, Shipped(), 5, true, dialogs));
    dialogs.room = [](TRoomItem& r) {
        r.heatDemand = 999;
        return true;
    };
    EXPECT_TRUE(EditItem(project, Shipped(), 0, true, dialogs));
    EXPECT_FLOAT_EQ(project.rooms[0].heatDemand, 999);
    EXPECT_TRUE(project.modified);
}

TEST_F(RoomEditorTest, FieldRowsAndANewFieldsDefaults)
{
    options.medium.forward = 45;
    options.medium.return_ = 38;
    FloorHeatingField f = NewField(options);
    EXPECT_EQ(f.zoneType, -1);
    EXPECT_EQ(f.fieldId, -1);
    EXPECT_FLOAT_EQ(f.forward, 45);
    EXPECT_FLOAT_EQ(f.return_, 38);

    const auto* system = Shipped().Find<FloorHeatDBItem>(0, "Vexalon FH-W16");
    ASSERT_NE(system, nullptr);
    FieldDesignInput in{40, 35, 20, 800, 12, 0, 0};
    room.fields.resize(2, f);
    room.fields[0].SetUp(*system, "R 0.05 ker\xE1mia/tiles", 0.05, 150, 0, 10, in, 0);
    room.fields[1].SetUp(*system, "R 0.05 ker\xE1mia/tiles", 0.05, 200, 0, 2, in, 4);
    room.fields[0].assignedArea = 10;
    std::vector<FieldListRow> rows = FillFieldList(room, fields, true);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].fieldId, 4);
    EXPECT_EQ(rows[0].cells[0], "5"); // the field's number as the user counts
    EXPECT_EQ(FillFieldList(room, fields, false).size(), 2u);

    // Hidden columns give no cell.
    const std::size_t visible = FillListRow(room.fields[0], fields).size();
    fields.ColumnAt(1)->visible = false;
    EXPECT_EQ(FillListRow(room.fields[0], fields).size(), visible - 1);

    // AssignField proposes the free part as area and maximum.
    room.fields[0].assignedArea = 4;
    FloorHeatingRoundField part;
    double max = 0;
    EXPECT_FALSE(AssignField(part, 7, "Hall", room.fields[0], [&](FloorHeatingRoundField& p, double m) {
        max = m;
        return p.assignedPart < 0;
    }));
    EXPECT_DOUBLE_EQ(max, 6);
    EXPECT_EQ(part.roomRef, 7);
    EXPECT_EQ(part.fieldRef, 0);
}

TEST_F(RoomEditorTest, FieldDialogRules)
{
    const auto* system = Shipped().Find<FloorHeatDBItem>(0, "Vexalon FH-W16");
    FloorHeatingField f = NewField(options);
    f.SetUp(*system, "R 0.05 ker\xE1mia/tiles", 0.5, 150, 2, 10, FieldDesignInput{40, 35, 20, 800, 12, 0, 0}, 0);
    FieldEditor editor(f, 20, Shipped());
    EXPECT_EQ(editor.SystemNames()[editor.SystemIndex()], "Vexalon FH-W16");
    FieldChoices c = editor.LoadSystemChoices();
    EXPECT_EQ(c.rLimits, "(0 - 0.15) m2K/W");
    EXPECT_EQ(c.coveringIndex, 0); // R outside the range: the first covering
    EXPECT_EQ(c.coveringR, "0");
    EXPECT_EQ(editor.Texts().R, "0.5"); // while R still shows the field's own
    EXPECT_EQ(c.spacings[c.spacingIndex], "150");
    EXPECT_EQ(editor.CoveringChanged("R 0.15 SZ\xD5NYEG/CARPET").value_or("none"), "0.15");

    FieldInputs in{"R 0.05 ker\xE1mia/tiles", 0.05, 150, 10, 2, 70, 60, 20, 0};
    editor.Apply(in);
    EXPECT_TRUE(editor.Results().surfaceTooWarm) << editor.Results().surfaceTemperature; // above 33 °C
    in.forward = 40;
    in.ret = 35;
    editor.Apply(in);
    EXPECT_FALSE(editor.Results().surfaceTooWarm);
    EXPECT_EQ(editor.Results().powerSum, editor.Results().power);

    FloorHeatingField orphan = f;
    orphan.systemName = "Gone";
    FieldEditor lost(orphan, 20, Shipped());
    EXPECT_EQ(lost.SystemIndex(), 0);
    EXPECT_EQ(lost.Field().systemName, lost.SystemNames()[0]);

    // The area a circuit takes: at most the maximum, with a float's tolerance.
    FloorHeatingRoundField part;
    FieldAreaEditor area(part, 12.5);
    EXPECT_EQ(area.MaximumText(), "12.5");
    area.Commit(12.5);
    EXPECT_EQ(test::ThrownText([&] { area.Commit(12.6); }),
              "The area entered (12.6 m2) is more than the 12.5 m2 available.");
    EXPECT_FLOAT_EQ(part.assignedPart, 12.5f); // a refused area is not stored
}
