#include "system/system_services.h"

#include "platform/main_thread.h"
#include "system/screen_areas.h"
#include "system/trigger_settings.h"
#include "window/library_settings.h"

#include <QGuiApplication>
#include <QScreen>

namespace orbitdeck {

SystemServices::SystemServices(Scheduler& scheduler, DefaultsStore& store,
                               std::function<bool()> launcherHasFocus, QObject* parent)
    : QObject(parent)
    , store_(store)
    , triggers_({
          .watch = &watch_,
          .clock = &scheduler,
          .readSettings = [&store] { return readTriggerSettings(store); },
          .screens = [] { return currentScreenAreas(); },
          .launcherHasFocus = std::move(launcherHasFocus),
      })
    , presentation_(scheduler, focus_) {
    followSettings();
    followApplication();
}

void SystemServices::followSettings() {
    for (const QString& key :
         {settings::hotCorner.key(), settings::pinchToOpen.key(), settings::f4Key.key()})
        store_.observe(key, this, [this] { triggers_.update(); });
    store_.observe(settings::hotKey.key(), this, [this] { registerStoredHotKey(); });
}

void SystemServices::followApplication() {
    auto* app = qGuiApp;
    if (app == nullptr)
        return;
    connect(app, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
        if (s == Qt::ApplicationActive)
            presentation_.applicationActivated();
    });
    const auto watchScreen = [this](QScreen* screen) {
        connect(screen, &QScreen::geometryChanged, this,
                [this] { presentation_.screensChanged(); });
    };
    for (QScreen* screen : QGuiApplication::screens())
        watchScreen(screen);
    connect(app, &QGuiApplication::screenAdded, this, [this, watchScreen](QScreen* screen) {
        watchScreen(screen);
        presentation_.screensChanged();
    });
    connect(app, &QGuiApplication::screenRemoved, this, [this] { presentation_.screensChanged(); });
}

void SystemServices::installTriggerHandlers(std::function<void()> toggle) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    triggers_.setAction(toggle);
    triggers_.update();
    hotKey_.setAction(std::move(toggle));
    registerStoredHotKey();
}

void SystemServices::registerStoredHotKey() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    hotKey_.registerHotKey(hotKeyChord(readSetting(store_, settings::hotKey)));
}

} // namespace orbitdeck
