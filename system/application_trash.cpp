#include "system/application_trash.h"

#include "catalog-core/info_plist.h"
#include "platform/background_work.h"
#include "platform/disk_usage.h"
#include "platform/main_thread.h"
#include "system/app_folder_watcher.h"

#include <QDir>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <ranges>
#include <string_view>
#include <sys/stat.h>

namespace orbitdeck {

namespace fs = std::filesystem;

namespace {

fs::path environmentFolder(const char* name, const fs::path& fallback) {
    const char* value = std::getenv(name);
    return value && fs::path(value).is_absolute() ? fs::path(value) : fallback;
}

fs::path resolved(const fs::path& path) {
    std::error_code error;
    const fs::path result = fs::weakly_canonical(path, error);
    return error ? path.lexically_normal() : result;
}

std::string lowerCased(std::string text) {
    std::ranges::transform(text, text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

bool itemExists(const fs::path& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

// An identifier or a bundle name becomes one path component; anything that would climb out of
// its folder ("..", a '/') or name the folder itself would offer the wrong files for the Trash.
bool safeComponent(const std::string& text) {
    return !text.empty() && text != "." && text != ".." &&
           text.find_first_of(std::string_view("/\0", 2)) == std::string::npos;
}

// Whether a listed name belongs to the application identified by id: the identifier itself or
// the identifier followed by ".", "-" or "_". A plain substring test would turn a short
// identifier into a wildcard over entries other programs put there. Identifiers without a dot
// are not reverse-DNS names and too likely to be a common word, so they match nothing.
bool namedAfter(std::string_view name, std::string_view id) {
    if (id.find('.') == std::string_view::npos || !name.starts_with(id))
        return false;
    return name.size() == id.size() ||
           std::string_view("._-").find(name[id.size()]) != std::string_view::npos;
}

// Group containers carry a team or "group." prefix before the identifier.
bool groupContainerOf(std::string_view name, std::string_view id) {
    if (namedAfter(name, id))
        return true;
    const std::size_t dot = name.find('.');
    return dot != std::string_view::npos && dot > 0 && namedAfter(name.substr(dot + 1), id);
}

// Entries of folder whose name passes test, in listing order; nothing when unlistable.
std::vector<fs::path> entriesNamed(const fs::path& folder,
                                   const std::function<bool(std::string_view)>& test) {
    std::vector<fs::path> found;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        if (test(entry->path().filename().string()))
            found.push_back(entry->path());
    }
    return found;
}

// Names other programs keep in the XDG folders, taken from the freedesktop.org standards
// (Base Directory, Desktop Entry and Menu, Icon Theme, Shared MIME-info and MIME Applications,
// Trash, Desktop Bookmarks, Thumbnail Managing, Sound Theme, Autostart), xdg-user-dirs,
// fontconfig, D-Bus, systemd, Flatpak, the Secret Service keyrings and the GNOME and KDE shared
// data. A folder of that name is never one application's leftover, whatever its identifier says.
constexpr std::string_view sharedNames[]{
    "applications",
    "autostart",
    "bin",
    "dbus-1",
    "dconf",
    "desktop-directories",
    "environment.d",
    "flatpak",
    "fontconfig",
    "fonts",
    "gnome-shell",
    "gtk-2.0",
    "gtk-3.0",
    "gtk-4.0",
    "gvfs-metadata",
    "icons",
    "kconf_update",
    "kded5",
    "kdeglobals",
    "keyrings",
    "kservices5",
    "kxmlgui5",
    "menus",
    "mime",
    "mimeapps.list",
    "nautilus",
    "pixmaps",
    "plasma",
    "pulse",
    "recently-used.xbel",
    "sounds",
    "systemd",
    "themes",
    "thumbnails",
    "trash",
    "user-dirs.dirs",
    "user-dirs.locale",
    "xdg-desktop-portal",
};

bool isAncestorOrSame(const fs::path& folder, const fs::path& path) {
    auto [end, rest] = std::ranges::mismatch(folder, path);
    return end == folder.end();
}

// Whether path may be offered as a leftover: not a shared folder, not one that holds a shared
// folder, not the launcher's own data.
bool ownedByOneApplication(const fs::path& path, const std::vector<fs::path>& protectedFolders,
                           const std::optional<std::string>& ownIdentifier) {
    const std::string name = lowerCased(path.filename().string());
    if (std::ranges::find(sharedNames, std::string_view(name)) != std::end(sharedNames))
        return false;
    if (name == "orbitdeck" || name.starts_with("orbitdeck.") ||
        (ownIdentifier && namedAfter(name, lowerCased(*ownIdentifier))))
        return false;
    const fs::path real = resolved(path);
    return std::ranges::none_of(protectedFolders, [&](const fs::path& folder) {
        return isAncestorOrSame(path.lexically_normal(), folder) || isAncestorOrSame(real, folder);
    });
}

// This program's bundle when the executable runs from "<name>.app/Contents/MacOS/".
std::optional<fs::path> ownBundle() {
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return std::nullopt;
    const fs::path bundle = executable.parent_path().parent_path().parent_path();
    if (executable.parent_path().filename() != "MacOS" || bundle.extension() != ".app")
        return std::nullopt;
    return bundle;
}

// $HOME and the system-wide XDG folders; $XDG_RUNTIME_DIR when set.
std::vector<fs::path> sharedFolders(const fs::path& home) {
    std::vector<fs::path> folders{home, home / ".local"};
    for (const char* name : {"XDG_DATA_DIRS", "XDG_CONFIG_DIRS", "XDG_RUNTIME_DIR"}) {
        const char* value = std::getenv(name);
        for (const auto part : std::string_view(value ? value : "") | std::views::split(':')) {
            const fs::path folder(std::string_view(part.begin(), part.end()));
            if (folder.is_absolute())
                folders.push_back(folder);
        }
    }
    for (const char* fallback : {"/usr/local/share", "/usr/share", "/etc/xdg"})
        folders.emplace_back(fallback);
    return folders;
}

} // namespace

LeftoverFolders LeftoverFolders::standard() {
    const fs::path home = QDir::homePath().toStdString();
    const fs::path config = environmentFolder("XDG_CONFIG_HOME", home / ".config");
    const fs::path data = environmentFolder("XDG_DATA_HOME", home / ".local" / "share");
    const fs::path state = environmentFolder("XDG_STATE_HOME", home / ".local" / "state");
    return LeftoverFolders{
        .caches = environmentFolder("XDG_CACHE_HOME", home / ".cache"),
        .preferences = config,
        .applicationSupport = data,
        .containers = home / ".var" / "app",
        .savedState = state,
        .logs = state / "Logs",
        .launchAgents = config / "autostart",
        .otherData = data,
        .shared = sharedFolders(home),
    };
}

ApplicationTrash::Options ApplicationTrash::standardOptions() {
    const std::optional<fs::path> bundle = ownBundle();
    const std::optional<BundleInfo> info = bundle ? readBundleInfo(*bundle) : std::nullopt;
    return Options{
        .applicationFolders = watchedApplicationFolders(),
        .library = LeftoverFolders::standard(),
        .ownBundleIdentifier = info ? info->identifier : std::nullopt,
        .ownBundleURL = bundle,
        .locale = QLocale(),
        .background =
            [](QObject* context, std::function<void()> work, std::function<void()> then) {
                runInBackground(context, std::move(work), std::move(then));
            },
    };
}

ApplicationTrash::ApplicationTrash(Trash& trash, RunningApplications& running, Scheduler& scheduler,
                                   Options options, QObject* parent)
    : QObject(parent)
    , trash_(trash)
    , running_(running)
    , scheduler_(scheduler)
    , options_(std::move(options)) {}

bool ApplicationTrash::isUninstallable(const AppDescriptor& app) const {
    const fs::path path = resolved(app.bundleURL());
    const std::string text = path.string();
    const bool inApplications =
        std::ranges::any_of(options_.applicationFolders, [&](const fs::path& folder) {
            return text.starts_with((resolved(folder) / "").string());
        });
    if (!inApplications)
        return false;
    if (const auto& identifier = app.bundleIdentifier()) {
        const std::string lower = lowerCased(*identifier);
        if (lower.starts_with("com.apple."))
            return false;
        if (options_.ownBundleIdentifier && lower == lowerCased(*options_.ownBundleIdentifier))
            return false;
    }
    if (options_.ownBundleURL &&
        standardizedPath(app.bundleURL()) == standardizedPath(*options_.ownBundleURL))
        return false;
    return itemExists(path);
}

std::vector<fs::path> ApplicationTrash::leftoverURLs(const AppDescriptor& app) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (const auto cached = leftoverCache_.find(app.id()); cached != leftoverCache_.end())
        return cached->second;
    const std::string id = app.bundleIdentifier().value_or(std::string());
    if (id.empty() || lowerCased(id).starts_with("com.apple.") || !safeComponent(id))
        return {};
    const std::string name = app.bundleURL().stem().string();
    const LeftoverFolders& library = options_.library;
    std::vector<fs::path> candidates{
        library.caches / id,
        library.preferences / (id + ".plist"),
        library.applicationSupport / id,
        library.containers / id,
        library.savedState / (id + ".savedState"),
        library.otherData / "HTTPStorages" / id,
        library.otherData / "HTTPStorages" / (id + ".binarycookies"),
        library.otherData / "WebKit" / id,
        library.logs / id,
        library.otherData / "Cookies" / (id + ".binarycookies"),
        library.otherData / "Application Scripts" / id,
    };
    if (safeComponent(name))
        candidates.push_back(library.applicationSupport / name);
    std::ranges::move(entriesNamed(library.launchAgents,
                                   [&](std::string_view entry) { return namedAfter(entry, id); }),
                      std::back_inserter(candidates));
    std::ranges::move(
        entriesNamed(library.otherData / "Group Containers",
                     [&](std::string_view entry) { return groupContainerOf(entry, id); }),
        std::back_inserter(candidates));
    // The Library folders map onto folders other programs share: a candidate must be this
    // application's own, never one of those folders or anything of ours.
    std::vector<fs::path> protectedFolders = library.shared;
    for (const fs::path& folder :
         {library.caches, library.preferences, library.applicationSupport, library.containers,
          library.savedState, library.logs, library.launchAgents, library.otherData,
          library.otherData / "HTTPStorages", library.otherData / "WebKit",
          library.otherData / "Cookies", library.otherData / "Application Scripts",
          library.otherData / "Group Containers"}) {
        protectedFolders.push_back(folder.lexically_normal());
        protectedFolders.push_back(resolved(folder));
    }
    std::erase_if(candidates, [&](const fs::path& path) {
        return !itemExists(path) ||
               !ownedByOneApplication(path, protectedFolders, options_.ownBundleIdentifier);
    });
    leftoverCache_[app.id()] = candidates;
    return candidates;
}

std::optional<QString> ApplicationTrash::formattedSize(const fs::path& bundle) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (const auto cached = sizeCache_.find(bundle); cached != sizeCache_.end())
        return cached->second;
    const std::optional<std::uintmax_t> bytes = allocatedSizeBelow(bundle);
    if (!bytes)
        return std::nullopt;
    const QString text = formatFileByteCount(static_cast<std::int64_t>(*bytes), options_.locale);
    sizeCache_[bundle] = text;
    return text;
}

void ApplicationTrash::moveToTrash(const AppDescriptor& app,
                                   std::function<void(TrashOutcome)> done) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const std::string id = app.bundleIdentifier().value_or(std::string());
    if (id.empty()) {
        recycleInBackground(app.bundleURL(), std::move(done));
        return;
    }
    for (const int pid : running_.instances(id, app.bundleURL()))
        running_.terminate(pid);
    awaitQuit(app, 1, std::move(done));
}

