#pragma once
// Shows a catalogue folder tree in a tree widget; items keep their kind tag in
// Qt::UserRole so that choosing one can tell it from a folder.
#include "catalogue/DeviceTreeNode.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace kalorina::gui {

void FillDeviceTreeWidget(QTreeWidget* tree, const DeviceTreeNode& root);
// The tag of a node (0 for the root and folders).
int DeviceTreeTag(const QTreeWidgetItem* item);

} // namespace kalorina::gui
