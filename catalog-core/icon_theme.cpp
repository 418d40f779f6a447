#include "catalog-core/icon_theme.h"

#include "catalog-core/icon_theme_cache.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <span>

namespace orbitdeck {
namespace {

bool isRegularFile(const std::filesystem::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

} // namespace

IconThemeLookup::IconThemeLookup(Options options)
    : options_(std::move(options)) {}

IconThemeLookup::~IconThemeLookup() = default;

std::filesystem::path launcherCacheFolder() {
    const char* cacheHome = std::getenv("XDG_CACHE_HOME");
    if (cacheHome != nullptr && *cacheHome == '/')
        return std::filesystem::path(cacheHome) / "orbitdeck";
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home == '/')
        return std::filesystem::path(home) / ".cache/orbitdeck";
    return {};
}

IconThemeLookup::Options IconThemeLookup::machineFolders(std::string theme) {
    Options options{.theme = std::move(theme), .themeFolders = {}, .looseFolders = {}};
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home == '/')
        options.themeFolders.push_back(std::filesystem::path(home) / ".icons");
    std::vector<std::filesystem::path> data;
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && *dataHome == '/')
        data.emplace_back(dataHome);
    else if (home != nullptr && *home == '/')
        data.push_back(std::filesystem::path(home) / ".local/share");
    const char* dataDirs = std::getenv("XDG_DATA_DIRS");
    std::string_view dirs =
        dataDirs != nullptr && *dataDirs != '\0' ? dataDirs : "/usr/local/share/:/usr/share/";
    while (!dirs.empty()) {
        const auto colon = dirs.find(':');
        if (const auto dir = dirs.substr(0, colon); !dir.empty() && dir.front() == '/')
            data.emplace_back(dir);
        dirs = colon == std::string_view::npos ? std::string_view() : dirs.substr(colon + 1);
    }
    for (const auto& folder : data) {
        options.themeFolders.push_back(folder / "icons");
        options.looseFolders.push_back(folder / "pixmaps");
    }
    if (std::ranges::find(options.looseFolders, "/usr/share/pixmaps") == options.looseFolders.end())
        options.looseFolders.emplace_back("/usr/share/pixmaps");
    if (const auto cache = launcherCacheFolder(); !cache.empty())
        options.cacheFolder = cache / "icon-themes";
    return options;
}

void IconThemeLookup::remember(const std::filesystem::path& folder) {
    read_.try_emplace(folder.native(), modificationTime(folder.c_str()));
}

void IconThemeLookup::remember(const IconThemeIndex::Stamp& stamp) {
    read_.try_emplace(stamp.path, stamp.modified);
}

void IconThemeLookup::rescanIfChanged(std::chrono::milliseconds interval) {
    const auto now = std::chrono::steady_clock::now();
    if (now - lastCheck_ < interval)
        return;
    lastCheck_ = now;
    const bool changed = std::ranges::any_of(read_, [](const auto& entry) {
        return modificationTime(entry.first.c_str()) != entry.second;
    });
    if (!changed)
        return;
    themes_.clear();
    found_.clear();
    read_.clear();
}

const IconThemeIndex* IconThemeLookup::theme(const std::string& name) {
    if (const auto known = themes_.find(name); known != themes_.end())
        return known->second.get();
    std::optional<IconThemeIndex> index;
    if (options_.cacheFolder)
        index = loadCachedIconThemeIndex(*options_.cacheFolder, name, options_.themeFolders);
    if (!index) {
        index = readIconThemeIndex(name, options_.themeFolders);
        if (options_.cacheFolder && index->found && index->settled())
            unstored_.emplace_back(name, encodeIconThemeIndex(*index, name, options_.themeFolders));
    }
    for (const auto& stamp : index->stamps)
        remember(stamp);
    index->stamps = {};
    auto loaded = index->found ? std::make_unique<IconThemeIndex>(std::move(*index)) : nullptr;
    return themes_.emplace(name, std::move(loaded)).first->second.get();
}

