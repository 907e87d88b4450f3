#pragma once
// The descriptive data of the open project: building, customer, designer, comment
// and date.  Every text is accepted; OK marks the project modified.
#include <QDialog>

#include "app/ProgramOptionsEditor.h"

class QLineEdit;
class QPlainTextEdit;

namespace kalorina::gui {

class TProjektDataForm : public QDialog {
    Q_OBJECT
public:
    explicit TProjektDataForm(TProject& project, QWidget* parent = nullptr);

    QPlainTextEdit *Address = nullptr, *Customer = nullptr, *Planer = nullptr, *Comment = nullptr;
    QLineEdit* Date = nullptr;

public slots:
    void accept() override;

private:
    ProjectDataEditor editor_;
};

} // namespace kalorina::gui
