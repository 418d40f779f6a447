#pragma once

#include "platform/application_instance.h"

#include <QObject>

#include <memory>

class QQuickWindow;

namespace orbitdeck {

class AmbergridWindow;
class CommandLayer;
class LayoutOperations;
class LocalizationBridge;
class OnboardingPresenter;
class ViewHost;

// The window state and whatever the executable wires around it: presentation, the interface
// language, the key and swipe monitors.
struct LauncherParts {
    virtual ~LauncherParts() = default;
    // The state the views bind to as `win`.
    virtual AmbergridWindow* state() = 0;
    // The interface language for the views (t, revision).
    virtual LocalizationBridge* language() = 0;
    // The arranging module's keys, clicks, launching and layout edits, and the first-run guide,
    // which the views use directly.
    virtual CommandLayer* commands() = 0;
    virtual LayoutOperations* layoutOps() = 0;
    virtual OnboardingPresenter* onboarding() = 0;
    // Starts reading the library; its catalog scan runs in the background.
    virtual void loadLibrary() = 0;
    // The window exists: hand it to whatever presents it and watches its input; the views'
    // host hears of open menus and swipes.
    virtual void attach(QQuickWindow& window, ViewHost& host) = 0;
    // The library reached the screen: what can wait for the first frame starts now.
    virtual void libraryShown() = 0;
    // A request from another start or a desktop action; kept until the library is on screen.
    virtual void perform(InstanceRequest request) = 0;
};

std::unique_ptr<LauncherParts> makeLauncherParts();

} // namespace orbitdeck
