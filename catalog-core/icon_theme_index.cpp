#include "catalog-core/icon_theme_index.h"

#include "catalog-core/code_point_order.h"
#include "catalog-core/gtk_icon_cache.h"
#include "catalog-core/info_plist.h"
#include "catalog-core/key_file.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <ctime>
#include <deque>
#include <span>
#include <unordered_map>

namespace orbitdeck {
namespace {

constexpr std::size_t maxIndexBytes = 1024 * 1024;
// The largest desktop themes' caches take a few megabytes.
constexpr std::size_t maxGtkCacheBytes = 64 * 1024 * 1024;

int intValue(const KeyFileGroup& group, const char* key, int fallback) {
    const std::string* raw = group.find(key);
    int value = fallback;
    if (raw == nullptr ||
        std::from_chars(raw->data(), raw->data() + raw->size(), value).ec != std::errc{})
        return fallback;
    return value;
}

std::vector<std::string> splitList(std::string_view text) {
    std::vector<std::string> items;
    for (std::string& item : keyFileList(text)) {
        // Lists in theme indexes are written with ',' too.
        std::string_view rest(item);
        while (!rest.empty()) {
            const auto comma = rest.find(',');
            std::string_view part = rest.substr(0, comma);
            while (!part.empty() && part.front() == ' ')
                part.remove_prefix(1);
            while (!part.empty() && part.back() == ' ')
                part.remove_suffix(1);
            if (!part.empty())
                items.emplace_back(part);
            rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        }
    }
    return items;
}

// Names are looked up as they are read from a listing, without a string made for each file.
struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const {
        return std::hash<std::string_view>{}(name);
    }
};
using HitsByName =
    std::unordered_map<std::string, std::vector<IconThemeIndex::Hit>, NameHash, std::equal_to<>>;

// Adds the icon files of one listed folder as hits of directory in theme folder.
void listDirectory(HitsByName& names, const std::filesystem::path& path, std::uint16_t directory,
                   std::uint8_t folder) {
    DIR* listing = ::opendir(path.c_str());
    if (listing == nullptr)
        return;
    while (const dirent* item = ::readdir(listing)) {
        auto icon = iconFileName(item->d_name);
        if (!icon || !isValidUtf8(item->d_name))
            continue;
        auto slot = names.find(icon->first);
        if (slot == names.end())
            slot =
                names.emplace(std::string(icon->first), std::vector<IconThemeIndex::Hit>{}).first;
        slot->second.push_back({directory, folder, static_cast<std::uint8_t>(icon->second)});
    }
    ::closedir(listing);
}

// Hits from every source before they are merged: names, each with a run of hits. The names point
// into the listing's map and the caches' bytes.
struct Gathered {
    struct Group {
        std::string_view name;
        std::uint32_t first = 0;
        std::uint32_t count = 0;
    };
    std::vector<Group> groups;
    std::vector<IconThemeIndex::Hit> hits;
};

// Adds what a theme folder's GTK cache says of the theme's directories as hits in that folder;
// answers which directories it does not name (they are listed).
std::vector<bool> addCachedDirectories(Gathered& gathered, const GtkIconCache& cache,
                                       const std::vector<IconThemeIndex::Directory>& directories,
                                       std::uint8_t folder) {
    std::unordered_map<std::string_view, std::uint16_t> ours;
    for (std::size_t directory = 0; directory < directories.size(); ++directory)
        ours.emplace(directories[directory].name, static_cast<std::uint16_t>(directory));
    std::vector<int> mapped(cache.directories.size(), -1);
    std::vector<bool> named(directories.size(), false);
    for (std::size_t directory = 0; directory < cache.directories.size(); ++directory) {
        if (const auto found = ours.find(cache.directories[directory]); found != ours.end()) {
            mapped[directory] = found->second;
            named[found->second] = true;
        }
    }
    gathered.groups.reserve(gathered.groups.size() + cache.icons.size());
    gathered.hits.reserve(gathered.hits.size() + cache.images.size());
    for (const GtkIconCache::Icon& icon : cache.icons) {
        const auto first = static_cast<std::uint32_t>(gathered.hits.size());
        for (std::uint32_t image = 0; image < icon.imageCount; ++image) {
            const GtkIconCache::Image& found = cache.images[icon.firstImage + image];
            if (mapped[found.directory] >= 0)
                gathered.hits.push_back(
                    {static_cast<std::uint16_t>(mapped[found.directory]), folder, found.rank});
        }
        if (const auto count = static_cast<std::uint32_t>(gathered.hits.size()) - first; count > 0)
            gathered.groups.push_back({icon.name, first, count});
    }
    return named;
}

void addListed(Gathered& gathered, const HitsByName& listed) {
    for (const auto& [name, hits] : listed) {
        gathered.groups.push_back({name, static_cast<std::uint32_t>(gathered.hits.size()),
                                   static_cast<std::uint32_t>(hits.size())});
        gathered.hits.insert(gathered.hits.end(), hits.begin(), hits.end());
    }
}

// The flat form of what was gathered, sorted by name.
void flatten(IconThemeIndex& index, Gathered& gathered) {
    auto& groups = gathered.groups;
    std::ranges::sort(groups, {}, &Gathered::Group::name);
    index.names.reserve(groups.size());
    index.hits.reserve(gathered.hits.size());
    // A name's hits as numbers ordered as wanted: by directory, then folder, then extension.
    const auto key = [](const IconThemeIndex::Hit& hit) {
        return std::uint32_t{hit.directory} << 16 | std::uint32_t{hit.folder} << 8 | hit.rank;
    };
    std::vector<std::uint32_t> run;
    for (std::size_t group = 0; group < groups.size();) {
        const std::string_view name = groups[group].name;
        run.clear();
        for (; group < groups.size() && groups[group].name == name; ++group)
            for (const auto& hit :
                 std::span(gathered.hits).subspan(groups[group].first, groups[group].count))
                run.push_back(key(hit));
        // One hit a directory: of the earliest folder, and in it PNG before SVG before XPM. A
        // single folder's listing gives them in order already.
        if (!std::ranges::is_sorted(run))
            std::ranges::sort(run);
        const auto first = index.hits.size();
        for (const std::uint32_t hit : run) {
            const auto directory = static_cast<std::uint16_t>(hit >> 16);
            if (index.hits.size() == first || index.hits.back().directory != directory)
                index.hits.push_back({directory, static_cast<std::uint8_t>(hit >> 8),
                                      static_cast<std::uint8_t>(hit)});
        }
        index.names.push_back({static_cast<std::uint32_t>(index.nameText.size()),
                               static_cast<std::uint32_t>(name.size()),
                               static_cast<std::uint32_t>(first),
                               static_cast<std::uint32_t>(index.hits.size() - first)});
        index.nameText += name;
    }
}

// The bytes of the GTK cache in themeFolder when it is there and, as GTK requires, not older than
// the folder: a package adding icons without writing the cache anew leaves it older.
template <typename Stamp>
std::optional<std::string> freshGtkCache(const std::filesystem::path& themeFolder,
                                         std::int64_t themeModified, Stamp& stamp) {
    const auto file = themeFolder / "icon-theme.cache";
    const auto modified = stamp(file);
    if (!modified || *modified < themeModified)
        return std::nullopt;
    return readSmallFile(file, maxGtkCacheBytes);
}

} // namespace

