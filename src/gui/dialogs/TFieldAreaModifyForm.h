#pragma once
// Sets the area of a room field that a circuit takes, up to what is still free.
#include <QDialog>

#include "app/FieldEditor.h"
#include "platform/Services.h"

class QLabel;
class QLineEdit;
class QStatusBar;

namespace kalorina::gui {

class TFieldAreaModifyForm : public QDialog {
    Q_OBJECT
public:
    // Works on `part` directly: the typed area is stored in it on OK.
    TFieldAreaModifyForm(FloorHeatingRoundField& part, double maximum, QWidget* parent = nullptr);

    QLineEdit* Area = nullptr;
    QLabel* AreaMax = nullptr;
    QStatusBar* StatusBar = nullptr;

public slots:
    void accept() override;

private:
    FieldAreaEditor editor_;
};

// The area question of AssignField as the program asks it.
bool AskCircuitFieldArea(FloorHeatingRoundField& part, double maximum, QWidget* parent);

} // namespace kalorina::gui
