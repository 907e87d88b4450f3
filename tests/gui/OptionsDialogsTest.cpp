// The program options and project data dialogs, driven through the main window.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "GuiTest.h"
#include "app/Startup.h"
#include "app/TMainForm.h"
#include "app/TProgramOptionsForm.h"
#include "app/TProjektDataForm.h"
#include "help/HelpWindow.h"
#include "platform/QtText.h"

using namespace kalorina;
using namespace kalorina::gui;

namespace {

const std::string kOptions = "Software\\Vexalon\\Kalorina\\ProgramOptions";
const std::string kFonts = "Software\\Vexalon\\Kalorina\\Fonts";

template <typename T>
T* Child(QWidget& dialog, const char* name)
{
    T* w = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

class OptionsDialogsTest : public test::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        UseShippedLanguage("Magyar");
        form = CreateMainForm(Services());
    }
    void TearDown() override
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<HelpWindow*>(w))
                w->close();
        form.reset();
        GuiTest::TearDown();
    }
    std::unique_ptr<TMainForm> form;
};

} // namespace

TEST_F(OptionsDialogsTest, ProgramOptionsRefuseABadMarginThenTakeEverythingAndSwitchTheLanguage)
{
    form->Controller().ProgramOptions().designerLines = {Cp(QStringLiteral("Kiss Anna okl. gépészmérnök")),
                                                         "Tel.: +36 1 234 5678"};
    OnModal(
        [this](QDialog& d) {
            auto& f = static_cast<TProgramOptionsForm&>(d);
            EXPECT_EQ(f.Planer->toPlainText(), QStringLiteral("Kiss Anna okl. gépészmérnök\nTel.: +36 1 234 5678"));
            EXPECT_EQ(f.LeftMargin->text(), QStringLiteral("20"));
            EXPECT_EQ(f.ProgramLanguage->currentText(), QStringLiteral("Magyar"));
            EXPECT_EQ(f.ReportFontName->text(), QStringLiteral("10 pontos Times New Roman"));
            f.chooseFont = [](QFont& font, QWidget*) {
                font.setFamily(QStringLiteral("DejaVu Serif"));
                font.setPointSize(11);
                return true;
            };
            Child<QPushButton>(f, "ChangeReportFont")->click();
            EXPECT_EQ(f.ReportFontName->text(), QStringLiteral("11 pontos DejaVu Serif"));
            f.PageControl->setCurrentIndex(1);
            SavePicture(&f, "program-options.png");

            // 2.5 mm is no whole number: the dialog stays, nothing is taken yet.
            f.LeftMargin->setText(QStringLiteral("2.5"));
            f.TopMargin->setText(QStringLiteral("12"));
            Child<QPushButton>(f, "OK")->click();
            EXPECT_TRUE(f.isVisible());
            EXPECT_FALSE(f.StatusBar->currentMessage().isEmpty());
            EXPECT_EQ(form->Controller().ProgramOptions().margins.top, 20);
            EXPECT_FALSE(Store().ReadValue(kFonts, "ReportName").has_value());

            f.LeftMargin->setText(QStringLiteral("25"));
            f.ProgramLanguage->setCurrentText(QStringLiteral("English"));
            f.PrintingLanguage->setCurrentText(QStringLiteral("Magyar"));
            Child<QPushButton>(f, "OK")->click();
        },
        "ProgramOptionsForm");
    TriggerAction(form.get(), "ProgramOptionsAction");

    const TProgramOptions& o = form->Controller().ProgramOptions();
    EXPECT_EQ(o.margins, (TProgramOptions::Margins{25, 12, 15, 20}));
    EXPECT_EQ(o.languageId, "English");
    EXPECT_EQ(o.printingLanguageId, "Magyar");
    EXPECT_EQ(Store().ReadValue(kOptions, "LanguageID"), SettingsValue::String("English"));
    EXPECT_EQ(Store().ReadValue(kFonts, "ReportSize"), SettingsValue::Integer(11));
    // The main window speaks English at once, tree and caption included.
    EXPECT_EQ(form->FileOpen->text(), QStringLiteral("&Open..."));
    EXPECT_TRUE(form->windowTitle().startsWith(QStringLiteral("Kalorina Floor Heating Designer - ")));
    EXPECT_EQ(form->ItemsTree->topLevelItem(0)->text(0), QString::fromStdString("Rooms"));

    // Reopened, the dialog is English and selects both languages again.
    OnModal([](QDialog& d) {
        auto& f = static_cast<TProgramOptionsForm&>(d);
        EXPECT_EQ(f.windowTitle(), QStringLiteral("Program options"));
        EXPECT_EQ(f.ProgramLanguage->currentText(), QStringLiteral("English"));
        EXPECT_EQ(f.PrintingLanguage->currentText(), QStringLiteral("Magyar"));
        EXPECT_EQ(f.ReportFontName->text(), QStringLiteral("11 pt DejaVu Serif"));
        Child<QPushButton>(f, "Cancel")->click();
    });
    TriggerAction(form.get(), "ProgramOptionsAction");
}

