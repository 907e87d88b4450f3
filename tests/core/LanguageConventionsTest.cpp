// What follows the language beyond its words: the alphabet lists are sorted by, the
// decimal sign and the date form, and which language the windows' own trees speak
// while the reports speak the printing language.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "TestLanguage.h"
#include "app/MainController.h"
#include "app/PrintingEditor.h"
#include "app/ProgramOptionsEditor.h"
#include "app/ProjectOptionsEditor.h"
#include "app/RoomEditor.h"
#include "app/TypeChooser.h"
#include "catalogue/DeviceKind.h"
#include "document/TProgramOptions.h"
#include "document/TProject.h"
#include "lang/Alphabet.h"
#include "lang/LanguageLoader.h"
#include "lang/PrintingScope.h"
#include "materials/MaterialTree.h"
#include "materials/TClipboardStream.h"
#include "materials/TUsedMaterial.h"
#include "report/ProjectReportText.h"
#include "report/TBReport.h"
#include "report/TPrintfStringStream.h"
#include "util/Codepage.h"
#include "util/Collation.h"
#include "util/FloatFormat.h"
#include "util/FormatText.h"
#include "util/ParseNumber.h"

using namespace kalorina;

namespace {

std::string Cp(const char* utf8)
{
    return Utf8ToCp1250(utf8);
}

std::vector<std::string> Cp(const std::vector<const char*>& utf8)
{
    std::vector<std::string> out;
    for (const char* t : utf8)
        out.push_back(Cp(t));
    return out;
}

// A screen language and a printing language with their own texts.
struct TwoLanguages {
    TwoLanguages(const std::string& screenCode, const std::string& printCode)
    {
        Languages().Clear();
        Languages().AddLanguage(test::MakeLanguage("Screen",
                                                   {{"IDS_DEVICEDBLANGUAGE", screenCode},
                                                    {"IDS_ROOMGROUP", "Rooms"},
                                                    {"IDS_ROUNDGROUP", "Circuits"},
                                                    {"IDS_MANIFOLDGROUP", "Manifolds"},
                                                    {"IDS_DEVICEDBTYPES+3", "Fittings"},
                                                    {"IDS_DECIMALSEPARATOR", "."},
                                                    {"IDS_DATEFORMAT", "%Y-%m-%d"}}));
        Languages().AddLanguage(test::MakeLanguage("Print",
                                                   {{"IDS_DEVICEDBLANGUAGE", printCode},
                                                    {"IDS_ROOMGROUP", Cp("Helyiségek")},
                                                    {"IDS_ROUNDGROUP", Cp("Körök")},
                                                    {"IDS_MANIFOLDGROUP", Cp("Osztók")},
                                                    {"IDS_DEVICEDBTYPES+3", "Idomok"},
                                                    {"IDS_DECIMALSEPARATOR", ","},
                                                    {"IDS_DATEFORMAT", "%e.%m.%Y"}}));
        Languages().SelectLanguage("Screen");
        Languages().SelectPrintingLanguage("Print");
        SetDecimalSeparator(0);
    }
    ~TwoLanguages()
    {
        Languages().Clear();
        SetDecimalSeparator('.');
    }
};

} // namespace

