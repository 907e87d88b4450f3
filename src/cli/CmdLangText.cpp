// kalorina-cli [--languages DIR] [--language NAME] lang text KEY: the text of an
// identifier in a language (UTF-8).  A user-interface language is looked up as the
// program does; a language that only serves printing is looked up in printing mode.
#include <ostream>

#include "CmdLang.h"
#include "lang/LanguageLoader.h"
#include "lang/PrintingScope.h"
#include "util/Codepage.h"
#include <optional>

namespace kalorina::cli {

namespace {

int RunText(Context& ctx)
{
    if (ctx.args.size() != 1 || ctx.args[0].starts_with("--"))
        return LangUsage(ctx, "lang text needs one text identifier");
    const std::string key = Utf8ToCp1250(ctx.args[0]);
    const std::string name = Utf8ToCp1250(ctx.options.language.empty() ? "Magyar" : ctx.options.language);
    TLanguages languages;
    LoadLanguages(languages, LanguagesDirOf(ctx));
    languages.SelectLanguage(name);
    languages.SelectPrintingLanguage(name);
    std::optional<PrintingScope> printing;
    if (!languages.Current()) {
        if (!languages.Printing() || languages.Printing()->name != name)
            return Fail(ctx, "no language named '" + Cp1250ToUtf8(name) + "' in " + LanguagesDirOf(ctx));
        printing.emplace(languages);
    }
    const TLanguage* active = languages.Active();
    if (active->Strings.find(key) == active->Strings.end())
        return Fail(ctx, "'" + ctx.args[0] + "' is not defined in " + Cp1250ToUtf8(name));
    ctx.out << Cp1250ToUtf8(languages.GetText(key)) << '\n';
    return kOk;
}

const bool registered = RegisterLangCommand({"text", "[--languages DIR] [--language NAME] lang text KEY", RunText});

} // namespace

} // namespace kalorina::cli
