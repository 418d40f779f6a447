#include "app/launcher_parts.h"

#include "app/application_assembly.h"
#include "app/display_mode.h"
#include "app/quick_presentation.h"
#include "arranging/command_layer.h"
#include "platform/app_updater.h"
#include "platform/application_restart.h"
#include "platform/desktop_appearance.h"
#include "platform/scheduler.h"
#include "platform/status_item.h"
#include "settings/app_icon.h"
#include "system/app_delegate.h"
#include "system/legacy_defaults_migration.h"
#include "system/library_key_monitor.h"
#include "system/page_swipe_monitor.h"
#include "system/system_files.h"
#include "system/tile_services.h"
#include "window/ambergrid_window.h"
#include "window/localization.h"
#include "window/localization_bridge.h"
#include "window/qml/image_providers.h"
#include "window/qml/view_host.h"
#include "window/window_lifecycle.h"
#include "window/window_settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QQuickWindow>

#include <utility>
#include <vector>

namespace orbitdeck {

namespace {

class LiveParts final : public LauncherParts {
public:
    LiveParts()
        : assembled_(
              assembleApplication({.presentation = &presentation_,
                                   .watcher = &files_.watcher(),
                                   .trash = &tileServices_,
                                   .places = &tileServices_,
                                   .migrateLegacyDefaults =
                                       [](DefaultsStore& store) { migrateLegacyDefaults(store); }}))
        , entry_(*assembled_.entry)
        , language_(entry_.defaults(), Localizer::system()) {
        LocalizationBridge::registerSingleton(&language_);
        followDesktopMotion();
    }

    AmbergridWindow* state() override { return &entry_.window(); }
    LocalizationBridge* language() override { return &language_; }
    CommandLayer* commands() override { return assembled_.commands; }
    LayoutOperations* layoutOps() override { return assembled_.layoutOps; }
    OnboardingPresenter* onboarding() override { return assembled_.onboarding; }
    void loadLibrary() override { entry_.window().loadLibrary(); }

    void attach(QQuickWindow& window, ViewHost& host) override {
        WindowLifecycle* lifecycle = entry_.window().lifecycle();
        presentation_.attach(window, entry_.defaults(),
                             [lifecycle](bool refused) { lifecycle->setHotKeyRefused(refused); });
        // Asked again while hidden, so the next show follows a changed desktop without waiting.
        QObject::connect(&window, &QWindow::visibleChanged, &window, [](bool visible) {
            if (!visible)
                DesktopPreferencesWatch::shared().refresh();
        });
        AmbergridWindow& state = entry_.window();
        state.actions()->observe(window);
        displayMode_ = std::make_unique<DisplayMode>(window, *state.lifecycle(), *state.settings(),
                                                     presentation_);
        keys_.setLibraryWindow(&window);
        keys_.setOnKey([this, &host](LibraryKey key) {
            return !host.menuOpen() && assembled_.commands->handleKey(key);
        });
        swipes_ = std::make_unique<PageSwipeMonitor>(
            &window, scheduler_, [&host](QPointF at) { return host.turnsPagesAt(at); });
        swipes_->setOnMove([&host](double travel) { emit host.swipeMoved(travel); });
        swipes_->setOnEnd(
            [&host](double travel, double velocity) { emit host.swipeEnded(travel, velocity); });
    }

    void libraryShown() override {
        // The status item talks to the session bus: that waits until the grid is on screen.
        if (delegate_)
            return;
        statusArea_ = makeDBusStatusArea();
        delegate_ = std::make_unique<AmbergridAppDelegate>(AmbergridAppDelegate::Seams{
            .defaults = &entry_.defaults(),
            .scheduler = &scheduler_,
            .statusArea = statusArea_.get(),
            .presentation = &presentation_,
            .updater = &AppUpdater::shared(),
            .applyApplicationIcon = [this] { applyApplicationIcon(entry_.defaults()); },
            .statusIcon = [] { return statusIcon(); },
            .statusIconName = QStringLiteral(ORBITDECK_APP_ID),
            .statusIconThemePath = installedIconThemePath(),
            .version = QCoreApplication::applicationVersion(),
            .restart = [] { restartApplication(); },
            .quit = [] { QCoreApplication::quit(); },
        });
        delegate_->setOpenMainWindow([this] { presentation_.openWindow(); });
        delegate_->applicationDidFinishLaunching();
        for (const InstanceRequest request : std::exchange(pendingRequests_, {}))
            perform(request);
    }

