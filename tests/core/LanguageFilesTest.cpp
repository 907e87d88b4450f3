// Language files: which files load and how, what a file's scan yields, and how
// the result translates windows and column captions.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>

#include "lang/FormTranslation.h"
#include "lang/LanguageLoader.h"
#include "lang/LanguageScanner.h"
#include "lang/Lzw.h"
#include "util/Error.h"

using namespace kalorina;
namespace fs = std::filesystem;

namespace {

class TempDir {
public:
    TempDir()
    {
        std::random_device rd;
        path_ = fs::temp_directory_path() / ("kalorina-lang-" + std::to_string(rd()) + std::to_string(rd()));
        fs::create_directories(path_);
    }
    ~TempDir() { fs::remove_all(path_); }
    std::string str() const { return path_.string(); }
    void Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
    }
    void WritePacked(const std::string& name, const std::string& xml) const { Write(name, Compressing::Encode(xml)); }

private:
    fs::path path_;
};

std::string Doc(const std::string& name, const std::string& body = "")
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><language id=\"" + name + "\" UserInterface=\"yes\">" + body
        + "</language>";
}

std::vector<std::string> Names(const TLanguages& l)
{
    std::vector<std::string> names;
    for (const auto& lang : l.Languages())
        names.push_back(lang.name);
    return names;
}

struct RecordingComponent : TranslatableComponent {
    std::map<std::string, std::string> set;
    std::vector<std::string> entries = {"a", "b"};
    void SetCaption(const std::string& t) override { set["Caption"] = t; }
    void SetHint(const std::string& t) override { set["Hint"] = t; }
    void SetText(const std::string& t) override { set["Text"] = t; }
    bool SetEntry(int i, const std::string& t) override
    {
        if (i < 0 || i >= static_cast<int>(entries.size()))
            return false;
        entries[i] = t;
        return true;
    }
};

struct RecordingForm : TranslatableForm {
    std::string name, caption;
    std::map<std::string, RecordingComponent> components;
    std::string FormName() const override { return name; }
    void SetCaption(const std::string& t) override { caption = t; }
    TranslatableComponent* FindComponent(const std::string& n) override
    {
        auto it = components.find(n);
        return it == components.end() ? nullptr : &it->second;
    }
};

struct RecordingTitle : TitleTarget {
    int lines = 2;
    std::map<std::pair<int, int>, std::string> set;
    int CaptionLineCount() const override { return lines; }
    void SetCaptionLine(int id, int row, const std::string& text) override { set[{id, row}] = text; }
};

} // namespace

TEST(LanguageFiles, PatternsOrderAndUserInterfaceFlag)
{
    TempDir dir;
    dir.Write("hu.XML", Doc("Hu"));         // plain: print only, whatever it says
    dir.WritePacked("de.xmc", Doc("De"));   // any other *.xm? is compressed
    dir.WritePacked("a.xml.xmz", Doc("A")); // ".XML" not at the end: compressed
    dir.Write("x.XML.bak", Doc("Backup"));  // matches no pattern
    dir.Write("readme.txt", Doc("Text"));
    dir.Write("b.xm", Doc("Short"));
    fs::create_directory(fs::path(dir.str()) / "folder.xml");

    EXPECT_EQ(LanguageFileNames(dir.str()), (std::vector<std::string>{"a.xml.xmz", "de.xmc", "hu.XML"}));
    TLanguages l;
    LoadLanguages(l, dir.str());
    ASSERT_EQ(Names(l), (std::vector<std::string>{"A", "De", "Hu"}));
    EXPECT_TRUE(l.Languages()[0].userInterface);
    EXPECT_TRUE(l.Languages()[1].userInterface);
    EXPECT_FALSE(l.Languages()[2].userInterface);
    l.SelectLanguage("Hu");
    EXPECT_EQ(l.Current(), nullptr);
    l.SelectPrintingLanguage("Hu");
    EXPECT_EQ(l.GetPrintingLanguageName(), "Hu");
    l.SelectLanguage("De");
    EXPECT_EQ(l.GetLanguageName(), "De");

    EXPECT_TRUE(IsPlainLanguageFile("Magyar.xml"));
    EXPECT_FALSE(IsPlainLanguageFile("a.xml.xml")); // the first ".XML" decides
}

TEST(LanguageFiles, BrokenFilesAreSkippedAndTheRestLoad)
{
    TempDir dir;
    dir.Write("a.xmz", "this is not LZW data");
    dir.Write("b.xml", Doc("BadId", "<title name=\"T\"><columnitem id=\"x\" row=\"1\">Q</columnitem></title>"));
    dir.Write("c.xml", Doc("BadRow", "<title name=\"T\"><columnitem id=\"1\" row=\"2a\">Q</columnitem></title>"));
    dir.WritePacked("d.xmz", Doc("Good", "<strings><item id=\"K\" value=\"v\"></item></strings>"));
    std::string truncated = Compressing::Encode(Doc("Cut"));
    dir.Write("e.xmz", truncated.substr(0, truncated.size() / 2));
    dir.Write("f.xml", Doc("Signed", "<title name=\"T\"><columnitem id=\" 3 \" row=\"+1\">Q</columnitem></title>"));

    TLanguages l;
    LoadLanguages(l, dir.str());
    EXPECT_EQ(Names(l), (std::vector<std::string>{"Good", "Signed"}));
    EXPECT_THROW(ScanLanguage(Doc("X", "<title><columnitem id=\"\" row=\"1\"></columnitem></title>")), KalorinaError);

    TLanguages none;
    LoadLanguages(none, dir.str() + "/missing");
    EXPECT_TRUE(none.Languages().empty());
    EXPECT_EQ(none.GetText("K"), "");
}

