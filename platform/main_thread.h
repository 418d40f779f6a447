#pragma once

// Main-thread checks that stay on in release builds: window, state and settings code must only
// run on the Qt main thread, and a call from anywhere else stops the program at once.
namespace orbitdeck {

bool isMainThread();
[[noreturn]] void failMainThreadCheck(const char* file, int line);

} // namespace orbitdeck

#define ORBITDECK_ASSERT_MAIN_THREAD()                                                             \
    do {                                                                                           \
        if (!::orbitdeck::isMainThread())                                                          \
            ::orbitdeck::failMainThreadCheck(__FILE__, __LINE__);                                  \
    } while (false)
