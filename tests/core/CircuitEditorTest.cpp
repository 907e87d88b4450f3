// The circuit, fitting and project options dialogs' rules on the shipped catalogue,
// without windows, and the type chooser's tree.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "ErrorTestSupport.h"
#include "ProjectTestSupport.h"
#include "TestLanguage.h"
#include "app/CircuitEditor.h"
#include "app/EditItem.h"
#include "app/FieldEditor.h"
#include "app/FittingEditor.h"
#include "app/ProjectOptionsEditor.h"
#include "app/RoomEditor.h"
#include "app/TypeChooser.h"
#include "catalogue/DeviceKind.h"
#include "catalogue/ResistDBItem.h"
#include "catalogue/TDevices.h"
#include "platform/SettingsStore.h"
#include "util/Error.h"
#include "util/FloatFormat.h"

using namespace kalorina;

namespace {

const TDevices& Shipped()
{
    static const TDevices devices(KALORINA_SOURCE_DIR "/data", "en");
    return devices;
}

const char* const kValve = "Vexalon MV-P";
const char* const kElbow = "Vexalon PF-E90";

// The tree as "text[children]" for comparing shapes; leaves carry their item.
std::string Shape(const std::vector<ComboTreeNode>& nodes)
{
    std::string s;
    for (const auto& n : nodes) {
        s += s.empty() ? "" : ", ";
        s += n.item >= 0 ? "'" + n.text + "'=" + std::to_string(n.item) : "'" + n.text + "'[" + Shape(n.children) + "]";
    }
    return s;
}

class CircuitEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetSettingsStore(std::make_unique<MemorySettingsStore>());
        ASSERT_FALSE(Shipped().Failed()) << Shipped().FailureMessage();
        ASSERT_TRUE(roomFields.LoadFormat("RoomFloorHeatingsTitle"));
        ASSERT_TRUE(roundFields.LoadFormat("RoundFloorFields"));
        ASSERT_TRUE(resists.LoadFormat("ResistItemsTitle"));
        project.options.medium.forward = 40;
        project.options.medium.return_ = 35;
        project.options.valveType = kValve;
        AddRoom(12, 800, 10, 100);
        AddRoom(9, 500, 8, 150);
        project.AddNewRound();
    }
    // A room with one field of `area` m2 laid at `spacing` mm.
    void AddRoom(double floor, double loss, double area, int spacing)
    {
        project.AddNewRoom();
        RoomEditor editor(project.rooms.back(), Shipped(), project.options);
        editor.SelectSystem("Vexalon FH-W16", true);
        editor.SetRoomValues("", floor, 20, loss);
        ChooseInputs in;
        in.design = {40, 35, 20, loss, floor, 0, 0};
        in.R = 0.1;
        in.covering = "R 0.10 parketta/parquet";
        ASSERT_TRUE(editor.AddField(in, spacing, [area](double& a, int&, double) {
            a = area;
            return true;
        }));
        project.rooms.back() = editor.Commit({});
    }
    static AreaQuestion Take(double area)
    {
        return [area](FloorHeatingRoundField& part, double maximum) {
            EXPECT_LE(area, maximum + 1e-6);
            part.assignedPart = static_cast<float>(area);
            return true;
        };
    }
    CircuitInputs Inputs(const CircuitEditor& e) const
    {
        const THydraulic& h = e.Round().hydraulic;
        CircuitInputs in;
        in.forward = h.medium.forward;
        in.backward = h.medium.return_;
        in.volume = h.massFlow;
        in.mediumName = h.medium.mediumName;
        in.extraLength = h.extraLength;
        in.extraLengthMode = h.extraInMetres;
        in.valveType = h.valveName;
        in.valveSizeText = h.valveSize;
        in.availablePressure = h.availablePressure;
        return in;
    }

    test::ScopedLanguage lang{{{"IDS_AUTO", "(auto)"},
                               {"IDS_USERDEFINED", "User-defined"},
                               {"IDS_RESISTSTREEROOTNAME", "Fittings"},
                               {"IDS_TOBIGSURFACE", "Too big"},
                               {"IDS_FLOORHEATINGSUMCAPTION", "Total"},
                               {"IDS_WANTITEMDELETE", "Delete '%s'?"},
                               {"IDS_RESISTVALUMODES+0", "kv"},
                               {"IDS_RESISTVALUMODES+1", "zeta"},
                               {"IDS_RESISTVALUMODES+2", "dp"},
                               {"IDS_CIRCUITWITHOUTPOWER", "No output"}}};
    TListHeaderFormat roomFields, roundFields, resists;
    TProject project;
};

} // namespace