TEST(LanguageFiles, ScanningStringsFormsAndTitles)
{
    const TLanguage lang = ScanLanguage(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<root><language id=\"First\"></language>"
        "<strings><item id=\"A\" value=\"one\"></item><item id=\"Self\" value=\"x\"/>"
        "<item id=\"A\" value=\"two\"></item><item id=\"Amp\" value=\"Fő &amp; mellék\"></item></strings>"
        "<strings><item id=\"B\" value=\"b\"></item><item id=\"Case\" value=\"C\"></item></strings>"
        "<item id=\"Outside\" value=\"o\"></item>"
        "<form name=\"F\"><property id=\"Caption\" value=\"Cap\"></property><property id=\"\" value=\"no\"></property>"
        "<formitem name=\"L\" type=\"TLabel\"><property id=\"Caption\" value=\"Label\"></property></formitem>"
        "<property id=\"Hint\" value=\"H\"></property></form>"
        "<title name=\"T\"><columnitem id=\"5\" row=\"2\">  Padló\n   fűtés  </columnitem>stray"
        "<columnitem id=\"7\" row=\"1\"></columnitem><columnitem id=\"3\" row=\"1\">Q</columnitem></title>"
        "<language id=\"Second\" UserInterface=\"yes\"></language></root>");

    EXPECT_EQ(lang.name, "Second"); // a later language element overrides
    EXPECT_TRUE(lang.userInterface);
    EXPECT_EQ(lang.Strings.at("A"), "two");
    EXPECT_EQ(lang.Strings.count("Self"), 0u);    // self-closing: not read
    EXPECT_EQ(lang.Strings.count("Outside"), 0u); // item outside strings
    EXPECT_EQ(lang.Strings.at("Amp"), "F\xF5 & mell\xE9k");
    EXPECT_EQ(lang.Strings.at("B"), "b");

    ASSERT_EQ(lang.forms.size(), 1u);
    const TLanguageForm& f = lang.forms[0];
    EXPECT_EQ(f.propertyIds, (std::vector<std::string>{"Caption", "Hint"}));
    ASSERT_EQ(f.items.size(), 1u);
    EXPECT_EQ(f.items[0].type, "TLabel");
    EXPECT_EQ(f.items[0].propertyValues, (std::vector<std::string>{"Label"}));

    ASSERT_EQ(lang.titles.size(), 1u);
    const auto& c = lang.titles[0].captions;
    ASSERT_EQ(c.size(), 2u);
    EXPECT_EQ(c[0], (std::pair<std::int16_t, std::string>{5 + 256, "Padl\xF3 f\xFBt\xE9s"}));
    EXPECT_EQ(c[1], (std::pair<std::int16_t, std::string>{3, "Q"}));
}

TEST(LanguageFiles, TranslatingWindowsAndColumnCaptions)
{
    TLanguage lang = ScanLanguage(Doc(
        "L",
        "<form name=\"RoomModifyForm\"><property id=\"Caption\" value=\"Room\"></property>"
        "<formitem name=\"Kind\" type=\"TComboBox\"><property id=\"Items.Strings\" value=\"x\"></property>"
        "<property id=\"Items.Strings\" value=\"y\"></property><property id=\"Items.Strings\" value=\"z\"></property>"
        "<property id=\"Caption\" value=\"no caption on a combo\"></property><property id=\"Text\" "
        "value=\"t\"></property>"
        "</formitem><formitem name=\"Missing\" type=\"TLabel\"><property id=\"Caption\" "
        "value=\"m\"></property></formitem>"
        "</form>"
        "<title name=\"T\"><columnitem id=\"5\" row=\"2\">Q</columnitem><columnitem id=\"5\" row=\"1\">P</columnitem>"
        "</title>"));
    lang.compressed = true;
    TLanguages l;
    l.AddLanguage(lang);
    l.SelectLanguage("L");

    for (const char* name : {"RoomModifyForm", "RoomModifyForm_2", "RoomModifyForm_17"}) {
        RecordingForm form;
        form.name = name;
        form.components["Kind"];
        l.TranslateForm(form);
        EXPECT_EQ(form.caption, "Room") << name;
        EXPECT_EQ(form.components["Kind"].entries,
                  (std::vector<std::string>{"x", "y"})); // the third is beyond the list
        EXPECT_EQ(form.components["Kind"].set, (std::map<std::string, std::string>{{"Text", "t"}}));
    }
    for (const char* name : {"RoomModifyForm_", "RoomModifyForm2", "RoomModifyForm_2x"}) {
        RecordingForm form;
        form.name = name;
        l.TranslateForm(form);
        EXPECT_EQ(form.caption, "") << name;
    }

    RecordingTitle two, one;
    one.lines = 1;
    l.TranslateTitle(two, "T");
    l.TranslateTitle(one, "T");
    EXPECT_EQ(two.set, (std::map<std::pair<int, int>, std::string>{{{5, 1}, "Q"}, {{5, 0}, "P"}}));
    EXPECT_EQ(one.set, (std::map<std::pair<int, int>, std::string>{{{5, 0}, "P"}}));
}
