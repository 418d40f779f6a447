#include "system/tile_services.h"

#include "catalog-core/desktop_entry.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QProcess>
#include <QUrl>

namespace orbitdeck {

TileServices::TileServices(ApplicationTrash& trash, DockIntegration& dock,
                           RunningApplications& running)
    : trash_(trash)
    , dock_(dock)
    , running_(running) {}

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
    const QUrl folder = QUrl::fromLocalFile(QString::fromStdString(bundle.parent_path().string()));
    const auto openFolder = [folder] {
        QProcess::startDetached(QStringLiteral("xdg-open"), {folder.toString()});
    };
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return openFolder();
    // The desktop's file manager selects the item itself; without one the folder opens.
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{QUrl::fromLocalFile(QString::fromStdString(bundle.string())).toString()}
         << QString();
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [openFolder](QDBusPendingCallWatcher* done) {
                         if (done->isError())
                             openFolder();
                         done->deleteLater();
                     });
}

} // namespace orbitdeck
