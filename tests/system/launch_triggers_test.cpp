#include "fakes.h"
#include "system/launch_triggers.h"
#include "system/trigger_settings.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using namespace orbitdeck;
using orbitdeck::testing::FakeInputWatch;

namespace {
constexpr KeyModifiers noModifiers = 0;

struct Triggers {
    VirtualScheduler clock;
    FakeInputWatch watch;
    TriggerSettings settings{.hotCorner = HotCorner::topLeft, .pinchToOpen = true, .f4Key = true};
    std::vector<ScreenArea> screens{{.geometry = QRect(0, 0, 1440, 900)},
                                    {.geometry = QRect(1440, 0, 1920, 1080)}};
    bool ownFocus = false;
    int fired = 0;
    LaunchTriggers triggers{{
        .watch = &watch,
        .clock = &clock,
        .readSettings = [this] { return settings; },
        .screens = [this] { return screens; },
        .launcherHasFocus = [this] { return ownFocus; },
    }};

    Triggers() {
        triggers.setAction([this] { ++fired; });
        triggers.update();
    }
    void move(int x, int y) { watch.handlers.pointerMoved(QPoint(x, y)); }
    void later(std::chrono::milliseconds step) { clock.advance(step); }
};
} // namespace

TEST(LaunchTriggers, HotCornerDwellsAndFiresOncePerStay) {
    Triggers t;
    t.move(1, 1);
    t.later(149ms);
    t.move(2, 2);
    EXPECT_EQ(t.fired, 0) << "not yet 0.15 s";
    t.later(1ms);
    t.move(3, 0);
    EXPECT_EQ(t.fired, 1);
    t.later(2s);
    t.move(0, 1);
    EXPECT_EQ(t.fired, 1) << "moving about inside the zone does not fire again";
    t.move(4, 0);
    EXPECT_EQ(t.fired, 1) << "4 points from the left edge is outside";
    t.move(0, 0);
    t.later(200ms);
    t.move(1, 0);
    EXPECT_EQ(t.fired, 2) << "leaving and re-entering fires again";

    t.later(1s);
    t.move(1000, 500);
    t.move(1441, 2);
    t.later(200ms);
    t.move(1440, 0);
    EXPECT_EQ(t.fired, 3) << "each monitor has its own corner";

    t.later(1s);
    t.settings.hotCorner = HotCorner::bottomRight;
    t.move(1000, 500);
    t.move(3359, 1079);
    t.later(150ms);
    t.move(3357, 1077);
    EXPECT_EQ(t.fired, 4);

    t.later(1s);
    t.move(5000, 5000);
    t.move(3359, 1079);
    t.later(200ms);
    t.move(3359, 1079);
    EXPECT_EQ(t.fired, 4) << "a pointer on no monitor changes nothing, so the stay goes on";
}

TEST(LaunchTriggers, SharedGuardAcrossTriggers) {
    Triggers t;
    t.watch.handlers.pinched(GesturePhase::began, -0.4);
    EXPECT_EQ(t.fired, 1);
    t.later(100ms);
    t.move(0, 0);
    t.later(150ms);
    t.move(1, 1);
    EXPECT_EQ(t.fired, 1) << "a corner stay within 0.6 s of the pinch is used up";
    t.later(1s);
    t.move(2, 2);
    EXPECT_EQ(t.fired, 1) << "and fires only after leaving and re-entering";
    t.move(500, 500);
    t.move(0, 0);
    t.later(150ms);
    t.move(0, 0);
    EXPECT_EQ(t.fired, 2);

    t.later(1s);
    t.watch.handlers.keyPressed(keysymF4, noModifiers);
    t.later(300ms);
    t.watch.handlers.keyPressed(keysymF4, noModifiers);
    EXPECT_EQ(t.fired, 3) << "two F4 presses 0.3 s apart toggle once";
    t.later(300ms);
    t.watch.handlers.keyPressed(keysymF4, noModifiers);
    EXPECT_EQ(t.fired, 3) << "0.6 s exactly is still guarded";
    t.later(1ms);
    t.watch.handlers.keyPressed(keysymF4, noModifiers);
    EXPECT_EQ(t.fired, 4);
}

TEST(LaunchTriggers, GuardRunsOnMonotonicTime) {
    // The guard compares instants of the injected monotonic clock only, so the very first
    // trigger fires even at the clock's epoch, and nothing the wall clock does can hold it back.
    Triggers t;
    t.triggers.fire();
    EXPECT_EQ(t.fired, 1);
    t.later(601ms);
    t.triggers.fire();
    EXPECT_EQ(t.fired, 2);
}

