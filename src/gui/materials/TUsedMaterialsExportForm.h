#pragma once
// The export dialog of the bill of materials: all rows or the chosen ones, chosen in
// a check tree (a double click on a row; with Shift held, on a whole group), then the
// clipboard (OK) or a file.
#include <QDialog>
#include <vector>

#include "app/UsedMaterialsExport.h"
#include "platform/Services.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace kalorina::gui {

class MaterialTreeView;

class TUsedMaterialsExportForm : public QDialog {
    Q_OBJECT
public:
    TUsedMaterialsExportForm(UsedMaterialsExportEditor& editor, const Services& services, QWidget* parent = nullptr);

    QRadioButton *AllButton = nullptr, *SelectedButton = nullptr;
    MaterialTreeView* ItemView = nullptr;
    QLabel *HintLabel = nullptr, *WarningLabel = nullptr;
    QPushButton *OK = nullptr, *Cancel = nullptr, *SaveButton = nullptr;

private:
    void ShowView();
    // Marks the rows to export; false, after saying why, when none is chosen.
    bool CommitChosen();
    void OKClick();
    void SaveButtonClick();

    UsedMaterialsExportEditor& editor_;
    Services services_;
};

} // namespace kalorina::gui
