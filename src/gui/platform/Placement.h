#pragma once
// Dialogs reopen where, and as large as, they were last closed.
class QWidget;

namespace kalorina::gui {

// Call after the dialog is built and before it is shown; `sizeable` false keeps the
// designed size and only moves the dialog.
void RestoreFormPlacement(QWidget* form, bool sizeable = true);
void SaveFormPlacement(QWidget* form);

// A stored placement is used only when the window would show on one of today's
// screens with a sane size: a damaged value or a screen that is gone must not put a
// window out of reach.
bool PlacementFits(int left, int top, int width, int height);

} // namespace kalorina::gui
