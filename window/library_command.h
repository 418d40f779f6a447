#pragma once

#include <QObject>

#include <chrono>

namespace orbitdeck {

class Scheduler;

// What the application (its menus, the status item) asks of the main window.
enum class LibraryCommand { settings, welcome };

// The process-wide "AmbergridCommand" notification: the menus post a command, the main window
// observes it. Main thread only.
class LibraryCommandCenter final : public QObject {
    Q_OBJECT
public:
    static constexpr const char* notificationName = "AmbergridCommand";

    static LibraryCommandCenter& shared();

    void post(LibraryCommand command);

signals:
    void commandPosted(orbitdeck::LibraryCommand command);
};

// Posts the command after the delay (at once when it is not positive). The wait is a timer on
// the main thread, never a blocking sleep.
void postLibraryCommand(Scheduler& scheduler, LibraryCommand command,
                        std::chrono::milliseconds delay,
                        LibraryCommandCenter& center = LibraryCommandCenter::shared());

} // namespace orbitdeck