TEST(TypeChooser, GroupsItemsByTheirSharedLeadingWords)
{
    EXPECT_EQ(Shape(BuildComboTree({"A1 10", "A1 15", "B2 15", "Z"})), "'A1'['10'=0, '15'=1], 'B2 15'=2, 'Z'=3");
    EXPECT_EQ(Shape(BuildComboTree({"ABC", "ABD X", "ABD Y 1", "ABD Y 2"})),
              "'ABC'=0, 'ABD'['X'=1, 'Y'['1'=2, '2'=3]]");
    EXPECT_EQ(Shape(BuildComboTree({"K 1 a", "K 1 b", "K 2 a"})), "'K'['1'['a'=0, 'b'=1], '2 a'=2]");
    // Two shared words are merged into one group, whose common start then grows.
    EXPECT_EQ(Shape(BuildComboTree({"Q R S T", "Q R S U"})), "'Q R S '['T'=0, 'U'=1]");
    EXPECT_EQ(Shape(BuildComboTree({})), "");
    EXPECT_EQ(Shape(BuildComboTree({"", "One"})), "''=0, 'One'=1");
}

TEST_F(CircuitEditorTest, CatalogueFittingTakesTheValueOfItsSize)
{
    TResist fitting;
    fitting.SelectItem(Shipped(), kElbow);
    CatalogueFittingEditor editor(fitting, Shipped());
    CatalogueFittingView v = editor.View();
    ASSERT_GE(v.sizes.size(), 3u);
    EXPECT_EQ(v.sizes[0], "(auto)");
    EXPECT_EQ(v.sizeIndex, 0);
    EXPECT_EQ(v.mode, "zeta:");

    EXPECT_EQ(editor.SizeChanged("2", "DN15", true), "1.7");
    EXPECT_EQ(fitting.sizeName, "DN15");
    EXPECT_EQ(fitting.count, 2);
    EXPECT_TRUE(fitting.listing);
    // The automatic entry again: the item's default value and an empty size.
    editor.SizeChanged("2", "(auto)", true);
    EXPECT_EQ(fitting.sizeName, "");
    EXPECT_FLOAT_EQ(fitting.value, Shipped().Find<ResistDBItem>(kResistKind, kElbow)->defaultValue);
    // A count that is not a whole number of pieces takes nothing.
    EXPECT_EQ(test::ThrownText([&] { editor.Commit("2.5", "DN20", false); }), "Wrong value");
    EXPECT_EQ(test::ThrownText([&] { editor.Commit("0", "DN20", false); }), "Wrong value");
    EXPECT_EQ(fitting.sizeName, "");
    EXPECT_EQ(fitting.count, 2);

    // A fitting whose item left the catalogue keeps its value and offers no size.
    TResist gone = fitting;
    gone.resistName = "Gone";
    gone.sizeName = "DN15";
    CatalogueFittingEditor missing(gone, Shipped());
    EXPECT_TRUE(missing.View().sizes.empty());
    const std::string value = missing.View().value;
    EXPECT_EQ(missing.SizeChanged("1", "", false), value);
    EXPECT_EQ(gone.sizeName, "");
}

