// Column format texts and stored layout values come from resources and from the
// user's settings file; neither may crash the parser, whatever they hold.
#include <cstddef>
#include <cstdint>

#include "FuzzBodies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kalorina::fuzz::ColumnFormat(data, size);
    return 0;
}
