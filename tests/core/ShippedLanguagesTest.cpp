// The languages shipped with the program, as sources and as the build packs them:
// every identifier the program looks up is defined, and texts used as formats
// carry exactly the arguments the program passes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>

#include "lang/LanguageLoader.h"
#include "lang/TLanguages.h"
#include "lang/TextIds.h"
#include "listview/TListHeaderFormat.h"

using namespace kalorina;

namespace {

struct Shipped {
    const char* file;
    const char* name;
    const char* catalogueLanguage;
};
constexpr Shipped kShipped[] = {{"magyar", "Magyar", "hu"}, {"english", "English", "en"}};

std::string Source(const Shipped& s)
{
    return std::string(KALORINA_SOURCE_DIR) + "/languages/" + s.file + ".xml";
}
std::string Packed(const Shipped& s)
{
    return std::string(KALORINA_STAGE_DIR) + "/languages/" + s.file + ".xmz";
}

// The printf conversions of a text, "%%" left out.
std::string Conversions(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == '%') {
            if (text[i + 1] != '%')
                out += text[i + 1];
            ++i;
        }
    if (!text.empty() && text.back() == '%' && (text.size() < 2 || text[text.size() - 2] != '%'))
        out += '!';
    return out;
}

void CheckLanguage(const TLanguage& lang, const Shipped& s)
{
    SCOPED_TRACE(lang.fileName);
    EXPECT_EQ(lang.name, s.name);
    const auto missing = MissingTextIds(lang);
    EXPECT_TRUE(missing.empty()) << "first missing: " << (missing.empty() ? "" : missing.front());
    EXPECT_EQ(lang.Strings.at("IDS_DEVICEDBLANGUAGE"), s.catalogueLanguage);

    std::map<std::string, std::string> formats = {{"IDS_DELETEROOMQUESTION", "s"},
                                                  {"IDS_DELETEROUNDQUESTION", "s"},
                                                  {"IDS_WANTITEMDELETE", "s"},
                                                  {"IDS_VERSIONERR", "d"},
                                                  {"IDS_XMLPARSERERROR+3", "s"},
                                                  {"IDS_XMLPARSERERROR+4", "s"},
                                                  {"IDS_XMLPARSERERROR+10", "ss"},
                                                  {"IDS_XMLPARSERERROR+11", "ss"},
                                                  {"IDS_XMLDATEERROR", "s"},
                                                  {"IDS_XMLINTEGERERROR", "s"},
                                                  {"IDS_XMLFILEERROR", "s"},
                                                  {"IDS_CANNOTOPENFILE", "ss"},
                                                  {"IDS_CANNOTREADFILE", "ss"},
                                                  {"IDS_CANNOTWRITEFILE", "ss"},
                                                  {"IDS_NOTANINTEGER", "s"},
                                                  {"IDS_NOTAFLOAT", "s"},
                                                  {"IDS_PIECELISTCYCLE", "s"},
                                                  {"IDS_PRINTJOBFAILED", "s"},
                                                  // Design rules.
                                                  {"IDS_RETURNNOTBELOWFORWARD", "ss"},
                                                  {"IDS_AREAABOVEMAXIMUM", "ss"},
                                                  {"IDS_FIELDSBEYONDROOM", "ss"},
                                                  {"IDS_DAMAGEDROOM", "ss"},
                                                  {"IDS_DAMAGEDROUND", "ss"},
                                                  {"IDS_DAMAGEDPROJECT", "s"},
                                                  {"IDS_DUPLICATEROOMID", "ss"},
                                                  {"IDS_IMPOSSIBLEQUANTITY", "s"},
                                                  {"IDS_ROOMNAMETAKEN", "s"},
                                                  {"IDS_ROUNDNAMETAKEN", "s"},
                                                  {"IDS_DATEFORMAT", "Ymd"},
                                                  {"IDS_UNDOSTEP", "s"},
                                                  {"IDS_REDOSTEP", "s"},
                                                  {"IDS_STEPMODIFY", "s"},
                                                  {"IDS_STEPRENAME", "s"},
                                                  {"IDS_STEPDELETE", "s"},
                                                  {"IDS_STEPCUT", "s"}};
    // Manifolds.
    formats.insert({{"IDS_STEPMOVEROUND", "s"},
                    {"IDS_DELETEMANIFOLDQUESTION", "ss"},
                    {"IDS_MANIFOLDNAMETAKEN", "s"},
                    {"IDS_MANIFOLDSPREADRANGE", "ss"},
                    {"IDS_MANIFOLDSUPPLYRANGE", "ss"},
                    {"IDS_MANIFOLDFIGURES", "ss"}});
    formats.insert({{"IDS_DESIGNUNCOVERED", "ss"},
                    {"IDS_DESIGNSURFACE", "s"},
                    {"IDS_DESIGNSHARED", "s"},
                    {"IDS_DESIGNPARTLY", "s"},
                    {"IDS_DESIGNOVERHEATED", "ssss"},
                    {"IDS_DESIGNNOISY", "ss"},
                    {"IDS_DESIGNNOVALVE", "ss"},
                    {"IDS_DESIGNFAILED", "ss"},
                    {"IDS_DESIGNNOCIRCUITHEAT", "s"},
                    {"IDS_DESIGNTOOLONG", "sss"}});
    // A typed number refused: the field, the lowest and the highest value.
    formats.insert({{"IDS_JSONNOTREAD", "ss"},
                    {"IDS_JSONNEEDED", "s"},
                    {"IDS_JSONNUMBER", "s"},
                    {"IDS_JSONTEXT", "s"},
                    {"IDS_JSONBOOL", "s"},
                    {"IDS_JSONLIST", "s"},
                    {"IDS_JSONOBJECT", "s"},
                    {"IDS_JSONCHOICE", "sss"},
                    {"IDS_JSONUNKNOWNKEY", "sss"},
                    {"IDS_JSONUNKNOWNROOM", "ss"},
                    {"IDS_JSONDUPLICATEROOM", "ss"},
                    {"IDS_JSONUNKNOWNCONSTRUCTION", "ss"},
                    {"IDS_OUTDOORNOTBELOW", "sss"}});
    formats.insert({{"IDS_HEATLOADROOM", "ssss"}, {"IDS_HEATLOADCLIMATE", "ssss"}, {"IDS_HEATLOADTRANSMISSION", "ss"}, {"IDS_HEATLOADAIR", "sss"}, {"IDS_HEATLOADHEATINGUP", "s"}, {"IDS_HEATLOADTOTAL", "s"}, {"IDS_HEATLOADKEPT", "s"}, {"IDS_HEATLOADBUILDING", "s"}});
    formats.insert({{"IDS_PLANOUTLINEFAULT", "sss"}, {"IDS_PLANOVERLAP", "ssss"}, {"IDS_PLANUNKNOWNMANIFOLD", "ss"}, {"IDS_PLANROOMTWICE", "ss"}, {"IDS_PLANPOINT", "s"}, {"IDS_PLANNEWROOM", "s"}});
    formats.insert({{"IDS_DXFNOLAYER", "ss"}, {"IDS_DXFNOOUTLINE", "s"}, {"IDS_DXFOUTLINE", "sss"}});
    formats.insert({{"IDS_PLANDOOROFFWALL", "ss"}});
    formats.insert({{"IDS_PLANREPORTFLOOR", "ss"}});
    formats.insert({{"IDS_LAYOUTNOPARTS", "s"}, {"IDS_LAYOUTNOMANIFOLD", "ss"}, {"IDS_LAYOUTMANIFOLDOUTSIDE", "ss"}, {"IDS_LAYOUTNOOUTLINE", "ss"}, {"IDS_LAYOUTOTHERFLOOR", "ss"}, {"IDS_LAYOUTNOSPACING", "ss"}, {"IDS_LAYOUTNOREGION", "ss"}, {"IDS_LAYOUTNOROUTE", "ss"}, {"IDS_LAYOUTNOLOOP", "sss"}, {"IDS_LAYOUTTOOLONG", "ssss"}});
    formats.insert({{"IDS_PLANREPORTCIRCUIT", "sssss"}});
    formats.insert({{"IDS_CHECKLAYOUTSTALE", "s"}});
    formats.insert({{"IDS_LAYOUTSPLITSHARED", "s"}});
    formats.insert({{"IDS_LAYOUTNORISER", "sss"}});
    formats.insert({{"IDS_LAYOUTASMEANDER", "ss"}});
    formats.insert({{"IDS_INPUTRANGE", "sss"}, {"IDS_INPUTRANGEABOVE", "sss"}, {"IDS_INPUTRANGEWHOLE", "sss"}});
    // A recovery file that cannot be read: its name, the reason, where it was put aside.
    formats.insert({{"IDS_RECOVERYDAMAGED", "sss"}});
    // Circuits that use a deleted room or field, and references that point nowhere.
    formats.insert({{"IDS_DELETEUSEDROOMQUESTION", "ss"},
                    {"IDS_DELETEUSEDFIELDSQUESTION", "s"},
                    {"IDS_BROKENREFERENCES", "s"},
                    {"IDS_BROKENREFERENCELINE", "sss"}});
    // The design check's sentences, with their numbers.
    formats.insert({{"IDS_CHECKROOMSHORTFALL", "sss"},     {"IDS_CHECKSUPPLEMENTARYHEAT", "sss"},
                    {"IDS_CHECKINSULATION", "sss"},        {"IDS_CHECKSURFACETEMPERATURE", "sss"},
                    {"IDS_CHECKUNASSIGNEDAREA", "s"},      {"IDS_CHECKFIELDAREABEYONDROOM", "sss"},
                    {"IDS_CHECKFIELDOVERASSIGNED", "sss"}, {"IDS_CHECKROOMWITHOUTFIELDS", "s"},
                    {"IDS_CHECKTUBETOOLONG", "sss"},       {"IDS_CHECKVELOCITYLOW", "ss"},
                    {"IDS_CHECKVELOCITYHIGH", "ss"},       {"IDS_CHECKPRESSUREEXCEEDED", "sss"},
                    {"IDS_CHECKMANIFOLDSUPPLY", "sss"},    {"IDS_CHECKROOMMISSING", "ss"},
                    {"IDS_CHECKFIELDMISSING", "sss"},      {"IDS_CHECKROUNDTEMPERATURES", "ss"},
                    {"IDS_CHECKFIELDTEMPERATURES", "sss"}, {"IDS_CHECKEMPTYROOMNAME", "s"},
                    {"IDS_CHECKEMPTYROUNDNAME", "s"},      {"IDS_CHECKDUPLICATEROOMNAME", "s"},
                    {"IDS_CHECKDUPLICATEROUNDNAME", "s"},  {"IDS_CHECKSTOREDVALUE", "sss"},
                    {"IDS_RESULTNOTFINITE", "s"},          {"IDS_CHECKSTOREDRANGE", "ss"},
                    {"IDS_DESIGNCHECKSUMMARY", "ss"},      {"IDS_DESIGNCHECKSUMMARY1E", "ss"},
                    {"IDS_DESIGNCHECKSUMMARY1W", "ss"},    {"IDS_DESIGNCHECKSUMMARY1EW", "ss"},
                    {"IDS_TREEPRESETTING", "s"},           {"IDS_XMLEXTERNALENTITY", "ss"},
                    {"IDS_XMLINCLUDEOUTSIDE", "ss"},       {"IDS_XMLSYNTAXERROR", "sss"},
                    {"IDS_XMLSYNTAXMISMATCH", "sss"},      {"IDS_XMLSYNTAXENDWITHOUTSTART", "s"},
                    {"IDS_XMLSYNTAXUNCLOSED", "ss"},       {"IDS_CATALOGUEFOLDERMISSING", "s"},
                    {"IDS_CATALOGUEFOLDEREMPTY", "s"},     {"IDS_CATALOGUEITEMIMPLAUSIBLE", "sss"},
                    {"IDS_CATALOGUEMACROBUDGET", "s"},     {"IDS_CATALOGUEMOREFAILURES", "s"},
                    {"IDS_MANIFOLDKITCOMBINED", "sss"},    {"IDS_MANIFOLDKITNONE", "ss"},
                    {"IDS_MANIFOLDKITSPARE", "ssss"},      {"IDS_MANIFOLDVALVELINE", "ss"},
                    {"IDS_MANIFOLDVALVESCALE", "ss"}});
    for (const auto& [key, text] : lang.Strings) {
        auto f = formats.find(key);
        EXPECT_EQ(Conversions(text), f == formats.end() ? "" : f->second) << key << ": " << text;
        // Tokens land inside RTF templates as they are.
        if (key.starts_with("ID_") || key.starts_with("CID_")) {
            EXPECT_EQ(text.find_first_of("{}\\#"), std::string::npos) << key;
        }
    }

    // Families are listed up to the first gap: the required ones must be unbroken.
    TLanguages one;
    TLanguage copy = lang;
    copy.compressed = true;
    one.AddLanguage(copy);
    one.SelectLanguage(s.name);
    for (const TextFamily& family : kRequiredTextFamilies)
        EXPECT_GE(static_cast<int>(one.GetFamily(std::string(family.base)).size()), family.count) << family.base;

    const std::set<std::string> formats9 = {"FloorHeatingChoose",  "RoomFloorHeatingsTitle", "RoundFloorFields",
                                            "ResistItemsTitle",    "ResistItemsTitle2",      "FloorHeatingsReportTitle",
                                            "RoomItemTitle",       "RoundItemTitle",         "UsedMaterialsTableTitle",
                                            "ManifoldOutletsTitle", "HeatLoadElementsTitle"};
    for (const TLanguageTitle& t : lang.titles)
        EXPECT_TRUE(formats9.count(t.name)) << "no column format named " << t.name;
}

} // namespace

