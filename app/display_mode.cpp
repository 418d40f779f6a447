#include "app/display_mode.h"

#include "app/quick_presentation.h"
#include "platform/main_thread.h"
#include "window/window_lifecycle.h"
#include "window/window_settings.h"

#include <QWindow>

namespace orbitdeck {

DisplayMode::DisplayMode(QWindow& window, WindowLifecycle& lifecycle, WindowSettings& settings,
                         QuickPresentation& presentation, QObject* parent)
    : QObject(parent)
    , window_(window)
    , lifecycle_(lifecycle)
    , settings_(settings)
    , presentation_(presentation) {
    connect(&lifecycle_, &WindowLifecycle::applyStartupRequested, this,
            &DisplayMode::applyStartupIfNeeded);
    connect(&lifecycle_, &WindowLifecycle::applyPendingStartupModeRequested, this,
            &DisplayMode::applyPendingMode);
    // The views ask before the window is mapped; the first mapping tries again.
    connect(&window_, &QWindow::visibleChanged, this, [this](bool visible) {
        if (visible)
            applyStartupIfNeeded();
    });
}

void DisplayMode::applyStartupIfNeeded() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (lifecycle_.didApplyStartup() || !window_.isVisible())
        return;
    lifecycle_.setDidApplyStartup(true);
    lifecycle_.setPendingMode(settings_.startMode());
    applyPendingMode();
}

void DisplayMode::applyPendingMode() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const QString mode = lifecycle_.pendingMode();
    if (lifecycle_.modeTransitionInProgress() || mode.isEmpty() || !window_.isVisible())
        return;
    lifecycle_.setPendingMode(QString());
    const bool fullScreen = mode == QLatin1String("fullscreen");
    presentation_.applyDisplayMode(fullScreen);
    lifecycle_.setFullScreen(fullScreen);
    emit lifecycle_.wallpaperRefreshRequested();
}

} // namespace orbitdeck
