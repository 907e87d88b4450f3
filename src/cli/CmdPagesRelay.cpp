// kalorina-cli's stand-ins for the printing commands: they run the whole command
// line in kalorina-cli-pages, which draws pages with QtGui.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <vector>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

#include "PagesProgram.h"
#include "catalogue/DataLocation.h"

namespace kalorina::cli {

std::string PagesProgramPath()
{
    namespace fs = std::filesystem;
    // Beside kalorina-cli in the build tree; in libexec/kalorina of the tree it is
    // installed in, wherever that was moved; else where the build meant to install it.
    const fs::path dir(ExecutableDirectory());
    std::vector<fs::path> places{dir / kPagesProgram,
                                 (dir / ".." / "libexec" / "kalorina" / kPagesProgram).lexically_normal()};
#ifdef KALORINA_INSTALL_LIBEXECDIR
    places.push_back(fs::path(KALORINA_INSTALL_LIBEXECDIR) / kPagesProgram);
#endif
    for (const auto& place : places) {
        std::error_code ec;
        if (fs::is_regular_file(place, ec))
            return place.string();
    }
    return {};
}

int RunInPagesProgram(Context& ctx)
{
    const std::string program = PagesProgramPath();
    if (program.empty())
        return Fail(ctx, std::string(kPagesProgram) + " is not installed: the printing commands need it");
    std::vector<std::string> words = ctx.commandLine;
    if (words.empty())
        words.emplace_back(kPagesProgram);
    words[0] = program;
    std::vector<char*> argv;
    for (auto& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    ctx.out.flush();
    ctx.err.flush();
    std::cout.flush();
    std::cerr.flush();
#ifdef _WIN32
    const intptr_t code = ::_spawnv(_P_WAIT, program.c_str(), argv.data());
    if (code >= 0)
        return static_cast<int>(code);
#else
    ::execv(program.c_str(), argv.data()); // returns only when it failed
#endif
    return Fail(ctx, program + ": cannot be started (" + std::strerror(errno) + ")");
}

namespace {
const bool report = RegisterCommand({"report", kReportSynopsis, RunInPagesProgram});
const bool bom = RegisterCommand({"bom", kBomSynopsis, RunInPagesProgram});
} // namespace

} // namespace kalorina::cli
