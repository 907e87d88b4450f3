#include "platform/MessageBox.h"

#include <QMessageBox>

#include "platform/QtText.h"

namespace kalorina::gui {

MessageBox& MessageBox::Instance()
{
    static MessageBox box;
    return box;
}

void MessageBox::setNextAnswer(MessageAnswer answer) { Instance().next_.push_back(answer); }
void MessageBox::clearNextAnswers() { Instance().next_.clear(); }
void MessageBox::setNonInteractive(bool on) { Instance().nonInteractive_ = on; }
std::string MessageBox::lastText() { return Instance().lastText_; }
int MessageBox::shownCount() { return Instance().shown_; }

MessageAnswer MessageBox::Show(MessageKind kind, const std::string& title, const std::string& text)
{
    lastText_ = text;
    ++shown_;
    if (!next_.empty()) {
        MessageAnswer a = next_.front();
        next_.pop_front();
        return a;
    }
    if (nonInteractive_)
        return kind == MessageKind::QuestionYesNoCancel ? MessageAnswer::Cancel
             : kind == MessageKind::QuestionYesNo       ? MessageAnswer::No
                                                        : MessageAnswer::Ok;
    QMessageBox box(parent_);
    box.setWindowTitle(Q(title));
    box.setText(Q(text));
    switch (kind) {
    case MessageKind::Warning: box.setIcon(QMessageBox::Warning); break;
    case MessageKind::Information: box.setIcon(QMessageBox::Information); break;
    case MessageKind::Error: box.setIcon(QMessageBox::Critical); break;
    case MessageKind::QuestionYesNo:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MessageKind::QuestionYesNoCancel:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Cancel: return MessageAnswer::Cancel;
    default: return kind == MessageKind::QuestionYesNoCancel ? MessageAnswer::Cancel
                    : kind == MessageKind::QuestionYesNo   ? MessageAnswer::No
                                                           : MessageAnswer::Ok;
    }
}

} // namespace kalorina::gui
