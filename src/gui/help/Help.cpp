#include "help/Help.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QShortcut>

#include "app/AppPaths.h"
#include "catalogue/CatalogueTexts.h"
#include "help/HelpWindow.h"
#include "lang/TLanguages.h"
#include "util/ProgramFiles.h"

namespace kalorina::gui {

namespace {
QPointer<HelpWindow> g_window;

QString HelpRoot()
{
    return QString::fromStdString(ProgramFilePath(ProgramDir().toStdString(), "help"));
}

// A window that is not a child of the modal dialog on screen cannot be used while
// that dialog runs, so the help window belongs to the window that asked for it and
// a new asker gets a fresh one.
HelpWindow* Window(QWidget* from)
{
    QWidget* owner = from ? from->window() : QApplication::activeModalWidget();
    if (QWidget* modal = QApplication::activeModalWidget())
        owner = modal;
    QString folder = HelpFolder();
    if (g_window && (g_window->parentWidget() != owner || g_window->Book().Folder() != folder)) {
        g_window->close();
        g_window = nullptr;
    }
    if (!g_window)
        g_window = new HelpWindow(folder, owner);
    g_window->show();
    g_window->raise();
    g_window->activateWindow();
    return g_window;
}
} // namespace

QString HelpFolder()
{
    QDir root(HelpRoot());
    QString code = QString::fromStdString(CatalogueLanguage(Languages().GetLanguageName())).toLower();
    for (const QString& c : {code, QStringLiteral("en"), QStringLiteral("hu")})
        if (!c.isEmpty() && QFileInfo(root.filePath(c)).isDir())
            return root.filePath(c);
    return root.filePath(code.isEmpty() ? QStringLiteral("hu") : code);
}

void ShowHelp(QWidget* from, int topic)
{
    Window(from)->ShowTopic(topic);
}
void ShowHelpContents(QWidget* from)
{
    Window(from)->ShowContents();
}
void ShowHelpIndex(QWidget* from)
{
    Window(from)->ShowIndex();
}

void InstallHelp(QWidget* dialog, int topic, QAbstractButton* helpButton)
{
    dialog->setProperty("helpTopic", topic);
    auto* f1 = new QShortcut(QKeySequence::HelpContents, dialog);
    f1->setObjectName(QStringLiteral("HelpShortcut"));
    f1->setContext(Qt::WindowShortcut);
    QObject::connect(f1, &QShortcut::activated, dialog, [dialog, topic] { ShowHelp(dialog, topic); });
    if (!helpButton)
        helpButton = dialog->findChild<QAbstractButton*>(QStringLiteral("Help"));
    if (!helpButton)
        helpButton = dialog->findChild<QAbstractButton*>(QStringLiteral("HelpButton"));
    if (helpButton)
        QObject::connect(helpButton, &QAbstractButton::clicked, dialog, [dialog, topic] { ShowHelp(dialog, topic); });
    // A button box's Help button reports through helpRequested.
    for (auto* box : dialog->findChildren<QDialogButtonBox*>())
        if (!helpButton || !box->buttons().contains(helpButton))
            QObject::connect(box, &QDialogButtonBox::helpRequested, dialog,
                             [dialog, topic] { ShowHelp(dialog, topic); });
}

} // namespace kalorina::gui
