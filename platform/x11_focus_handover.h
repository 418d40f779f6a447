#pragma once

#include "platform/launcher_window.h"

#include <cstdint>
#include <functional>

namespace orbitdeck {

// Remembers the focused client window of another program and gives the focus back to it
// explicitly: on X11 the focus otherwise falls to the root window when the launcher unmaps.
class X11FocusHandover final : public FocusHandover {
public:
    // isOwnWindow: whether an X window belongs to this process (default: any created QWindow).
    explicit X11FocusHandover(std::function<bool(std::uint32_t)> isOwnWindow = {});

    void rememberFocused() override;
    void restoreFocus() override;

    std::uint32_t remembered() const { return remembered_; }

    // A window the launcher itself activated while it was up (an application brought forward):
    // the next hand-back goes to it instead of the window focused before.
    static void handOverTo(std::uint32_t window);

private:
    std::function<bool(std::uint32_t)> isOwnWindow_;
    std::uint32_t remembered_ = 0;
};

} // namespace orbitdeck