void ApplicationTrash::awaitQuit(const AppDescriptor& app, int check,
                                 std::function<void(TrashOutcome)> done) {
    if (running_.instances(*app.bundleIdentifier(), app.bundleURL()).empty()) {
        recycleInBackground(app.bundleURL(), std::move(done));
        return;
    }
    // An application that will not quit is moved anyway once the last wait is over.
    scheduler_.schedule(quitCheckInterval, this,
                        [this, app, check, done = std::move(done)]() mutable {
                            if (check >= quitChecks)
                                recycleInBackground(app.bundleURL(), std::move(done));
                            else
                                awaitQuit(app, check + 1, std::move(done));
                        });
}

TrashOutcome ApplicationTrash::recycleToTrash(const fs::path& item) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    return trash_.recycle(item);
}

void ApplicationTrash::recycleItemsToTrash(const std::vector<fs::path>& items,
                                           std::function<void()> done) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (!done)
        done = [] {};
    if (items.empty()) {
        done();
        return;
    }
    runBlocking(
        [this, items] {
            for (const fs::path& item : items)
                trash_.recycle(item);
        },
        std::move(done));
}

void ApplicationTrash::recycleInBackground(const fs::path& item,
                                           std::function<void(TrashOutcome)> done) {
    auto outcome = std::make_shared<TrashOutcome>();
    runBlocking([this, item, outcome] { *outcome = trash_.recycle(item); },
                [outcome, done = std::move(done)] { done(std::move(*outcome)); });
}

void ApplicationTrash::runBlocking(std::function<void()> work, std::function<void()> then) {
    if (options_.background) {
        options_.background(this, std::move(work), std::move(then));
        return;
    }
    work();
    then();
}

} // namespace orbitdeck
