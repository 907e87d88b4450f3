#include "dialogs/TTreeForComboForm.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/TypeChooser.h"
#include "platform/QtFormTranslator.h"
#include "platform/QtText.h"
#include "platform/TreeRows.h"

namespace kalorina::gui {

namespace {

constexpr int kItemRole = Qt::UserRole; // combo index + 1; 0 for a group node

void AddNodes(QTreeWidget* tree, QTreeWidgetItem* parent, const std::vector<ComboTreeNode>& nodes)
{
    for (const ComboTreeNode& node : nodes) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
        item->setText(0, Q(node.text));
        item->setData(0, kItemRole, node.item + 1);
        AddNodes(tree, item, node.children);
    }
}

} // namespace

TTreeForComboForm::TTreeForComboForm(QComboBox* combo, QWidget* parent) : QDialog(parent), combo_(combo)
{
    setObjectName(QStringLiteral("TreeForComboForm"));
    setWindowTitle(QString::fromUtf8("Típusválaszték"));
    TreeView = new QTreeWidget;
    TreeView->setObjectName(QStringLiteral("TreeView"));
    TreeView->setHeaderHidden(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(TreeView);
    TranslateForm(this);

    std::vector<std::string> items;
    for (int i = 0; i < combo->count(); ++i)
        items.push_back(Cp(combo->itemText(i)));
    std::vector<ComboTreeNode> nodes = BuildComboTree(items);
    SortComboTree(nodes);
    AddNodes(TreeView, nullptr, nodes);

    const int current = combo->findText(combo->currentText(), Qt::MatchExactly);
    QTreeWidgetItem* leaf = nullptr;
    for (int i = 0; current >= 0 && !leaf && i < TreeView->topLevelItemCount(); ++i)
        leaf = FindInSubtree(TreeView->topLevelItem(i), [marker = current + 1](const QTreeWidgetItem* item) {
            return item->data(0, kItemRole).toInt() == marker;
        });
    if (leaf) {
        TreeView->setCurrentItem(leaf);
        TreeView->scrollToItem(leaf);
    } else if (TreeView->topLevelItemCount() == 1) {
        TreeView->topLevelItem(0)->setExpanded(true);
    }
    TreeView->installEventFilter(this);
    connect(TreeView, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* node) { Choose(node); });

    // Just below the combo, or above it when the screen ends first.
    resize(std::max(combo->width(), 260), 300);
    const QPoint below = combo->mapToGlobal(QPoint(0, combo->height()));
    int top = below.y();
    if (QScreen* screen = combo->screen())
        if (top + height() > screen->availableGeometry().bottom())
            top = combo->mapToGlobal(QPoint(0, 0)).y() - height();
    move(below.x(), top);
}

void TTreeForComboForm::Choose(QTreeWidgetItem* node)
{
    const int marker = node ? node->data(0, kItemRole).toInt() : 0;
    if (marker <= 0)
        return;
    combo_->setCurrentIndex(marker - 1);
    accept();
}

bool TTreeForComboForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == TreeView && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            Choose(TreeView->currentItem());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool ChooseFromTree(QComboBox* combo)
{
    if (combo->count() == 0)
        return false;
    TTreeForComboForm form(combo, combo->window());
    return form.exec() == QDialog::Accepted;
}

} // namespace kalorina::gui
