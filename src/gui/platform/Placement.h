#pragma once
// Dialogs reopen where, and as large as, they were last closed.
class QWidget;

namespace kalorina::gui {

// Call after the dialog is built and before it is shown; `sizeable` false keeps the
// designed size and only moves the dialog.
void RestoreFormPlacement(QWidget* form, bool sizeable = true);
void SaveFormPlacement(QWidget* form);

} // namespace kalorina::gui