TEST_F(CircuitEditorTest, UniqueFittingAndFittingLists)
{
    std::vector<TResist> list;
    FittingList fittings(list, Shipped());
    EXPECT_FALSE(fittings.AddFromCatalogue("Fittings", [](TResist&) { return true; })); // a folder
    EXPECT_FALSE(fittings.AddFromCatalogue(kElbow, [](TResist&) { return false; }));    // cancelled
    ASSERT_TRUE(fittings.AddFromCatalogue(kElbow, [](TResist& f) {
        f.count = 3;
        return true;
    }));

    auto describe = [](const UniqueFittingInputs& in) {
        return [in](TResist& f) {
            UniqueFittingEditor e(f);
            EXPECT_TRUE(f.unique);
            e.Commit(in);
            return true;
        };
    };
    UniqueFittingInputs in{"Strainer", "1", "20", 2, 1500, true};
    ASSERT_TRUE(fittings.AddUnique(describe(in)));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].resistName, "Strainer");
    EXPECT_EQ(list[1].dn, 20);
    EXPECT_EQ(list[1].resistMode, 2);
    EXPECT_FLOAT_EQ(list[1].value, 1500);
    EXPECT_EQ(fittings.Rows(resists).size(), 2u);

    // A bad count or size stores nothing at all.
    TResist kept = list[1];
    UniqueFittingEditor editor(list[1]);
    EXPECT_EQ(test::ThrownText([&] { editor.Commit({"Other", "2.5", "20", 0, 1, false}); }), "Wrong value");
    EXPECT_EQ(test::ThrownText([&] { editor.Commit({"Other", "1", "99999", 0, 1, false}); }), "Wrong value");
    EXPECT_EQ(list[1], kept);

    // Each line opens in the dialog of its kind.
    std::string opened;
    auto cat = [&](TResist&) {
        opened = "catalogue";
        return true;
    };
    auto own = [&](TResist&) {
        opened = "unique";
        return true;
    };
    fittings.Modify(1, cat, own);
    EXPECT_EQ(opened, "unique");
    fittings.Modify(0, cat, own);
    EXPECT_EQ(opened, "catalogue");
    EXPECT_FALSE(fittings.Modify(5, cat, own));

    EXPECT_EQ(fittings.DeleteQuestion(1), "Delete 'Strainer'?");
    fittings.Delete(0);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].resistName, "Strainer");
}

TEST_F(CircuitEditorTest, ProjectOptionsMediumAndDefaultsOfNewCircuits)
{
    TProjektOptions options;
    options.medium.mediumName.clear();
    options.valveType = "No longer sold";
    ProjectOptionsEditor editor(options, Shipped());
    ProjectOptionsView v = editor.View();
    EXPECT_EQ(v.media.entries.back(), "User-defined");
    EXPECT_EQ(v.media.selected, static_cast<int>(v.media.entries.size()) - 1);
    EXPECT_EQ(v.valves.selected, -1);
    EXPECT_EQ(v.forward, "38");

    EXPECT_FALSE(editor.MediumChange(true, "", 40, 30));
    const char* catalogueWater = "H2O (IAPWS) 0-100 \xB0"
                                 "C";
    auto water = editor.MediumChange(false, catalogueWater, 40, 30);
    ASSERT_TRUE(water);
    TMedium expected;
    expected.mediumName = catalogueWater;
    expected.forward = 40;
    expected.return_ = 30;
    expected.UpdateProperties(Shipped());
    EXPECT_EQ(water->ro, MediumPropertyTexts(expected).ro);
    EXPECT_NE(water->ro, "971.9");

    ProjectOptionsInputs in{21,
                            5,
                            1.5,
                            10,
                            0,
                            45,
                            35,
                            false,
                            "H2O (IAPWS) 0-100 \xB0"
                            "C",
                            990,
                            4e-7,
                            4180,
                            kValve,
                            15000};
    ProjectOptionsInputs bad = in;
    bad.downK = -1;
    EXPECT_EQ(test::ThrownText([&] { editor.Commit(bad); }), "Wrong value");
    bad = in;
    bad.forward = 0;
    EXPECT_EQ(test::ThrownText([&] { editor.Commit(bad); }), "Wrong value");
    const TProjektOptions& stored = editor.Commit(in);
    EXPECT_FLOAT_EQ(stored.roomTemperature, 21);
    EXPECT_EQ(stored.extraLengthMode, 0);

    // A new circuit starts from the new defaults, the fittings copied.
    TProjektOptions next = stored;
    next.defaultFittings.push_back({});
    TRoundItem round(next);
    EXPECT_FLOAT_EQ(round.hydraulic.medium.forward, 45);
    EXPECT_FLOAT_EQ(round.hydraulic.extraLength, 10);
    EXPECT_EQ(round.hydraulic.extraInMetres, 0);
    EXPECT_EQ(round.hydraulic.valveName, kValve);
    EXPECT_FLOAT_EQ(round.hydraulic.availablePressure, 15000);
    EXPECT_EQ(round.hydraulic.fittings.size(), 1u);
}

