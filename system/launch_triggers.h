#pragma once

#include "platform/global_input_watch.h"
#include "platform/scheduler.h"
#include "system/hot_corner.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace orbitdeck {

// The trigger settings as stored; missing or unreadable values read as off.
struct TriggerSettings {
    HotCorner hotCorner = HotCorner::off;
    bool pinchToOpen = false;
    bool f4Key = false;
};

// Keys that call the launcher up: F4, and XF86LaunchB, which Apple keyboards' Launchpad key
// (KEY_DASHBOARD / KEY_ALL_APPLICATIONS) produces.
inline constexpr std::uint32_t keysymF4 = 0xffc1;
inline constexpr std::uint32_t keysymLaunchB = 0x1008ff4b;

// Hot corner, pinch and the F4 / launcher key, each calling one action behind a shared guard.
class LaunchTriggers {
public:
    struct Environment {
        GlobalInputWatch* watch = nullptr;
        const Scheduler* clock = nullptr; // monotonic: a wall clock set back cannot stall the guard
        std::function<TriggerSettings()> readSettings;
        std::function<std::vector<ScreenArea>()> screens;
        // Input that goes to the launcher's own windows is not a trigger.
        std::function<bool()> launcherHasFocus;
    };

    explicit LaunchTriggers(Environment environment);

    void setAction(std::function<void()> action);
    // Starts or stops watching each kind of input to match the settings.
    void update();

    void checkHotCorner(QPoint pointer);
    void handlePinch(GesturePhase phase, double magnification);
    void handleKey(std::uint32_t keysym, KeyModifiers modifiers);
    // Runs the action unless a trigger already fired within the last 0.6 s.
    void fire();

private:
    bool ownInput() const;

    Environment env_;
    std::function<void()> action_;
    std::optional<MonotonicTime> cornerSince_;
    bool cornerFired_ = false;
    double pinch_ = 0.0;
    std::optional<MonotonicTime> lastFire_;
};

} // namespace orbitdeck
