// The rules of the program options and project data dialogs.
#include <gtest/gtest.h>

#include "TestLanguage.h"
#include "app/ProgramOptionsEditor.h"
#include "util/Error.h"

using namespace kalorina;

namespace {
const std::string kOptions = "Software\\Vexalon\\Kalorina\\ProgramOptions";
const std::string kFonts = "Software\\Vexalon\\Kalorina\\Fonts";

struct TwoLanguages {
    TwoLanguages()
    {
        languages.AddLanguage(test::MakeLanguage("Magyar", {}));
        languages.AddLanguage(test::MakeLanguage("English", {}));
        languages.AddLanguage(test::MakeLanguage("Deutsch", {}, false)); // printing only
        languages.SelectLanguage("Magyar");
        languages.SelectPrintingLanguage("Magyar");
    }
    TLanguages languages;
};

ProgramOptionsInput Input(std::array<int, 4> margins, std::string program = "Magyar", std::string printing = "Magyar")
{
    ProgramOptionsInput in;
    in.designerLines = {"Kiss Anna", "Budapest"};
    in.dateNewProjects = false;
    in.margins = margins;
    in.programLanguage = std::move(program);
    in.printingLanguage = std::move(printing);
    return in;
}
} // namespace

TEST(ProgramOptionsEditor, ViewListsLanguagesAndSelectsTheOnesInUse)
{
    TwoLanguages l;
    l.languages.SelectPrintingLanguage("Deutsch");
    MemorySettingsStore store;
    TProgramOptions options;
    options.designerLines = {"a", "b"};
    ProgramOptionsEditor editor(options, l.languages, &store);
    ProgramOptionsView v = editor.View();
    EXPECT_EQ(v.designer, "a\nb");
    EXPECT_EQ(v.margins, (std::array<std::string, 4>{"20", "20", "15", "20"}));
    EXPECT_EQ(v.programLanguages, (std::vector<std::string>{"Magyar", "English"}));
    EXPECT_EQ(v.printingLanguages.size(), 3u);
    EXPECT_EQ(v.programLanguage, 0);
    EXPECT_EQ(v.printingLanguage, 2);
    EXPECT_EQ(v.reportFont, "10 pontos Times New Roman");
    // A language in use that is not a user-interface language selects nothing.
    l.languages.SelectLanguage("Deutsch");
    EXPECT_EQ(editor.View().programLanguage, -1);
}

TEST(ProgramOptionsEditor, CommitTakesEverythingAndWritesTheSettings)
{
    TwoLanguages l;
    MemorySettingsStore store;
    TProgramOptions options;
    ProgramOptionsEditor editor(options, l.languages, &store);
    editor.SetReportFont("DejaVu Serif", 11);
    editor.Commit(Input({25, 10, 12, 30}, "English", "Deutsch"));
    EXPECT_EQ(options.designerLines, (TStringList{"Kiss Anna", "Budapest"}));
    EXPECT_FALSE(options.dateNewProjects);
    EXPECT_EQ(options.margins, (TProgramOptions::Margins{25, 10, 12, 30}));
    EXPECT_EQ(l.languages.GetLanguageName(), "English");
    EXPECT_EQ(options.printingLanguageId, "Deutsch");
    EXPECT_EQ(store.ReadValue(kOptions, "LeftMargin"), SettingsValue::Integer(25));
    EXPECT_EQ(store.ReadValue(kOptions, "LanguageID"), SettingsValue::String("English"));
    EXPECT_EQ(store.ReadValue(kOptions, "Planer"), SettingsValue::String("Kiss Anna\r\nBudapest\r\n"));
    EXPECT_EQ(store.ReadValue(kFonts, "ReportName"), SettingsValue::String("DejaVu Serif"));
    EXPECT_EQ(store.ReadValue(kFonts, "ReportSize"), SettingsValue::Integer(11));
    EXPECT_FALSE(store.ReadValue(kFonts, "ListName").has_value()); // the list font is never written

    // Reopened, the dialog shows what was stored.
    TProgramOptions reread;
    LoadProgramOptions(reread, store);
    EXPECT_EQ(reread, options);
    EXPECT_EQ(ProgramOptionsEditor(reread, l.languages, &store).View().reportFont, "11 pontos DejaVu Serif");
}

TEST(ProgramOptionsEditor, ARefusedCommitOrNoChoiceChangesNothingItShouldNot)
{
    TwoLanguages l;
    MemorySettingsStore store;
    TProgramOptions options;
    const TProgramOptions before = options;
    ProgramOptionsEditor editor(options, l.languages, &store);
    editor.SetReportFont("Courier", 9);
    for (std::array<int, 4> bad : {std::array<int, 4>{-1, 20, 15, 20}, std::array<int, 4>{20, 20, 15, 101}})
        EXPECT_THROW(editor.Commit(Input(bad)), KalorinaError);
    EXPECT_EQ(options, before);
    EXPECT_FALSE(store.ReadValue(kFonts, "ReportName").has_value());
    EXPECT_FALSE(store.ReadValue(kOptions, "LeftMargin").has_value());

    // No program language chosen keeps the one in use; an unknown printing language
    // becomes the user-interface language.
    editor.Commit(Input({20, 20, 15, 20}, "", "Klingon"));
    EXPECT_EQ(l.languages.GetLanguageName(), "Magyar");
    EXPECT_EQ(options.languageId, "Magyar");
    EXPECT_EQ(options.printingLanguageId, "Magyar");
}

TEST(ProjectDataEditor, MemosBecomeLineListsAndOkMarksModified)
{
    TProject project;
    project.buildingLines = {"Ház", "Fő utca 1."};
    project.projectDate = "2026. 12. 09.";
    ProjectDataEditor editor(project);
    EXPECT_EQ(editor.View().building, "Ház\nFő utca 1.");
    EXPECT_EQ(editor.View().date, "2026. 12. 09.");
    editor.Commit({"", "Megrendelő\r\n", "a\n\nb", "", ""});
    EXPECT_TRUE(project.buildingLines.empty());
    EXPECT_EQ(project.customerLines, TStringList{"Megrendelő"});
    EXPECT_EQ(project.designerLines, (TStringList{"a", "", "b"}));
    EXPECT_EQ(project.projectDate, "");
    EXPECT_TRUE(project.modified);
}
