#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orbitdeck {

// A top-level window of another program as the window manager lists it.
struct X11ClientWindow {
    std::uint32_t window = 0;
    std::optional<int> pid{};
    std::string instanceName{};
    std::string className{};
};

// The window manager's client list and its activation request, on Qt's own connection. Made on
// the main thread once the application exists: it follows the user's input from then on, since
// the activation carries the time of the click or key that asked for it.
class X11ClientWindows {
public:
    X11ClientWindows();

    // Managed windows bottom to top, without this process's own, the desktop and docks; empty
    // without a window manager that keeps the list.
    std::vector<X11ClientWindow> list() const;
    // Asks the window manager to activate the window as a pager would, which un-minimises it and
    // switches to its desktop; the focus goes back to it, not the earlier window, when the
    // launcher hides. False without an EWMH window manager or when the window is gone.
    bool activate(std::uint32_t window) const;
};

// The X server time of the latest key or button input this process received; 0 before any.
std::uint32_t lastUserInputTime();

} // namespace orbitdeck
