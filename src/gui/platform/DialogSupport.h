#pragma once
// Small pieces every dialog is built from: controls carrying their names (the
// contract with language files and tests), the modal run with the dialog's stored
// placement around it, and the one-panel status bar.
#include <QString>

class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QWidget;

namespace kalorina::gui {

QLabel* NamedLabel(const char* name, const QString& text, QWidget* parent = nullptr);
// The accents of capitals (the dots of "Össz") rise above the font's ascent; a row
// of labels alone is no taller than the font and would cut them off.  Gives the
// label that room and returns it.
QLabel* WithRoomForAccents(QLabel* label);
QLineEdit* NamedEdit(const char* name, QWidget* parent = nullptr);
QPushButton* NamedButton(const char* name, const QString& text, QWidget* parent = nullptr);
QStatusBar* NamedStatusBar(QWidget* parent = nullptr);
// Shows `text` in the dialog's status bar and widens a narrow dialog (up to the
// screen) so that the whole message can be read.
void ShowWholeMessage(QWidget* dialog, QStatusBar* bar, const QString& text);

// The width `edit` needs to show `longest` whole in its own font, frame and margins
// included; FitEditTo makes that its minimum width, so no layout squeezes the edit
// below it.
int EditWidthFor(const QLineEdit* edit, const QString& longest);
QLineEdit* FitEditTo(QLineEdit* edit, const QString& longest);
// An editable combo takes a list entry for what was typed only when the case agrees
// too: leaving "nappali" must not rewrite it as the entry "Nappali".
void KeepTypedCase(QComboBox* combo);

// Handlers that run when an edit is left must not run again while one of them moves
// the focus to a bad entry: with two bad edits they would hand the focus back and
// forth for ever.  A handler runs only when Enter() says so.
class LeaveGuard {
public:
    bool Enter() { return !active_; }
    struct Scope {
        explicit Scope(LeaveGuard& g) : guard(g) { guard.active_ = true; }
        ~Scope() { guard.active_ = false; }
        LeaveGuard& guard;
    };

private:
    bool active_ = false;
};

// Restores the placement stored under the dialog's object name, runs it modally and
// stores the placement again; the dialog's result.
int ExecWithPlacement(QDialog& dialog, bool sizeable = true);

} // namespace kalorina::gui
