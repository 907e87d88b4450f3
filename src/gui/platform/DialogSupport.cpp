#include "platform/DialogSupport.h"

#include <algorithm>

#include <QComboBox>
#include <QCompleter>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>

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

int EditWidthFor(const QLineEdit* edit, const QString& longest)
{
    const QFontMetrics metrics(edit->font());
    const QMargins margins = edit->textMargins();
    const int frame = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit) : 0;
    // The edit's own inner margin (two pixels each side) and room for the cursor.
    return metrics.horizontalAdvance(longest) + margins.left() + margins.right() + 2 * frame + 4
        + metrics.averageCharWidth();
}

QLineEdit* FitEditTo(QLineEdit* edit, const QString& longest)
{
    edit->setMinimumWidth(std::max(edit->minimumWidth(), EditWidthFor(edit, longest)));
    return edit;
}

void KeepTypedCase(QComboBox* combo)
{
    if (QCompleter* completer = combo->completer())
        completer->setCaseSensitivity(Qt::CaseSensitive);
}

int ExecWithPlacement(QDialog& dialog, bool sizeable)
{
    RestoreFormPlacement(&dialog, sizeable);
    const int result = dialog.exec();
    SaveFormPlacement(&dialog);
    return result;
}

} // namespace kalorina::gui
