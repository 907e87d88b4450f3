#pragma once
// Small pieces every dialog is built from: controls carrying their names (the
// contract with language files and tests), the modal run with the dialog's stored
// placement around it, and the one-panel status bar.
#include <QString>

class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QWidget;

namespace kalorina::gui {

QLabel* NamedLabel(const char* name, const QString& text, QWidget* parent = nullptr);
QLineEdit* NamedEdit(const char* name, QWidget* parent = nullptr);
QPushButton* NamedButton(const char* name, const QString& text, QWidget* parent = nullptr);
QStatusBar* NamedStatusBar(QWidget* parent = nullptr);

// Restores the placement stored under the dialog's object name, runs it modally and
// stores the placement again; the dialog's result.
int ExecWithPlacement(QDialog& dialog, bool sizeable = true);

} // namespace kalorina::gui
