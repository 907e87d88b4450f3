#include "util/ProgramFiles.h"

#include <filesystem>
#include <system_error>

namespace kalorina {

std::string ProgramFilePath(const std::string& programDir, const std::string& name)
{
    namespace fs = std::filesystem;
    const fs::path dir(programDir.empty() ? "." : programDir);
    const fs::path beside = dir / name;
    std::error_code ec;
    if (fs::exists(beside, ec))
        return beside.string();
    for (const char* up : {"..", "../.."}) {
        const fs::path installed = (dir / up / "share" / "kalorina" / name).lexically_normal();
        if (fs::exists(installed, ec))
            return installed.string();
    }
    return beside.string();
}

} // namespace kalorina
