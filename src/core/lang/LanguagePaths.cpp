#include "lang/LanguagePaths.h"

#include <filesystem>
#include <system_error>

namespace kalorina {

std::string LanguagesDirFor(const std::string& programDir)
{
    namespace fs = std::filesystem;
    const fs::path dir(programDir);
    std::error_code ec;
    const fs::path beside = dir / "languages";
    if (fs::is_directory(beside, ec))
        return beside.string();
    const fs::path installed = (dir / ".." / "share" / "kalorina" / "languages").lexically_normal();
    if (fs::is_directory(installed, ec))
        return installed.string();
    return beside.string();
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
