// Feeds arbitrary bytes to the LZW decoder, which must either decode them or raise
// KalorinaError; a strict decode that succeeds must agree with the tolerant one.
// The same bytes, taken as plain data, must survive an encode/decode round trip.
#include <cstddef>
#include <cstdint>

#include "FuzzBodies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kalorina::fuzz::LzwData(data, size);
    return 0;
}
