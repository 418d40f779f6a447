#include "arranging/launch_flow.h"

#include "platform/main_thread.h"
#include "window/ambergrid_window.h"

namespace orbitdeck {

LaunchFlow::LaunchFlow(AmbergridWindow& window, QObject* parent)
    : QObject(parent)
    , window_(window) {}

void LaunchFlow::launch(const AppDescriptor& app) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const auto& open = window_.environment().openApplication;
    if (!open || !open(app)) {
        window_.lifecycle()->setFailedApp(QString::fromStdString(app.displayName()));
        return;
    }
    LibraryState& library = *window_.library();
    RecentUse dates = library.recentUse();
    dates[app.id()] = window_.environment().wallClock ? window_.environment().wallClock()
                                                      : std::chrono::system_clock::now();
    library.setRecentUse(std::move(dates));
    LaunchCounts counts = library.launchCounts();
    ++counts[app.id()];
    library.setLaunchCounts(std::move(counts));
    window_.storeLaunchData();
    window_.dismissLibrary();
}

void LaunchFlow::launchApp(const QString& appID) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (const AppDescriptor* app = window_.library()->app(appID.toStdString()))
        launch(AppDescriptor(*app));
}

void LaunchFlow::launchFirstVisible() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const std::vector<AppDescriptor> apps = window_.visible().visibleApps();
    if (!apps.empty())
        launch(apps.front());
}

void LaunchFlow::openFromTile(const QString& appID) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    window_.selection()->setOpenFolder(std::nullopt);
    launchApp(appID);
}

void LaunchFlow::goToPage(int target, int current, int pageCount) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (target < 0 || target >= pageCount || target == current)
        return;
    window_.paging()->setDirection(target > current ? PagingState::Direction::trailing
                                                    : PagingState::Direction::leading);
    window_.paging()->setPage(target, window_.settings()->fluidMotion());
}

} // namespace orbitdeck
