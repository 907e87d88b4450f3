#pragma once
// Reading numbers typed into dialogs: the edit that holds a bad number gets the
// focus, so the user can correct it at once; the failure passes on to the dialog.
#include "document/ParseNumber.h"

class QLabel;
class QLineEdit;

namespace kalorina::gui {

long double NumberFromControl(QLineEdit* edit, NumberKind kind = NumberKind::Any);
// A whole number; a bad one focuses the edit and raises the IDS_WRONGVALUE error.
int IntegerFromControl(QLineEdit* edit);
long double NumberFromLabel(const QLabel* label, NumberKind kind = NumberKind::Any);

} // namespace kalorina::gui
