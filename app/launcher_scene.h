#pragma once

#include "platform/application_instance.h"
#include "window/qml/view_host.h"

#include <QObject>
#include <QQmlEngine>

#include <memory>

class QQuickWindow;

namespace orbitdeck {

class StateReport;
struct LauncherParts;

// The one window scene: builds the window state, loads the views with it, centres the window
// and, for tests only, attaches the state report.
class LauncherScene {
public:
    LauncherScene();
    ~LauncherScene();

    // False when the views could not be loaded.
    bool show();
    QQuickWindow* window() const { return window_; }
    // What another start or a desktop action asks for.
    void perform(InstanceRequest request);

private:
    void watchFirstLibraryFrame();

    std::unique_ptr<LauncherParts> parts_;
    ViewHost host_{nullptr};
    QQmlEngine engine_;
    std::unique_ptr<QObject> root_; // made by engine_, gone before it
    QQuickWindow* window_ = nullptr;
    std::unique_ptr<StateReport> report_;
};

} // namespace orbitdeck
