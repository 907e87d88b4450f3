// RTF band texts (from the string table and the language files) through the
// renderer: measuring and drawing agree, and no size or position overflows.
#include <cstddef>
#include <cstdint>

#include "FuzzBodies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kalorina::fuzz::RtfText(data, size);
    return 0;
}
