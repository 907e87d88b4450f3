#pragma once
// kalorina-cli lang SUBCOMMAND ...: the language file commands.  Each subcommand
// lives in its own file (CmdLang<Name>.cpp) and registers itself from a static
// initialiser, the way top-level commands do:
//
//   const bool registered = RegisterLangCommand(
//       {"pack", "lang pack IN.xml OUT.xmz", RunPack});
//
// The subcommand's Context::args start after its own name.
#include <string>

#include "CliCommand.h"

namespace kalorina::cli {

// command.name: the word after "lang"; command.synopsis: the whole usage line
// after "kalorina-cli".
bool RegisterLangCommand(Command command);

// Prints the message and the lang subcommands on stderr; returns kUsage.
int LangUsage(Context& ctx, const std::string& utf8Message);

// The languages folder the commands read: --languages, else the program's own.
std::string LanguagesDirOf(const Context& ctx);

} // namespace kalorina::cli
