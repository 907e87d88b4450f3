#include "materials/MaterialTreeView.h"

#include <QHeaderView>
#include <QMouseEvent>

#include "platform/FontAttributes.h"
#include "platform/QtText.h"

namespace kalorina::gui {

namespace {
Qt::CheckState CheckStateOf(int state)
{
    return state == MaterialTreeNode::kChecked ? Qt::Checked
        : state == MaterialTreeNode::kPartly   ? Qt::PartiallyChecked
                                               : Qt::Unchecked;
}

void AddNodes(QTreeWidgetItem* parent, QTreeWidget* tree, const std::vector<MaterialTreeNode>& nodes)
{
    for (const auto& node : nodes) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
        item->setText(0, Q(node.text));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        AddNodes(item, tree, node.children);
    }
}

void ShowNodeStates(QTreeWidgetItem* item, const MaterialTreeNode& node)
{
    item->setCheckState(0, CheckStateOf(node.state));
    for (int i = 0; i < item->childCount() && i < static_cast<int>(node.children.size()); ++i)
        ShowNodeStates(item->child(i), node.children[i]);
}
} // namespace

MaterialTreeView::MaterialTreeView(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("ItemView"));
    setHeaderHidden(true);
    setMinimumSize(420, 260);
    QFont listFont = font();
    ApplyToFont(ListFontAttributes::LoadFontAttributes(FontKind::List), listFont);
    setFont(listFont);
    viewport()->installEventFilter(this);
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (item)
            emit NodeDoubleClicked(PathOf(item), shiftPressed);
    });
}

void MaterialTreeView::Fill(const std::vector<MaterialTreeNode>& nodes)
{
    clear();
    AddNodes(nullptr, this, nodes);
    ShowStates(nodes);
}

void MaterialTreeView::ShowStates(const std::vector<MaterialTreeNode>& nodes)
{
    for (int i = 0; i < topLevelItemCount() && i < static_cast<int>(nodes.size()); ++i)
        ShowNodeStates(topLevelItem(i), nodes[i]);
}

std::vector<int> MaterialTreeView::PathOf(QTreeWidgetItem* item) const
{
    std::vector<int> path;
    for (; item; item = item->parent())
        path.insert(path.begin(), item->parent() ? item->parent()->indexOfChild(item) : indexOfTopLevelItem(item));
    return path;
}

bool MaterialTreeView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == viewport()
        && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        shiftPressed = static_cast<QMouseEvent*>(event)->modifiers() & Qt::ShiftModifier;
        // While Shift is held a double click chooses a group instead of opening it.
        setExpandsOnDoubleClick(!shiftPressed);
    }
    return QTreeWidget::eventFilter(watched, event);
}

} // namespace kalorina::gui
