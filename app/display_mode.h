#pragma once

#include <QObject>

class QWindow;

namespace orbitdeck {

class QuickPresentation;
class WindowLifecycle;
class WindowSettings;

// Brings the window into the stored start mode once it is first visible, and into the mode the
// window state asks for afterwards (the full-screen toggle, the start-mode setting, the guide).
// No system full-screen state exists here, so a requested mode is applied at once.
class DisplayMode final : public QObject {
public:
    DisplayMode(QWindow& window, WindowLifecycle& lifecycle, WindowSettings& settings,
                QuickPresentation& presentation, QObject* parent = nullptr);

    void applyStartupIfNeeded();
    void applyPendingMode();

private:
    QWindow& window_;
    WindowLifecycle& lifecycle_;
    WindowSettings& settings_;
    QuickPresentation& presentation_;
};

} // namespace orbitdeck
