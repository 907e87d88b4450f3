// Copy, cut and paste of rooms and circuits through the clipboard.
#include <gtest/gtest.h>

#include "TestLanguage.h"
#include "app/ItemClipboard.h"
#include "document/TProject.h"
#include "platform/Clipboard.h"
#include "util/Error.h"

namespace kalorina {
namespace {

struct ItemClipboardTest : ::testing::Test {
    test::ScopedLanguage language{{{"IDS_BADCLIPBOARDITEM", "Damaged item"}}};
    MemoryClipboard clipboard;

    static TProject WithBathAndCircuit()
    {
        TProject p;
        p.AddNewRoom();
        p.RenameItem(0, true, "Bath");
        FloorHeatingField f;
        f.systemName = "FH";
        f.spacing = 100;
        f.area = 4;
        f.fieldId = 3;
        p.rooms[0].fields = {f};
        p.AddNewRound();
        p.RenameItem(0, false, "C1");
        FloorHeatingRoundField part;
        part.roomRef = p.rooms[0].roomId;
        part.fieldRef = 3;
        part.assignedPart = 4;
        p.rounds[0].roundFields = {part};
        p.RecountAssignedSurfaces();
        p.modified = false;
        return p;
    }
};

TEST_F(ItemClipboardTest, RoomPastedTwiceGetsUniqueNamesAndNewIds)
{
    TProject p = WithBathAndCircuit();
    ASSERT_TRUE(CopyItemToClipboard(p, "Bath", true, clipboard));
    std::string payload = *clipboard.Get("Kalorina Item");
    EXPECT_EQ(payload.substr(0, 4), std::string("\x00\x00\x01\x01", 4));
    EXPECT_EQ(payload.back(), '\0');
    EXPECT_EQ(clipboard.Get("Rich Text Format"), std::nullopt); // only the item format

    PasteResult first = PasteItemFromClipboard(p, clipboard);
    PasteResult second = PasteItemFromClipboard(p, clipboard);
    EXPECT_EQ(first.name, "Bath (2)");
    EXPECT_EQ(second.name, "Bath (3)");
    ASSERT_EQ(p.rooms.size(), 3u);
    EXPECT_NE(p.rooms[1].roomId, p.rooms[0].roomId);
    EXPECT_NE(p.rooms[2].roomId, p.rooms[1].roomId);
    ASSERT_EQ(p.rooms[2].fields.size(), 1u);
    EXPECT_EQ(p.rooms[2].fields[0].systemName, "FH");
    EXPECT_FLOAT_EQ(p.rooms[2].fields[0].area, 4.0f);
    EXPECT_EQ(p.rooms[2].nextFieldId, 4);
    EXPECT_FLOAT_EQ(p.rooms[1].fields[0].assignedArea, 0.0f); // no circuit uses the copy
    EXPECT_TRUE(p.modified);
    EXPECT_FALSE(CopyItemToClipboard(p, "Nobody", true, clipboard));
    EXPECT_TRUE(clipboard.HasFormat("Kalorina Item")); // a missing item leaves the clipboard
}

TEST_F(ItemClipboardTest, CircuitPastedIntoItsProjectSharesItsFieldsAndIntoAnotherKeepsReferences)
{
    TProject p = WithBathAndCircuit();
    ASSERT_TRUE(CopyItemToClipboard(p, "C1", false, clipboard));
    EXPECT_EQ(clipboard.Get("Kalorina Item")->substr(0, 4), std::string("\x01\x00\x01\x01", 4));
    PasteResult r = PasteItemFromClipboard(p, clipboard);
    EXPECT_EQ(r.name, "C1 (2)");
    EXPECT_FALSE(r.isRoom);
    EXPECT_FLOAT_EQ(p.rooms[0].fields[0].assignedArea, 8.0f);

    TProject other;
    PasteItemFromClipboard(other, clipboard);
    ASSERT_EQ(other.rounds.size(), 1u);
    EXPECT_EQ(other.rounds[0].roundName, "C1");
    EXPECT_EQ(other.rounds[0].roundFields[0].roomRef, p.rooms[0].roomId);
}

TEST_F(ItemClipboardTest, DamagedItemsAreRefusedAndChangeNothing)
{
    TProject p = WithBathAndCircuit();
    CopyItemToClipboard(p, "Bath", true, clipboard);
    std::string good = *clipboard.Get("Kalorina Item");
    const TProject before = p;
    for (std::string bad : {good.substr(0, good.size() - 6), good.substr(0, 9), std::string("\x00", 1), std::string(),
                            std::string("\x07\x00", 2) + good.substr(2)}) {
        clipboard.Put({{"Kalorina Item", bad}});
        EXPECT_THROW(PasteItemFromClipboard(p, clipboard), KalorinaError) << bad.size();
        EXPECT_TRUE(p.SameContent(before));
        EXPECT_FALSE(p.modified);
    }
    clipboard.Put({{"Rich Text Format", "{\\rtf1}"}});
    EXPECT_FALSE(PasteItemFromClipboard(p, clipboard).pasted);
    EXPECT_TRUE(p.SameContent(before));
}

} // namespace
} // namespace kalorina

namespace kalorina {
namespace {

// A room copied with what it keeps beside its record (its building, its own
// build-up, the supplementary heat it allows) is pasted with all of it; a plain
// room still travels in the form older versions read.
TEST_F(ItemClipboardTest, RoomWithItsBuildingBuildUpAndSupplementaryHeat)
{
    TProject p = WithBathAndCircuit();
    TRoomItem& bath = p.rooms[0];
    bath.supplementaryHeatAllowed = true;
    FloorBuildUp own;
    own.insulationResistance = 1.25f;
    bath.buildUp = own;
    RoomHeatLoad building;
    building.minAirChange = 1.5f;
    HeatElement wall;
    wall.name = "wall";
    wall.area = 5;
    wall.u = 0.24f;
    building.elements = {wall};
    bath.heatLoad = building;
    ASSERT_TRUE(CopyItemToClipboard(p, "Bath", true, clipboard));
    const PasteResult pasted = PasteItemFromClipboard(p, clipboard);
    ASSERT_TRUE(pasted.pasted);
    const TRoomItem& copy = p.rooms.back();
    EXPECT_EQ(copy.roomName, "Bath (2)");
    EXPECT_NE(copy.roomId, bath.roomId);
    EXPECT_TRUE(copy.supplementaryHeatAllowed);
    ASSERT_TRUE(copy.buildUp);
    EXPECT_EQ(copy.buildUp->insulationResistance, 1.25f);
    ASSERT_TRUE(copy.heatLoad);
    EXPECT_EQ(*copy.heatLoad, building);
    ASSERT_EQ(copy.fields.size(), 1u);

    // A damaged one is refused whole.
    std::string payload = *clipboard.Get("Kalorina Item");
    clipboard.Put({{"Kalorina Item", payload.substr(0, payload.size() / 2)}});
    const std::size_t rooms = p.rooms.size();
    EXPECT_THROW(PasteItemFromClipboard(p, clipboard), KalorinaError);
    EXPECT_EQ(p.rooms.size(), rooms);
}

} // namespace
} // namespace kalorina
