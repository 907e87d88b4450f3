// kalorina-cli [--languages DIR] lang list: the languages the program would load,
// in its order, one per line: name, "ui" or "print", file.
#include <filesystem>
#include <ostream>
#include <system_error>

#include "CmdLang.h"
#include "lang/LanguageLoader.h"
#include "util/Codepage.h"

namespace kalorina::cli {

namespace {

int RunList(Context& ctx)
{
    if (!ctx.args.empty())
        return LangUsage(ctx, "lang list takes no arguments");
    const std::string dir = LanguagesDirOf(ctx);
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec))
        return Fail(ctx, "no languages folder " + dir);
    TLanguages languages;
    LoadLanguages(languages, dir);
    for (const TLanguage& l : languages.Languages())
        ctx.out << Cp1250ToUtf8(l.name) << '\t' << (l.userInterface ? "ui" : "print") << '\t' << l.fileName << '\n';
    return kOk;
}

const bool registered = RegisterLangCommand({"list", "[--languages DIR] lang list", RunList});

} // namespace

} // namespace kalorina::cli
