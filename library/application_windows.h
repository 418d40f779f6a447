#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace orbitdeck {

// A top-level window the window manager manages, as far as matching it to an application needs.
struct ClientWindow {
    std::uint32_t id = 0;
    std::optional<int> pid{};
    // The two WM_CLASS strings: instance (res_name) and class (res_class).
    std::string instanceName{};
    std::string className{};
    // What the owning process runs (/proc/<pid>/exe); filled in before matching.
    std::optional<std::filesystem::path> executable{};
};

// What tells an application's windows apart from the others. A bundle gives its executable; a
// desktop entry its StartupWMClass, its desktop-file id and the name of the program it runs.
struct WindowTarget {
    std::optional<std::filesystem::path> executable{};
    std::optional<std::string> startupWMClass{};
    std::optional<std::string> desktopFileId{};
    std::optional<std::string> executableName{};
    // Processes the launcher started for other entries: their windows are never this target's,
    // whatever their class (the terminal a Terminal=true entry runs in is not the terminal's).
    std::set<int> foreignPids{};
};

// The window of target that should come forward: the last match in the given order (the list
// comes bottom to top, so the one the user saw last). None when no window belongs to target.
std::optional<std::uint32_t> matchingWindow(const WindowTarget& target,
                                            const std::vector<ClientWindow>& windows);

// What finds a desktop entry's windows: its id (with or without ".desktop"), its StartupWMClass
// and the program its Exec line runs. None for an entry D-Bus activates: activating it again
// through D-Bus brings it forward by itself.
std::optional<WindowTarget> desktopEntryTarget(const std::string& desktopFileId,
                                               const std::optional<std::string>& startupWMClass,
                                               const std::optional<std::filesystem::path>& program,
                                               bool dbusActivatable);

// The window manager's view of running applications.
class ApplicationWindows {
public:
    virtual ~ApplicationWindows() = default;
    // Managed top-level windows, bottom to top; executable left empty.
    virtual std::vector<ClientWindow> clientWindows() = 0;
    // Asks the window manager to activate the window (raise, un-minimise, switch desktop).
    virtual bool activate(std::uint32_t window) = 0;
};

// The executable a process runs; none for a process that is gone, not ours to read, or whose
// executable was deleted.
std::optional<std::filesystem::path> processExecutable(int pid,
                                                       const std::filesystem::path& proc = "/proc");

// Activates the window of target when one is open; false when none is (the caller launches).
bool bringForward(ApplicationWindows& windows, const WindowTarget& target,
                  const std::filesystem::path& proc = "/proc");

} // namespace orbitdeck
