#include "window/library_command.h"

#include "platform/main_thread.h"
#include "platform/scheduler.h"

namespace orbitdeck {

LibraryCommandCenter& LibraryCommandCenter::shared() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    static LibraryCommandCenter center;
    return center;
}

void LibraryCommandCenter::post(LibraryCommand command) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    emit commandPosted(command);
}

void postLibraryCommand(Scheduler& scheduler, LibraryCommand command,
                        std::chrono::milliseconds delay, LibraryCommandCenter& center) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (delay <= std::chrono::milliseconds(0)) {
        center.post(command);
        return;
    }
    scheduler.schedule(delay, &center, [&center, command] { center.post(command); });
}

} // namespace orbitdeck
