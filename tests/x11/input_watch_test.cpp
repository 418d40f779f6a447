#include "platform/scheduler.h"
#include "platform/x11_input_watch.h"
#include "system/launch_triggers.h"
#include "system/screen_areas.h"
#include "x11_harness.h"

#include <QElapsedTimer>

#include <utility>
#include <vector>

using namespace orbitdeck;
using orbitdeck::testing::waitUntil;
using orbitdeck::testing::xdotool;

namespace {
constexpr std::uint32_t keysymF12 = 0xffc9;

// Passes everything through and remembers the last pointer position the triggers were given.
class RecordingWatch final : public GlobalInputWatch {
public:
    explicit RecordingWatch(GlobalInputWatch& inner)
        : inner_(inner) {}
    void setHandlers(Handlers handlers) override {
        auto moved = std::move(handlers.pointerMoved);
        handlers.pointerMoved = [this, moved](QPoint p) {
            last = p;
            moved(p);
        };
        auto pressed = std::move(handlers.keyPressed);
        handlers.keyPressed = [this, pressed](std::uint32_t keysym, KeyModifiers modifiers) {
            ++keyPresses;
            pressed(keysym, modifiers);
        };
        inner_.setHandlers(std::move(handlers));
    }
    void setChannels(Channels channels) override { inner_.setChannels(channels); }
    Channels activeChannels() const override { return inner_.activeChannels(); }

    QPoint last{-1, -1};
    int keyPresses = 0;

private:
    GlobalInputWatch& inner_;
};
} // namespace

TEST(X11InputWatch, SeesPointerAndKeysOfOtherClients) {
    X11InputWatch watch;
    ASSERT_TRUE(watch.available());
    QPoint pointer(-1, -1);
    std::vector<std::pair<std::uint32_t, KeyModifiers>> keys;
    watch.setHandlers({
        .pointerMoved = [&](QPoint p) { pointer = p; },
        .keyPressed = [&](std::uint32_t keysym,
                          KeyModifiers modifiers) { keys.emplace_back(keysym, modifiers); },
        .pinched = {},
    });
    watch.setChannels({.pointer = true, .keys = true});
    EXPECT_TRUE(watch.activeChannels().pointer);

    // A warp of the pointer is no device motion and sends no raw event; relative moves do.
    xdotool({"mousemove", "200", "150"});
    xdotool({"mousemove_relative", "--", "-50", "10"});
    EXPECT_TRUE(waitUntil([&] { return pointer == QPoint(150, 160); }));

    xdotool({"key", "F4"});
    xdotool({"key", "shift+F4"});
    xdotool({"key", "F12"});
    EXPECT_TRUE(waitUntil([&] { return !keys.empty() && keys.back().first == keysymF12; }));
    const std::vector<std::pair<std::uint32_t, KeyModifiers>> expected{
        {keysymF4, 0},
        {0xffe1 /* Shift_L */, static_cast<KeyModifiers>(KeyModifier::shift)},
        {keysymF4, static_cast<KeyModifiers>(KeyModifier::shift)},
        {keysymF12, 0}};
    EXPECT_EQ(keys, expected);

    watch.setChannels({.pointer = true, .keys = true, .pinch = true});
    EXPECT_EQ(watch.activeChannels().pinch, watch.supportsPinch())
        << "pinch gestures where the server has XInput 2.4";
    EXPECT_TRUE(watch.activeChannels().keys);

    watch.setChannels({});
    keys.clear();
    xdotool({"key", "F4"});
    QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    watch.drain();
    EXPECT_TRUE(keys.empty()) << "a channel switched off reports nothing";
}

TEST(X11InputWatch, HotCornerAndF4ThroughLaunchTriggers) {
    X11InputWatch x11Watch;
    ASSERT_TRUE(x11Watch.available());
    RecordingWatch watch(x11Watch);
    QtScheduler clock;
    TriggerSettings settings{.hotCorner = HotCorner::topLeft, .f4Key = true};
    LaunchTriggers triggers({
        .watch = &watch,
        .clock = &clock,
        .readSettings = [&] { return settings; },
        .screens = [] { return currentScreenAreas(); },
        .launcherHasFocus = [] { return false; },
    });
    int toggles = 0;
    QElapsedTimer sinceToggle;
    triggers.setAction([&] {
        ++toggles;
        sinceToggle.start();
    });
    triggers.update();
    // Triggers within 0.6 s of the last one are swallowed by the shared guard.
    const auto guardPassed = [&] { return waitUntil([&] { return sinceToggle.elapsed() > 700; }); };

    // Pushing against the corner keeps sending motion, so the dwell completes while there.
    const auto pushIntoCorner = [&](int expected) {
        xdotool({"mousemove", "0", "0"});
        return waitUntil([&] {
            xdotool({"mousemove_relative", "--", "-1", "-1"});
            return toggles == expected;
        });
    };
    EXPECT_TRUE(pushIntoCorner(1));
    for (int i = 0; i < 10; ++i)
        xdotool({"mousemove_relative", "--", "-1", "0"});
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(toggles, 1) << "once per stay";
    // The watch reports where the pointer is when it reads the motion, so let it see the exit.
    const auto leaveCorner = [&] {
        xdotool({"mousemove_relative", "400", "300"});
        return waitUntil([&] { return watch.last.x() >= 400; });
    };
    EXPECT_TRUE(leaveCorner());
    EXPECT_TRUE(guardPassed());
    EXPECT_TRUE(pushIntoCorner(2)) << "again after leaving";

    EXPECT_TRUE(leaveCorner());
    EXPECT_TRUE(guardPassed());
    xdotool({"key", "shift+F4"});
    EXPECT_TRUE(waitUntil([&] { return watch.keyPresses == 2; }));
    EXPECT_EQ(toggles, 2) << "Shift+F4 does nothing";
    xdotool({"key", "F4"});
    EXPECT_TRUE(waitUntil([&] { return toggles == 3; }));
    const int afterF4 = toggles;
    settings.f4Key = false;
    triggers.update();
    EXPECT_FALSE(watch.activeChannels().keys);
    xdotool({"key", "F4"});
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(toggles, afterF4);
}
