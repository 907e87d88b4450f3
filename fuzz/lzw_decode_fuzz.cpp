// Feeds arbitrary bytes to the LZW decoder, which must either decode them or raise
// KalorinaError; a strict decode that succeeds must agree with the tolerant one.
// The same bytes, taken as plain data, must survive an encode/decode round trip.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "lang/Lzw.h"
#include "util/Error.h"

using kalorina::Compressing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    std::string tolerant;
    bool tolerantOk = true;
    try {
        Compressing::Decode(input, tolerant);
    } catch (const kalorina::KalorinaError&) {
        tolerantOk = false;
    }
    try {
        const std::string strict = Compressing::Decode(input, Compressing::EndWidth::Strict);
        if (!tolerantOk || strict != tolerant)
            std::abort();
    } catch (const kalorina::KalorinaError&) {
    }

    const std::string encoded = Compressing::Encode(input);
    if (Compressing::Decode(encoded) != input)
        std::abort();
    return 0;
}