    void perform(InstanceRequest request) override {
        if (request == InstanceRequest::quit) {
            QCoreApplication::quit();
            return;
        }
        if (!delegate_) {
            pendingRequests_.push_back(request);
            return;
        }
        switch (request) {
        case InstanceRequest::activate:
            delegate_->showMainWindow();
            break;
        case InstanceRequest::settings:
            delegate_->openWindowAndPost(LibraryCommand::settings);
            break;
        case InstanceRequest::welcome:
            delegate_->openWindowAndPost(LibraryCommand::welcome);
            break;
        case InstanceRequest::toggle:
            assembled_.commands->toggleLibrary();
            break;
        case InstanceRequest::quit:
            break;
        }
    }

private:
    // The icon chosen in the settings; a missing image leaves the icon as it is.
    static void applyApplicationIcon(const DefaultsStore& defaults) {
        if (const auto icon = appIconImage(storedAppIconStyle(defaults)))
            applicationIconTarget().setApplicationIcon(*icon);
    }

    // The application's own icon: dark tiles in a light-edged square, clear on light and dark
    // panels alike (a plain light glyph disappears on a light panel).
    static QImage statusIcon() {
        DrawingProvider drawings;
        return drawings.requestImage(QStringLiteral("icons/orbitdeck"), nullptr, QSize(44, 44));
    }

    // The icons installed beside the program, for a status area that does not look under the
    // installation's prefix; empty when the program does not run from an installation.
    static QString installedIconThemePath() {
        const QString icons =
            QCoreApplication::applicationDirPath() + QStringLiteral("/../share/icons");
        const QString icon = QStringLiteral("/hicolor/scalable/apps/" ORBITDECK_APP_ID ".svg");
        return QFileInfo::exists(icons + icon) ? QDir(icons).canonicalPath() : QString();
    }

    // The desktop's reduce-motion preference, read in the background from the start.
    void followDesktopMotion() {
        DesktopPreferencesWatch& desktop = DesktopPreferencesWatch::shared();
        WindowSettings* settings = entry_.window().settings();
        const auto apply = [settings, &desktop] {
            settings->setReduceMotion(desktop.current().reduceMotion.value_or(false));
        };
        QObject::connect(&desktop, &DesktopPreferencesWatch::changed, settings, apply);
        apply();
    }

    // Before the window state, which keeps a pointer to the watcher.
    QtScheduler filesScheduler_;
    SystemFiles files_{filesScheduler_};
    ProcessTable processes_;
    TileServices tileServices_{files_.trash(), files_.dock(), processes_,
                               [this](const QString& text) { entry_.window().showToast(text); }};
    QuickPresentation presentation_;
    AssembledApplication assembled_;
    AppEntry& entry_;
    LocalizationBridge language_;
    QtScheduler scheduler_;
    LibraryKeyMonitor keys_;
    std::unique_ptr<PageSwipeMonitor> swipes_;
    std::unique_ptr<DisplayMode> displayMode_;
    std::unique_ptr<StatusArea> statusArea_;
    std::unique_ptr<AmbergridAppDelegate> delegate_;
    std::vector<InstanceRequest> pendingRequests_;
};

} // namespace

std::unique_ptr<LauncherParts> makeLauncherParts() {
    return std::make_unique<LiveParts>();
}

} // namespace orbitdeck
