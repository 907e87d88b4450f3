#pragma once
// The one text lookup of the program.  Two languages are chosen at once: the
// user-interface language and the printing language, which lookups use while
// printing mode is on.
#include <string>
#include <vector>

#include "lang/TLanguage.h"

namespace kalorina {

class TranslatableForm;

// What a column format offers to caption translation.
class TitleTarget {
public:
    virtual ~TitleTarget() = default;
    virtual int CaptionLineCount() const = 0;
    // Sets caption line `row` (0-based) of every column whose id is `id`.
    virtual void SetCaptionLine(int id, int row, const std::string& text) = 0;
};

class TLanguages {
public:
    // Texts of the active language; empty when the key or the language is missing.
    std::string GetText(const std::string& key) const;
    // Text of the user-interface language even in printing mode: for what the
    // windows show while reports speak the printing language.
    std::string GetInterfaceText(const std::string& key) const;
    // GetText of base + decimal index, for numbered families such as "IDS_ROOMFUNCTION+".
    std::string GetFamilyText(const std::string& base, int index) const;
    // The texts of a family from index 0 up to the first empty one.
    std::vector<std::string> GetFamily(const std::string& base) const;
    // A date as the active language writes it (IDS_DATEFORMAT): `date` read in the
    // date form of any loaded language, the active one's first, and written anew;
    // a text that reads in none of them (a date typed some other way) as it is.
    // FormatDate's own form is tried last, for a language that names no form.
    std::string DateInActiveForm(const std::string& date) const;
    // Entry of the program's string table with its tokens replaced.
    std::string GetResourceText(int number) const;
    std::string ReplaceTokens(const std::string& text) const;

    void SelectLanguage(const std::string& name);
    void SelectPrintingLanguage(const std::string& name);
    std::string GetLanguageName() const;
    std::string GetPrintingLanguageName() const;
    void GetLanguageNames(std::vector<std::string>& names, bool userInterfaceOnly) const;

    void TranslateForm(TranslatableForm& form) const;
    void TranslateTitle(TitleTarget& format, const std::string& titleName) const;

    bool PrintingMode = false;
    static constexpr bool PlainFilesPrintOnly = true;

    // Appends a loaded language (the loader applies PlainFilesPrintOnly first).
    void AddLanguage(TLanguage language);
    const std::vector<TLanguage>& Languages() const { return languages_; }
    void Clear();

    const TLanguage* Current() const { return current_ < 0 ? nullptr : &languages_[current_]; }
    const TLanguage* Printing() const { return printing_ < 0 ? nullptr : &languages_[printing_]; }
    const TLanguage* Active() const { return PrintingMode ? Printing() : Current(); }

private:
    std::vector<TLanguage> languages_;
    int current_ = -1;
    int printing_ = -1;
};

// The process-wide instance.
TLanguages& Languages();

// Shorthand for Languages().GetText(key).
inline std::string Txt(const std::string& key);

} // namespace kalorina

inline std::string kalorina::Txt(const std::string& key)
{
    return Languages().GetText(key);
}
