#pragma once
// Reading numbers typed into dialogs.  Each edit stands for a kind of input with
// its range (util/InputRange.h); a bad number names the field by the caption beside
// it and says what is allowed.  The edit that holds it keeps its text, gets the
// focus with the text selected, so the user can correct it at once, and the failure
// passes on to the dialog.
#include <string>

#include "util/InputRange.h"
#include "util/ParseNumber.h"

class QLabel;
class QLineEdit;
class QWidget;

namespace kalorina::gui {

// The caption of the field `control` stands for, as a message names it: the text of
// the label that is its buddy or stands before it in its layout (without the
// accelerator and the closing colon); code page 1250.
std::string FieldName(const QWidget* control);

double NumberFromControl(QLineEdit* edit, InputKind kind);
int IntegerFromControl(QLineEdit* edit, InputKind kind);
// The refusal of `kind` for `control`: it gets the focus, and the message names it.
[[noreturn]] void RefuseControl(QWidget* control, InputKind kind);
// Makes `edit` wide enough for the longest number of `kind` it may take.
QLineEdit* FitNumberEdit(QLineEdit* edit, InputKind kind);
long double NumberFromLabel(const QLabel* label, NumberKind kind = NumberKind::Any);

} // namespace kalorina::gui
