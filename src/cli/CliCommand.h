#pragma once
// kalorina-cli is a thin front over the core: each command lives in its own file
// and registers itself here.  Exit codes: 0 success, 1 failed operation, 2 usage error,
// 3 a recalculation in which some room or circuit failed.
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace kalorina::cli {

enum ExitCode { kOk = 0, kFailed = 1, kUsage = 2, kItemsFailed = 3 };

struct GlobalOptions {
    std::string languagesDir; // --languages DIR; empty: beside the program
    std::string language;     // --language NAME; empty: "Magyar"
    std::string dataDir;      // --data DIR; empty: the usual search
};

struct Context {
    GlobalOptions options;
    std::vector<std::string> args; // the command's own arguments, after its name(s)
    std::ostream& out;
    std::ostream& err;
    std::vector<std::string> commandLine; // the whole command line, the program's name first
};

struct Command {
    std::string name;     // first word, e.g. "lzw"
    std::string synopsis; // one usage line
    std::function<int(Context&)> run;
};

// Called from static initialisers in each command file.
bool RegisterCommand(Command command);

// Prints a message on stderr (UTF-8) and returns kFailed / kUsage.
int Fail(Context& ctx, const std::string& utf8Message);
int Usage(Context& ctx, const std::string& utf8Message);

} // namespace kalorina::cli
