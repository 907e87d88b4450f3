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
    EXPECT_EQ(found[0]->parent()->text(0), QStringLiteral("Wet systems"));
}