// Parts typed in hundredths that build a field in whole leave the float sums a rest
// of a millionth of a square metre: the field counts as built in everywhere (the
// filter of fields not yet built in, the rooms with free area, the totals), and the
// area dialog offers the free area as it was typed.
TEST_F(CircuitEditorTest, AFieldBuiltInWholeLeavesNothingOver)
{
    AddRoom(9.1, 500, 9.1, 150);
    const std::string room = project.rooms[2].roomName;
    {
        CircuitEditor first(project.rounds[0], project, Shipped());
        ASSERT_TRUE(first.AddField(room, 0, Take(0.4)));
        project.rounds[0] = first.Round();
    }
    project.AddNewRound();
    CircuitEditor second(project.rounds[1], project, Shipped());
    ASSERT_TRUE(second.AddField(room, 0, Take(8.7)));
    EXPECT_TRUE(second.RoomFieldRows(room, roomFields, true).empty());
    EXPECT_EQ(second.RoomFieldRows(room, roomFields, false).size(), 1u);
    const std::vector<std::string> free = second.RoomNames(true);
    EXPECT_EQ(std::find(free.begin(), free.end(), room), free.end());

    double maximum = 0;
    std::string shown;
    second.ModifyField(0, [&](FloorHeatingRoundField& part, double max) {
        maximum = max;
        shown = FieldAreaEditor(part, max).MaximumText();
        return false;
    });
    EXPECT_NE(maximum, double(8.7f)); // the sums' rest is there ...
    EXPECT_EQ(shown, "8.7");          // ... and does not show
    // Taking the maximum as shown fits.
    second.ModifyField(0, [&](FloorHeatingRoundField& part, double max) {
        FieldAreaEditor editor(part, max);
        editor.Commit(LeadingFloat(editor.MaximumText()));
        return true;
    });

    project.rounds[1] = second.Round();
    project.RecountAssignedSurfaces();
    EXPECT_EQ(project.rooms[2].UnassignedArea(), 0);
    EXPECT_FALSE(project.rooms[2].HasUnassignedArea());
    EXPECT_EQ(project.Totals().remainderSurfaceSum, 18); // only the other rooms' fields, 10 + 8 m2

    // A hundredth left over is a leftover.
    project.rounds[1].roundFields[0].assignedPart = 8.69f;
    project.RecountAssignedSurfaces();
    EXPECT_NEAR(project.rooms[2].UnassignedArea(), 0.01, 1e-5);
    EXPECT_TRUE(project.rooms[2].HasUnassignedArea());
    EXPECT_NEAR(project.Totals().remainderSurfaceSum, 18.01, 1e-5);
}

