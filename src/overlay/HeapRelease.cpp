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

} // namespace vellaro
