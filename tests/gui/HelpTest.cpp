// The shipped help in both languages, the help window and the F1 wiring of dialogs.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "../core/TestLanguage.h"
#include "GuiTest.h"
#include "app/AppPaths.h"
#include "catalogue/TDevices.h"
#include "dialogs/FittingDialogs.h"
#include "dialogs/TAreaForm.h"
#include "dialogs/TProjektOptionsForm.h"
#include "dialogs/TRoomModifyForm.h"
#include "document/TProgramOptions.h"
#include "document/TProject.h"
#include "document/TProjektOptions.h"
#include "document/TRoomItem.h"
#include "help/Help.h"
#include "help/HelpWindow.h"
#include "lang/LanguageLoader.h"
#include "materials/TUsedMaterialsPrintingForm.h"
#include "report/TPrintingForm.h"

using namespace kalorina;
using namespace kalorina::gui;

namespace {

QString Folder(const char* code)
{
    return ProgramDir() + QStringLiteral("/help/") + QLatin1String(code);
}

HelpWindow* OpenHelpWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* h = qobject_cast<HelpWindow*>(w); h && h->isVisible())
            return h;
    for (QWidget* w : QApplication::allWidgets())
        if (auto* h = qobject_cast<HelpWindow*>(w); h && h->isVisible())
            return h;
    return nullptr;
}

constexpr int kTopics[] = {HelpTopic::MainWindow,    HelpTopic::ProjectOptions, HelpTopic::Printing,
                           HelpTopic::ColumnSetup,   HelpTopic::Room,           HelpTopic::Circuit,
                           HelpTopic::Field,         HelpTopic::FieldArea,      HelpTopic::RoomArea,
                           HelpTopic::Fittings,      HelpTopic::ProjectData,    HelpTopic::Export,
                           HelpTopic::ProgramOptions};

} // namespace

TEST(HelpBookTest, BothLanguagesServeEveryTopicWithTheSamePagesAndWorkingLinks)
{
    HelpBook hu(Folder("hu")), en(Folder("en"));
    ASSERT_FALSE(hu.IsEmpty());
    ASSERT_EQ(hu.Pages().size(), en.Pages().size());
    for (const HelpBook* book : {&hu, &en}) {
        SCOPED_TRACE(book->Folder().toStdString());
        for (int topic : kTopics)
            EXPECT_NE(book->FileForTopic(topic), QLatin1String(HelpBook::kContentsPage)) << topic;
        // Every page is listed in the contents and every link leads to a page.
        EXPECT_EQ(book->Contents().size(), book->Pages().size());
        for (const HelpBook::Page& p : book->Pages()) {
            SCOPED_TRACE(p.file.toStdString());
            EXPECT_FALSE(p.keywords.isEmpty());
            EXPECT_NE(p.title, p.file);
            QFile f(book->Folder() + QLatin1Char('/') + p.file);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            QString html = QString::fromUtf8(f.readAll());
            QRegularExpression link(QStringLiteral("href=\"([^\"#:]+)"));
            for (auto it = link.globalMatch(html); it.hasNext();) {
                QString target = it.next().captured(1);
                EXPECT_NE(book->FindPage(target), nullptr) << target.toStdString();
            }
            const HelpBook::Page* twin = (book == &hu ? en : hu).FindPage(p.file);
            ASSERT_NE(twin, nullptr);
            EXPECT_EQ(twin->topics, p.topics);
        }
    }
    EXPECT_EQ(hu.FileForTopic(12345), QLatin1String(HelpBook::kContentsPage));
}

TEST(HelpBookTest, KeywordSearchIgnoresCaseAndAccentsAndFallsBackToText)
{
    HelpBook hu(Folder("hu")), en(Folder("en"));
    for (const QString& typed : {QStringLiteral("szelepelőbeállítás"), QStringLiteral("SZELEPELOBEALL")}) {
        auto hits = hu.Search(typed);
        ASSERT_FALSE(hits.isEmpty()) << typed.toStdString();
        EXPECT_EQ(hits.first().file, QStringLiteral("circuit.html"));
        EXPECT_TRUE(hits.first().keyword);
    }
    auto hits = en.Search(QStringLiteral("presetting"));
    ASSERT_FALSE(hits.isEmpty());
    EXPECT_EQ(hits.first().file, QStringLiteral("circuit.html"));
    // Words of the text that no keyword carries still find their page.
    auto text = en.Search(QStringLiteral("whistle"));
    ASSERT_EQ(text.size(), 1);
    EXPECT_FALSE(text.first().keyword);
    EXPECT_EQ(text.first().file, QStringLiteral("warnings.html"));
    EXPECT_TRUE(en.Search(QStringLiteral("no such word anywhere")).isEmpty());
    EXPECT_EQ(en.Search({}).size(), en.Index().size());
}

class HelpWindowTest : public test::GuiTest {
protected:
    void TearDown() override
    {
        if (HelpWindow* h = OpenHelpWindow())
            h->close();
        QApplication::processEvents();
        GuiTest::TearDown();
    }
};

