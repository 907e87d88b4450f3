#pragma once
// Message boxes of the program.  Tests queue the next answers so that no modal box
// ever blocks them; what was shown is kept for inspection.
#include <QString>
#include <deque>
#include <string>

#include "platform/Dialogs.h"

class QWidget;

namespace kalorina::gui {

class MessageBox : public MessageService {
public:
    static MessageBox& Instance();

    MessageAnswer Show(MessageKind kind, const std::string& title, const std::string& text) override;

    // The answer the next box gives without being shown.
    static void setNextAnswer(MessageAnswer answer);
    static void clearNextAnswers();
    // Headless runs: a box with no queued answer is not shown but answered with its
    // safest answer (Cancel, No or OK), so nothing can wait for a click that never comes.
    static void setNonInteractive(bool on);
    // The last text shown (or answered by the hook), code page 1250.
    static std::string lastText();
    static int shownCount();

    void setParent(QWidget* parent) { parent_ = parent; }

private:
    QWidget* parent_ = nullptr;
    std::deque<MessageAnswer> next_;
    bool nonInteractive_ = false;
    std::string lastText_;
    int shown_ = 0;
};

} // namespace kalorina::gui