TEST_F(OptionsDialogsTest, CancelledProgramOptionsChangeNothing)
{
    const TProgramOptions before = form->Controller().ProgramOptions();
    OnModal([](QDialog& d) {
        auto& f = static_cast<TProgramOptionsForm&>(d);
        f.chooseFont = [](QFont& font, QWidget*) {
            font.setFamily(QStringLiteral("Courier"));
            return true;
        };
        Child<QPushButton>(f, "ChangeReportFont")->click();
        f.Planer->setPlainText(QStringLiteral("Valaki más"));
        f.InitDate->setChecked(false);
        f.ProgramLanguage->setCurrentText(QStringLiteral("English"));
        QTest::keyClick(&f, Qt::Key_Escape);
    });
    TriggerAction(form.get(), "ProgramOptionsAction");
    EXPECT_EQ(form->Controller().ProgramOptions(), before);
    EXPECT_FALSE(Store().ReadValue(kFonts, "ReportName").has_value());
    EXPECT_EQ(Languages().GetLanguageName(), "Magyar");
    EXPECT_EQ(form->FileOpen->text(), QStringLiteral("&Megnyitás..."));
}

TEST_F(OptionsDialogsTest, ProjectDataOkStoresTheTextsAndCancelKeepsThem)
{
    const TProject& p = form->Project();
    form->Controller().Change("data", [](TProject& q) {
        q.designerLines = {"Kiss Anna"};
        q.projectDate = "2026. 12. 09.";
    });
    OnModal(
        [this](QDialog& d) {
            auto& f = static_cast<TProjektDataForm&>(d);
            EXPECT_EQ(f.Planer->toPlainText(), QStringLiteral("Kiss Anna"));
            EXPECT_EQ(f.Date->text(), QStringLiteral("2026. 12. 09."));
            f.Address->setPlainText(QStringLiteral("Családi ház\n2000 Szentendre, Fő tér 1."));
            f.Customer->setPlainText(QStringLiteral("Nagy Péter"));
            f.Comment->setPlainText(QStringLiteral("Nedves rendszer, 40/35 °C"));
            SavePicture(&f, "project-data.png");
            Child<QPushButton>(f, "OK")->click();
        },
        "ProjektDataForm");
    TriggerAction(form.get(), "ProjectDataAction");
    EXPECT_EQ(p.buildingLines,
              (TStringList{Cp(QStringLiteral("Családi ház")), Cp(QStringLiteral("2000 Szentendre, Fő tér 1."))}));
    EXPECT_EQ(p.customerLines, TStringList{"Nagy P\xE9ter"});
    EXPECT_TRUE(p.modified);
    EXPECT_TRUE(form->FileSave->isEnabled());

    form->Controller().Changes().SetClean();
    OnModal([](QDialog& d) {
        auto& f = static_cast<TProjektDataForm&>(d);
        f.Date->clear();
        f.Planer->clear();
        Child<QPushButton>(f, "Cancel")->click();
    });
    TriggerAction(form.get(), "ProjectDataAction");
    EXPECT_EQ(p.projectDate, "2026. 12. 09.");
    EXPECT_FALSE(p.modified);

    // Every field emptied: empty lists, an empty date, and the project modified.
    OnModal([](QDialog& d) {
        auto& f = static_cast<TProjektDataForm&>(d);
        for (QPlainTextEdit* m : {f.Address, f.Customer, f.Planer, f.Comment})
            m->clear();
        f.Date->clear();
        Child<QPushButton>(f, "OK")->click();
    });
    TriggerAction(form.get(), "ProjectDataAction");
    EXPECT_TRUE(p.buildingLines.empty() && p.customerLines.empty() && p.designerLines.empty()
                && p.commentLines.empty());
    EXPECT_EQ(p.projectDate, "");
    EXPECT_TRUE(p.modified);
}

TEST_F(OptionsDialogsTest, F1AndHelpOpenEachDialogsTopic)
{
    TProgramOptions options;
    TProgramOptionsForm programOptions(options, Services());
    TProject copy = form->Project();
    TProjektDataForm projectData(copy);
    for (auto [dialog, page] : {std::pair<QDialog*, const char*>{&programOptions, "program-options.html"},
                                std::pair<QDialog*, const char*>{&projectData, "project-data.html"}}) {
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        QTest::keyClick(dialog, Qt::Key_F1);
        auto* help = dialog->findChild<HelpWindow*>();
        ASSERT_NE(help, nullptr);
        EXPECT_EQ(help->CurrentPage(), QString::fromLatin1(page));
        help->close();
        QApplication::processEvents();
        Child<QPushButton>(*dialog, "Help")->click();
        help = dialog->findChild<HelpWindow*>();
        ASSERT_NE(help, nullptr);
        EXPECT_EQ(help->CurrentPage(), QString::fromLatin1(page));
        help->close();
        dialog->hide();
    }
}
