#include "system/dock_integration.h"

#include "catalog-core/desktop_entry.h"
#include "platform/main_thread.h"

#include <QString>
#include <QUrl>

#include <algorithm>

namespace orbitdeck {

namespace fs = std::filesystem;

std::string normalizedDockPath(const fs::path& url) {
    std::error_code error;
    const fs::path standard = fs::absolute(url, error).lexically_normal();
    const fs::path resolved = fs::weakly_canonical(standard, error);
    std::string path = (error ? standard : resolved).string();
    while (path.size() > 1 && path.ends_with('/'))
        path.pop_back();
    return path;
}

std::optional<std::string> dockTilePath(const PlistNode& tile) {
    const std::optional<std::string> text =
        tile.child("tile-data").child("file-data").child("_CFURLString").stringValue();
    if (!text)
        return std::nullopt;
    if (!text->starts_with("file://"))
        return normalizedDockPath(*text);
    const QUrl url(QString::fromStdString(*text), QUrl::StrictMode);
    if (!url.isValid() || !url.isLocalFile() || url.toLocalFile().isEmpty())
        return std::nullopt;
    return normalizedDockPath(url.toLocalFile().toStdString());
}

namespace {

// Matches the tiles that keep the application at app.
auto tileOf(const fs::path& app) {
    return [path = normalizedDockPath(app)](const PlistNode& tile) {
        return dockTilePath(tile) == path;
    };
}

} // namespace

DockIntegration::DockIntegration(DockPreferences& preferences, FavoriteApps* favorites,
                                 DesktopFileIdOf desktopFileIdOf)
    : preferences_(preferences)
    , favorites_(favorites)
    , desktopFileIdOf_(std::move(desktopFileIdOf)) {
    if (!desktopFileIdOf_) {
        desktopFileIdOf_ = [](const fs::path& entry) {
            return desktopFileId(desktopEntryFolders(), entry);
        };
    }
}

std::optional<DockIntegration::Favorite> DockIntegration::favorite(const fs::path& app) const {
    if (favorites_ == nullptr || !isDesktopEntryPath(app))
        return std::nullopt;
    auto id = desktopFileIdOf_(app);
    if (!id)
        return std::nullopt;
    FavoriteApps::Read read = favorites_->read();
    if (read.state == FavoriteApps::State::unavailable)
        return std::nullopt;
    return Favorite{.read = std::move(read), .id = std::move(*id)};
}

std::vector<PlistNode> DockIntegration::dockPersistentApps() const {
    DockAppsRead read = preferences_.persistentApps();
    return read.state == DockAppsRead::State::list ? std::move(read.tiles)
                                                   : std::vector<PlistNode>{};
}

std::optional<std::vector<PlistNode>> DockIntegration::editableApps() const {
    DockAppsRead read = preferences_.persistentApps();
    switch (read.state) {
    case DockAppsRead::State::absent:
        return std::vector<PlistNode>{};
    case DockAppsRead::State::list:
        return std::move(read.tiles);
    case DockAppsRead::State::malformed:
    case DockAppsRead::State::unreadable:
        break;
    }
    // Writing would replace the user's Dock with a list made from nothing.
    return std::nullopt;
}

bool DockIntegration::isInDock(const fs::path& app) const {
    if (const auto found = favorite(app))
        return std::ranges::find(found->read.ids, found->id) != found->read.ids.end();
    return std::ranges::any_of(dockPersistentApps(), tileOf(app));
}

void DockIntegration::addToDock(const fs::path& app) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (auto found = favorite(app)) {
        auto& ids = found->read.ids;
        if (found->read.state == FavoriteApps::State::list &&
            std::ranges::find(ids, found->id) == ids.end()) {
            ids.push_back(found->id);
            favorites_->write(ids);
        }
        return;
    }
    std::optional<std::vector<PlistNode>> tiles = editableApps();
    if (!tiles)
        return;
    if (std::ranges::any_of(*tiles, tileOf(app)))
        return;
    std::error_code error;
    // A folder's file URL ends in '/', as the Dock writes it.
    const bool folder = fs::is_directory(app, error);
    QString url =
        QUrl::fromLocalFile(QString::fromStdString(app.string())).toString(QUrl::FullyEncoded);
    if (folder && !url.endsWith(u'/'))
        url += u'/';
    PlistNode fileData = PlistNode::dictionary();
    fileData.set("_CFURLString", PlistNode::string(url.toStdString()));
    fileData.set("_CFURLStringType", PlistNode::integer(15));
    PlistNode tileData = PlistNode::dictionary();
    tileData.set("file-data", std::move(fileData));
    PlistNode tile = PlistNode::dictionary();
    tile.set("tile-type", PlistNode::string("file-tile"));
    tile.set("tile-data", std::move(tileData));
    tiles->push_back(std::move(tile));
    writeDockPersistentApps(*tiles);
}

void DockIntegration::removeFromDock(const fs::path& app) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (auto found = favorite(app)) {
        auto& ids = found->read.ids;
        // The desktop's dock follows its setting at once: nothing to restart.
        if (found->read.state == FavoriteApps::State::list && std::erase(ids, found->id) > 0)
            favorites_->write(ids);
        return;
    }
    std::optional<std::vector<PlistNode>> tiles = editableApps();
    if (!tiles)
        return;
    std::erase_if(*tiles, tileOf(app));
    writeDockPersistentApps(*tiles);
}

void DockIntegration::writeDockPersistentApps(const std::vector<PlistNode>& tiles) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (preferences_.setPersistentApps(tiles))
        preferences_.restartDock();
}

} // namespace orbitdeck
