#pragma once

#include <QString>
#include <QtGlobal>

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

// Every thread that allocates while the others hold theirs gets a malloc arena of its own, and
// each keeps its own loose ends: the icon readers' arenas held about 2 MB more at a first start
// than a shared one. Two arenas in all, so the main thread rarely waits on the workers' lock (one
// made the start 15 % slower); left alone when the environment tunes malloc itself. Before any
// thread starts.
inline void limitMallocArenas() {
#if defined(__GLIBC__)
    if (qEnvironmentVariableIsSet("MALLOC_ARENA_MAX") ||
        qEnvironmentVariable("GLIBC_TUNABLES").contains(QLatin1String("arena_max")))
        return;
    mallopt(M_ARENA_MAX, 2);
#endif
}

} // namespace orbitdeck