TEST(ShippedLanguages, SourcesDefineEveryLookedUpText)
{
    for (const Shipped& s : kShipped) {
        auto lang = LoadLanguageFile(Source(s));
        ASSERT_TRUE(lang) << Source(s);
        EXPECT_FALSE(lang->compressed);
        CheckLanguage(*lang, s);
    }
}

TEST(ShippedLanguages, PackedBuildOutputLoadsAsUserInterfaceLanguages)
{
    TLanguages l;
    LoadLanguages(l, std::string(KALORINA_STAGE_DIR) + "/languages");
    std::vector<std::string> ui;
    l.GetLanguageNames(ui, true);
    std::sort(ui.begin(), ui.end());
    EXPECT_EQ(ui, (std::vector<std::string>{"English", "Magyar"}));
    for (const Shipped& s : kShipped) {
        auto lang = LoadLanguageFile(Packed(s));
        ASSERT_TRUE(lang) << Packed(s);
        EXPECT_TRUE(lang->compressed);
        EXPECT_TRUE(lang->userInterface);
        CheckLanguage(*lang, s);
    }
    l.SelectLanguage("Magyar");
    EXPECT_EQ(l.GetText("IDS_PROGRAMTITLE"),
              "Kalorina Padl\xF3"
              "f\xFBt\xE9s m\xE9retez\xF5");
    EXPECT_EQ(l.ReplaceTokens("{\\b #ID_BUILDING#:}"), "{\\b \xC9p\xEDtm\xE9ny:}");
    l.SelectLanguage("English");
    EXPECT_EQ(l.GetText("IDS_PROGRAMTITLE"), "Kalorina Floor Heating Designer");
}

