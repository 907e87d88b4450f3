#pragma once
// The column setup of a list or report: order, visibility, width, alignment,
// number format and a custom caption with a factor per column.  It edits the
// format in place and puts it back on Cancel.
#include <QDialog>
#include <string>

#include "listview/TListHeaderFormat.h"

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
    TChangeHeaderForm(TListHeaderFormat& format, const QFont& font, std::string registryName,
                      std::string productKey, QWidget* parent = nullptr);

    int SelectedEntry() const { return current_; }

public slots:
    void accept() override;
    void reject() override;

private:
    void BuildControls(const QFont& font);
    void FillList();
    void UpdateEntryText(int entry);
    void LoadColumn(int entry);
    // Raises a KalorinaError when a number field is not an integer.
    void StoreColumn(int entry);
    void SelectionChanged(int entry);
    void Move(int delta);
    void UpdateMoveButtons();
    void UpdateEnabling();
    void ShowMessage(const std::string& text);

    TListHeaderFormat& format_;
    const TListHeaderFormat saved_;
    const std::string registryName_;
    const std::string productKey_;
    int current_ = -1;

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
