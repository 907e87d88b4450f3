#include "FileBytes.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include "app/ProjectFiles.h"
#include "util/Error.h"

namespace kalorina::cli {

bool ReadFileBytes(const std::string& path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool WriteFileBytes(const std::string& path, std::string_view bytes)
{
    // As the project is saved: the old file stays until the new one is whole.
    try {
        WriteFileAtomically(path, std::string(bytes));
    } catch (const KalorinaError&) {
        return false;
    }
    return true;
}

} // namespace kalorina::cli
