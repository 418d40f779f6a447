#include "platform/main_thread.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <thread>

namespace orbitdeck {
namespace {
// Static initialisation runs on the main thread; used before a QCoreApplication exists.
const std::thread::id startupThread = std::this_thread::get_id();
} // namespace

bool isMainThread() {
    if (const auto* app = QCoreApplication::instance())
        return QThread::currentThread() == app->thread();
    return std::this_thread::get_id() == startupThread;
}

void failMainThreadCheck(const char* file, int line) {
    std::fprintf(stderr, "%s:%d: main-thread code called from another thread\n", file, line);
    std::fflush(stderr);
    std::abort();
}

} // namespace orbitdeck
