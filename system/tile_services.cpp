#include "system/tile_services.h"

#include "catalog-core/desktop_entry.h"
#include "platform/file_manager.h"
#include "window/localization.h"

namespace orbitdeck {

TileServices::TileServices(ApplicationTrash& trash, DockIntegration& dock,
                           RunningApplications& running, Toast toast)
    : trash_(trash)
    , dock_(dock)
    , running_(running)
    , toast_(std::move(toast)) {}

bool TileServices::isUninstallable(const AppDescriptor& app) {
    // A desktop entry belongs to the package manager that installed it.
    return !isDesktopEntryPath(app.bundleURL()) && trash_.isUninstallable(app);
}

std::vector<std::filesystem::path> TileServices::leftoverURLs(const AppDescriptor& app) {
    return trash_.leftoverURLs(app);
}

std::optional<QString> TileServices::formattedSize(const std::filesystem::path& bundle) {
    return trash_.formattedSize(bundle);
}

void TileServices::moveToTrash(const AppDescriptor& app, std::function<void(Moved)> done) {
    trash_.moveToTrash(app, [done = std::move(done)](TrashOutcome outcome) {
        done(Moved{
            .trashURL = outcome.trashedPath,
            .error = outcome.error ? std::optional(QString::fromStdString(*outcome.error))
                                   : std::nullopt,
        });
    });
}

void TileServices::recycleItems(const std::vector<std::filesystem::path>& items,
                                std::function<void()> done) {
    trash_.recycleItemsToTrash(items, std::move(done));
}

void TileServices::forget(const AppDescriptor& app) {
    trash_.leftoverCache().erase(app.id());
    trash_.sizeCache().erase(app.bundleURL());
}

bool TileServices::canKeepInDock(const std::filesystem::path& bundle) {
    return dock_.canKeep(bundle);
}

bool TileServices::isInDock(const std::filesystem::path& bundle) {
    return dock_.isInDock(bundle);
}

void TileServices::addToDock(const std::filesystem::path& bundle) {
    dock_.addToDock(bundle);
}

void TileServices::removeFromDock(const std::filesystem::path& bundle) {
    dock_.removeFromDock(bundle);
}

std::vector<int> TileServices::instances(const AppDescriptor& app) {
    if (!app.bundleIdentifier())
        return {};
    return running_.instances(*app.bundleIdentifier(), app.bundleURL());
}

bool TileServices::isRunning(const AppDescriptor& app) {
    return !instances(app).empty();
}

void TileServices::quitFirst(const AppDescriptor& app) {
    const std::vector<int> found = instances(app);
    if (!found.empty())
        running_.terminate(found.front());
}

void TileServices::reveal(const std::filesystem::path& bundle) {
    showInFileManager(bundle, [toast = toast_](bool shown) {
        // Neither a file manager nor an application for folders: say so rather than nothing.
        if (!shown && toast)
            toast(localized(QStringLiteral("No file manager is installed"), currentLanguage()));
    });
}

} // namespace orbitdeck
