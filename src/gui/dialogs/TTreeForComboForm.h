#pragma once
// The type chooser: a combo box's items as a tree of their shared leading words,
// opened beside the combo; choosing a leaf selects that item in the combo.
#include <QDialog>

class QComboBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace kalorina::gui {

class TTreeForComboForm : public QDialog {
    Q_OBJECT
public:
    explicit TTreeForComboForm(QComboBox* combo, QWidget* parent = nullptr);

    QTreeWidget* TreeView = nullptr;

    // A leaf sets the combo's item and closes with OK; a group node does nothing.
    void Choose(QTreeWidgetItem* node);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* combo_;
};

// Opens the chooser for `combo` when it has items; true when an item was chosen.
bool ChooseFromTree(QComboBox* combo);

} // namespace kalorina::gui
