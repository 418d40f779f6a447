#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orbitdeck {

// A dock the user sees whose kept applications ("launchers") the launcher can edit. Docks keep
// desktop entries, named by desktop-file id or by the entry's file.
class LauncherDock {
public:
    // What one kept launcher names; neither for a launcher of another kind (a folder, a
    // preferred application, a docklet).
    struct Launcher {
        std::optional<std::string> desktopFileId;
        std::optional<std::filesystem::path> file;
    };
    using Matches = std::function<bool(const Launcher&)>;

    virtual ~LauncherDock() = default;
    // The kept launchers; none when this dock is not there (not running, not set up for this
    // session) or its list cannot be read, which also means it is never written.
    virtual std::optional<std::vector<Launcher>> launchers() = 0;
    // Keeps the entry at the end of the dock; true when it was stored.
    virtual bool add(const std::filesystem::path& entry, const std::string& desktopFileId) = 0;
    // Drops every launcher that matches; true when the dock was written (or nothing matched).
    virtual bool remove(const Matches& matches) = 0;
};

// The local file a launcher URL names: a "file:" URL without a host or with "localhost", or a
// plain absolute path. None for anything else.
std::optional<std::filesystem::path> launcherFile(const std::string& url);

} // namespace orbitdeck
