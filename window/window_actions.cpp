#include "window/window_actions.h"

#include "platform/main_thread.h"
#include "platform/scheduler.h"
#include "window/ambergrid_window.h"
#include "window/library_loader.h"
#include "window/library_settings_enums.h"
#include "window/localization.h"

#include <QGuiApplication>
#include <QWindow>

#include <utility>

namespace orbitdeck {

WindowActions::WindowActions(AmbergridWindow& window, QObject* parent)
    : QObject(parent)
    , window_(window) {
    connect(&LibraryCommandCenter::shared(), &LibraryCommandCenter::commandPosted, this,
            [this](LibraryCommand command) { handleLibraryCommand(command); });
}

void WindowActions::toggleFullScreen() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const LibraryStartup mode =
        window_.lifecycle()->isFullScreen() ? LibraryStartup::window : LibraryStartup::fullscreen;
    window_.settings()->setStartModeValue(mode);
    window_.lifecycle()->setPendingMode(mode);
    emit window_.lifecycle()->applyPendingStartupModeRequested();
}

void WindowActions::openSettings() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    window_.lifecycle()->setAppearanceOpen(true);
}

void WindowActions::closeSettings() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    window_.lifecycle()->setAppearanceOpen(false);
}

void WindowActions::refreshLibrary() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    window_.stopArranging();
    window_.selection()->clearMultiSelection();
    window_.selection()->setSelectedItem(std::nullopt);
    emit window_.lifecycle()->iconCacheClearRequested();
    window_.loader().refreshApps(true, [this] {
        window_.loader().restoreLayoutFromStore(true);
        emit window_.lifecycle()->wallpaperRefreshRequested();
        window_.showToast(localizedFormat(QStringLiteral("Refreshed · %lld apps"),
                                          window_.language(),
                                          {static_cast<qint64>(window_.library()->apps().size())}));
    });
}

void WindowActions::changeStartMode(LibraryStartup mode) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (!isCase(mode))
        return;
    window_.settings()->setStartModeValue(mode);
    window_.lifecycle()->setAppearanceOpen(false);
    // Yield once so the sheet closes before the window changes mode.
    window_.scheduler().schedule(std::chrono::milliseconds(0), this, [this, mode] {
        window_.lifecycle()->setPendingMode(mode);
        emit window_.lifecycle()->applyPendingStartupModeRequested();
    });
}

void WindowActions::applicationDidBecomeActive() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    window_.scheduler().schedule(std::chrono::milliseconds(activationDelayMilliseconds), this,
                                 [this] { refreshAfterActivation(); });
}

void WindowActions::refreshAfterActivation() {
    LibraryPresentation* presentation = window_.environment().presentation;
    if (presentation && !presentation->isApplicationActive())
        return;
    emit window_.lifecycle()->wallpaperRefreshRequested();
    const auto now = window_.scheduler().now();
    // The first activation of a run always reloads; afterwards only every 20 seconds.
    if (hasRefreshedApps_ &&
        now - lastAppRefresh_ <= std::chrono::seconds(activationRefreshAgeSeconds))
        return;
    hasRefreshedApps_ = true;
    lastAppRefresh_ = now;
    window_.loader().refreshApps(false);
}

void WindowActions::observe(QWindow& libraryWindow) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    // The first mapping is the launch, not a return.
    connect(&libraryWindow, &QWindow::visibleChanged, this,
            [this, shownBefore = libraryWindow.isVisible()](bool visible) mutable {
                if (!visible) {
                    libraryDidHide();
                } else if (std::exchange(shownBefore, true)) {
                    playOpenAnimation();
                    // A hide and show quicker than the platform's focus-out delay never leaves
                    // the active state, so no activation follows: the show counts as one.
                    if (QGuiApplication::applicationState() == Qt::ApplicationActive)
                        applicationDidBecomeActive();
                }
            });
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive)
                    applicationDidBecomeActive();
            });
}

void WindowActions::playOpenAnimation() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (!window_.settings()->fluidMotion())
        return;
    window_.lifecycle()->setLibraryScale(1.08);
    window_.lifecycle()->setLibraryScale(1.0, WindowLifecycle::ScaleMotion::spring);
}

void WindowActions::libraryDidHide() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    window_.selection()->setArranging(false);
    window_.selection()->setActiveDropTile(std::nullopt);
    window_.selection()->setSelectedItem(std::nullopt);
    window_.selection()->setDraggingItem(std::nullopt);
}

void WindowActions::handleLibraryCommand(LibraryCommand command) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    switch (command) {
    case LibraryCommand::settings:
        window_.lifecycle()->setAppearanceOpen(true);
        return;
    case LibraryCommand::welcome:
        emit welcomeRequested();
        return;
    }
}

} // namespace orbitdeck
