#pragma once
// Row lookups the dialogs' tree lists share.
#include <functional>

class QTreeWidget;
class QTreeWidgetItem;

namespace kalorina::gui {

// The index of the current top-level row when it is selected, otherwise -1.
int SelectedTopLevelRow(const QTreeWidget* tree);
// The top-level row at `row`; null when there is none.
QTreeWidgetItem* TopLevelRow(const QTreeWidget* tree, int row);
// The first item of the subtree under `item` (itself included, depth first) that
// `match` accepts; null when none does.
QTreeWidgetItem* FindInSubtree(QTreeWidgetItem* item, const std::function<bool(const QTreeWidgetItem*)>& match);

} // namespace kalorina::gui
