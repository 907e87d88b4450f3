#include "CliCatalogue.h"

#include "CmdLang.h"
#include "catalogue/CatalogueTexts.h"
#include "catalogue/DataLocation.h"
#include "lang/LanguageLoader.h"
#include "lang/TLanguages.h"

namespace kalorina::cli {

std::string CliDataDirectory(const Context& ctx)
{
    if (!ctx.options.dataDir.empty())
        return ctx.options.dataDir;
    return FindDataDirectory(ExecutableDirectory());
}

std::string CliLanguageName(const Context& ctx)
{
    return ctx.options.language.empty() ? "Magyar" : ctx.options.language;
}

void SelectCliLanguage(const Context& ctx)
{
    TLanguages& languages = Languages();
    if (languages.Languages().empty())
        LoadLanguages(languages, LanguagesDirOf(ctx));
    languages.SelectLanguage(CliLanguageName(ctx));
    languages.SelectPrintingLanguage(CliLanguageName(ctx));
}

std::unique_ptr<TDevices> LoadCliCatalogue(const Context& ctx)
{
    // Messages and the catalogue's language filter come from the language files.
    SelectCliLanguage(ctx);
    return std::make_unique<TDevices>(CliDataDirectory(ctx), CatalogueLanguage(CliLanguageName(ctx)));
}

} // namespace kalorina::cli
