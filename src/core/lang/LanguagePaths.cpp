#include "lang/LanguagePaths.h"

#include <filesystem>
#include <system_error>

#include "util/ProgramFiles.h"

namespace kalorina {

std::string LanguagesDirFor(const std::string& programDir)
{
    return ProgramFilePath(programDir, "languages");
}

std::string RunningProgramDir()
{
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty())
        return ".";
    return exe.parent_path().string();
}

} // namespace kalorina
