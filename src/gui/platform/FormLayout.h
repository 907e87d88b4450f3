#pragma once
// Layout pieces several dialogs share: captioned grid rows with a unit beside the
// field, and the OK / Cancel / Help buttons.  Object names stay the callers' own.
#include <QString>

class QDialog;
class QDialogButtonBox;
class QGridLayout;
class QHBoxLayout;
class QPushButton;
class QWidget;

namespace kalorina::gui {

// Fills a grid row after row: a named caption in column 0, the field in column 1 and
// whatever belongs after it (a unit, a mode combo, a button) in column 2.
class GridRows {
public:
    explicit GridRows(QGridLayout* grid, int firstRow = 0) : grid_(grid), row_(firstRow) {}
    // The unit is a plain, unnamed label; it is added even when empty so the
    // columns keep their place.
    void Add(const char* name, const QString& caption, QWidget* field, const QString& unit);
    void Add(const char* name, const QString& caption, QWidget* field, QWidget* after);
    // One widget across all three columns.
    void Span(QWidget* widget);
    int Row() const { return row_; }

private:
    QGridLayout* grid_;
    int row_;
};

// The three buttons every editing dialog closes with.  OK is the default button,
// Cancel rejects the dialog, Help (and F1) opens `helpTopic`; what OK does is the
// caller's.
struct DialogButtons {
    QPushButton* ok;
    QPushButton* cancel;
    QPushButton* help;
};
struct DialogButtonNames {
    const char* ok = "OKButton";
    const char* cancel = "CancelButton";
    const char* help = "HelpButton";
};
DialogButtons MakeDialogButtons(QDialog* dialog, int helpTopic, const QString& cancelText,
                                const DialogButtonNames& names = {});
// The buttons in a dialog button box (platform order) ...
QDialogButtonBox* ButtonBox(const DialogButtons& buttons);
// ... or right-aligned in a row, in the order OK, Cancel, Help.
QHBoxLayout* ButtonRow(const DialogButtons& buttons);

} // namespace kalorina::gui
