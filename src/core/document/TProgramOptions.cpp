#include "document/TProgramOptions.h"

#include <charconv>
#include <ctime>
#include <optional>

#include "lang/TLanguages.h"
#include "platform/Registry.h"
#include "util/FormatText.h"

namespace kalorina {

namespace {
bool OpenSubKey(TRegistry& reg, const char* key)
{
    return OpenRootKey(reg) && reg.OpenKey(key, true);
}

// Registry values of the wrong type are treated as absent: a damaged settings file
// must not keep the program from starting or a dialog from opening.
template <typename T, typename Read>
void ReadIfPresent(const TRegistry& reg, const char* name, T& into, Read read)
{
    if (!reg.ValueExists(name))
        return;
    try {
        into = read(name);
    } catch (const std::exception&) {
    }
}
} // namespace

void LoadProgramOptions(TProgramOptions& o, SettingsStore& store)
{
    TRegistry reg(store);
    if (!OpenSubKey(reg, "ProgramOptions"))
        return;
    auto str = [&](const std::string& n) { return reg.ReadString(n); };
    auto num = [&](const std::string& n) { return reg.ReadInteger(n); };
    auto flag = [&](const std::string& n) { return reg.ReadBool(n); };
    std::optional<std::string> planer;
    ReadIfPresent(reg, "Planer", planer, str);
    if (planer)
        o.designerLines = SplitLines(*planer);
    ReadIfPresent(reg, "InitDate", o.dateNewProjects, flag);
    ReadIfPresent(reg, "LeftMargin", o.margins.left, num);
    ReadIfPresent(reg, "TopMargin", o.margins.top, num);
    ReadIfPresent(reg, "RightMargin", o.margins.right, num);
    ReadIfPresent(reg, "BottomMargin", o.margins.bottom, num);
    ReadIfPresent(reg, "LanguageID", o.languageId, str);
    o.printingLanguageId = o.languageId;
    ReadIfPresent(reg, "PrintingLanguageID", o.printingLanguageId, str);
}

void SaveProgramOptions(const TProgramOptions& o, SettingsStore& store)
{
    TRegistry reg(store);
    if (!OpenSubKey(reg, "ProgramOptions"))
        return;
    reg.WriteString("Planer", JoinLines(o.designerLines));
    reg.WriteBool("InitDate", o.dateNewProjects);
    reg.WriteInteger("LeftMargin", o.margins.left);
    reg.WriteInteger("TopMargin", o.margins.top);
    reg.WriteInteger("RightMargin", o.margins.right);
    reg.WriteInteger("BottomMargin", o.margins.bottom);
    reg.WriteString("LanguageID", o.languageId);
    reg.WriteString("PrintingLanguageID", o.printingLanguageId);
}

namespace {
struct FontValues {
    const char* nameValue;
    const char* sizeValue;
    const char* defaultName;
    std::int32_t defaultSize;
};
const FontValues* ValuesOf(FontKind kind)
{
    static const FontValues list{"ListName", "ListSize", "MS Sans Serif", 10};
    static const FontValues report{"ReportName", "ReportSize", "Times New Roman", 10};
    switch (kind) {
    case FontKind::List:
        return &list;
    case FontKind::Report:
        return &report;
    }
    return nullptr;
}
} // namespace

ListFontAttributes ListFontAttributes::LoadFontAttributes(FontKind kind, SettingsStore& store)
{
    ListFontAttributes a;
    const FontValues* v = ValuesOf(kind);
    TRegistry reg(store);
    if (!v || !OpenSubKey(reg, "Fonts"))
        return a;
    a.name = v->defaultName;
    a.size = v->defaultSize;
    ReadIfPresent(reg, v->nameValue, a.name, [&](const std::string& n) { return reg.ReadString(n); });
    ReadIfPresent(reg, v->sizeValue, a.size, [&](const std::string& n) { return reg.ReadInteger(n); });
    return a;
}

void ListFontAttributes::SaveFontAttributes(FontKind kind, SettingsStore& store) const
{
    const FontValues* v = ValuesOf(kind);
    TRegistry reg(store);
    if (!v || !OpenSubKey(reg, "Fonts"))
        return;
    reg.WriteString(v->nameValue, name);
    reg.WriteInteger(v->sizeValue, size);
}

std::string ListFontAttributes::LabelText() const
{
    // "10 pontos Times New Roman"; the unit word follows the language.
    std::string unit = Languages().GetText("IDS_FONTPOINTS");
    return std::to_string(size) + " " + (unit.empty() ? std::string("pontos") : unit) + " " + name;
}

namespace {
// Takes the leading field of `text` (up to the next comma, or the end when `last`).
// Returns false and changes nothing when the field is empty.
bool TakeField(std::string& text, int& into, bool last)
{
    auto comma = text.find(',');
    if (comma == 0 || text.empty())
        return false;
    if (comma == std::string::npos && !last)
        return false;
    std::string field = text.substr(0, comma);
    int value = 0;
    auto r = std::from_chars(field.data(), field.data() + field.size(), value);
    bool ok = r.ec == std::errc() && r.ptr == field.data() + field.size();
    text.erase(0, comma == std::string::npos ? text.size() : comma + 1);
    if (ok)
        into = value;
    return true;
}
} // namespace

void RestoreFormPlacement(const std::string& formName, FormPlacement& p, SettingsStore& store)
{
    TRegistry reg(store);
    if (!OpenSubKey(reg, "FormMaximalization"))
        return;
    // Only a stored true acts: a dialog built maximised stays so.
    bool maximized = false;
    ReadIfPresent(reg, formName.c_str(), maximized, [&](const std::string& n) { return reg.ReadBool(n); });
    p.maximized = p.maximized || maximized;
    if (p.maximized)
        return;
    if (!OpenRootKey(reg) || !reg.OpenKey("FormPosition", true) || !reg.ValueExists(formName))
        return;
    std::string text;
    ReadIfPresent(reg, formName.c_str(), text, [&](const std::string& n) { return reg.ReadString(n); });
    if (!TakeField(text, p.left, false) || !TakeField(text, p.top, false) || !p.sizeable)
        return;
    if (TakeField(text, p.width, false))
        TakeField(text, p.height, true);
}

void SaveFormPlacement(const std::string& formName, const FormPlacement& p, SettingsStore& store)
{
    TRegistry reg(store);
    if (!OpenSubKey(reg, "FormMaximalization"))
        return;
    reg.WriteBool(formName, p.maximized);
    if (p.maximized)
        return;
    if (!OpenRootKey(reg) || !reg.OpenKey("FormPosition", true))
        return;
    reg.WriteString(formName,
                    std::to_string(p.left) + "," + std::to_string(p.top) + "," + std::to_string(p.width) + ","
                        + std::to_string(p.height));
}

std::string ShortDateToday()
{
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    // The date form of the language that is speaking, so that the project data
    // and a report's footer write dates alike.
    return FormatDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, Languages().GetText("IDS_DATEFORMAT"));
}

} // namespace kalorina
