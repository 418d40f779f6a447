#include "system/system_services.h"
#include "window/library_settings.h"
#include "x11_harness.h"

#include <QTemporaryDir>

using namespace orbitdeck;
using orbitdeck::testing::waitUntil;
using orbitdeck::testing::xdotool;

TEST(SystemServices, FollowTheStoredSettings) {
    QTemporaryDir home;
    DefaultsStore store(home.filePath("app.plist"));
    QtScheduler scheduler;
    SystemServices services(scheduler, store, [] { return false; });
    int toggles = 0;
    services.installTriggerHandlers([&] { ++toggles; });
    EXPECT_EQ(services.hotKey().registration(), GlobalHotKey::Registration::registered)
        << "the default shortcut";
    xdotool({"key", "alt+space"});
    EXPECT_TRUE(waitUntil([&] { return toggles == 1; }));

    writeSetting(store, settings::hotKey, LibraryHotKey::off);
    EXPECT_TRUE(waitUntil([&] {
        return services.hotKey().registration() == GlobalHotKey::Registration::none;
    })) << "a stored change of the shortcut takes effect at once";
    writeSetting(store, settings::hotKey, LibraryHotKey::commandOptionSpace);
    EXPECT_TRUE(waitUntil([&] {
        return services.hotKey().registration() == GlobalHotKey::Registration::registered;
    }));
    xdotool({"key", "super+alt+space"});
    EXPECT_TRUE(waitUntil([&] { return toggles == 2; }));

    writeSetting(store, settings::f4Key, true);
    xdotool({"key", "F4"});
    EXPECT_TRUE(waitUntil([&] { return toggles == 3; }))
        << "the F4 watch started when the setting was stored";
}
