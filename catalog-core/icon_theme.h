#pragma once

#include "catalog-core/icon_theme_index.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace orbitdeck {

// The launcher's own cache folder: $XDG_CACHE_HOME/orbitdeck, else ~/.cache/orbitdeck; empty
// when neither is known.
std::filesystem::path launcherCacheFolder();

// Finds the file of a named icon the way the desktop does: the current theme and the themes it
// inherits, then "hicolor", then the base folders themselves (/usr/share/pixmaps). Regular PNG,
// SVG and XPM files count. Each theme's folders are listed once, on first use, and every answer is
// kept per name and size, so repeated look-ups touch no disk. A look-up at least rescanInterval
// after the last check (newNameInterval for a name and size not asked before, as for a newly
// installed application) compares the listed folders' modification times and starts afresh
// when one changed, so a package installed meanwhile brings its icon. With a cache folder, each
// theme's index is kept there too, and a later run lists no folder of a theme none of whose
// folders changed. Safe to call from several threads.
class IconThemeLookup {
public:
    struct Options {
        std::string theme;
        // Folders holding themes, in order ($HOME/.icons, each data folder's "icons").
        std::vector<std::filesystem::path> themeFolders;
        // Folders searched last for loose icon files (/usr/share/pixmaps).
        std::vector<std::filesystem::path> looseFolders;
        std::chrono::milliseconds rescanInterval = std::chrono::seconds(5);
        std::chrono::milliseconds newNameInterval = std::chrono::milliseconds(100);
        // Where theme indexes are kept between runs; none keeps them in memory only.
        std::optional<std::filesystem::path> cacheFolder = std::nullopt;
    };

    explicit IconThemeLookup(Options options);
    ~IconThemeLookup();
    IconThemeLookup(const IconThemeLookup&) = delete;
    IconThemeLookup& operator=(const IconThemeLookup&) = delete;

    // The file for an icon name (or an absolute path, taken as is when it exists) that serves
    // size pixels best; none when nothing is found.
    std::optional<std::filesystem::path> find(const std::string& name, int size);

    // Reads the index of the theme and of every theme it inherits, as the first look-up of an
    // icon none of them has would; a start does this beside loading its views, so that the first
    // icon asked for finds them read.
    void prepare();

    // The folders of the machine: $HOME/.icons, $XDG_DATA_HOME/icons, each $XDG_DATA_DIRS
    // entry's icons; and /usr/share/pixmaps after the data folders' own "pixmaps". Indexes are
    // cached under $XDG_CACHE_HOME/orbitdeck/icon-themes.
    static Options machineFolders(std::string theme);

private:
    const IconThemeIndex* theme(const std::string& name);
    std::optional<std::filesystem::path> lookUp(const std::string& name, int size);
    // Forgets everything when a folder read so far has changed since.
    void rescanIfChanged(std::chrono::milliseconds interval);
    void remember(const std::filesystem::path& folder);
    void remember(const IconThemeIndex::Stamp& stamp);
    // Writes the indexes read since the last call to the cache folder, outside the lock: a
    // look-up waiting for a theme need not wait for its writing too.
    void storeReadIndexes();

    Options options_;
    std::mutex mutex_;
    // Null for a theme no folder holds.
    std::map<std::string, std::unique_ptr<IconThemeIndex>> themes_;
    std::map<std::pair<std::string, int>, std::optional<std::filesystem::path>> found_;
    // Every folder read (or found missing), with its modification time then.
    std::unordered_map<std::string, std::optional<std::int64_t>> read_;
    std::chrono::steady_clock::time_point lastCheck_ = std::chrono::steady_clock::now();
    // Theme names with the bytes of their index, read and not yet stored.
    std::vector<std::pair<std::string, std::string>> unstored_;
};

} // namespace orbitdeck
