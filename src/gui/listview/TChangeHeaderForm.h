#pragma once
// The column setup of a list or report: order, visibility, width, alignment,
// number format and a custom caption with a factor per column.  The rules are those
// of ColumnSetupEditor; this window shows its view and hands it the typed values.
#include <QDialog>
#include <string>

#include "app/ColumnSetupEditor.h"
#include "platform/Services.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kalorina::gui {

class THeaderPreview;

class TChangeHeaderForm : public QDialog {
    Q_OBJECT
public:
    TChangeHeaderForm(TListHeaderFormat& format, const QFont& font, std::string registryName, std::string productKey,
                      const Services& services, QWidget* parent = nullptr);

    int SelectedEntry() const { return editor_.View().current; }

public slots:
    void accept() override;
    void reject() override;

private:
    void BuildControls(const QFont& font);
    // Shows the editor's view: the list entries and the selected column.
    void ShowView();
    void UpdateEnabling();
    // The selected column's controls, parsed; raises the IDS_WRONGVALUE error.
    ColumnInput ReadInput() const;
    void SelectionChanged(int entry);
    void Move(int delta);

    ColumnSetupEditor editor_;
    Services services_;
    bool showing_ = false;

    QListWidget* columnsList_ = nullptr;
    QPushButton* moveUp_ = nullptr;
    QPushButton* moveDown_ = nullptr;
    QLineEdit* width_ = nullptr;
    QGroupBox* titleAlignment_ = nullptr;
    QGroupBox* dataAlignment_ = nullptr;
    QGroupBox* numberPropertis_ = nullptr;
    QCheckBox* showZero_ = nullptr;
    QLineEdit* precision_ = nullptr;
    QLineEdit* digits_ = nullptr;
    QGroupBox* floatFormat_ = nullptr;
    QCheckBox* userDefined_ = nullptr;
    QLineEdit* firstLine_ = nullptr;
    QLineEdit* secondLine_ = nullptr;
    QLineEdit* factor_ = nullptr;
    THeaderPreview* viewPanel_ = nullptr;
};

} // namespace kalorina::gui