std::optional<std::int64_t> modificationTime(const char* path) {
    struct stat status {};
    if (::stat(path, &status) != 0)
        return std::nullopt;
    return static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
}

bool IconThemeIndex::Directory::matches(int wanted) const {
    if (scale != 1)
        return false;
    switch (type) {
    case DirectoryType::fixed:
        return size == wanted;
    case DirectoryType::scalable:
        return minSize <= wanted && wanted <= maxSize;
    case DirectoryType::threshold:
        return size - threshold <= wanted && wanted <= size + threshold;
    }
    return false;
}

int IconThemeIndex::Directory::distance(int wanted) const {
    const auto outside = [wanted, this](int low, int high) {
        if (wanted < low * scale)
            return low * scale - wanted;
        if (wanted > high * scale)
            return wanted - high * scale;
        return 0;
    };
    switch (type) {
    case DirectoryType::fixed:
        return std::abs(size * scale - wanted);
    case DirectoryType::scalable:
        return outside(minSize, maxSize);
    case DirectoryType::threshold:
        return outside(size - threshold, size + threshold);
    }
    return INT_MAX;
}

std::span<const IconThemeIndex::Hit> IconThemeIndex::hitsOf(std::string_view name) const {
    const auto found = std::ranges::lower_bound(
        names, name, {}, [this](const Name& entry) { return nameOf(entry); });
    if (found == names.end() || nameOf(*found) != name)
        return {};
    return std::span(hits).subspan(found->firstHit, found->hitCount);
}

bool IconThemeIndex::current() const {
    return std::ranges::all_of(stamps, [](const Stamp& stamp) {
        return modificationTime(stamp.path.c_str()) == stamp.modified;
    });
}

bool IconThemeIndex::settled() const {
    // Some file systems keep whole seconds.
    constexpr std::int64_t margin = 2'000'000'000;
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const std::int64_t recent =
        static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec - margin;
    return std::ranges::all_of(stamps, [recent](const Stamp& stamp) {
        return !stamp.modified || *stamp.modified < recent;
    });
}

std::optional<std::pair<std::string_view, int>> iconFileName(std::string_view file) {
    for (int rank = 0; rank < iconExtensionCount; ++rank) {
        const std::string_view extension = iconExtensions[rank];
        if (file.size() > extension.size() && file.ends_with(extension))
            return std::pair(file.substr(0, file.size() - extension.size()), rank);
    }
    return std::nullopt;
}