// Every text key written in the program's sources is on the required list, so that
// both shipped languages are checked for it above.
TEST(ShippedLanguages, EveryKeyTheCodeLooksUpIsRequired)
{
    namespace fs = std::filesystem;
    const auto required = RequiredTextKeys();
    std::set<std::string> families;
    for (const TextFamily& f : kRequiredTextFamilies)
        families.insert(std::string(f.base));
    const std::regex key("\"(IDS_[A-Za-z0-9_]+\\+?[0-9]*)");
    int found = 0;
    for (const auto& entry : fs::recursive_directory_iterator(std::string(KALORINA_SOURCE_DIR) + "/src")) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path());
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        for (auto it = std::sregex_iterator(text.begin(), text.end(), key); it != std::sregex_iterator(); ++it) {
            std::string id = (*it)[1];
            ++found;
            if (id.back() == '+')
                EXPECT_TRUE(families.count(id)) << id << " in " << entry.path();
            else
                EXPECT_NE(std::find(required.begin(), required.end(), id), required.end())
                    << id << " in " << entry.path();
        }
    }
    EXPECT_GT(found, 40);
}

// Every translated column caption fits its column: a caption longer than the one
// the column was made for widens it rather than being cut ("Floor cov").
TEST(ShippedLanguages, TranslatedColumnCaptionsFitTheirColumns)
{
    auto lang = LoadLanguageFile(std::string(KALORINA_SOURCE_DIR) + "/languages/english.xml");
    ASSERT_TRUE(lang);
    TLanguages l;
    l.AddLanguage(*lang);
    l.SelectLanguage(lang->name);
    for (const char* name : {"FloorHeatingChoose", "RoomFloorHeatingsTitle", "RoundFloorFields", "ResistItemsTitle",
                             "ResistItemsTitle2", "FloorHeatingsReportTitle", "RoomItemTitle", "RoundItemTitle",
                             "UsedMaterialsTableTitle", "ManifoldOutletsTitle", "HeatLoadElementsTitle"}) {
        TListHeaderFormat f;
        ASSERT_TRUE(f.LoadFormat(name)) << name;
        l.TranslateTitle(f, name);
        for (const auto& col : f.columns)
            for (int row = 0; row < f.captionLineCount && row < 2; ++row) {
                const std::string line = col.captionLines[row].substr(0, col.captionLines[row].find("\\;"));
                std::size_t shown = 0;
                for (std::size_t i = 0; i < line.size(); ++i)
                    line[i] == '\\' ? ++i : ++shown;
                EXPECT_GT(static_cast<std::size_t>(col.width), shown)
                    << name << " column " << col.columnId << ": " << line;
            }
    }
}
