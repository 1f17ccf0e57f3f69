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

void shareOneHeapAcrossThreads() {
#if defined(__GLIBC__)
    mallopt(M_ARENA_MAX, 1);
#endif
}

} // namespace vellaro
