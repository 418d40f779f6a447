#pragma once

#include <QRect>

#include <chrono>
#include <functional>
#include <optional>

namespace orbitdeck {

enum class FadeCurve { easeIn, easeOut };

// The launcher's own top-level window as presentation drives it.
class LauncherWindow {
public:
    virtual ~LauncherWindow() = default;

    virtual bool isVisible() const = 0;
    virtual double opacity() const = 0;
    // Sets the opacity at once, ending a running fade (whose finished action still runs).
    virtual void setOpacity(double opacity) = 0;
    // Animates the opacity; finished runs once when the fade ends or a later fade replaces it.
    virtual void fadeOpacity(double target, std::chrono::milliseconds duration, FadeCurve curve,
                             std::function<void()> finished) = 0;

    // Moves to the current desktop, maps, raises and takes the input focus.
    virtual void bringForward() = 0;
    virtual void unmap() = 0;

    virtual QRect frame() const = 0;
    virtual void setFrame(const QRect& frame, bool animate) = 0;
    // The monitor the window is on, else the primary one; none without any monitor.
    virtual std::optional<QRect> monitorGeometry() const = 0;
    virtual std::optional<QRect> monitorAvailableGeometry() const = 0;
    // Frameless, shadowless, fixed and in the window manager's full-screen state (above panels
    // and docks) for full screen; an ordinary decorated window otherwise.
    virtual void setFullScreenChrome(bool fullScreen) = 0;
};

// Who had the input focus before the launcher came up, and handing it back afterwards.
class FocusHandover {
public:
    virtual ~FocusHandover() = default;

    // Remembers the focused client window unless it is one of ours (the earlier one stays then).
    virtual void rememberFocused() = 0;
    // Gives the focus back to the remembered window when it still exists.
    virtual void restoreFocus() = 0;
};

} // namespace orbitdeck
