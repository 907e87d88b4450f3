#include "platform/DialogSupport.h"

#include <algorithm>

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>

#include "platform/Placement.h"

namespace kalorina::gui {

QLabel* WithRoomForAccents(QLabel* label)
{
    label->setContentsMargins(0, 3, 0, 1);
    return label;
}

QLabel* NamedLabel(const char* name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QLineEdit* NamedEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QPushButton* NamedButton(const char* name, const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QStatusBar* NamedStatusBar(QWidget* parent)
{
    auto* bar = new QStatusBar(parent);
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->setSizeGripEnabled(false);
    return bar;
}

void ShowWholeMessage(QWidget* dialog, QStatusBar* bar, const QString& text)
{
    bar->showMessage(text);
    // The margins of the bar and the dialog around the message's own width.
    int wanted = bar->fontMetrics().horizontalAdvance(text) + 40;
    if (const QScreen* screen = dialog->screen())
        wanted = std::min(wanted, screen->availableGeometry().width());
    if (dialog->width() < wanted) {
        dialog->resize(wanted, dialog->height());
    }
}

int ExecWithPlacement(QDialog& dialog, bool sizeable)
{
    RestoreFormPlacement(&dialog, sizeable);
    const int result = dialog.exec();
    SaveFormPlacement(&dialog);
    return result;
}

} // namespace kalorina::gui
