#include "app/Startup.h"

#include "app/AppPaths.h"
#include "app/TMainForm.h"
#include "lang/LanguageLoader.h"
#include "lang/TLanguages.h"
#include "platform/MessageBox.h"
#include "platform/QtFormTranslator.h"

namespace kalorina::gui {

std::unique_ptr<TMainForm> CreateMainForm()
{
    auto form = std::make_unique<TMainForm>();
    TLanguages& languages = Languages();
    if (languages.Languages().empty())
        LoadLanguages(languages, LanguagesDir().toStdString());
    MainController& c = form->Controller();
    LoadProgramOptions(c.ProgramOptions());
    languages.SelectLanguage(c.ProgramOptions().languageId);
    languages.SelectPrintingLanguage(c.ProgramOptions().printingLanguageId);
    TranslateForm(form.get());
    // The catalogue is loaded here once it exists; a failure only warns.
    if (c.catalogueFailed)
        MessageBox::Instance().Show(MessageKind::Warning, languages.GetText("IDS_PROGRAMTITLE"),
                                    languages.GetText("IDS_XMLERROR"));
    c.NewProject();
    form->Refresh();
    return form;
}

} // namespace kalorina::gui
