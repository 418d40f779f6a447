#include "system/launch_triggers.h"

#include "platform/main_thread.h"

#include <algorithm>

namespace orbitdeck {

namespace {
using namespace std::chrono_literals;
constexpr auto cornerDwell = 150ms;
constexpr auto fireGuard = 600ms;
constexpr double pinchThreshold = -0.35;
} // namespace

LaunchTriggers::LaunchTriggers(Environment environment)
    : env_(std::move(environment)) {
    env_.watch->setHandlers({
        .pointerMoved = [this](QPoint pointer) { checkHotCorner(pointer); },
        .keyPressed = [this](std::uint32_t keysym,
                             KeyModifiers modifiers) { handleKey(keysym, modifiers); },
        .pinched = [this](GesturePhase phase, double delta) { handlePinch(phase, delta); },
    });
}

void LaunchTriggers::setAction(std::function<void()> action) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    action_ = std::move(action);
}

void LaunchTriggers::update() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const TriggerSettings settings = env_.readSettings();
    env_.watch->setChannels({
        .pointer = settings.hotCorner != HotCorner::off,
        .keys = settings.f4Key,
        .pinch = settings.pinchToOpen,
    });
}

bool LaunchTriggers::ownInput() const {
    return env_.launcherHasFocus && env_.launcherHasFocus();
}

void LaunchTriggers::checkHotCorner(QPoint pointer) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const HotCorner corner = env_.readSettings().hotCorner;
    if (corner == HotCorner::off || ownInput())
        return;
    const std::vector<ScreenArea> screens = env_.screens();
    const auto screen = std::ranges::find_if(
        screens, [pointer](const ScreenArea& area) { return area.geometry.contains(pointer); });
    if (screen == screens.end())
        return;
    if (!insideHotCorner(corner, pointer, *screen)) {
        cornerSince_.reset();
        cornerFired_ = false;
        return;
    }
    const MonotonicTime now = env_.clock->now();
    if (!cornerSince_)
        cornerSince_ = now;
    if (!cornerFired_ && now - *cornerSince_ >= cornerDwell) {
        cornerFired_ = true;
        fire();
    }
}

void LaunchTriggers::handlePinch(GesturePhase phase, double magnification) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (ownInput())
        return;
    if (phase == GesturePhase::began)
        pinch_ = 0.0;
    pinch_ += magnification;
    if (pinch_ < pinchThreshold) {
        pinch_ = 0.0;
        fire();
    }
    if (phase == GesturePhase::ended || phase == GesturePhase::cancelled)
        pinch_ = 0.0;
}

void LaunchTriggers::handleKey(std::uint32_t keysym, KeyModifiers modifiers) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (ownInput())
        return;
    if ((keysym == keysymF4 || keysym == keysymLaunchB) && modifiers == 0)
        fire();
}

void LaunchTriggers::fire() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const MonotonicTime now = env_.clock->now();
    if (lastFire_ && now - *lastFire_ <= fireGuard)
        return;
    lastFire_ = now;
    if (action_)
        action_();
}

} // namespace orbitdeck
