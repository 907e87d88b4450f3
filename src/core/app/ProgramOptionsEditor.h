#pragma once
// The program options dialog's rules: the designer block new projects start with,
// dating, report margins and font, and the two languages.  It works on a copy, so
// that a refused OK or a Cancel changes nothing; Commit takes everything at once,
// switches the languages and writes the settings.
#include <array>
#include <string>
#include <vector>

#include "document/TProgramOptions.h"
#include "document/TProject.h"
#include "lang/TLanguages.h"
#include "util/InputRange.h"

namespace kalorina {

struct ProgramOptionsView {
    std::string designer; // the designer lines joined by "\n"
    bool dateNewProjects = true;
    std::array<std::string, 4> margins; // left, top, right, bottom, millimetres
    std::string reportFont;             // "10 pontos Times New Roman"
    ListFontAttributes font;
    std::vector<std::string> programLanguages;       // user-interface languages
    std::vector<std::string> printingLanguages;      // every language
    int programLanguage = -1, printingLanguage = -1; // -1: none selected
};

struct ProgramOptionsInput {
    std::vector<std::string> designerLines;
    bool dateNewProjects = true;
    std::array<int, 4> margins{}; // left, top, right, bottom
    std::string programLanguage, printingLanguage;
};

class ProgramOptionsEditor {
public:
    // `store` null: the process-wide settings store.
    ProgramOptionsEditor(TProgramOptions& options, TLanguages& languages, SettingsStore* store = nullptr);

    ProgramOptionsView View() const;
    // The font the user picked in the font chooser; stored only by Commit.
    void SetReportFont(const std::string& name, int size);
    // A margin must be a whole number of millimetres from 0 to kMaxMargin; raises the
    // IDS_WRONGVALUE error otherwise.
    static constexpr int kMaxMargin = static_cast<int>(RangeOf(InputKind::Margin).high);
    static void CheckMargin(int millimetres);
    // Takes the input, selects the languages, writes the report font and the
    // program options.  Raises (changing nothing) when a margin is out of range.
    void Commit(const ProgramOptionsInput& input);

private:
    SettingsStore& Store() const { return store_ ? *store_ : Settings(); }

    TProgramOptions& options_;
    TLanguages& languages_;
    SettingsStore* store_;
    ListFontAttributes font_;
};

// The project data dialog's rules: the descriptive data of the open project.
struct ProjectDataView {
    std::string building, customer, designer, comment; // lines joined by "\n"
    std::string date;
};

class ProjectDataEditor {
public:
    explicit ProjectDataEditor(TProject& project) : project_(project) {}
    ProjectDataView View() const;
    // Every text is accepted; the project is marked modified.
    void Commit(const ProjectDataView& input);

private:
    TProject& project_;
};

// "a\nb" → {"a", "b"}; a text that is empty or ends with a line break adds no empty line.
std::vector<std::string> MemoLines(const std::string& text);
std::string MemoText(const std::vector<std::string>& lines);

} // namespace kalorina
