#include "CmdLang.h"

#include "lang/LanguagePaths.h"

#include <map>
#include <ostream>

namespace kalorina::cli {

namespace {

// Filled from static initialisers in other files, so it is built on first use.
std::map<std::string, Command>& LangRegistry()
{
    static std::map<std::string, Command> commands;
    return commands;
}

void PrintLangCommands(std::ostream& os)
{
    os << "language commands:\n";
    for (const auto& [name, command] : LangRegistry())
        os << "  kalorina-cli " << command.synopsis << "\n";
}

int RunLang(Context& ctx)
{
    if (ctx.args.empty())
        return LangUsage(ctx, "lang needs a subcommand");
    const std::string name = ctx.args.front();
    if (name == "-h" || name == "--help") {
        PrintLangCommands(ctx.out);
        return kOk;
    }
    auto& commands = LangRegistry();
    auto it = commands.find(name);
    if (it == commands.end())
        return LangUsage(ctx, "unknown lang subcommand '" + name + "'");
    ctx.args.erase(ctx.args.begin());
    return it->second.run(ctx);
}

const bool registered =
    RegisterCommand({"lang", "lang SUBCOMMAND ... ('kalorina-cli lang --help' lists them)", RunLang});

} // namespace

bool RegisterLangCommand(Command command)
{
    std::string name = command.name;
    LangRegistry()[name] = std::move(command);
    return true;
}

int LangUsage(Context& ctx, const std::string& utf8Message)
{
    ctx.err << "kalorina-cli: " << utf8Message << "\n";
    PrintLangCommands(ctx.err);
    return kUsage;
}

std::string LanguagesDirOf(const Context& ctx)
{
    return ctx.options.languagesDir.empty() ? LanguagesDirFor(RunningProgramDir()) : ctx.options.languagesDir;
}

} // namespace kalorina::cli