bool isThemeDirectoryName(std::string_view name) {
    if (name.empty() || name.front() == '/')
        return false;
    while (!name.empty()) {
        const auto slash = name.find('/');
        const std::string_view part = name.substr(0, slash);
        if (part == "." || part == "..")
            return false;
        name = slash == std::string_view::npos ? std::string_view() : name.substr(slash + 1);
    }
    return true;
}

IconThemeIndex readIconThemeIndex(const std::string& theme,
                                  const std::vector<std::filesystem::path>& folders) {
    IconThemeIndex loaded;
    const auto stamp = [&](const std::filesystem::path& path) {
        loaded.stamps.push_back({path.native(), modificationTime(path.c_str())});
        return loaded.stamps.back().modified;
    };
    // The theme's folder in each base folder, with its time once looked at.
    std::vector<std::optional<std::int64_t>> themeTimes(folders.size());
    std::optional<KeyFile> index;
    std::size_t indexFolder = 0;
    for (; indexFolder < folders.size(); ++indexFolder) {
        if (theme.empty() || theme.find('/') != std::string::npos || theme == "..")
            break;
        const auto& folder = folders[indexFolder];
        // A theme installed later appears in one of these.
        stamp(folder);
        themeTimes[indexFolder] = stamp(folder / theme);
        const auto indexFile = folder / theme / "index.theme";
        if (const auto text = readSmallFile(indexFile, maxIndexBytes)) {
            // Rewritten in place, the index changes no folder.
            stamp(indexFile);
            index = parseKeyFile(*text, /*lenient=*/true);
            break;
        }
    }
    const auto header = !index ? index->end() : std::ranges::find_if(*index, [](const auto& group) {
        return group.name == "Icon Theme";
    });
    if (!index || header == index->end())
        return loaded;
    loaded.found = true;
    if (const std::string* inherits = header->find("Inherits"))
        loaded.inherits = splitList(*inherits);
    std::vector<std::string> names;
    for (const char* key : {"Directories", "ScaledDirectories"}) {
        if (const std::string* list = header->find(key))
            for (std::string& directory : splitList(*list))
                if (isThemeDirectoryName(directory) &&
                    std::ranges::find(names, directory) == names.end())
                    names.push_back(std::move(directory));
    }
    for (const std::string& directoryName : names) {
        const auto group = std::ranges::find_if(
            *index, [&](const auto& candidate) { return candidate.name == directoryName; });
        if (group == index->end())
            continue;
        IconThemeIndex::Directory directory;
        directory.size = intValue(*group, "Size", 0);
        if (directory.size <= 0)
            continue;
        directory.scale = std::max(1, intValue(*group, "Scale", 1));
        directory.minSize = intValue(*group, "MinSize", directory.size);
        directory.maxSize = intValue(*group, "MaxSize", directory.size);
        directory.threshold = intValue(*group, "Threshold", 2);
        using Type = IconThemeIndex::DirectoryType;
        const std::string* type = group->find("Type");
        directory.type = !type || *type == "Threshold" ? Type::threshold
                         : *type == "Fixed"            ? Type::fixed
                         : *type == "Scalable"         ? Type::scalable
                                                       : Type::threshold;
        if (loaded.directories.size() >= UINT16_MAX)
            break;
        directory.name = directoryName;
        loaded.directories.push_back(std::move(directory));
    }
    HitsByName listed;
    Gathered gathered;
    // The caches' bytes stay where they are while their names are gathered.
    std::deque<std::string> cacheBytes;
    for (std::size_t folder = 0; folder < folders.size() && folder <= UINT8_MAX; ++folder) {
        const auto themeFolder = folders[folder] / theme;
        if (folder > indexFolder)
            themeTimes[folder] = stamp(themeFolder);
        // None of its directories can appear without the theme folder changing.
        const auto themeModified = themeTimes[folder];
        if (!themeModified)
            continue;
        std::vector<bool> cached(loaded.directories.size(), false);
        if (auto bytes = freshGtkCache(themeFolder, *themeModified, stamp)) {
            const std::string& kept = cacheBytes.emplace_back(std::move(*bytes));
            if (const auto cache = decodeGtkIconCache(kept))
                cached = addCachedDirectories(gathered, *cache, loaded.directories,
                                              static_cast<std::uint8_t>(folder));
        }
        // One listing per folder now spares a stat per name, size and folder later.
        for (std::size_t directory = 0; directory < loaded.directories.size(); ++directory) {
            if (cached[directory])
                continue;
            const auto path = themeFolder / loaded.directories[directory].name;
            stamp(path);
            listDirectory(listed, path, static_cast<std::uint16_t>(directory),
                          static_cast<std::uint8_t>(folder));
        }
    }
    addListed(gathered, listed);
    flatten(loaded, gathered);
    return loaded;
}

} // namespace orbitdeck
