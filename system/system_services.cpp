#include "system/system_services.h"

#include "platform/main_thread.h"
#include "system/screen_areas.h"

#include <QGuiApplication>
#include <QScreen>

namespace orbitdeck {

SystemServices::SystemServices(Scheduler& scheduler, Inputs inputs, QObject* parent)
    : QObject(parent)
    , triggers_({
          .watch = &watch_,
          .clock = &scheduler,
          .readSettings = [read = inputs.readStored] { return readTriggerSettings(read); },
          .screens = [] { return currentScreenAreas(); },
          .launcherHasFocus = std::move(inputs.launcherHasFocus),
      })
    , presentation_(scheduler, focus_) {
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

void SystemServices::installTriggerHandlers(std::function<void()> toggle,
                                            std::string_view storedHotKey) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    triggers_.setAction(toggle);
    triggers_.update();
    hotKey_.setAction(std::move(toggle));
    hotKey_.registerHotKey(hotKeyChord(storedHotKey));
}

} // namespace orbitdeck
