#pragma once
// The program's file dialogs, shown over the active window.
#include <string>

#include "platform/Dialogs.h"

namespace kalorina::gui {

class QtFileDialog : public FileDialogService {
public:
    std::string Run(const FileDialogRequest& request) override;
    FileDialogChoice Choose(const FileDialogRequest& request) override;
};

// "Caption (*.klp)|*.klp|..." → Qt's "Caption (*.klp);;...".
std::string QtFilterFromPairs(const std::string& pairs);
// The extension of a Qt name filter's first pattern: "CSV (*.csv)" → "csv"; empty for "*" or "*.*".
std::string FirstFilterExtension(const std::string& qtFilter);

} // namespace kalorina::gui
