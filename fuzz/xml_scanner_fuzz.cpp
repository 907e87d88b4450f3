// libFuzzer target for the XML scanner: any bytes, scanned to the end in every
// mode, must neither crash nor read outside the texts the scanner holds.
#include <cstddef>
#include <cstdint>

#include "FuzzBodies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kalorina::fuzz::XmlText(data, size);
    return 0;
}
