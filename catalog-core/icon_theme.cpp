#include "catalog-core/icon_theme.h"

#include "catalog-core/code_point_order.h"
#include "catalog-core/info_plist.h"
#include "catalog-core/key_file.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <set>

namespace orbitdeck {
namespace {

// In the order the format prefers them when a folder holds several.
constexpr std::array iconExtensions{".png", ".svg", ".xpm"};
constexpr std::size_t maxIndexBytes = 1024 * 1024;

enum class DirectoryType { fixed, scalable, threshold };

int intValue(const KeyFileGroup& group, const char* key, int fallback) {
    const std::string* raw = group.find(key);
    int value = fallback;
    if (raw == nullptr ||
        std::from_chars(raw->data(), raw->data() + raw->size(), value).ec != std::errc{})
        return fallback;
    return value;
}

std::optional<std::int64_t> modificationTime(const std::filesystem::path& folder) {
    struct stat status {};
    if (::stat(folder.c_str(), &status) != 0)
        return std::nullopt;
    return static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
}

bool isRegularFile(const std::filesystem::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// The icon name a file carries, when it is an icon file at all.
std::optional<std::pair<std::string, int>> iconFileName(std::string_view file) {
    for (int rank = 0; rank < static_cast<int>(iconExtensions.size()); ++rank) {
        const std::string_view extension = iconExtensions[static_cast<std::size_t>(rank)];
        if (file.size() > extension.size() && file.ends_with(extension))
            return std::pair(std::string(file.substr(0, file.size() - extension.size())), rank);
    }
    return std::nullopt;
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

} // namespace

struct IconThemeLookup::Theme {
    struct Directory {
        int size = 0;
        int scale = 1;
        int minSize = 0;
        int maxSize = 0;
        int threshold = 2;
        DirectoryType type = DirectoryType::threshold;
        // Icon name → file and the rank of its extension.
        std::map<std::string, std::pair<std::filesystem::path, int>> files;

        bool matches(int wanted) const {
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
        int distance(int wanted) const {
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
    };
    std::vector<std::string> inherits;
    std::vector<Directory> directories;
};

IconThemeLookup::IconThemeLookup(Options options)
    : options_(std::move(options)) {}

IconThemeLookup::~IconThemeLookup() = default;

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
    return options;
}

void IconThemeLookup::remember(const std::filesystem::path& folder) {
    read_.try_emplace(folder, modificationTime(folder));
}

void IconThemeLookup::rescanIfChanged(std::chrono::milliseconds interval) {
    const auto now = std::chrono::steady_clock::now();
    if (now - lastCheck_ < interval)
        return;
    lastCheck_ = now;
    const bool changed = std::ranges::any_of(
        read_, [](const auto& entry) { return modificationTime(entry.first) != entry.second; });
    if (!changed)
        return;
    themes_.clear();
    found_.clear();
    read_.clear();
}

const IconThemeLookup::Theme* IconThemeLookup::theme(const std::string& name) {
    if (const auto known = themes_.find(name); known != themes_.end())
        return known->second.get();
    std::unique_ptr<Theme> loaded;
    std::optional<KeyFile> index;
    for (const auto& folder : options_.themeFolders) {
        if (name.empty() || name.find('/') != std::string::npos || name == "..")
            break;
        // A theme installed later appears in one of these.
        remember(folder);
        remember(folder / name);
        if (const auto text = readSmallFile(folder / name / "index.theme", maxIndexBytes)) {
            index = parseKeyFile(*text, /*lenient=*/true);
            break;
        }
    }
    const auto header = !index ? index->end() : std::ranges::find_if(*index, [](const auto& group) {
        return group.name == "Icon Theme";
    });
    if (index && header != index->end()) {
        loaded = std::make_unique<Theme>();
        if (const std::string* inherits = header->find("Inherits"))
            loaded->inherits = splitList(*inherits);
        std::vector<std::string> names;
        for (const char* key : {"Directories", "ScaledDirectories"}) {
            if (const std::string* list = header->find(key))
                for (std::string& directory : splitList(*list))
                    if (std::ranges::find(names, directory) == names.end())
                        names.push_back(std::move(directory));
        }
        for (const std::string& directoryName : names) {
            const auto group = std::ranges::find_if(
                *index, [&](const auto& candidate) { return candidate.name == directoryName; });
            if (group == index->end())
                continue;
            Theme::Directory directory;
            directory.size = intValue(*group, "Size", 0);
            if (directory.size <= 0)
                continue;
            directory.scale = std::max(1, intValue(*group, "Scale", 1));
            directory.minSize = intValue(*group, "MinSize", directory.size);
            directory.maxSize = intValue(*group, "MaxSize", directory.size);
            directory.threshold = intValue(*group, "Threshold", 2);
            const std::string* type = group->find("Type");
            directory.type = !type || *type == "Threshold" ? DirectoryType::threshold
                             : *type == "Fixed"            ? DirectoryType::fixed
                             : *type == "Scalable"         ? DirectoryType::scalable
                                                           : DirectoryType::threshold;
            // One listing per folder now spares a stat per name, size and folder later.
            for (const auto& folder : options_.themeFolders) {
                const auto path = folder / name / directoryName;
                remember(path);
                DIR* listing = ::opendir(path.c_str());
                if (listing == nullptr)
                    continue;
                while (const dirent* item = ::readdir(listing)) {
                    auto icon = iconFileName(item->d_name);
                    if (!icon || !isValidUtf8(item->d_name))
                        continue;
                    auto [slot, fresh] =
                        directory.files.try_emplace(icon->first, path / item->d_name, icon->second);
                    // An earlier folder wins; within one folder PNG before SVG before XPM.
                    if (!fresh && slot->second.first.parent_path() == path &&
                        icon->second < slot->second.second)
                        slot->second = {path / item->d_name, icon->second};
                }
                ::closedir(listing);
            }
            loaded->directories.push_back(std::move(directory));
        }
    }
    return themes_.emplace(name, std::move(loaded)).first->second.get();
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
        const Theme* found = theme(current);
        if (found == nullptr)
            continue;
        const Theme::Directory* best = nullptr;
        for (const auto& directory : found->directories) {
            // Only plain files are icons: a FIFO or folder of an icon's name is passed over.
            const auto file = directory.files.find(name);
            if (file == directory.files.end() || !isRegularFile(file->second.first))
                continue;
            if (directory.matches(size))
                return file->second.first;
            // Of equal distances the larger serves better: scaling down keeps the detail.
            if (!best || directory.distance(size) < best->distance(size) ||
                (directory.distance(size) == best->distance(size) &&
                 directory.size * directory.scale > best->size * best->scale))
                best = &directory;
        }
        if (best)
            return best->files.at(name).first;
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
        bare = icon->first;
    if (bare.find('/') != std::string::npos || bare == "." || bare == "..")
        return std::nullopt;
    const std::lock_guard guard(mutex_);
    const auto key = std::pair(bare, size);
    rescanIfChanged(found_.contains(key) ? options_.rescanInterval : options_.newNameInterval);
    if (const auto known = found_.find(key); known != found_.end())
        return known->second;
    auto path = lookUp(bare, size);
    found_.emplace(key, path);
    return path;
}

} // namespace orbitdeck
