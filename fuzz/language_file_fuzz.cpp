// Language files as a whole, plain and packed: loaded, used for every lookup and
// translation, and a plain one packed loads as the same language.
#include <cstddef>
#include <cstdint>

#include "FuzzBodies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kalorina::fuzz::LanguageFile(data, size);
    return 0;
}
