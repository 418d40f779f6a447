#pragma once

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace orbitdeck {

// glibc keeps the pages a thread frees in that thread's arena until asked; this hands every
// arena's free pages back. A few milliseconds: for after work that freed much, not per frame.
inline void releaseFreedMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

} // namespace orbitdeck