void IconThemeLookup::prepare() {
    {
        const std::lock_guard guard(mutex_);
        std::vector<std::string> pending{"hicolor", options_.theme};
        std::set<std::string> visited;
        while (!pending.empty()) {
            const std::string current = std::move(pending.back());
            pending.pop_back();
            if (!visited.insert(current).second)
                continue;
            if (const IconThemeIndex* found = theme(current))
                pending.insert(pending.end(), found->inherits.rbegin(), found->inherits.rend());
        }
    }
    storeReadIndexes();
}

void IconThemeLookup::storeReadIndexes() {
    std::vector<std::pair<std::string, std::string>> unstored;
    {
        const std::lock_guard guard(mutex_);
        unstored.swap(unstored_);
    }
    for (const auto& [theme, bytes] : unstored)
        storeCachedIconThemeIndex(*options_.cacheFolder, theme, bytes);
}

std::optional<std::filesystem::path> IconThemeLookup::lookUp(const std::string& name, int size) {
    std::vector<std::string> pending{options_.theme};
    std::set<std::string> visited;
    bool hicolorQueued = false;
    while (!pending.empty() || !hicolorQueued) {
        if (pending.empty()) {
            pending.emplace_back("hicolor");
            hicolorQueued = true;
        }
        const std::string current = pending.front();
        pending.erase(pending.begin());
        if (current == "hicolor" && !hicolorQueued)
            continue; // hicolor comes last, whoever inherits it
        if (!visited.insert(current).second)
            continue;
        const IconThemeIndex* found = theme(current);
        if (found == nullptr)
            continue;
        const auto fileOf = [&](const IconThemeIndex::Hit& hit) {
            return options_.themeFolders[hit.folder] / current /
                   found->directories[hit.directory].name / (name + iconExtensions[hit.rank]);
        };
        const IconThemeIndex::Hit* best = nullptr;
        std::filesystem::path bestFile;
        for (const IconThemeIndex::Hit& hit : found->hitsOf(name)) {
            // Only plain files are icons: a FIFO or folder of an icon's name is passed over.
            auto file = fileOf(hit);
            if (!isRegularFile(file))
                continue;
            const IconThemeIndex::Directory& directory = found->directories[hit.directory];
            if (directory.matches(size))
                return file;
            const auto& chosen = best ? found->directories[best->directory] : directory;
            // Of equal distances the larger serves better: scaling down keeps the detail.
            if (!best || directory.distance(size) < chosen.distance(size) ||
                (directory.distance(size) == chosen.distance(size) &&
                 directory.size * directory.scale > chosen.size * chosen.scale)) {
                best = &hit;
                bestFile = std::move(file);
            }
        }
        if (best)
            return bestFile;
        // Parents are searched depth first, in the order the theme names them.
        pending.insert(pending.begin(), found->inherits.begin(), found->inherits.end());
    }
    for (const auto& folder : options_.looseFolders) {
        remember(folder);
        for (const char* extension : iconExtensions) {
            auto path = folder / (name + extension);
            if (isRegularFile(path))
                return path;
        }
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> IconThemeLookup::find(const std::string& name, int size) {
    if (name.empty())
        return std::nullopt;
    if (name.front() == '/')
        return isRegularFile(name) ? std::optional<std::filesystem::path>(name) : std::nullopt;
    // "gimp.png" in an entry means the icon "gimp".
    std::string bare = name;
    if (const auto icon = iconFileName(name))
        bare = std::string(icon->first);
    if (bare.find('/') != std::string::npos || bare == "." || bare == "..")
        return std::nullopt;
    const auto key = std::pair(bare, size);
    std::optional<std::filesystem::path> path;
    {
        const std::lock_guard guard(mutex_);
        rescanIfChanged(found_.contains(key) ? options_.rescanInterval : options_.newNameInterval);
        if (const auto known = found_.find(key); known != found_.end())
            return known->second;
        path = lookUp(bare, size);
        found_.emplace(key, path);
    }
    storeReadIndexes();
    return path;
}

} // namespace orbitdeck
