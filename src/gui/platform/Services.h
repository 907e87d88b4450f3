#pragma once
// The platform services a window uses, handed to it when it is built.  The program
// passes SystemServices(); tests pass their own scripted ones.  Windows hand the
// same set on to the dialogs they open.
#include <string>

#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "platform/Documents.h"
#include "util/Error.h"

namespace kalorina::gui {

struct Services {
    MessageService* messages = nullptr;
    FileDialogService* files = nullptr;
    ClipboardService* clipboard = nullptr;
    DocumentService* documents = nullptr;
};

// Message boxes, file dialogs, the clipboard and the desktop's document opener of the
// running program.  The boxes and dialogs centre on the active window.
Services SystemServices();

// A failure shown the program's way: titled with IDS_PROGRAMTITLE, exclamation icon.
void ShowFailure(const Services& services, const std::string& text);
// A Yes/No question (question icon, No as the safe default); true for Yes.
bool AskYesNo(const Services& services, const std::string& text);
// Runs `work`; a KalorinaError it throws is shown as a failure.  True when it ran through.
template <class Work>
bool RunOrShowFailure(const Services& services, Work&& work)
{
    try {
        work();
    } catch (const KalorinaError& e) {
        ShowFailure(services, e.what());
        return false;
    }
    return true;
}

} // namespace kalorina::gui
