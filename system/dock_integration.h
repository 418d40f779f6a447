#pragma once

#include "platform/dock_preferences.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace orbitdeck {

// How two application locations are compared: standardised, links resolved, no trailing '/'.
std::string normalizedDockPath(const std::filesystem::path& url);

// The normalised path of a tile's "tile-data" → "file-data" → "_CFURLString" (a file URL or a
// plain path); none when the tile has no such text or it does not parse.
std::optional<std::string> dockTilePath(const PlistNode& tile);

// "Keep in Dock" and "Remove from Dock" on the Dock's list of kept applications. Nothing is held
// in memory: every call reads the list afresh.
class DockIntegration {
public:
    explicit DockIntegration(DockPreferences& preferences);

    // The stored tiles; empty when there are none or the stored value is not a list of tiles.
    std::vector<PlistNode> dockPersistentApps() const;
    bool isInDock(const std::filesystem::path& app) const;
    // Appends a file tile unless the application is already kept.
    void addToDock(const std::filesystem::path& app);
    // Drops every tile of the application and writes the rest back.
    void removeFromDock(const std::filesystem::path& app);
    void writeDockPersistentApps(const std::vector<PlistNode>& tiles);

private:
    // The list to edit; none when what is stored cannot be edited without losing it.
    std::optional<std::vector<PlistNode>> editableApps() const;

    DockPreferences& preferences_;
};

} // namespace orbitdeck
