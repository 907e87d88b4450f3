#pragma once
// How every dialog of the program is built.
//
//  * An editor class in core/app (no Qt) owns the working copy of what the dialog
//    edits.  Its operations take inputs already parsed (numbers as double, choices
//    as indices or names) and it offers View(): a plain struct of the texts (code
//    page 1250) and flags the dialog shows.  Commit() checks what is left to check,
//    raises a KalorinaError carrying the looked-up IDS_ text when it refuses, and
//    otherwise hands the working copy over.  The rules live here and are unit-tested.
//  * The QDialog in src/gui builds named controls (objectName = the control's name;
//    language files and tests find them by it), shows View(), reads edits with
//    NumberFromControl / IntegerFromControl (which focus the bad edit and raise the
//    IDS_WRONGVALUE error), calls the editor, and reports a failure through the
//    injected MessageService (gui/platform/Services.h) or its status bar.  Its slots
//    stay a few lines long.
#include <string>

namespace kalorina {

// Raises a KalorinaError with the text of `id` in the active language (a built-in
// English text where the language has none).
[[noreturn]] void RaiseText(const std::string& id);

// A whole number typed into a dialog (blanks around it allowed); anything else
// raises the IDS_WRONGVALUE error.
int ParseInteger(const std::string& text);

} // namespace kalorina
