#include "report/ReportFileName.h"

#include "lang/PrintingScope.h"
#include "lang/TLanguages.h"

namespace kalorina {

namespace {

// The accented letters of code page 1250 as their plain letter: "Osztók" is "osztok".
char PlainLetter(unsigned char c)
{
    static const char* const accented = "\xE1\xE4\xE9\xEB\xED\xF3\xF6\xF5\xF4\xFA\xFC\xFB\xFD";
    static const char* const plain = "aaeeiooooouuuy";
    static const char* const upper = "\xC1\xC4\xC9\xCB\xCD\xD3\xD6\xD5\xD4\xDA\xDC\xDB\xDD";
    for (int i = 0; accented[i]; ++i)
        if (c == static_cast<unsigned char>(accented[i]) || c == static_cast<unsigned char>(upper[i]))
            return plain[i];
    return 0;
}

// Only letters, digits and hyphens of ASCII: a language's word with accents or
// spaces still gives a name every file system and mail program keeps.
std::string Plain(const std::string& text, const char* fallback)
{
    std::string out;
    for (unsigned char c : text) {
        if (const char p = PlainLetter(c)) {
            out += p;
            continue;
        }
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-')
            out += static_cast<char>(c);
        else if (c >= 'A' && c <= 'Z')
            out += static_cast<char>(c - 'A' + 'a');
        else if (c == ' ' && !out.empty() && out.back() != '-')
            out += '-';
    }
    return out.empty() ? fallback : out;
}

constexpr int kBillWord = 5;

std::string Word(int index, const char* fallback)
{
    // The file is of the report, which speaks the printing language.
    PrintingScope printing;
    const std::string text = Languages().GetFamilyText("IDS_REPORTFILENAME+", index);
    return Plain(text, fallback);
}

} // namespace

std::string ReportFileWord(ReportKind kind)
{
    static const char* const fallback[] = {"rooms",     "fields",    "circuits", "circuits-detailed",
                                           "manifolds", "heat-load", "plan"};
    const int i = static_cast<int>(kind);
    // The bill's word came before the heat-load report's: language files keep it at 5.
    if (kind == ReportKind::HeatLoad || kind == ReportKind::Plan)
        return Word(kBillWord + i - static_cast<int>(ReportKind::HeatLoad) + 1, fallback[i]);
    return i >= 0 && i < kReportKindCount ? Word(i, fallback[i]) : std::string("report");
}

std::string BillFileWord()
{
    return Word(kBillWord, "bill-of-materials");
}

std::string ProposedFileName(const std::string& projectFile, const std::string& word, const std::string& extension)
{
    std::string folder, stem;
    const auto slash = projectFile.find_last_of("/\\");
    folder = slash == std::string::npos ? std::string() : projectFile.substr(0, slash + 1);
    stem = slash == std::string::npos ? projectFile : projectFile.substr(slash + 1);
    const auto dot = stem.rfind('.');
    if (dot != std::string::npos && dot > 0)
        stem.erase(dot);
    const std::string name = stem.empty() ? word : stem + "-" + word;
    return folder + name + "." + extension;
}

} // namespace kalorina
