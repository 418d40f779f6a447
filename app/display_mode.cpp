#include "app/display_mode.h"

#include "app/quick_presentation.h"
#include "platform/main_thread.h"
#include "window/window_lifecycle.h"
#include "window/window_settings.h"

#include <QPointer>
#include <QWindow>

#include <optional>

namespace orbitdeck {

namespace {
using namespace std::chrono_literals;
// Window managers change the state in steps (a show maps the window before full screen is
// granted again, an unmap clears the state late): the state counts once it has held this long.
constexpr auto settleDelay = 250ms;

} // namespace

DisplayMode::DisplayMode(QWindow& window, WindowLifecycle& lifecycle, WindowSettings& settings,
                         QuickPresentation& presentation, Scheduler& scheduler, QObject* parent)
    : QObject(parent)
    , window_(window)
    , lifecycle_(lifecycle)
    , settings_(settings)
    , presentation_(presentation)
    , scheduler_(scheduler) {
    connect(&lifecycle_, &WindowLifecycle::applyStartupRequested, this,
            &DisplayMode::applyStartupIfNeeded);
    connect(&lifecycle_, &WindowLifecycle::applyPendingStartupModeRequested, this,
            &DisplayMode::applyPendingMode);
    // The views ask before the window is mapped; the first mapping tries again.
    connect(&window_, &QWindow::visibleChanged, this, [this](bool visible) {
        if (visible)
            applyStartupIfNeeded();
    });
    presentation_.observeWindowState([self = QPointer<DisplayMode>(this)] {
        if (self)
            self->windowStateChanged();
    });
}

void DisplayMode::applyStartupIfNeeded() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (lifecycle_.didApplyStartup() || !window_.isVisible())
        return;
    lifecycle_.setDidApplyStartup(true);
    lifecycle_.setPendingMode(settings_.startModeValue());
    applyPendingMode();
}

bool DisplayMode::inSystemFullScreen() const {
    return presentation_.inFullScreenState() && !presentation_.holdsFullScreen();
}

void DisplayMode::applyPendingMode() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const std::optional<LibraryStartup> mode = lifecycle_.pendingMode();
    if (lifecycle_.modeTransitionInProgress() || !mode || !window_.isVisible())
        return;
    const bool fullScreen = *mode == LibraryStartup::fullscreen;
    // Full screen by the window manager's doing is left before the windowed frame is set; the
    // launcher's own full screen takes it over as it is.
    if (!fullScreen && inSystemFullScreen()) {
        lifecycle_.setModeTransitionInProgress(true);
        applying_ = true;
        window_.setWindowStates(window_.windowStates() & ~Qt::WindowFullScreen);
        applying_ = false;
        settle_ = scheduler_.schedule(settleDelay, this, [this] {
            settle_ = 0;
            fullScreenDidChange(presentation_.inFullScreenState());
        });
        return;
    }
    lifecycle_.setPendingMode(std::nullopt);
    applying_ = true;
    presentation_.applyDisplayMode(fullScreen);
    lifecycle_.setFullScreen(fullScreen);
    applying_ = false;
    emit lifecycle_.wallpaperRefreshRequested();
}

void DisplayMode::windowStateChanged() {
    // A hidden window loses the state (the next show asks again); changes the launcher makes
    // itself are already in its own state.
    if (applying_ || !lifecycle_.didApplyStartup() || !window_.isVisible() ||
        presentation_.isHiding() || presentation_.stateRequestInFlight())
        return;
    if (presentation_.inFullScreenState() == lifecycle_.isFullScreen() &&
        !lifecycle_.modeTransitionInProgress())
        return;
    lifecycle_.setModeTransitionInProgress(true);
    scheduler_.cancel(settle_);
    settle_ = scheduler_.schedule(settleDelay, this, [this] {
        settle_ = 0;
        fullScreenDidChange(presentation_.inFullScreenState());
    });
}

void DisplayMode::fullScreenDidChange(bool fullScreen) {
    if (presentation_.stateRequestInFlight()) {
        // The window manager has not answered the launcher's own request yet: its answer counts.
        lifecycle_.setModeTransitionInProgress(false);
        return;
    }
    const bool followed =
        fullScreen != lifecycle_.isFullScreen() && window_.isVisible() && !lifecycle_.pendingMode();
    lifecycle_.setFullScreen(fullScreen);
    lifecycle_.setModeTransitionInProgress(false);
    emit lifecycle_.wallpaperRefreshRequested();
    if (followed) {
        // The window manager changed it: that is the launcher's mode now, stored for next time,
        // with the chrome and frame of that mode.
        const LibraryStartup mode =
            fullScreen ? LibraryStartup::fullscreen : LibraryStartup::window;
        settings_.setStartModeValue(mode);
        lifecycle_.setPendingMode(mode);
    }
    scheduler_.schedule(0ms, this, [this] { applyPendingMode(); });
}

} // namespace orbitdeck
