#include "catalogue/DataLocation.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "util/ProgramFiles.h"

namespace kalorina {

namespace fs = std::filesystem;

std::string FindDataDirectory(const std::string& executableDir)
{
    if (const char* env = std::getenv("KALORINA_DATA"); env && *env)
        return env;
    std::error_code ec;
    if (fs::is_directory("data", ec) || executableDir.empty())
        return "data";
    return ProgramFilePath(executableDir, "data");
}

std::string ExecutableDirectory()
{
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return {};
    return self.parent_path().string();
}

} // namespace kalorina
