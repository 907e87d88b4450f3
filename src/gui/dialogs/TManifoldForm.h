#pragma once
// The manifold dialog: its name, where it sits, and the spread and highest supply
// temperature its design keeps to.  A refused entry is told in a message and the
// dialog stays open with what was typed.
#include <QDialog>

#include "app/ManifoldEditor.h"
#include "platform/Services.h"

class QLineEdit;

namespace kalorina::gui {

class TManifoldForm : public QDialog {
    Q_OBJECT
public:
    TManifoldForm(ManifoldEditor& editor, const Services& services, QWidget* parent = nullptr);

    QLineEdit *ManifoldNameEdit = nullptr, *LocationEdit = nullptr, *DesignSpreadEdit = nullptr,
              *MaxSupplyEdit = nullptr;

    void OKClick();

private:
    ManifoldEditor& editor_;
    Services services_;
};

// Runs the dialog on `editor`; true when it was committed.
bool EditManifoldInDialog(ManifoldEditor& editor, const Services& services, QWidget* parent);

} // namespace kalorina::gui
