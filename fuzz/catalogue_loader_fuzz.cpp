// Feeds arbitrary bytes to the catalogue loader as the one file of a data directory
// (the first byte chooses the catalogue language).  The loader must never crash,
// hang or read out of bounds, whatever the file says.
#include <cstddef>
#include <cstdint>

#include "FuzzBodies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kalorina::fuzz::CatalogueFile(data, size);
    return 0;
}
