#include <QTreeWidget>
#include <gtest/gtest.h>

#include "GuiTest.h"

#include "catalogue/DeviceKind.h"
#include "catalogue/DeviceTreeWidget.h"
#include "catalogue/TDevices.h"

using namespace kalorina;
using namespace kalorina::gui;

namespace {
class DeviceTreeWidgetTest : public kalorina::test::GuiTest {};
} // namespace

TEST_F(DeviceTreeWidgetTest, ShowsTheShippedSystemsUnderTheirFolders)
{
    TDevices devices(KALORINA_SOURCE_DIR "/data", "en");
    ASSERT_FALSE(devices.Failed()) << devices.FailureMessage();
    QTreeWidget tree;
    FillDeviceTreeWidget(&tree, devices.FillDeviceTree(kFloorHeatingKind, "Systems"));
    ASSERT_EQ(tree.topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree.topLevelItem(0);
    EXPECT_EQ(root->text(0), QStringLiteral("Systems"));
    auto found = tree.findItems(QStringLiteral("Vexalon FH-W16"), Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(DeviceTreeTag(found[0]), kFloorHeatingKind + 1);
    EXPECT_EQ(DeviceTreeTag(found[0]->parent()), 0); // a folder
    EXPECT_EQ(found[0]->parent()->text(0), QStringLiteral("16x2 mm tube"));
    // Wet systems, by tube size from the thinnest, each folder in catalogue order.
    QTreeWidgetItem* wet = found[0]->parent()->parent();
    ASSERT_NE(wet, nullptr);
    EXPECT_EQ(wet->text(0), QStringLiteral("Wet systems"));
    QStringList sizes;
    for (int i = 0; i < wet->childCount(); ++i)
        sizes << wet->child(i)->text(0);
    EXPECT_EQ(sizes, QStringList({"14x2 mm tube", "16x2 mm tube", "17x2 mm tube", "20x2 mm tube"}));
    QStringList sixteen;
    for (int i = 0; i < found[0]->parent()->childCount(); ++i)
        sixteen << found[0]->parent()->child(i)->text(0);
    EXPECT_EQ(sixteen, QStringList({"Vexalon FH-W16", "Vexalon FH-W16-45", "Vexalon FH-W16-65"}));
}