TEST_F(CircuitEditorTest, FieldsOfTwoRoomsSizeTheCircuit)
{
    CircuitEditor editor(project.rounds[0], project, Shipped());
    EXPECT_EQ(editor.RoomNames(true).size(), 2u);
    const auto fieldsA = editor.RoomFieldRows(project.rooms[0].roomName, roomFields, true);
    ASSERT_EQ(fieldsA.size(), 1u);

    // Cancelled: nothing added.
    EXPECT_FALSE(editor.AddField(project.rooms[0].roomName, fieldsA[0].fieldId,
                                 [](FloorHeatingRoundField&, double) { return false; }));
    EXPECT_TRUE(editor.Round().roundFields.empty());
    EXPECT_TRUE(editor.FieldRows(roundFields).empty());

    ASSERT_TRUE(editor.AddField(project.rooms[0].roomName, 0, Take(10)));
    // The whole field is taken: the room drops out of the list of rooms with free area.
    EXPECT_EQ(editor.RoomNames(true), std::vector<std::string>{project.rooms[1].roomName});
    EXPECT_EQ(editor.RoomNames(false).size(), 2u);
    ASSERT_TRUE(editor.AddField(project.rooms[1].roomName, 0, Take(5)));
    // Asking for more than is free is the area dialog's refusal; the maximum it gets is right.
    double maximum = 0;
    editor.ModifyField(1, [&](FloorHeatingRoundField&, double max) {
        maximum = max;
        return false;
    });
    EXPECT_NEAR(maximum, 8, 1e-5);

    const TRoundItem& r = editor.Round();
    const THydraulic& h = r.hydraulic;
    const double Q = project.rooms[0].fields[0].power + project.rooms[0].fields[0].downPower
        + (project.rooms[1].fields[0].power + project.rooms[1].fields[0].downPower) * 5 / 8;
    EXPECT_NEAR(h.power, Q, 0.01);
    EXPECT_NEAR(h.massFlow, Q / 5 / h.medium.specificHeat * 3600, 0.01);
    EXPECT_NEAR(h.fieldsTubeLength, 10 * 1000.0 / 100 + 5 * 1000.0 / 150, 0.01);
    EXPECT_FALSE(h.tubeName.empty());
    EXPECT_FALSE(h.valvePosition.empty());

    // The return temperature is given: it is typed, the mass flow shown.
    CircuitView v = editor.View();
    EXPECT_FALSE(v.backwardReadOnly);
    EXPECT_TRUE(v.volumeReadOnly);
    EXPECT_EQ(v.volume, General(h.massFlow, 4));
    EXPECT_EQ(v.backward, "");
    EXPECT_FALSE(v.valvePosition.empty());
    EXPECT_EQ(v.neededThrottle, Whole(h.availablePressure - h.circuitPressureDrop));
    EXPECT_FALSE(v.differentTemperatures);
    auto rows = editor.FieldRows(roundFields);
    ASSERT_EQ(rows.size(), 3u); // two parts and the totals
    EXPECT_EQ(rows[0][0], project.rooms[0].roomName);
    EXPECT_EQ(rows[2][0], "Total");

    // The mass flow given: the return temperature follows, and switching back the flow.
    CircuitInputs in = Inputs(editor);
    in.massFlowGiven = true;
    in.volume = h.massFlow * 2;
    EXPECT_FALSE(editor.SetValues(in));
    EXPECT_NEAR(h.medium.return_, 37.5, 0.05);
    v = editor.View();
    EXPECT_TRUE(v.backwardReadOnly);
    EXPECT_FALSE(v.volumeReadOnly);
    EXPECT_EQ(v.backward, General(h.medium.return_, 3));
    in.massFlowGiven = false;
    in.backward = 35;
    editor.SetValues(in);
    EXPECT_NEAR(h.massFlow, Q / 5 / h.medium.specificHeat * 3600, 0.01);

    // In series the parts' temperatures fall along the order, which "Lefelé" changes.
    in.serial = true;
    editor.SetValues(in);
    const float firstOut = r.roundFields[0].outletTemp;
    EXPECT_FLOAT_EQ(r.roundFields[0].inletTemp, 40);
    EXPECT_FLOAT_EQ(r.roundFields[1].inletTemp, firstOut);
    EXPECT_NEAR(r.roundFields[1].outletTemp, 35, 0.01);
    EXPECT_EQ(editor.MoveField(0, false), 1);
    EXPECT_FLOAT_EQ(r.roundFields[0].inletTemp, 40);
    EXPECT_NE(r.roundFields[0].outletTemp, firstOut);
    EXPECT_EQ(editor.MoveField(1, false), 1); // already last

    // A user-defined medium is taken as typed.
    in.userDefinedMedium = true;
    in.ro = 1000;
    in.nu = 1e-6;
    in.specificHeat = 3500;
    editor.SetValues(in);
    EXPECT_EQ(h.medium.mediumName, "");
    EXPECT_FLOAT_EQ(h.medium.specificHeat, 3500);
    v = editor.View();
    EXPECT_FALSE(v.mediumReadOnly);
    EXPECT_FALSE(v.medium);
    EXPECT_NEAR(h.massFlow, Q / 5 / 3500 * 3600, 0.01);

    // A valve size: the automatic entry first, an empty size stored for it.
    ValveSizeChoice sizes = editor.ApplyValveType(kValve, true, "(auto)");
    ASSERT_TRUE(sizes.found);
    EXPECT_EQ(sizes.sizes.entries[0], "(auto)");
    EXPECT_EQ(sizes.sizes.selected, 0);
    EXPECT_EQ(h.valveSize, "");
    sizes = editor.ApplyValveType("Unknown", true, "DN15");
    EXPECT_FALSE(sizes.found);

    editor.DeleteField(0);
    EXPECT_EQ(editor.Round().roundFields.size(), 1u);
}