// Accents sort with their letter, case only breaks ties, and the Hungarian alphabet
// has letters of two and three characters and ö, ü after o, u.
TEST(Alphabet, HungarianAndOtherAlphabetsPlaceAccentedLettersWhereReadersLookForThem)
{
    struct Case {
        const char* code;
        std::vector<const char*> sorted; // UTF-8, in the expected order
    };
    const Case cases[] = {
        {"hu",
         {"Ábel", "abroncs", "alma", "Álom", "bab", "Bab", "cukor", "Csap", "csó",  "dob",  "dzéta", "dzsem", "egér",
          "Élet", "fa",      "gumi", "gyár", "hal", "ír",  "lyuk",  "nyár", "olló", "orr",  "öröm",  "ősz",   "pad",
          "sas",  "szél",    "tyúk", "ugat", "ül",  "űr",  "üveg",  "vas",  "zab",  "Zoli", "zsák"}},
        // Other languages know no letters of several characters; ö is an o there.
        {"en", {"Ábel", "alma", "csap", "cukor", "ok", "öl", "om", "szél", "sziget", "Szon", "zab", "zsák"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const std::vector<std::string> expected = Cp(c.sorted);
        for (std::size_t i = 0; i + 1 < expected.size(); ++i)
            EXPECT_TRUE(CollateLess(expected[i], expected[i + 1], c.code))
                << Cp1250ToUtf8(expected[i]) << " < " << Cp1250ToUtf8(expected[i + 1]);
        std::vector<std::string> shuffled(expected.rbegin(), expected.rend());
        std::rotate(shuffled.begin(), shuffled.begin() + 3, shuffled.end());
        std::sort(shuffled.begin(), shuffled.end(),
                  [&](const std::string& a, const std::string& b) { return CollateLess(a, b, c.code); });
        EXPECT_EQ(shuffled, expected);
    }
    // Different texts never tie, so sorting is stable across runs.
    EXPECT_TRUE(CollateLess("a", "A", "hu") != CollateLess("A", "a", "hu"));
    EXPECT_FALSE(CollateLess("abc", "abc", "hu"));
}

// Every sorted list sorts by the screen language's alphabet, also while printing
// mode makes texts speak the printing language.
TEST(Alphabet, SortedListsFollowTheScreenLanguagesAlphabet)
{
    TwoLanguages languages("hu", "en");
    PrintingScope printing;
    const std::vector<std::string> names = Cp({"Zsák", "Ábel", "cukor", "Csap", "öröm", "olló", "Élet", "zab"});
    const std::vector<std::string> hungarian = Cp({"Ábel", "cukor", "Csap", "Élet", "olló", "öröm", "zab", "Zsák"});

    std::vector<std::string> texts = names;
    SortAlphabetically(texts);
    EXPECT_EQ(texts, hungarian);

    // The bill: its rows and its check tree.
    TUsedMaterial bill;
    for (const std::string& n : names) {
        TUsedMaterialItem row;
        row.type = 3;
        row.name = n;
        row.catalogueId = n;
        row.quantity = 1;
        bill.Add(row);
    }
    bill.Sort();
    std::vector<std::string> rows;
    for (const auto& r : bill.rows)
        rows.push_back(r.name);
    EXPECT_EQ(rows, hungarian);
    const auto tree = FillMaterialTree(bill);
    ASSERT_EQ(tree.size(), 1u);
    std::vector<std::string> items;
    for (const auto& n : tree[0].children)
        items.push_back(n.text);
    EXPECT_EQ(items, hungarian);

    // The type chooser's tree of catalogue names.
    std::vector<ComboTreeNode> chooser = BuildComboTree(names);
    SortComboTree(chooser);
    std::vector<std::string> leaves;
    for (const auto& n : chooser)
        leaves.push_back(n.text);
    EXPECT_EQ(leaves, hungarian);
}

// One date form and one decimal sign per language: the project data, the footer,
// list cells, report numbers and valve presettings from the catalogue agree.
TEST(LanguageConventions, DatesAndDecimalSignsFollowTheLanguageThatIsSpeaking)
{
    struct DateCase {
        const char* form;
        const char* expected;
    };
    for (const DateCase& c :
         {DateCase{"%Y. %m. %d.", "2026. 12. 09."}, DateCase{"%Y-%m-%d", "2026-12-09"},
          DateCase{"%e/%m/%Y", "9/12/2026"}, DateCase{"", "2026. 12. 09."}, DateCase{"%d%% %q", "09% %q"}})
        EXPECT_EQ(FormatDate(2026, 12, 9, c.form), c.expected) << c.form;

    TwoLanguages languages("en", "hu");
    const std::string today = ShortDateToday();
    EXPECT_EQ(today.size(), 10u) << today; // 2026-12-09
    EXPECT_EQ(today[4], '-');
    EXPECT_EQ(WithDecimalSeparator("2,5"), "2.5");
    EXPECT_EQ(WithDecimalSeparator("N"), "N");
    EXPECT_EQ(WithDecimalSeparator("1, 2.a"), "1, 2.a"); // only between two digits
    EXPECT_EQ(FloatToStrF(2.5, TFloatFormat::General, 5, 0), "2.5");

    TRoundItem round;
    round.hydraulic.valvePosition = "2,5";
    EXPECT_EQ(round.CellText(16, [](double v) { return std::to_string(v); }), "2.5");
    EXPECT_EQ(FillTemplate("%.1f m", nullptr, 2.5), "2.5 m");
    {
        PrintingScope printing; // the printing language writes a comma and day.month.year
        EXPECT_EQ(round.CellText(16, [](double v) { return std::to_string(v); }), "2,5");
        EXPECT_EQ(FloatToStrF(2.5, TFloatFormat::General, 5, 0), "2,5");
        EXPECT_EQ(FillTemplate("%.1f m", nullptr, 2.5), "2,5 m");
        const std::string printed = ShortDateToday();
        EXPECT_NE(printed.find('.'), std::string::npos) << printed;
        EXPECT_EQ(printed.find('-'), std::string::npos) << printed;
    }
    // A decimal sign set by the program wins over the language's.
    SetDecimalSeparator(',');
    EXPECT_EQ(FloatToStrF(2.5, TFloatFormat::General, 5, 0), "2,5");
    SetDecimalSeparator(0);
    EXPECT_EQ(FloatToStrF(2.5, TFloatFormat::General, 5, 0), "2.5");

    // The shipped languages each name their sign and date form: Hungarian writes
    // 12,5 and 2026. 12. 10., English 12.5 and 2026-12-10.
    struct Shipped {
        const char* file;
        const char* sign;
        const char* date;
    };
    for (const Shipped& c : {Shipped{"magyar", ",", "2026. 12. 10."}, Shipped{"english", ".", "2026-12-10"}}) {
        auto lang = LoadLanguageFile(std::string(KALORINA_SOURCE_DIR) + "/languages/" + c.file + ".xml");
        ASSERT_TRUE(lang);
        EXPECT_EQ(lang->Strings["IDS_DECIMALSEPARATOR"], c.sign) << c.file;
        EXPECT_EQ(FormatDate(2026, 12, 10, lang->Strings["IDS_DATEFORMAT"]), c.date) << c.file;
    }
}

// Each shipped language writes numbers with its own sign: the formatter the lists,
// dialogs and totals use, the reports' templates, presettings quoted from the
// catalogue, the bill's quantities, and the CSV files with the cell separator that
// goes with the sign.  Typed numbers are read with either sign.
TEST(LanguageConventions, ShippedLanguagesWriteTheirOwnDecimalSign)
{
    Languages().Clear();
    for (const char* file : {"magyar", "english"}) {
        auto lang = LoadLanguageFile(std::string(KALORINA_SOURCE_DIR) + "/languages/" + file + ".xml");
        ASSERT_TRUE(lang) << file;
        lang->compressed = true; // the windows speak the packed files the program ships
        lang->userInterface = true;
        Languages().AddLanguage(std::move(*lang));
    }
    SetDecimalSeparator(0);
    struct Case {
        const char* language;
        char sign, cells;
    };
    for (const Case& c : {Case{"Magyar", ',', ';'}, Case{"English", '.', ','}}) {
        SCOPED_TRACE(c.language);
        Languages().SelectLanguage(c.language);
        Languages().SelectPrintingLanguage(c.language);
        auto signed_ = [&](std::string text) {
            std::replace(text.begin(), text.end(), '.', c.sign);
            return text;
        };
        EXPECT_EQ(DecimalSeparator(), c.sign);
        EXPECT_EQ(FloatToStrF(12.5, TFloatFormat::General, 5, 0), signed_("12.5"));
        EXPECT_EQ(FloatToStrF(0.35, TFloatFormat::Fixed, 5, 2), signed_("0.35"));
        EXPECT_EQ(FillTemplate("%.1f m2", nullptr, 12.5), signed_("12.5 m2"));
        EXPECT_EQ(WithDecimalSeparator("2,5"), signed_("2.5"));
        EXPECT_EQ(WithDecimalSeparator("129.5"), signed_("129.5"));
        EXPECT_EQ(QuantityText(24.7f), signed_("24.7"));
        EXPECT_EQ(CsvSeparator(), c.cells);
        {
            PrintingScope printing;
            EXPECT_EQ(FillTemplate("%.2f kPa", nullptr, 9.80665), signed_("9.81 kPa"));
        }
        EXPECT_DOUBLE_EQ(static_cast<double>(ParseNumber("12,5")), 12.5);
        EXPECT_DOUBLE_EQ(static_cast<double>(ParseNumber("12.5")), 12.5);
    }
    Languages().Clear();
    SetDecimalSeparator('.');
}

// A date read back in any of the forms the program writes, and only a day of the
// calendar.
TEST(LanguageConventions, DatesReadInTheFormTheyWereWrittenIn)
{
    struct Case {
        const char* text;
        const char* form;
        int year, month, day; // 0: not a date in that form
    };
    const Case cases[] = {
        {"2026. 12. 10.", "%Y. %m. %d.", 2026, 12, 10},
        {"2026.12.10.", "%Y. %m. %d.", 2026, 12, 10}, // blanks of the form may be left out
        {" 2026. 1. 5. ", "%Y. %m. %d.", 2026, 1, 5},
        {"2026-12-10", "%Y-%m-%d", 2026, 12, 10},
        {"9/12/2026", "%e/%m/%Y", 2026, 12, 9},
        {"2026-12-10", "%Y. %m. %d.", 0, 0, 0},
        {"2026. 13. 10.", "%Y. %m. %d.", 0, 0, 0},
        {"2026-02-29", "%Y-%m-%d", 0, 0, 0},
        {"2024-02-29", "%Y-%m-%d", 2024, 2, 29},
        {"2026-12-10 du.", "%Y-%m-%d", 0, 0, 0},
        {"tavasszal", "%Y-%m-%d", 0, 0, 0},
        {"", "%Y-%m-%d", 0, 0, 0},
    };
    for (const Case& c : cases) {
        const auto date = ReadDate(c.text, c.form);
        if (c.year == 0) {
            EXPECT_FALSE(date) << c.text << " as " << c.form;
            continue;
        }
        ASSERT_TRUE(date) << c.text << " as " << c.form;
        EXPECT_EQ(date->year * 10000 + date->month * 100 + date->day, c.year * 10000 + c.month * 100 + c.day) << c.text;
    }
}

// One date form per language on a page: the project's date, written in the form
// of the language it was entered in, is printed in the printing language's form,
// as the footer prints today, and the project data dialog shows it in the screen
// language's form without changing what is stored.
TEST(LanguageConventions, TheProjectDateSpeaksTheLanguageThatShowsIt)
{
    TwoLanguages languages("en", "hu"); // screen %Y-%m-%d, printing %e.%m.%Y
    TProject p;
    p.projectDate = "2026. 12. 10."; // as a Hungarian screen wrote it
    {
        PrintingScope printing;
        TPrintfStringStream report;
        WriteProjectDataReport(report, p);
        EXPECT_NE(report.Text().find("10.12.2026"), std::string::npos) << report.Text();
        EXPECT_EQ(report.Text().find("2026. 12."), std::string::npos) << report.Text();
        // The footer's date has the same form.
        const std::string today = ShortDateToday();
        ASSERT_TRUE(ReadDate(today, "%e.%m.%Y")) << today;
        EXPECT_EQ(Languages().DateInActiveForm("2026-12-10"), "10.12.2026");
    }
    // The bill's printing dialog speaks the screen language; its footer does not.
    const std::string footer = MakeReportEnvironment(PrintingOptions{}, "").today;
    EXPECT_TRUE(ReadDate(footer, "%e.%m.%Y")) << footer;

    ProjectDataEditor data(p);
    EXPECT_EQ(data.View().date, "2026-12-10");
    data.Commit(data.View());
    EXPECT_EQ(p.projectDate, "2026. 12. 10."); // shown back unchanged, stored unchanged
    ProjectDataView typed = data.View();
    typed.date = "2026-12-11";
    data.Commit(typed);
    EXPECT_EQ(p.projectDate, "2026-12-11");
    // A date typed some other way is printed as typed.
    p.projectDate = "tavasszal";
    EXPECT_EQ(data.View().date, "tavasszal");
    PrintingScope printing;
    EXPECT_EQ(Languages().DateInActiveForm(p.projectDate), "tavasszal");
}

// The printing dialog's tree and the bill's check tree belong to their windows:
// they speak the screen language while reports speak the printing language.
TEST(LanguageConventions, DialogTreesSpeakTheScreenLanguageInPrintingMode)
{
    TwoLanguages languages("en", "hu");
    TProject p;
    p.rooms.resize(1);
    p.rooms[0].roomName = "R1";
    PrintingScope printing;
    const auto nodes = ReportTree(p);
    ASSERT_EQ(nodes.size(), 5u);
    EXPECT_EQ(nodes[0].text, "Rooms");
    EXPECT_EQ(nodes[2].text, "Circuits");
    EXPECT_EQ(nodes[3].text, "Manifolds");
    EXPECT_EQ(Languages().GetText("IDS_ROOMGROUP"), Cp("Helyiségek")); // the reports' word

    TUsedMaterial bill;
    TUsedMaterialItem row;
    row.type = 3;
    row.name = "Elbow";
    bill.Add(row);
    const auto tree = FillMaterialTree(bill);
    ASSERT_EQ(tree.size(), 1u);
    EXPECT_EQ(tree[0].text, "Fittings");
}

namespace {
struct SilentMessages : MessageService {
    int shown = 0;
    MessageAnswer Show(MessageKind, const std::string&, const std::string&) override
    {
        ++shown;
        return MessageAnswer::Ok;
    }
};
struct NoFiles : FileDialogService {
    std::string Run(const FileDialogRequest&) override { return {}; }
};

// The folder names of a catalogue tree, depth first.
void Folders(const DeviceTreeNode& node, std::vector<std::string>& out)
{
    for (const auto& child : node.children)
        if (child.tag == 0) {
            out.push_back(child.text);
            Folders(child, out);
        }
}
} // namespace

// The catalogue's folder names follow a change of the screen language, and the
// trees the dialogs kept from the old language are forgotten.
TEST(LanguageConventions, CatalogueFoldersFollowALanguageChange)
{
    test::ScopedLanguage lang;
    SilentMessages messages;
    NoFiles files;
    MainController c(messages, files);
    c.LoadCatalogue(std::string(KALORINA_SOURCE_DIR) + "/data", "hu");
    std::vector<std::string> hungarian;
    Folders(c.Devices().FillDeviceTree(kFloorHeatingKind, "root"), hungarian);
    ASSERT_FALSE(hungarian.empty());
    EXPECT_NE(std::find(hungarian.begin(), hungarian.end(), Cp("Padlófűtés")), hungarian.end());

    RoomDialogState().savedSystemsTree = DeviceTreeNode{Cp("Padlófűtés"), 0, {}};
    RoomDialogState().savedExpanded = {true};
    ProjectOptionsDialogState().savedTree = DeviceTreeNode{"old", 0, {}};

    EXPECT_FALSE(c.FollowCatalogueLanguage("hu")); // nothing to do
    EXPECT_TRUE(RoomDialogState().savedSystemsTree.has_value());
    EXPECT_TRUE(c.FollowCatalogueLanguage("en"));
    std::vector<std::string> english;
    Folders(c.Devices().FillDeviceTree(kFloorHeatingKind, "root"), english);
    EXPECT_NE(std::find(english.begin(), english.end(), "Floor heating"), english.end());
    EXPECT_EQ(std::find(english.begin(), english.end(), Cp("Padlófűtés")), english.end());
    EXPECT_FALSE(c.catalogueFailed);
    EXPECT_EQ(messages.shown, 0);
    EXPECT_FALSE(RoomDialogState().savedSystemsTree.has_value());
    EXPECT_TRUE(RoomDialogState().savedExpanded.empty());
    EXPECT_FALSE(ProjectOptionsDialogState().savedTree.has_value());
    EXPECT_FALSE(c.defaultValveName.empty()); // item names are the same in every language
}

// The English window words: the room dialog's button that lays a field at the next
// wider spacing says so.
TEST(LanguageConventions, EnglishRoomDialogSaysSparser)
{
    std::ifstream in(std::string(KALORINA_SOURCE_DIR) + "/languages/english.xml");
    std::stringstream text;
    text << in.rdbuf();
    const std::string xml = text.str();
    const auto item = xml.find("<formitem name=\"DecrementFloorHeatingAction\"");
    ASSERT_NE(item, std::string::npos);
    const std::string body = xml.substr(item, xml.find("</formitem>", item) - item);
    EXPECT_NE(body.find("value=\"Sparser\""), std::string::npos) << body;
    EXPECT_EQ(body.find("Wider"), std::string::npos) << body;
}