TEST(LaunchTriggers, PinchSumsWithinOneGesture) {
    Triggers t;
    t.watch.handlers.pinched(GesturePhase::began, -0.2);
    EXPECT_EQ(t.fired, 0);
    t.watch.handlers.pinched(GesturePhase::changed, -0.2);
    EXPECT_EQ(t.fired, 1) << "fires at the second step";
    t.watch.handlers.pinched(GesturePhase::ended, 0.0);

    t.later(1s);
    t.watch.handlers.pinched(GesturePhase::began, -0.2);
    t.watch.handlers.pinched(GesturePhase::ended, 0.0);
    t.watch.handlers.pinched(GesturePhase::began, -0.2);
    t.watch.handlers.pinched(GesturePhase::cancelled, 0.0);
    EXPECT_EQ(t.fired, 1) << "the sum resets between gestures";

    t.watch.handlers.pinched(GesturePhase::began, 0.5);
    t.watch.handlers.pinched(GesturePhase::changed, -0.6);
    EXPECT_EQ(t.fired, 1) << "spreading the fingers first offsets the pinch";
}

TEST(LaunchTriggers, KeysNeedNoModifiers) {
    Triggers t;
    for (const KeyModifier m :
         {KeyModifier::shift, KeyModifier::control, KeyModifier::alt, KeyModifier::super}) {
        t.watch.handlers.keyPressed(keysymF4, static_cast<KeyModifiers>(m));
        t.watch.handlers.keyPressed(keysymLaunchB, static_cast<KeyModifiers>(m));
    }
    t.watch.handlers.keyPressed(0xffc2 /* F5 */, noModifiers);
    EXPECT_EQ(t.fired, 0);
    t.watch.handlers.keyPressed(keysymLaunchB, noModifiers);
    EXPECT_EQ(t.fired, 1) << "the launcher key";
}

TEST(LaunchTriggers, SettingsSwitchChannelsAndOwnInputIsIgnored) {
    Triggers t;
    EXPECT_EQ(t.watch.channels, (GlobalInputWatch::Channels{true, true, true}));
    t.settings = {};
    t.triggers.update();
    EXPECT_EQ(t.watch.channels, (GlobalInputWatch::Channels{false, false, false}));
    t.move(0, 0);
    t.later(1s);
    t.move(0, 0);
    EXPECT_EQ(t.fired, 0) << "the corner reads its setting when the pointer moves";
    t.settings.hotCorner = HotCorner::topLeft;
    t.triggers.update();
    EXPECT_TRUE(t.watch.channels.pointer);
    t.settings.f4Key = true;

    t.ownFocus = true;
    t.watch.handlers.keyPressed(keysymF4, noModifiers);
    t.move(0, 0);
    t.later(1s);
    t.move(0, 0);
    EXPECT_EQ(t.fired, 0) << "input to the launcher's own window is not a trigger";
    t.ownFocus = false;
    t.watch.handlers.keyPressed(keysymF4, noModifiers);
    EXPECT_EQ(t.fired, 1);
}

TEST(LaunchTriggers, ReadsStoredSettings) {
    QTemporaryDir home;
    DefaultsStore store(home.filePath("app.plist"));
    const TriggerSettings none = readTriggerSettings(store);
    EXPECT_EQ(none.hotCorner, HotCorner::off);
    EXPECT_FALSE(none.pinchToOpen);
    EXPECT_FALSE(none.f4Key);

    store.setValue("ambergrid.hotCorner", QString("bottomLeft"));
    store.setValue("ambergrid.pinchToOpen", true);
    store.setValue("ambergrid.f4Key", true);
    const TriggerSettings all = readTriggerSettings(store);
    EXPECT_EQ(all.hotCorner, HotCorner::bottomLeft);
    EXPECT_TRUE(all.pinchToOpen);
    EXPECT_TRUE(all.f4Key);

    store.setValue("ambergrid.hotCorner", QString("middle"));
    store.setValue("ambergrid.f4Key", QString("true"));
    store.setValue("ambergrid.pinchToOpen", qint64{1});
    const TriggerSettings odd = readTriggerSettings(store);
    EXPECT_EQ(odd.hotCorner, HotCorner::off) << "an unknown corner";
    EXPECT_FALSE(odd.f4Key) << "only a stored boolean counts";
    EXPECT_FALSE(odd.pinchToOpen);
}
