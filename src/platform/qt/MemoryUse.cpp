#include "platform/qt/MemoryUse.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace discmenu::qt {

void limitMemoryGrowth() {
#if defined(__GLIBC__)
    // glibc's starting value; setting it turns the raising off.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}

void releaseFreedMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

std::size_t freedMemory() {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || __GLIBC_MINOR__ >= 33)
    return mallinfo2().fordblks;
#else
    return 0;
#endif
}

} // namespace discmenu::qt
