#pragma once

#include "platform/dock_preferences.h"
#include "system/favorite_apps.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orbitdeck {

// How two application locations are compared: standardised, links resolved, no trailing '/'.
std::string normalizedDockPath(const std::filesystem::path& url);

// The normalised path of a tile's "tile-data" → "file-data" → "_CFURLString" (a file URL or a
// plain path); none when the tile has no such text or it does not parse.
std::optional<std::string> dockTilePath(const PlistNode& tile);

// "Keep in Dock" and "Remove from Dock" on the Dock's list of kept applications. A desktop entry
// goes to the desktop's own favourites where it keeps them (GNOME), by its desktop-file id;
// bundles, and entries elsewhere, to the stand-in list. Nothing is held in memory: every call
// reads the list afresh.
class DockIntegration {
public:
    using DesktopFileIdOf = std::function<std::optional<std::string>(const std::filesystem::path&)>;

    explicit DockIntegration(DockPreferences& preferences, FavoriteApps* favorites = nullptr,
                             DesktopFileIdOf desktopFileIdOf = {});

    // The stored tiles; empty when there are none or the stored value is not a list of tiles.
    std::vector<PlistNode> dockPersistentApps() const;
    bool isInDock(const std::filesystem::path& app) const;
    // Appends a file tile unless the application is already kept.
    void addToDock(const std::filesystem::path& app);
    // Drops every tile of the application and writes the rest back.
    void removeFromDock(const std::filesystem::path& app);
    void writeDockPersistentApps(const std::vector<PlistNode>& tiles);

private:
    // The favourites and the entry's id when they decide for app.
    struct Favorite {
        FavoriteApps::Read read;
        std::string id;
    };
    std::optional<Favorite> favorite(const std::filesystem::path& app) const;
    // The list to edit; none when what is stored cannot be edited without losing it.
    std::optional<std::vector<PlistNode>> editableApps() const;

    DockPreferences& preferences_;
    FavoriteApps* favorites_;
    DesktopFileIdOf desktopFileIdOf_;
};

} // namespace orbitdeck
