#include "window/app_entry.h"

#include "library/composition_root.h"
#include "library/library_sort_added_dates.h"
#include "library/live_catalog.h"
#include "library/software_centre.h"
#include "library/workspace_process.h"
#include "platform/freedesktop_trash.h"
#include "platform/main_thread.h"
#include "platform/scheduler.h"
#include "platform/standard_defaults.h"
#include "platform/x11_client_windows.h"
#include "window/ambergrid_window.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace orbitdeck {

namespace {

std::string resolvedBundlePath(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
    return (error ? path.lexically_normal() : resolved).string();
}

// Putting a bundle back may cross filesystems (a volume's Trash); it is never lost on the way.
std::optional<QString> moveFileItem(const std::filesystem::path& from,
                                    const std::filesystem::path& to) {
    if (const auto error = restoreFromTrash(from, to))
        return QString::fromStdString(*error);
    return std::nullopt;
}

// The window manager's windows for the launcher, which brings running applications forward.
class X11ApplicationWindows final : public ApplicationWindows {
public:
    std::vector<ClientWindow> clientWindows() override {
        std::vector<ClientWindow> windows;
        for (X11ClientWindow& window : x11_.list()) {
            windows.push_back({.id = window.window,
                               .pid = window.pid,
                               .instanceName = std::move(window.instanceName),
                               .className = std::move(window.className)});
        }
        return windows;
    }
    bool activate(std::uint32_t window) override { return x11_.activate(window); }

private:
    X11ClientWindows x11_;
};

// The software centre installed when the launcher starts; unset without one.
std::function<bool(const QString&)> softwareSearch() {
    const std::optional<SoftwareCentre> centre = findSoftwareCentre(softwareCentrePlaces());
    if (!centre)
        return {};
    return [centre = *centre](const QString& query) {
        return spawnDetached(centre.program, centre.searchArguments(query.toStdString()));
    };
}

WindowEnvironment liveEnvironment(const CompositionRoot& root, Scheduler& scheduler,
                                  DefaultsStore& defaults, const AppEntry::Seams& seams) {
    return WindowEnvironment{
        .scheduler = &scheduler,
        .defaults = &defaults,
        .scanCatalog = [catalog = root.catalog] { return catalogScanOf(catalog->applications()); },
        .openApplication =
            [launcher = root.launcher](const AppDescriptor& app) {
                return launcher->open(app.bundleURL());
            },
        .scanAddedDates = addedDates,
        .moveItem = moveFileItem,
        .wallClock = [] { return std::chrono::system_clock::now(); },
        .hasEnvironmentVariable = [](const char* name) { return std::getenv(name) != nullptr; },
        .resolvedPath = resolvedBundlePath,
        .systemApplications = systemApplicationsRoot(),
        .presentation = seams.presentation,
        .watcher = seams.watcher,
        .searchSoftware = softwareSearch(),
        .trash = seams.trash,
        .places = seams.places,
    };
}

} // namespace

AppEntry::AppEntry(Seams seams, std::vector<Extension> extensions) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    // The window's settings and the direct readers (menus, toasts, triggers) share one copy of
    // the domain: a second copy would read stale values and write over the other's changes.
    defaults_ = &standardDefaults();
    if (seams.migrateLegacyDefaults)
        seams.migrateLegacyDefaults(*defaults_);
    scheduler_ = std::make_unique<QtScheduler>();
    // The catalog and the launcher are made once per run, here, before the window exists.
    const CompositionRoot root = makeLiveCompositionRoot(std::make_shared<X11ApplicationWindows>());
    window_ =
        std::make_unique<AmbergridWindow>(liveEnvironment(root, *scheduler_, *defaults_, seams));
    for (const Extension& extension : extensions)
        extension(*window_);
}

AppEntry::~AppEntry() = default;

} // namespace orbitdeck
