// Project files through the design check and the automatic design, with the
// ranges of stored values as the checks of what comes out.
#include <cstddef>
#include <cstdint>

#include "FuzzBodies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kalorina::fuzz::DesignAndCheck(data, size);
    return 0;
}
