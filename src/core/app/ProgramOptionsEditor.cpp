#include "app/ProgramOptionsEditor.h"

#include "app/DialogEditor.h"
#include "document/TProject.h"

namespace kalorina {

namespace {
int IndexOf(const std::vector<std::string>& names, const std::string& name)
{
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == name)
            return static_cast<int>(i);
    return -1;
}
} // namespace

std::vector<std::string> MemoLines(const std::string& text)
{
    return SplitLines(text);
}

std::string MemoText(const std::vector<std::string>& lines)
{
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i)
            out += '\n';
        out += lines[i];
    }
    return out;
}

ProgramOptionsEditor::ProgramOptionsEditor(TProgramOptions& options, TLanguages& languages, SettingsStore* store)
    : options_(options), languages_(languages), store_(store)
{
    font_ = ListFontAttributes::LoadFontAttributes(FontKind::Report, Store());
}

ProgramOptionsView ProgramOptionsEditor::View() const
{
    ProgramOptionsView v;
    v.designer = MemoText(options_.designerLines);
    v.dateNewProjects = options_.dateNewProjects;
    const auto& m = options_.margins;
    v.margins = {std::to_string(m.left), std::to_string(m.top), std::to_string(m.right), std::to_string(m.bottom)};
    v.font = font_;
    v.reportFont = font_.LabelText();
    languages_.GetLanguageNames(v.programLanguages, true);
    languages_.GetLanguageNames(v.printingLanguages, false);
    v.programLanguage = IndexOf(v.programLanguages, languages_.GetLanguageName());
    v.printingLanguage = IndexOf(v.printingLanguages, languages_.GetPrintingLanguageName());
    return v;
}

void ProgramOptionsEditor::SetReportFont(const std::string& name, int size)
{
    font_.name = name;
    font_.size = size;
}

void ProgramOptionsEditor::CheckMargin(int millimetres)
{
    if (millimetres < 0 || millimetres > kMaxMargin)
        RaiseText("IDS_WRONGVALUE");
}

void ProgramOptionsEditor::Commit(const ProgramOptionsInput& in)
{
    for (int m : in.margins)
        CheckMargin(m);
    options_.designerLines = in.designerLines;
    options_.dateNewProjects = in.dateNewProjects;
    options_.margins = {in.margins[0], in.margins[1], in.margins[2], in.margins[3]};
    font_.SaveFontAttributes(FontKind::Report, Store());
    // No choice (the stored language is not offered) keeps the language in use rather
    // than leaving the program without texts.
    std::vector<std::string> offered;
    languages_.GetLanguageNames(offered, true);
    if (IndexOf(offered, in.programLanguage) >= 0)
        languages_.SelectLanguage(in.programLanguage);
    languages_.SelectPrintingLanguage(in.printingLanguage);
    // A printing language that is not found becomes the user-interface language.
    options_.languageId = languages_.GetLanguageName();
    options_.printingLanguageId = languages_.GetPrintingLanguageName();
    SaveProgramOptions(options_, Store());
}

ProjectDataView ProjectDataEditor::View() const
{
    return {MemoText(project_.buildingLines), MemoText(project_.customerLines), MemoText(project_.designerLines),
            MemoText(project_.commentLines), Languages().DateInActiveForm(project_.projectDate)};
}

void ProjectDataEditor::Commit(const ProjectDataView& in)
{
    project_.buildingLines = MemoLines(in.building);
    project_.customerLines = MemoLines(in.customer);
    project_.designerLines = MemoLines(in.designer);
    project_.commentLines = MemoLines(in.comment);
    // The date is shown in the screen language's form; shown back unchanged, it
    // keeps the text it was stored with.
    if (in.date != Languages().DateInActiveForm(project_.projectDate))
        project_.projectDate = in.date;
    project_.modified = true;
}

} // namespace kalorina