TEST_F(HelpWindowTest, F1AndTheHelpButtonOpenTheDialogsTopicInTheInterfaceLanguage)
{
    UseLanguage({{"IDS_DEVICEDBLANGUAGE", "hu"}});
    QDialog dialog;
    auto* help = new QPushButton(QStringLiteral("Súgó"), &dialog);
    help->setObjectName(QStringLiteral("Help"));
    InstallHelp(&dialog, HelpTopic::Circuit);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(&dialog, Qt::Key_F1);
    HelpWindow* h = OpenHelpWindow();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->CurrentPage(), QStringLiteral("circuit.html"));
    EXPECT_TRUE(h->Book().Folder().endsWith(QStringLiteral("/hu")));
    EXPECT_EQ(h->parentWidget(), &dialog); // usable beside a modal dialog
    h->ShowTopic(HelpTopic::Room);
    ASSERT_NE(h->ContentsTree->currentItem(), nullptr);
    EXPECT_TRUE(h->ContentsTree->currentItem()->isSelected());
    EXPECT_EQ(h->ContentsTree->currentItem()->text(0), h->Book().FindPage(QStringLiteral("room.html"))->title);
    h->resize(900, 600);
    h->grab().save(QStringLiteral(KALORINA_BINARY_DIR "/help-window.png"));
    h->close();
    QApplication::processEvents();

    // The shipped English translates the help window too.
    UseShippedLanguage("English");
    help->click();
    h = OpenHelpWindow();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->CurrentPage(), QStringLiteral("circuit.html"));
    EXPECT_TRUE(h->Book().Folder().endsWith(QStringLiteral("/en")));
    EXPECT_EQ(h->windowTitle(), QStringLiteral("Kalorina help"));
    EXPECT_EQ(h->Tabs->tabText(1), QStringLiteral("Index"));
    h->ShowIndex(QStringLiteral("presett"));
    ASSERT_GT(h->KeywordList->count(), 0);
    EXPECT_TRUE(h->KeywordList->item(0)->text().contains(QStringLiteral("presetting")));
    QTest::keyClick(h->KeywordEdit, Qt::Key_Return);
    EXPECT_EQ(h->CurrentPage(), QStringLiteral("circuit.html"));
    h->resize(900, 600);
    h->grab().save(QStringLiteral(KALORINA_BINARY_DIR "/help-window-en.png"));
}

TEST_F(HelpWindowTest, BackAndForwardWalkThePagesShown)
{
    UseLanguage({{"IDS_DEVICEDBLANGUAGE", "hu"}});
    HelpWindow* h = new HelpWindow(Folder("hu"));
    h->show();
    h->ShowContents();
    h->ShowTopic(HelpTopic::Field);
    h->ShowTopic(HelpTopic::Fittings);
    EXPECT_TRUE(h->BackButton->isEnabled());
    EXPECT_FALSE(h->ForwardButton->isEnabled());
    h->BackButton->click();
    EXPECT_EQ(h->CurrentPage(), QStringLiteral("field.html"));
    h->BackButton->click();
    EXPECT_EQ(h->CurrentPage(), QStringLiteral("contents.html"));
    h->ForwardButton->click();
    EXPECT_EQ(h->CurrentPage(), QStringLiteral("field.html"));
    // Typing narrows the keyword list at once.
    h->ShowIndex();
    int all = h->KeywordList->count();
    QTest::keyClicks(h->KeywordEdit, QStringLiteral("zon")); // finds "zóna" too
    EXPECT_LT(h->KeywordList->count(), all);
    EXPECT_GT(h->KeywordList->count(), 0);
    h->close();
}

TEST_F(HelpWindowTest, F1InTheDesignDialogsOpensTheirTopics)
{
    UseShippedLanguage("Magyar");
    TDevices devices(KALORINA_SOURCE_DIR "/data", Languages().GetText("IDS_DEVICEDBLANGUAGE"));
    ASSERT_FALSE(devices.Failed());
    TRoomItem room;
    room.roomName = "Nappali";
    TProjektOptions options;
    TRoomModifyForm roomForm(room, devices, options, Services());
    TAreaForm areaForm(10, 12, 0);
    TProjektOptionsForm optionsForm(options, devices, Services());
    TResist fitting;
    TResistModifyForm fittingForm(fitting, devices, Services());
    TProject project;
    TProgramOptions programOptions;
    TPrintingForm printingForm(project, devices, programOptions, Services(), nullptr);
    TUsedMaterialsPrintingForm billForm(TUsedMaterial{}, project, devices, programOptions, Services(), nullptr);
    for (auto [dialog, page] : {std::pair<QDialog*, const char*>{&roomForm, "room.html"},
                                std::pair<QDialog*, const char*>{&areaForm, "room.html"},
                                std::pair<QDialog*, const char*>{&optionsForm, "project-options.html"},
                                std::pair<QDialog*, const char*>{&fittingForm, "fittings.html"},
                                std::pair<QDialog*, const char*>{&printingForm, "printing.html"},
                                std::pair<QDialog*, const char*>{&billForm, "printing.html"}}) {
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        QTest::keyClick(dialog, Qt::Key_F1);
        HelpWindow* h = OpenHelpWindow();
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(h->CurrentPage(), QString::fromLatin1(page));
        h->close();
        dialog->hide();
        QApplication::processEvents();
    }
}
