#pragma once
// Asks for the page the preview should show.
#include <QDialog>

#include "app/PrintingEditor.h"
#include "platform/Dialogs.h"

class QLineEdit;
class QPushButton;
class QSpinBox;

namespace kalorina::gui {

class TGotoPageForm : public QDialog {
    Q_OBJECT
public:
    TGotoPageForm(GotoPageEditor& editor, MessageService& messages, QWidget* parent = nullptr);

    QLineEdit* PageNumber = nullptr;
    QSpinBox* PageUpDown = nullptr;
    QPushButton* OK = nullptr;
    QPushButton* Cancel = nullptr;

public slots:
    void accept() override;

private:
    GotoPageEditor& editor_;
    MessageService& messages_;
};

} // namespace kalorina::gui
