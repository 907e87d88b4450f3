#include "FileBytes.h"

#include <cstdio>
#include <fstream>
#include <iterator>

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
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (out.fail()) {
        std::remove(path.c_str());
        return false;
    }
    return true;
}

} // namespace kalorina::cli
