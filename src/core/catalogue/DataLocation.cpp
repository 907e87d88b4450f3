#include "catalogue/DataLocation.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace kalorina {

namespace fs = std::filesystem;

std::string FindDataDirectory(const std::string& executableDir)
{
    if (const char* env = std::getenv("KALORINA_DATA"); env && *env)
        return env;
    std::vector<fs::path> candidates{fs::path("data")};
    if (!executableDir.empty()) {
        candidates.push_back(fs::path(executableDir) / "data");
        candidates.push_back((fs::path(executableDir) / ".." / "share" / "kalorina" / "data").lexically_normal());
    }
    for (const auto& c : candidates) {
        std::error_code ec;
        if (fs::is_directory(c, ec))
            return c.string();
    }
    return candidates.back().string();
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
