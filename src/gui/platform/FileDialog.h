#pragma once
// File dialogs of the program, with a hook that answers the next one in tests.
#include <deque>
#include <string>

#include "platform/Dialogs.h"

class QWidget;

namespace kalorina::gui {

class FileDialog : public FileDialogService {
public:
    static FileDialog& Instance();
    std::string Run(const FileDialogRequest& request) override;

    // The next dialog returns this path (an empty one means cancel) without showing.
    static void setNextFileName(const std::string& path);
    static void clearNextFileNames();
    // Headless runs: a dialog with no queued name is cancelled instead of shown.
    static void setNonInteractive(bool on);
    static int shownCount();
    void setParent(QWidget* parent) { parent_ = parent; }

private:
    QWidget* parent_ = nullptr;
    std::deque<std::string> next_;
    bool nonInteractive_ = false;
    int shown_ = 0;
};

// "Caption (*.klp)|*.klp|..." → Qt's "Caption (*.klp);;...".
std::string QtFilterFromPairs(const std::string& pairs);

} // namespace kalorina::gui
