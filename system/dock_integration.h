#pragma once

#include "platform/launcher_dock.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orbitdeck {

// How two application locations are compared: standardised, links resolved, no trailing '/'.
std::string normalizedDockPath(const std::filesystem::path& url);

// "Keep in Dock" and "Remove from Dock" on the docks the user sees (GNOME Shell's favourites,
// Plasma's task managers, Plank). They keep desktop entries only, so a bundle is never offered;
// where no dock is there nothing is. A kept launcher matches an entry by desktop-file id or by
// its file (file URLs with or without "localhost"). Nothing is held in memory: every call asks
// the docks afresh.
class DockIntegration {
public:
    using DesktopFileIdOf = std::function<std::optional<std::string>(const std::filesystem::path&)>;

    explicit DockIntegration(std::vector<LauncherDock*> docks,
                             DesktopFileIdOf desktopFileIdOf = {});

    // Whether a dock the user sees can keep the application: a desktop entry, while a dock is
    // there.
    bool canKeep(const std::filesystem::path& app) const;
    bool isInDock(const std::filesystem::path& app) const;
    // Keeps the entry at the end of every dock that is there and does not keep it yet.
    void addToDock(const std::filesystem::path& app);
    // Drops every launcher of the entry from every dock.
    void removeFromDock(const std::filesystem::path& app);

private:
    struct Entry {
        std::string path;
        std::string desktopFileId;
    };
    std::optional<Entry> entry(const std::filesystem::path& app) const;
    bool matches(const LauncherDock::Launcher& launcher, const Entry& entry) const;

    std::vector<LauncherDock*> docks_;
    DesktopFileIdOf desktopFileIdOf_;
};

} // namespace orbitdeck
