#include "app/TItemsTree.h"

#include <QLineEdit>

namespace kalorina::gui {

namespace {
QLineEdit* OpenEditor(const QTreeWidget& tree)
{
    for (QLineEdit* edit : tree.viewport()->findChildren<QLineEdit*>())
        if (edit->isVisible())
            return edit;
    return nullptr;
}
} // namespace

bool TItemsTree::CommitOpenEditor()
{
    if (state() != QAbstractItemView::EditingState)
        return false;
    QLineEdit* editor = OpenEditor(*this);
    if (!editor)
        return false;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    return true;
}

void TItemsTree::EditWithText(QTreeWidgetItem* item, const QString& text)
{
    setCurrentItem(item);
    editItem(item, 0);
    if (QLineEdit* editor = OpenEditor(*this)) {
        editor->setText(text);
        editor->selectAll();
    }
}

} // namespace kalorina::gui
