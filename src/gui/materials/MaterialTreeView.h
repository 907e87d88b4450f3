#pragma once
// The check tree of the bill of materials, shared by its printing and export
// dialogs: kind groups, catalogue items and rows, in the list font.  The check marks
// only show the choice; a double click on a row changes it, and with Shift held a
// double click changes a whole group instead of opening or closing it.
#include <QTreeWidget>
#include <vector>

#include "materials/MaterialTree.h"

namespace kalorina::gui {

class MaterialTreeView : public QTreeWidget {
    Q_OBJECT
public:
    explicit MaterialTreeView(QWidget* parent = nullptr);

    void Fill(const std::vector<MaterialTreeNode>& nodes);
    void ShowStates(const std::vector<MaterialTreeNode>& nodes);
    // Indices from the top level down to `item`.
    std::vector<int> PathOf(QTreeWidgetItem* item) const;

    // Whether Shift was held at the mouse press before the double click.
    bool shiftPressed = false;

signals:
    void NodeDoubleClicked(const std::vector<int>& path, bool shift);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace kalorina::gui
