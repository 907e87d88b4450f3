#pragma once
// The main window's tree of rooms and circuits, which can hand a name still being
// typed to the program before a command runs.
#include <QTreeWidget>

namespace kalorina::gui {

class TItemsTree : public QTreeWidget {
    Q_OBJECT
public:
    using QTreeWidget::QTreeWidget;

    // Takes the text of an open name editor, as leaving it would, and closes the
    // editor; false when no editor was open.
    bool CommitOpenEditor();
    // A name editor is open.
    bool Editing() const { return state() == QAbstractItemView::EditingState; }
    // Opens the name editor of `item` with `text` in it, all selected.
    void EditWithText(QTreeWidgetItem* item, const QString& text);
};

} // namespace kalorina::gui
