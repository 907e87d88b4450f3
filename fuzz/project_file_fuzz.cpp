// Project files: read, shown, written and read back, recalculated with and
// without apply, and the bill with its export files.
#include <cstddef>
#include <cstdint>

#include "FuzzBodies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kalorina::fuzz::ProjectFile(data, size);
    return 0;
}
