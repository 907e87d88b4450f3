// The program as a desktop application: the command line, the recent projects,
// the window's placement, commands without windows, and language switching.
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMetaMethod>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <fstream>
#include <gtest/gtest.h>

#include "GuiTest.h"
#include "app/AppPaths.h"
#include "app/Startup.h"
#include "app/TMainForm.h"
#include "lang/LanguageLoader.h"
#include "platform/QtText.h"
#include "platform/QtTranslations.h"
#include "platform/SettingsStore.h"

using namespace kalorina;
using namespace kalorina::gui;

namespace {

class DesktopTest : public test::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        UseLanguage({{"IDS_PROGRAMTITLE", "Kalorina"},
                     {"IDS_ROOMGROUP", "Rooms"},
                     {"IDS_ROUNDGROUP", "Circuits"},
                     {"IDS_NEWROOMITEMCAPTION", "Room"},
                     {"IDS_INVALIDFILE", "Invalid file"}});
        ASSERT_TRUE(dir.isValid());
        // The settings live in a file, as the program's do, so that a restart reads them.
        settingsFile = dir.filePath("Kalorina.reg").toStdString();
        SetSettingsStore(std::make_unique<FileSettingsStore>(settingsFile));
        form = CreateMainForm(Services());
    }
    void TearDown() override
    {
        form.reset();
        GuiTest::TearDown();
    }
    // Closes the program and starts it again on the same settings file.
    void Restart()
    {
        QCloseEvent e;
        QApplication::sendEvent(form.get(), &e);
        ASSERT_TRUE(e.isAccepted());
        form.reset();
        SetSettingsStore(std::make_unique<FileSettingsStore>(settingsFile));
        form = CreateMainForm(Services());
    }
    QStringList Totals() const
    {
        QStringList shown;
        for (QLabel* l : form->totals)
            shown << l->text();
        return shown;
    }
    QStringList RecentTexts()
    {
        emit form->File1->aboutToShow();
        QStringList texts;
        for (QAction* a : form->RecentFiles)
            if (a->isVisible())
                texts << a->text();
        return texts;
    }
    QString Copy(const QString& name)
    {
        QString target = dir.filePath(name);
        QFile::copy(QStringLiteral(KALORINA_SOURCE_DIR "/examples/flat.klp"), target);
        return target;
    }

    QTemporaryDir dir;
    std::string settingsFile;
    std::unique_ptr<TMainForm> form;
};

} // namespace

TEST_F(DesktopTest, CommandLineOpensTheProjectWithItsTotals)
{
    // As the file manager starts it: a name relative to the folder it starts in.
    QString old = QDir::currentPath();
    QDir::setCurrent(QStringLiteral(KALORINA_SOURCE_DIR));
    OpenStartupFiles(*form, {QStringLiteral("kalorina"), QStringLiteral("examples/flat.klp")});
    QDir::setCurrent(old);
    EXPECT_EQ(form->ItemsTree->topLevelItem(0)->childCount(), 6);
    EXPECT_EQ(Totals(), (QStringList{"2.73", "68", "3.437", "3.437", "304.1", "0"}));
    EXPECT_TRUE(form->windowTitle().endsWith(QStringLiteral("/examples/flat.klp")));
    EXPECT_FALSE(form->Project().modified);
}

TEST_F(DesktopTest, AnUnreadableFileGivesTheOpenDialogsMessageAndAnEmptyProject)
{
    QString bad = dir.filePath("broken.klp");
    std::ofstream(bad.toStdString()) << "not a project";
    files.Answer(bad.toStdString());
    form->FileOpen->trigger();
    std::string fromDialog = messages.LastText();
    ASSERT_FALSE(fromDialog.empty());

    form.reset();
    form = CreateMainForm(Services());
    std::size_t before = messages.shown.size();
    OpenStartupFiles(*form, {QStringLiteral("kalorina"), bad});
    EXPECT_EQ(messages.shown.size(), before + 1);
    EXPECT_EQ(messages.LastText(), fromDialog);
    EXPECT_EQ(form->Project().rooms.size(), 0u);
    EXPECT_EQ(form->Project().fileName, "");
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Kalorina - "));
}

TEST_F(DesktopTest, RecentProjectsAndThePlacementSurviveARestart)
{
    EXPECT_TRUE(RecentTexts().isEmpty());
    QStringList names;
    for (int i = 1; i <= 9; ++i) {
        names << QStringLiteral("p%1 & co.klp").arg(i);
        OpenStartupFiles(*form, {QStringLiteral("kalorina"), Copy(names.back())});
    }
    // Saving under a new name puts that name first too.
    files.Answer(dir.filePath("saved.klp").toStdString());
    form->FileSaveAs->trigger();
    form->setGeometry(130, 90, 700, 500);
    Restart();

    QStringList recent = RecentTexts();
    ASSERT_EQ(recent.size(), 8);
    EXPECT_EQ(recent[0], QStringLiteral("&1 saved.klp"));
    EXPECT_EQ(recent[1], QStringLiteral("&2 p9 && co.klp"));
    EXPECT_EQ(recent[7], QStringLiteral("&8 p3 && co.klp"));
    EXPECT_EQ(form->geometry().size(), QSize(700, 500));

    // Choosing an entry opens it and moves it up; a vanished file leaves the list.
    form->RecentFiles[3]->trigger();
    EXPECT_TRUE(form->windowTitle().endsWith(QStringLiteral("p7 & co.klp")));
    EXPECT_EQ(RecentTexts()[0], QStringLiteral("&1 p7 && co.klp"));
    QFile::remove(dir.filePath("p6 & co.klp"));
    ASSERT_EQ(RecentTexts()[4], QStringLiteral("&5 p6 && co.klp"));
    form->RecentFiles[4]->trigger();
    EXPECT_EQ(RecentTexts().size(), 7);
    EXPECT_FALSE(RecentTexts().join(' ').contains(QStringLiteral("p6")));
}

