// The column setup's rules without its window, and the integer reading of dialogs.
#include <gtest/gtest.h>

#include "TestLanguage.h"
#include "app/ColumnSetupEditor.h"
#include "app/DialogEditor.h"
#include "platform/SettingsStore.h"
#include "util/Error.h"

using namespace kalorina;

namespace {

ColumnInput InputOf(const ColumnSetupView& v)
{
    ColumnInput in;
    in.width = std::stoi(v.width);
    in.titleAlignment = v.titleAlignment;
    in.dataAlignment = v.dataAlignment;
    in.zeroShown = v.zeroShown;
    in.realFormat = v.realFormat;
    in.precision = std::stoi(v.precision);
    in.digits = std::stoi(v.digits);
    in.customCaption = v.customCaption;
    in.lines = v.lines;
    return in;
}

class ColumnSetupEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetSettingsStore(std::make_unique<MemorySettingsStore>());
        ASSERT_TRUE(format.LoadFormat("FloorHeatingChoose"));
    }
    test::ScopedLanguage lang{{{"ID_NEEDFIRSTCOLUMN", "Keep the first"}}};
    TListHeaderFormat format;
};

} // namespace

TEST(DialogEditor, IntegersAreWholeNumbersOrTheWrongValueError)
{
    test::ScopedLanguage lang;
    EXPECT_EQ(ParseInteger(" 12 "), 12);
    EXPECT_EQ(ParseInteger("-3"), -3);
    for (const char* bad : {"", "wide", "1.5", "12x", "99999999999"}) {
        try {
            ParseInteger(bad);
            ADD_FAILURE() << bad;
        } catch (const KalorinaError& e) {
            EXPECT_STREQ(e.what(), "Wrong value");
        }
    }
}

TEST_F(ColumnSetupEditorTest, SelectingStoresTheColumnAndMovingKeepsTheFirst)
{
    ColumnSetupEditor editor(format, "EditorTest", "Kalorina");
    ColumnSetupView v = editor.View();
    ASSERT_EQ(v.entries.size(), 6u);
    EXPECT_EQ(v.current, 0);
    EXPECT_FALSE(v.alignmentsEnabled);
    EXPECT_FALSE(v.moveUpEnabled);
    EXPECT_FALSE(v.moveDownEnabled);

    ColumnInput in = InputOf(v);
    in.width = 1; // raised to the narrowest column
    editor.Select(4, in);
    EXPECT_EQ(format.ColumnAt(0)->width, 3);
    v = editor.View();
    EXPECT_EQ(v.current, 4);
    EXPECT_TRUE(v.realEnabled);
    EXPECT_TRUE(v.moveUpEnabled && v.moveDownEnabled);

    in = InputOf(v);
    in.customCaption = true;
    in.lines = {"Q", "[kW]"};
    in.factor = 0.001;
    in.realFormat = 2;
    in.digits = 0;
    editor.SetTicked(4, false);
    editor.Move(-1, in);
    v = editor.View();
    EXPECT_EQ(v.current, 3);
    EXPECT_EQ(format.ColumnAt(3)->columnId, 4);
    EXPECT_EQ(v.factor, "0.001");
    EXPECT_EQ(v.lines[1], "[kW]");
    EXPECT_FALSE(v.entries[3].ticked); // the tick moves with its column
    EXPECT_TRUE(v.entries[4].ticked);
    EXPECT_TRUE(format.ColumnAt(3)->visible); // ticks apply on Commit only

    editor.Select(1, InputOf(v));
    editor.Move(-1, InputOf(editor.View())); // cannot pass the first column
    EXPECT_EQ(editor.View().current, 1);
}

TEST_F(ColumnSetupEditorTest, CommitSavesAndKeepsTheFirstColumnCancelRestores)
{
    {
        ColumnSetupEditor editor(format, "CommitTest", "Kalorina");
        editor.SetTicked(0, false);
        editor.SetTicked(5, false);
        EXPECT_EQ(editor.Commit(InputOf(editor.View())), "Keep the first");
        EXPECT_TRUE(format.columns[0].visible);
        EXPECT_FALSE(format.columns[5].visible);
        EXPECT_TRUE(editor.View().entries[0].ticked);
    }
    TListHeaderFormat again;
    again.LoadFormat("FloorHeatingChoose");
    again.LoadLayout("Kalorina", "CommitTest");
    EXPECT_FALSE(again.columns[5].visible);

    const TListHeaderFormat before = format;
    ColumnSetupEditor editor(format, "CommitTest", "Kalorina");
    ColumnInput in = InputOf(editor.View());
    editor.Select(3, in);
    editor.Move(1, InputOf(editor.View()));
    editor.Cancel();
    EXPECT_EQ(format.displayOrder, before.displayOrder);
    EXPECT_EQ(format.columns, before.columns);
}
