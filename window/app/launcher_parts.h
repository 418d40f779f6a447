#pragma once

#include <QObject>

#include <memory>

class QQuickWindow;

namespace orbitdeck {

// The window state and whatever the executable wires around it (presentation, watcher).
struct LauncherParts {
    virtual ~LauncherParts() = default;
    // The object the views bind to as `win`; none while no state module is built.
    virtual QObject* state() = 0;
    // The window exists: hand it to whatever presents it.
    virtual void attach(QQuickWindow& window) = 0;
};

std::unique_ptr<LauncherParts> makeLauncherParts();

} // namespace orbitdeck
