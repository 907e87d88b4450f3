#pragma once
// Taking an architect's DXF drawing into a floor of the plan: the drawing's layers
// listed, the one whose closed polylines are the rooms chosen, the unit chosen with
// the size the drawing then has, the floor named.  The dialog only chooses; the
// import itself is one change of the project.
#include <QDialog>

#include "plan/DxfReader.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace kalorina::gui {

class DxfImportDialog : public QDialog {
    Q_OBJECT
public:
    DxfImportDialog(plan::DxfDrawing drawing, const QString& floor, QWidget* parent = nullptr);

    std::string Layer() const;
    plan::DxfUnit Unit() const;
    std::string FloorName() const;

    QListWidget* Layers = nullptr;
    QComboBox* Units = nullptr;
    QLineEdit* Floor = nullptr;
    QLabel* Size = nullptr;

private:
    // The closed polylines on the chosen layer and the drawing's size in the unit.
    void ShowSize();
    plan::DxfDrawing drawing_;
};

} // namespace kalorina::gui
