// Clipboard items pasted into a project: a refused paste changes nothing, and a
// pasted item copies and pastes again.
#include <cstddef>
#include <cstdint>

#include "FuzzBodies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kalorina::fuzz::ClipboardItem(data, size);
    return 0;
}
