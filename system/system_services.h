#pragma once

#include "platform/scheduler.h"
#include "platform/x11_focus_handover.h"
#include "platform/x11_hot_key_grabber.h"
#include "platform/x11_input_watch.h"
#include "system/global_hot_key.h"
#include "system/launch_triggers.h"
#include "system/trigger_settings.h"
#include "system/window_presentation.h"

#include <QObject>

#include <functional>
#include <string_view>

namespace orbitdeck {

// The system-wide services of one run on X11, made once by the application: the global hot
// key, the launch triggers and window presentation, with the application's activation and
// monitor changes fed to presentation.
class SystemServices final : public QObject {
public:
    struct Inputs {
        StoredValueReader readStored;
        // True while one of the launcher's own windows has the focus.
        std::function<bool()> launcherHasFocus;
    };

    SystemServices(Scheduler& scheduler, Inputs inputs, QObject* parent = nullptr);

    // What the window does when it comes up and whenever its hot-key setting changes: both the
    // hot key and the triggers run toggle, and the watches follow the stored settings.
    void installTriggerHandlers(std::function<void()> toggle, std::string_view storedHotKey);

    GlobalHotKey& hotKey() { return hotKey_; }
    LaunchTriggers& triggers() { return triggers_; }
    WindowPresentation& presentation() { return presentation_; }

private:
    X11HotKeyGrabber grabber_;
    X11InputWatch watch_;
    X11FocusHandover focus_;
    GlobalHotKey hotKey_{grabber_};
    LaunchTriggers triggers_;
    WindowPresentation presentation_;
};

} // namespace orbitdeck
