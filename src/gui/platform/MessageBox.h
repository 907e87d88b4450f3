#pragma once
// The program's message boxes, shown over the active window.
#include "platform/Dialogs.h"

namespace kalorina::gui {

class QtMessageBox : public MessageService {
public:
    MessageAnswer Show(MessageKind kind, const std::string& title, const std::string& text) override;
};

} // namespace kalorina::gui
