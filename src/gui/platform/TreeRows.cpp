#include "platform/TreeRows.h"
#include <QTreeWidget>

namespace kalorina::gui {

int SelectedTopLevelRow(const QTreeWidget* tree)
{
    auto* item = tree->currentItem();
    return item && item->isSelected() ? tree->indexOfTopLevelItem(item) : -1;
}

QTreeWidgetItem* TopLevelRow(const QTreeWidget* tree, int row)
{
    return row >= 0 && row < tree->topLevelItemCount() ? tree->topLevelItem(row) : nullptr;
}

QTreeWidgetItem* FindInSubtree(QTreeWidgetItem* item, const std::function<bool(const QTreeWidgetItem*)>& match)
{
    if (match(item))
        return item;
    for (int i = 0; i < item->childCount(); ++i)
        if (auto* found = FindInSubtree(item->child(i), match))
            return found;
    return nullptr;
}

} // namespace kalorina::gui
