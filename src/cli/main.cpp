#include <iostream>
#include <map>

#include "CliCommand.h"

namespace kalorina::cli {

namespace {
std::map<std::string, Command>& Registry()
{
    static std::map<std::string, Command> commands;
    return commands;
}

void PrintUsage(std::ostream& os)
{
    os << "usage: kalorina-cli [--languages DIR] [--language NAME] [--data DIR] COMMAND ...\n";
    for (const auto& [name, command] : Registry())
        os << "  kalorina-cli " << command.synopsis << "\n";
    os << "exit codes: 0 success, 1 failed operation, 2 usage error,\n"
          "            3 recalc: some room or circuit could not be computed (-o still writes the file);\n"
          "              check --strict: the design has an error\n";
}
} // namespace

bool RegisterCommand(Command command)
{
    std::string name = command.name;
    Registry()[name] = std::move(command);
    return true;
}

int Fail(Context& ctx, const std::string& utf8Message)
{
    ctx.err << "kalorina-cli: " << utf8Message << "\n";
    return kFailed;
}

int Usage(Context& ctx, const std::string& utf8Message)
{
    ctx.err << "kalorina-cli: " << utf8Message << "\n";
    PrintUsage(ctx.err);
    return kUsage;
}

} // namespace kalorina::cli

int main(int argc, char** argv)
{
    using namespace kalorina::cli;
    GlobalOptions options;
    int i = 1;
    for (; i < argc; ++i) {
        std::string a = argv[i];
        auto takeValue = [&](std::string& into) {
            if (i + 1 >= argc)
                return false;
            into = argv[++i];
            return true;
        };
        bool ok = true;
        if (a == "--languages")
            ok = takeValue(options.languagesDir);
        else if (a == "--language")
            ok = takeValue(options.language);
        else if (a == "--data")
            ok = takeValue(options.dataDir);
        else if (a == "-h" || a == "--help") {
            PrintUsage(std::cout);
            return kOk;
        } else
            break;
        if (!ok) {
            std::cerr << "kalorina-cli: " << a << " needs a value\n";
            PrintUsage(std::cerr);
            return kUsage;
        }
    }
    if (i >= argc) {
        PrintUsage(std::cerr);
        return kUsage;
    }
    std::string name = argv[i++];
    auto& commands = Registry();
    auto it = commands.find(name);
    Context ctx{options, {}, std::cout, std::cerr, {argv, argv + argc}};
    if (it == commands.end())
        return Usage(ctx, "unknown command '" + name + "'");
    for (; i < argc; ++i)
        ctx.args.emplace_back(argv[i]);
    try {
        return it->second.run(ctx);
    } catch (const std::exception& e) {
        return Fail(ctx, e.what());
    }
}
