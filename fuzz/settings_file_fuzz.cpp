// The settings file and every typed reader of its values: options, fonts, window
// placements, recent projects, column layouts and room functions.
#include <cstddef>
#include <cstdint>

#include "FuzzBodies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kalorina::fuzz::SettingsFile(data, size);
    return 0;
}
