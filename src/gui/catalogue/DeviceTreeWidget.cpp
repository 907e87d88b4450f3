#include "catalogue/DeviceTreeWidget.h"

#include <QTreeWidget>

#include "platform/QtText.h"

namespace kalorina::gui {

namespace {
void AddChildren(QTreeWidgetItem* parent, const DeviceTreeNode& node)
{
    for (const DeviceTreeNode& child : node.children) {
        auto* item = new QTreeWidgetItem(parent, QStringList{Q(child.text)});
        item->setData(0, Qt::UserRole, child.tag);
        AddChildren(item, child);
    }
}
} // namespace

void FillDeviceTreeWidget(QTreeWidget* tree, const DeviceTreeNode& root)
{
    tree->clear();
    auto* top = new QTreeWidgetItem(tree, QStringList{Q(root.text)});
    top->setData(0, Qt::UserRole, root.tag);
    AddChildren(top, root);
    tree->expandAll();
}

int DeviceTreeTag(const QTreeWidgetItem* item)
{
    return item ? item->data(0, Qt::UserRole).toInt() : 0;
}

} // namespace kalorina::gui
