#include "system/dock_integration.h"

#include "catalog-core/desktop_entry.h"
#include "platform/main_thread.h"
#include "system/system_log.h"

#include <algorithm>

namespace orbitdeck {

namespace fs = std::filesystem;

namespace {} // namespace

std::string normalizedDockPath(const fs::path& url) {
    std::error_code error;
    const fs::path standard = fs::absolute(url, error).lexically_normal();
    const fs::path resolved = fs::weakly_canonical(standard, error);
    std::string path = (error ? standard : resolved).string();
    while (path.size() > 1 && path.ends_with('/'))
        path.pop_back();
    return path;
}

DockIntegration::DockIntegration(std::vector<LauncherDock*> docks, DesktopFileIdOf desktopFileIdOf)
    : docks_(std::move(docks))
    , desktopFileIdOf_(std::move(desktopFileIdOf)) {
    if (!desktopFileIdOf_) {
        desktopFileIdOf_ = [](const fs::path& entry) {
            return desktopFileId(desktopEntryFolders(), entry);
        };
    }
}

std::optional<DockIntegration::Entry> DockIntegration::entry(const fs::path& app) const {
    if (!isDesktopEntryPath(app))
        return std::nullopt;
    auto id = desktopFileIdOf_(app);
    if (!id)
        return std::nullopt;
    return Entry{.path = normalizedDockPath(app), .desktopFileId = std::move(*id)};
}

bool DockIntegration::matches(const LauncherDock::Launcher& launcher, const Entry& entry) const {
    if (launcher.desktopFileId)
        return *launcher.desktopFileId == entry.desktopFileId;
    if (!launcher.file)
        return false;
    // The same entry, or another copy of the same id (the system's, which ours overrides).
    return normalizedDockPath(*launcher.file) == entry.path ||
           (isDesktopEntryPath(*launcher.file) &&
            desktopFileIdOf_(*launcher.file) == entry.desktopFileId);
}

bool DockIntegration::canKeep(const fs::path& app) const {
    if (!entry(app))
        return false;
    return std::ranges::any_of(docks_,
                               [](LauncherDock* dock) { return dock->launchers().has_value(); });
}

bool DockIntegration::isInDock(const fs::path& app) const {
    const auto found = entry(app);
    if (!found)
        return false;
    return std::ranges::any_of(docks_, [&](LauncherDock* dock) {
        const auto launchers = dock->launchers();
        return launchers && std::ranges::any_of(*launchers, [&](const auto& launcher) {
                   return matches(launcher, *found);
               });
    });
}

void DockIntegration::addToDock(const fs::path& app) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const auto found = entry(app);
    if (!found)
        return;
    for (LauncherDock* dock : docks_) {
        const auto launchers = dock->launchers();
        if (launchers && std::ranges::none_of(*launchers, [&](const auto& launcher) {
                return matches(launcher, *found);
            }))
            if (!dock->add(app, found->desktopFileId))
                qCWarning(systemLog) << "a dock did not keep" << app.c_str();
    }
}

void DockIntegration::removeFromDock(const fs::path& app) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const auto found = entry(app);
    if (!found)
        return;
    for (LauncherDock* dock : docks_) {
        if (dock->launchers())
            if (!dock->remove([&](const LauncherDock::Launcher& launcher) {
                    return matches(launcher, *found);
                }))
                qCWarning(systemLog) << "a dock still keeps" << app.c_str();
    }
}

} // namespace orbitdeck
