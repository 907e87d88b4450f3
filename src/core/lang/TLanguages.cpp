#include "lang/TLanguages.h"

#include "platform/Resources.h"
#include "util/FloatFormat.h"
#include "util/FormatText.h"

namespace kalorina {

namespace {
// The active language's decimal sign, or 0 when it names none that numbers can use.
char LanguageDecimalSeparator()
{
    const std::string sign = Languages().GetText("IDS_DECIMALSEPARATOR");
    return sign.size() == 1 && (sign[0] == '.' || sign[0] == ',') ? sign[0] : 0;
}
} // namespace

TLanguages& Languages()
{
    static TLanguages instance;
    // Numbers follow the language that is speaking: the screen's, or the printing
    // language's while a report is written.
    static const bool numbersFollow = (SetDecimalSeparatorSource(&LanguageDecimalSeparator), true);
    (void)numbersFollow;
    return instance;
}

std::string TLanguages::GetText(const std::string& key) const
{
    const TLanguage* lang = Active();
    if (!lang)
        return {};
    auto it = lang->Strings.find(key);
    return it == lang->Strings.end() ? std::string() : it->second;
}

std::string TLanguages::GetInterfaceText(const std::string& key) const
{
    const TLanguage* lang = Current();
    if (!lang)
        return {};
    auto it = lang->Strings.find(key);
    return it == lang->Strings.end() ? std::string() : it->second;
}

std::string TLanguages::DateInActiveForm(const std::string& date) const
{
    const std::string form = GetText("IDS_DATEFORMAT");
    std::vector<std::string> forms = {form};
    for (const TLanguage& lang : languages_) {
        auto it = lang.Strings.find("IDS_DATEFORMAT");
        if (it != lang.Strings.end())
            forms.push_back(it->second);
    }
    forms.push_back("");
    for (const std::string& f : forms)
        if (const auto parts = ReadDate(date, f))
            return FormatDate(parts->year, parts->month, parts->day, form);
    return date;
}

std::string TLanguages::GetFamilyText(const std::string& base, int index) const
{
    return GetText(base + std::to_string(index));
}

std::vector<std::string> TLanguages::GetFamily(const std::string& base) const
{
    std::vector<std::string> texts;
    for (int i = 0;; ++i) {
        std::string t = GetFamilyText(base, i);
        if (t.empty())
            break;
        texts.push_back(std::move(t));
    }
    return texts;
}

std::string TLanguages::GetResourceText(int number) const
{
    std::string entry = ResourceString(number);
    return Active() ? ReplaceTokens(entry) : entry;
}

std::string TLanguages::ReplaceTokens(const std::string& text) const
{
    if (!Active())
        return text;
    std::string out;
    std::string rest = text;
    while (true) {
        auto hash = rest.find('#');
        if (hash == std::string::npos)
            break;
        if (hash > 0 && rest[hash - 1] == '\\') {
            out.append(rest, 0, hash - 1);
            out += '#';
            rest.erase(0, hash + 1);
            continue;
        }
        out.append(rest, 0, hash);
        rest.erase(0, hash + 1);
        auto close = rest.find('#');
        if (close == std::string::npos)
            continue; // a lone '#' is dropped, the rest copied literally
        out += GetText(rest.substr(0, close));
        rest.erase(0, close + 1);
    }
    return out + rest;
}

void TLanguages::SelectLanguage(const std::string& name)
{
    current_ = -1;
    for (std::size_t i = 0; i < languages_.size(); ++i)
        if (languages_[i].name == name && languages_[i].userInterface) {
            current_ = static_cast<int>(i);
            return;
        }
}

void TLanguages::SelectPrintingLanguage(const std::string& name)
{
    for (std::size_t i = 0; i < languages_.size(); ++i)
        if (languages_[i].name == name) {
            printing_ = static_cast<int>(i);
            return;
        }
    printing_ = current_;
}

std::string TLanguages::GetLanguageName() const
{
    return Current() ? Current()->name : std::string();
}

std::string TLanguages::GetPrintingLanguageName() const
{
    return Printing() ? Printing()->name : std::string();
}

void TLanguages::GetLanguageNames(std::vector<std::string>& names, bool userInterfaceOnly) const
{
    names.clear();
    for (const auto& l : languages_)
        if (!userInterfaceOnly || l.userInterface)
            names.push_back(l.name);
}

void TLanguages::TranslateTitle(TitleTarget& format, const std::string& titleName) const
{
    const TLanguage* lang = Active();
    if (!lang)
        return;
    for (const auto& title : lang->titles) {
        if (title.name != titleName)
            continue;
        for (const auto& [key, text] : title.captions) {
            int row = key / 256;
            int id = key % 256;
            if (row >= 0 && id >= 0 && row < format.CaptionLineCount())
                format.SetCaptionLine(id, row, text);
        }
        return;
    }
}

void TLanguages::AddLanguage(TLanguage language)
{
    if (!language.compressed && PlainFilesPrintOnly)
        language.userInterface = false;
    languages_.push_back(std::move(language));
}

void TLanguages::Clear()
{
    languages_.clear();
    current_ = printing_ = -1;
    PrintingMode = false;
}

} // namespace kalorina
