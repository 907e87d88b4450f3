#include "util/HeapReserve.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#endif

namespace kalorina {

void PrepareHeapForLargeLoad(std::size_t bytes)
{
#if defined(__GLIBC__) && defined(MADV_HUGEPAGE)
    constexpr std::size_t kHugePage = 2u << 20;
    constexpr std::size_t kMaxReserve = 16u << 20; // the C library serves at most 32 MiB from the heap
    constexpr std::size_t kDefaultMmapThreshold = 128u << 10;
    static bool prepared = false;
    if (prepared || bytes < 2 * kHugePage)
        return;
    prepared = true;
    const std::size_t size = std::min(bytes, kMaxReserve);
    // Freed room at the top of the heap stays there for the objects to come.
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(size + kHugePage));
    // One block of the size taken from the heap itself, so that the heap grows by it.
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(size + kHugePage));
    void* block = std::malloc(size);
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(kDefaultMmapThreshold));
    if (!block)
        return;
    const auto begin = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t first = (begin + kHugePage - 1) / kHugePage * kHugePage;
    const std::uintptr_t last = (begin + size) / kHugePage * kHugePage;
    if (last > first)
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    std::free(block);
#else
    (void)bytes;
#endif
}

} // namespace kalorina
