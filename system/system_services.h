#pragma once

#include "platform/defaults_store.h"
#include "platform/scheduler.h"
#include "platform/x11_focus_handover.h"
#include "platform/x11_hot_key_grabber.h"
#include "platform/x11_input_watch.h"
#include "system/global_hot_key.h"
#include "system/launch_triggers.h"
#include "system/window_presentation.h"

#include <QObject>

#include <functional>

namespace orbitdeck {

// The system-wide services of one run on X11, made once by the application: the global hot
// key, the launch triggers and window presentation. The application's activation and monitor
// changes reach presentation, and changes of the stored trigger and hot-key settings (from any
// writer) re-read them at once.
class SystemServices final : public QObject {
public:
    // launcherHasFocus: true while one of the launcher's own windows has the focus.
    SystemServices(Scheduler& scheduler, DefaultsStore& store,
                   std::function<bool()> launcherHasFocus, QObject* parent = nullptr);

    // What the window does when it comes up: both the hot key and the triggers run toggle, and
    // the watches follow the stored settings.
    void installTriggerHandlers(std::function<void()> toggle);

    GlobalHotKey& hotKey() { return hotKey_; }
    LaunchTriggers& triggers() { return triggers_; }
    WindowPresentation& presentation() { return presentation_; }

private:
    void followSettings();
    void followApplication();
    void registerStoredHotKey();

    DefaultsStore& store_;
    X11HotKeyGrabber grabber_;
    X11InputWatch watch_;
    X11FocusHandover focus_;
    GlobalHotKey hotKey_{grabber_};
    LaunchTriggers triggers_;
    WindowPresentation presentation_;
};

} // namespace orbitdeck
