// The program's start-up with the languages the build packs beside it: Hungarian
// by default, English once the settings choose it.
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "GuiTest.h"
#include "app/Startup.h"
#include "app/TAboutBox.h"
#include "app/TMainForm.h"
#include "document/TProgramOptions.h"
#include "lang/LanguageLoader.h"
#include "lang/TLanguages.h"
#include "listview/TChangeHeaderForm.h"
#include "listview/TListHeaderFormat.h"
#include "platform/SettingsStore.h"

using namespace kalorina;
using namespace kalorina::gui;

namespace {

class LanguageStartupTest : public test::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        LoadLanguages(Languages(), KALORINA_BINARY_DIR "/bin/languages");
    }

    template <class T>
    T* Child(QWidget* form, const char* name)
    {
        T* w = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
};

} // namespace

TEST_F(LanguageStartupTest, StartsInHungarianByDefault)
{
    ASSERT_EQ(Languages().Languages().size(), 2u);
    auto form = CreateMainForm(Services());
    EXPECT_EQ(Languages().GetLanguageName(), "Magyar");
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Kalorina Padlófűtés méretező - "));
    EXPECT_EQ(form->FileNew->text(), QStringLiteral("Új dok&umentum..."));
    EXPECT_EQ(Child<QMenu>(form.get(), "File1")->title(), QStringLiteral("&Fájl"));
    EXPECT_EQ(Child<QGroupBox>(form.get(), "Panel2")->title(), QStringLiteral("Helyiségek összesítés"));
    EXPECT_EQ(form->ItemsTree->topLevelItem(0)->text(0), QStringLiteral("Helyiségek"));
    EXPECT_EQ(form->ItemsTree->topLevelItem(1)->text(0), QStringLiteral("Padlófűtési körök"));
}

TEST_F(LanguageStartupTest, StartsInEnglishWhenTheSettingsSaySo)
{
    TProgramOptions options;
    options.languageId = "English";
    options.printingLanguageId = "English";
    SaveProgramOptions(options);

    auto form = CreateMainForm(Services());
    EXPECT_EQ(Languages().GetLanguageName(), "English");
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Kalorina Floor Heating Designer - "));
    EXPECT_EQ(form->FileNew->text(), QStringLiteral("&New..."));
    EXPECT_EQ(form->FileNew->toolTip(), QStringLiteral("New"));
    EXPECT_EQ(form->FileNew->statusTip(), QStringLiteral("Create a new project"));
    EXPECT_EQ(form->NewRoundItemAction->text(), QStringLiteral("New floor heating &circuit..."));
    EXPECT_EQ(Child<QMenu>(form.get(), "File1")->title(), QStringLiteral("&File"));
    EXPECT_EQ(Child<QMenu>(form.get(), "RoomFunctions")->title(), QStringLiteral("&Rooms and circuits"));
    EXPECT_EQ(Child<QAction>(form.get(), "ProgramOptions1")->text(), QStringLiteral("&Program settings..."));
    EXPECT_EQ(Child<QGroupBox>(form.get(), "Panel3")->title(), QStringLiteral("Floor heating circuit totals"));
    EXPECT_EQ(Child<QLabel>(form.get(), "HeatingLossLabel")->text(), QStringLiteral("Total heat loss:"));
    EXPECT_EQ(Child<QPushButton>(form.get(), "Button1")->text(), QStringLiteral("New &room"));
    EXPECT_EQ(form->ItemsTree->topLevelItem(0)->text(0), QStringLiteral("Rooms"));

    form->NewRoomItemAction->trigger();
    EXPECT_EQ(form->ItemsTree->topLevelItem(0)->child(0)->text(0), QStringLiteral("Room"));

    TAboutBox about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About"));
    EXPECT_EQ(Child<QLabel>(&about, "ProductName")->text(), QStringLiteral("Kalorina Floor Heating Designer"));
}

TEST_F(LanguageStartupTest, UnknownLanguageKeepsTheDesignedTexts)
{
    TProgramOptions options;
    options.languageId = "Klingon";
    SaveProgramOptions(options);
    auto form = CreateMainForm(Services());
    EXPECT_EQ(Languages().GetLanguageName(), "");
    EXPECT_EQ(form->FileNew->text(), QStringLiteral("Új dok&umentum..."));
}

TEST_F(LanguageStartupTest, ColumnSetupDialogSpeaksEnglish)
{
    Languages().SelectLanguage("English");
    TListHeaderFormat format;
    ASSERT_TRUE(format.LoadFormat("FloorHeatingChoose"));
    TChangeHeaderForm form(format, QFont(), "EnglishTest", "Kalorina", Services());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("List header layout"));
    EXPECT_EQ(Child<QLabel>(&form, "WidthLabel")->text(), QStringLiteral("Column width:"));
    EXPECT_EQ(Child<QLabel>(&form, "FactorLabel")->text(), QStringLiteral("Factor:"));
    EXPECT_EQ(Child<QPushButton>(&form, "MoveUpButton")->text(), QStringLiteral("Up"));
}
