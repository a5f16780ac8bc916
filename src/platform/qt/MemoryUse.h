#pragma once

#include <cstddef>

namespace discmenu::qt {

// Sets up the C library's allocator for a long-lived window program; called once by the
// entry, first thing. With glibc's defaults, each time a large block (a window buffer, an
// image) is freed, the size from which a block gets its own mapping is raised to that
// block's size, so later buffers and images are carved out of the heap, where the space
// freed stays with the process and the heap only grows as windows are resized, opened and
// closed. Here that size stays fixed: a large block always comes from the system and goes
// back to it when freed. Elsewhere than glibc it does nothing.
void limitMemoryGrowth();

// Gives the pages of freed heap memory back to the system (glibc; elsewhere nothing).
void releaseFreedMemory();

// The bytes lying freed in the heap, whether or not their pages were given back (glibc;
// elsewhere 0).
std::size_t freedMemory();

} // namespace discmenu::qt