TEST_F(DesktopTest, NoCommandIsEnabledAndSilent)
{
    form->NewRoomItemAction->trigger();
    form->ItemsTree->setCurrentItem(form->ItemsTree->topLevelItem(0)->child(0));
    form->UpdateCommandStates();
    const QMetaMethod triggered = QMetaMethod::fromSignal(&QAction::triggered);
    struct Probe : QAction {
        using QObject::isSignalConnected;
    };
    for (QAction* a : form->findChildren<QAction*>()) {
        if (a->isSeparator() || a->menu() || !a->isEnabled() || !a->isVisible() || a->objectName().isEmpty())
            continue;
        EXPECT_TRUE(static_cast<Probe*>(a)->isSignalConnected(triggered)) << a->objectName().toStdString();
    }
    EXPECT_TRUE(form->UsedMaterialsPrintAction->isEnabled());
    // The double click obeys the same rule as the command it stands for.
    form->SetWindowAvailable(form->ModifyItemAction, false);
    QTreeWidgetItem* room = form->ItemsTree->topLevelItem(0)->child(0);
    EXPECT_FALSE(form->ModifyItemAction->isEnabled());
    emit form->ItemsTree->itemDoubleClicked(room, 0);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(DesktopTest, SwitchingTheLanguageRetranslatesTheWindowBothWays)
{
    UseShippedLanguage("English");
    form->Retranslate();
    form->Refresh();
    EXPECT_EQ(form->FileOpen->text(), QStringLiteral("&Open..."));
    EXPECT_EQ(form->File1->title(), QStringLiteral("&File"));
    EXPECT_TRUE(form->windowTitle().startsWith(QStringLiteral("Kalorina Floor")));
    EXPECT_TRUE(form->OpenDialog->property("kalorinaFilter").toString().contains(QStringLiteral("All files")));

    // Hungarian translates nothing: the designed texts come back.
    UseShippedLanguage("Magyar");
    form->Retranslate();
    form->Refresh();
    EXPECT_EQ(form->FileOpen->text(), QStringLiteral("&Megnyitás..."));
    EXPECT_EQ(form->File1->title(), QStringLiteral("&Fájl"));
    EXPECT_EQ(form->ItemsTree->topLevelItem(0)->text(0), QStringLiteral("Helyiségek"));
    EXPECT_TRUE(form->OpenDialog->property("kalorinaFilter").toString().contains(QStringLiteral("Minden fájl")));
}

namespace {
// The texts Qt itself writes on a message box's buttons.
QString QtButtonText(QMessageBox::StandardButton which)
{
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    return box.button(which)->text();
}
} // namespace

// Message boxes and Qt's file and print dialogs speak the interface language: Qt's
// own translation follows the language both ways, and a language Qt has no
// translation for leaves Qt's English without harm.
TEST_F(DesktopTest, QtsOwnButtonsAndDialogsFollowTheLanguage)
{
    UseShippedLanguage("Magyar");
    form->Retranslate();
    EXPECT_EQ(QtButtonText(QMessageBox::Cancel), QStringLiteral("Mégse"));
    EXPECT_EQ(QtButtonText(QMessageBox::Yes), QStringLiteral("&Igen"));
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "File &name:"), QStringLiteral("File &name:"));
    SavePicture(form.get(), "desktop-hungarian-qt.png");

    UseShippedLanguage("English");
    form->Retranslate();
    EXPECT_EQ(QtButtonText(QMessageBox::Cancel), QStringLiteral("Cancel"));
    EXPECT_EQ(QtButtonText(QMessageBox::Yes), QStringLiteral("&Yes"));

    // No translation file: Qt's English, and the program goes on.
    EXPECT_FALSE(UseQtTranslation("xx"));
    EXPECT_FALSE(UseQtTranslation(""));
    EXPECT_FALSE(UseQtTranslation("hu", {QStringLiteral("/nonexistent")}));
    EXPECT_FALSE(UseQtTranslation("../hu"));
    EXPECT_EQ(QtButtonText(QMessageBox::Cancel), QStringLiteral("Cancel"));
    EXPECT_TRUE(UseQtTranslation("hu"));
    EXPECT_EQ(QtButtonText(QMessageBox::Cancel), QStringLiteral("Mégse"));
}
