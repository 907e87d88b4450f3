#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/QtText.h"

namespace kalorina::gui {

MessageAnswer QtMessageBox::Show(MessageKind kind, const std::string& title, const std::string& text)
{
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    QMessageBox box(parent);
    box.setWindowTitle(Q(title));
    box.setText(Q(text));
    switch (kind) {
    case MessageKind::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageKind::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageKind::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageKind::QuestionYesNo:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        break;
    case MessageKind::QuestionYesNoCancel:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        return kind == MessageKind::QuestionYesNoCancel ? MessageAnswer::Cancel
            : kind == MessageKind::QuestionYesNo        ? MessageAnswer::No
                                                        : MessageAnswer::Ok;
    }
}

} // namespace kalorina::gui
