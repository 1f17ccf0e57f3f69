#include "overlay/HeapRelease.h"

#include <cstdlib> // defines __GLIBC__ where it applies

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace vellaro {

void releaseFreeHeap() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

void keepLargeBlocksOutOfTheHeap() {
#if defined(__GLIBC__)
    // glibc's own starting value; setting it also fixes it.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}

} // namespace vellaro
