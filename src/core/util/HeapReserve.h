#pragma once
// Preparing the heap for a load that builds many megabytes of small objects.
#include <cstddef>

namespace kalorina {

// Lets the heap grow by about `bytes` at once and asks the system to back that
// room with huge pages: a large catalogue then costs a few page faults instead
// of one per 4 KiB.  Only advice: where the system or the C library offers no
// such thing, nothing happens.  Small sizes are ignored.
void PrepareHeapForLargeLoad(std::size_t bytes);

} // namespace kalorina
