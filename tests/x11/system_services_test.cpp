#include "system/system_services.h"
#include "x11_harness.h"

using namespace orbitdeck;
using orbitdeck::testing::waitUntil;
using orbitdeck::testing::xdotool;

TEST(SystemServices, HotKeyFollowsTheSetting) {
    QtScheduler scheduler;
    SystemServices services(
        scheduler, {
                       .readStored = [](std::string_view) { return std::optional<QVariant>(); },
                       .launcherHasFocus = [] { return false; },
                   });
    int toggles = 0;
    services.installTriggerHandlers([&] { ++toggles; }, "optionSpace");
    EXPECT_EQ(services.hotKey().registration(), GlobalHotKey::Registration::registered);
    xdotool({"key", "alt+space"});
    EXPECT_TRUE(waitUntil([&] { return toggles == 1; }));

    services.installTriggerHandlers([&] { toggles += 10; }, "commandOptionSpace");
    xdotool({"key", "super+alt+space"});
    EXPECT_TRUE(waitUntil([&] { return toggles == 11; })) << "the new action replaced the old";

    services.installTriggerHandlers([&] { ++toggles; }, "off");
    EXPECT_EQ(services.hotKey().registration(), GlobalHotKey::Registration::none);
}
