#include "app/Startup.h"

#include <QLocale>

#include "app/AppPaths.h"
#include "app/TMainForm.h"
#include "catalogue/CatalogueTexts.h"
#include "catalogue/DataLocation.h"
#include "lang/LanguageLoader.h"
#include "lang/TLanguages.h"
#include "platform/QtFormTranslator.h"
#include "util/FloatFormat.h"

namespace kalorina::gui {

std::unique_ptr<TMainForm> CreateMainForm(const Services& services)
{
    auto form = std::make_unique<TMainForm>(services);
    TLanguages& languages = Languages();
    if (languages.Languages().empty())
        LoadLanguages(languages, LanguagesDir().toStdString());
    MainController& c = form->Controller();
    LoadProgramOptions(c.ProgramOptions());
    languages.SelectLanguage(c.ProgramOptions().languageId);
    languages.SelectPrintingLanguage(c.ProgramOptions().printingLanguageId);
    form->Retranslate();
    form->RestorePlacement();
    // The catalogue's language filter depends on the language just chosen.
    c.LoadCatalogue(FindDataDirectory(ExecutableDirectory()), CatalogueLanguage(languages.GetLanguageName()));
    if (c.catalogueFailed) {
        std::string text = languages.GetText("IDS_XMLERROR");
        if (!c.Devices().FailureMessage().empty())
            text += "\n\n" + c.Devices().FailureMessage();
        ShowFailure(services, text);
    }
    c.NewProject();
    form->Refresh();
    return form;
}

void OpenStartupFiles(TMainForm& form, const QStringList& arguments)
{
    // One project is open at a time: the first file named wins.
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a.startsWith('-'))
            continue;
        form.OpenCommandLineFile(a);
        return;
    }
}

} // namespace kalorina::gui
