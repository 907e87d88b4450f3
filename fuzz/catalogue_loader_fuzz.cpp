// Feeds arbitrary bytes to the catalogue loader as the one file of a data directory
// (the first byte chooses the catalogue language).  The loader must never crash,
// hang or read out of bounds, whatever the file says.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "catalogue/TDevices.h"

namespace {
const std::filesystem::path& Dir()
{
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() / ("kalorina-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(d / "inc");
        return d;
    }();
    return dir;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const char* language = (data[0] & 1) ? "English" : "Magyar";
    {
        std::ofstream out(Dir() / "a.xml", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    {
        // A file the fuzzed one may include, so that include chains are exercised.
        std::ofstream inc(Dir() / "inc" / "b.xml", std::ios::binary | std::ios::trunc);
        inc.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>((size - 1) / 2));
    }
    kalorina::TDevices devices(Dir().string(), language);
    for (int k = 0; k < 6; ++k) {
        (void)devices.FillDeviceTree(k, "root");
        (void)devices.FillDeviceCombo(k);
    }
    (void)devices.WriteSecurityCodes();
    (void)devices.DefaultValveName();
    return 0;
}
