#pragma once

#include "platform/launcher_dock.h"

#include <functional>

namespace orbitdeck {

// Plank's launchers: one key file "<name>.dockitem" per kept application
// ([PlankDockItemPreferences] Launcher=<file URL>) in the launchers folder of each of its docks,
// <folder>/<dock>/launchers, which a running Plank follows. There while Plank runs and has a dock;
// an entry is added to every dock.
class PlankLaunchers final : public LauncherDock {
public:
    // $XDG_CONFIG_HOME/plank
    static std::filesystem::path standardFolder();

    explicit PlankLaunchers(std::filesystem::path folder, std::function<bool()> running = {});

    std::optional<std::vector<Launcher>> launchers() override;
    bool add(const std::filesystem::path& entry, const std::string& desktopFileId) override;
    bool remove(const Matches& matches) override;

private:
    struct Item {
        std::filesystem::path file;
        Launcher launcher;
    };
    std::optional<std::vector<std::filesystem::path>> dockFolders() const;
    std::vector<Item> items(const std::filesystem::path& launchersFolder) const;

    std::filesystem::path folder_;
    std::function<bool()> running_;
};

} // namespace orbitdeck
