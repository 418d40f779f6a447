#pragma once

#include "platform/scheduler.h"

#include <QObject>

class QWindow;

namespace orbitdeck {

class QuickPresentation;
class WindowLifecycle;
class WindowSettings;

// Brings the window into the stored start mode once it is first visible, and into the mode the
// window state asks for afterwards (the full-screen toggle, the start-mode setting, the guide).
// It also follows the window manager: full screen set or cleared from outside (a window menu,
// wmctrl, a keyboard shortcut of the desktop) becomes the launcher's own mode and start mode.
class DisplayMode final : public QObject {
public:
    DisplayMode(QWindow& window, WindowLifecycle& lifecycle, WindowSettings& settings,
                QuickPresentation& presentation, Scheduler& scheduler, QObject* parent = nullptr);

    void applyStartupIfNeeded();
    void applyPendingMode();

private:
    void windowStateChanged();
    void fullScreenDidChange(bool fullScreen);
    bool inSystemFullScreen() const;

    QWindow& window_;
    WindowLifecycle& lifecycle_;
    WindowSettings& settings_;
    QuickPresentation& presentation_;
    Scheduler& scheduler_;
    Scheduler::Token settle_ = 0;
    // The launcher is changing the window state itself: what Qt reports is its own doing.
    bool applying_ = false;
};

} // namespace orbitdeck