TEST_F(CircuitEditorTest, OpeningShowsTheStoredValues)
{
    TRoundItem& stored = project.rounds[0];
    stored.connectionFlags = TRoundItem::kMassFlowGiven | TRoundItem::kSeries;
    stored.hydraulic.medium.mediumName = "Brine of a former catalogue";
    stored.hydraulic.massFlow = 123.456f;
    stored.hydraulic.valveName = "Gone valve";
    stored.hydraulic.extraInMetres = 0;
    stored.hydraulic.extraLength = 12.5;
    CircuitEditor editor(stored, project, Shipped());
    const CircuitTexts t = editor.Texts();
    EXPECT_TRUE(t.massFlowGiven && t.serial);
    EXPECT_EQ(t.volume, "123.5");
    EXPECT_EQ(t.extraLength, "12.5");
    EXPECT_EQ(t.extraLengthMode, 0);
    // A medium the catalogue does not know is a user-defined one, typed in.
    EXPECT_EQ(t.media.selected, static_cast<int>(t.media.entries.size()) - 1);
    EXPECT_FALSE(editor.View().mediumReadOnly);
    // A valve no longer in the catalogue: no size list, nothing selected.
    EXPECT_EQ(t.valves.selected, -1);
    EXPECT_FALSE(editor.ApplyValveType("Gone valve", false, "").found);
    // Without parts there is nothing to compute and no failure.
    EXPECT_FALSE(editor.Recalculate());
    EXPECT_TRUE(editor.FieldRows(roundFields).empty());
    EXPECT_NO_THROW(editor.Commit());
}

TEST_F(CircuitEditorTest, ApplyToFieldsChangesOnlyTheCopyUntilOkAppliesItAsOneStep)
{
    // A second circuit takes the rest of the field that "Átszámít" will split.
    project.AddNewRound();
    {
        CircuitEditor other(project.rounds[1], project, Shipped());
        ASSERT_TRUE(other.AddField(project.rooms[0].roomName, 0, Take(4)));
        project.rounds[1] = other.Commit();
    }
    project.RecountAssignedSurfaces();
    project.modified = false;
    const TProject before = project;

    CircuitEditor editor(project.rounds[0], project, Shipped());
    ASSERT_TRUE(editor.AddField(project.rooms[0].roomName, 0, Take(6)));
    CircuitInputs in = Inputs(editor);
    in.forward = 45;
    editor.SetValues(in);
    EXPECT_TRUE(editor.View().differentTemperatures);
    const float powerBefore = project.rooms[0].fields[0].power;

    EXPECT_FALSE(editor.ApplyToFields());
    EXPECT_FALSE(editor.View().differentTemperatures);
    // The dialog's rooms: the field split to the part's area and recomputed at 45 °C.
    const TRoomItem& room = editor.Rooms()[0];
    ASSERT_EQ(room.fields.size(), 2u);
    EXPECT_FLOAT_EQ(room.fields[0].area + room.fields[1].area, 10);
    const FloorHeatingField* taken = room.FindField(editor.Round().roundFields[0].fieldRef);
    ASSERT_NE(taken, nullptr);
    EXPECT_FLOAT_EQ(taken->area, 6);
    EXPECT_GT(taken->power / 6, powerBefore / 10);
    // The project itself is untouched, and so is its modified flag: Cancel drops it all.
    EXPECT_TRUE(project.SameContent(before));
    EXPECT_FALSE(project.modified);

    // OK: circuit and rooms together; the other circuit follows its shrunken field.
    CircuitEdit edit{editor.Commit(), editor.Rooms()};
    EXPECT_TRUE(ApplyCircuitEdit(project, Shipped(), 0, edit).empty());
    EXPECT_TRUE(project.modified);
    EXPECT_EQ(project.rounds[0], edit.round);
    ASSERT_EQ(project.rooms[0].fields.size(), 2u);
    const FloorHeatingField* applied =
        project.FindRoomField(project.rooms[0].roomId, edit.round.roundFields[0].fieldRef);
    ASSERT_NE(applied, nullptr);
    EXPECT_FLOAT_EQ(applied->power, taken->power);
    EXPECT_FLOAT_EQ(applied->forward, 45);
    const FloorHeatingField* rest =
        project.FindRoomField(project.rooms[0].roomId, project.rounds[1].roundFields[0].fieldRef);
    ASSERT_NE(rest, nullptr);
    EXPECT_NEAR(project.rounds[1].hydraulic.power, rest->power + rest->downPower, 0.01);

    // What is stored recalculates to itself.
    const auto [shown, recalculated] = test::ShownAndRecalculated(project, Shipped());
    EXPECT_EQ(recalculated, shown);
}

