#pragma once

#include "platform/application_instance.h"
#include "window/qml/view_host.h"

#include <QObject>
#include <QQmlEngine>

#include <memory>

class QQmlComponent;
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

    ViewHost host_{nullptr};
    // A plain engine: an application engine asks its file selector about every URL the type
    // loader resolves, and the views have no selected files.
    QQmlEngine engine_;
    std::unique_ptr<QQmlComponent> views_; // reads the window's types from the start on
    std::unique_ptr<LauncherParts> parts_;
    std::unique_ptr<QObject> root_; // made by engine_, gone before it
    QQuickWindow* window_ = nullptr;
    std::unique_ptr<StateReport> report_;
};

} // namespace orbitdeck