TEST_F(CircuitEditorTest, EveryChangeOfThePartsReportsTheCurrentFailure)
{
    // The first room's field gives no output: a circuit of it alone cannot be computed.
    project.rooms[0].fields[0].power = 0;
    project.rooms[0].fields[0].downPower = 0;
    CircuitEditor editor(project.rounds[0], project, Shipped());
    EXPECT_FALSE(editor.Failure());
    ASSERT_TRUE(editor.AddField(project.rooms[0].roomName, 0, Take(10)));
    ASSERT_TRUE(editor.Failure());
    EXPECT_EQ(*editor.Failure(), "No output");
    ASSERT_TRUE(editor.AddField(project.rooms[1].roomName, 0, Take(8)));
    EXPECT_FALSE(editor.Failure());
    // Moving keeps it computable; deleting the part with output does not.
    EXPECT_EQ(editor.MoveField(1, true), 0);
    EXPECT_FALSE(editor.Failure());
    editor.DeleteField(0);
    EXPECT_TRUE(editor.Failure());
    // Modifying the part left: still without output, still said.
    EXPECT_TRUE(editor.ModifyField(0, Take(5)));
    EXPECT_TRUE(editor.Failure());
    // OK keeps such a circuit all the same.
    EXPECT_NO_THROW(editor.Commit());
    editor.DeleteField(0);
    EXPECT_FALSE(editor.Failure());
}

TEST(HydraulicWarnings, NameEachSetBitInOrder)
{
    test::ScopedLanguage lang{{{"IDS_HYDRAULICWARNING+0", "No tube."},
                               {"IDS_HYDRAULICWARNING+5", "Too much."},
                               {"IDS_HYDRAULICWARNING+6", "Noisy."}}};
    EXPECT_EQ(HydraulicWarningText(0), "");
    EXPECT_EQ(HydraulicWarningText(THydraulic::kBitTubeMissing | THydraulic::kBitPressureExceeded),
              "No tube. Too much.");
    EXPECT_EQ(HydraulicWarningText(THydraulic::kBitValveNoisy | THydraulic::kBitValveMissing), "Noisy.");
}

TEST(CircuitActions, FollowTheSelectedRow)
{
    // Three parts and the totals row.
    auto a = UpdateCircuitActions(0, 4, false);
    EXPECT_TRUE(a.modify && a.remove && a.down);
    EXPECT_FALSE(a.up || a.add);
    a = UpdateCircuitActions(2, 4, true);
    EXPECT_TRUE(a.up && a.add);
    EXPECT_FALSE(a.down);
    a = UpdateCircuitActions(3, 4, false); // the totals row
    EXPECT_FALSE(a.modify || a.remove || a.up || a.down);
    a = UpdateCircuitActions(-1, 0, false);
    EXPECT_FALSE(a.modify || a.remove || a.up || a.down || a.add);
}
