#include "system/application_trash.h"

#include "catalog-core/info_plist.h"
#include "platform/main_thread.h"
#include "system/app_folder_watcher.h"

#include <QDir>
#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <cstdlib>
#include <memory>
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

// Entries of folder whose name contains text, in listing order; nothing when unlistable.
std::vector<fs::path> entriesContaining(const fs::path& folder, const std::string& text) {
    std::vector<fs::path> found;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        if (entry->path().filename().string().find(text) != std::string::npos)
            found.push_back(entry->path());
    }
    return found;
}

// The allocated size of every item below root; none when root cannot be listed.
std::optional<std::int64_t> allocatedSizeBelow(const fs::path& root) {
    std::error_code error;
    fs::recursive_directory_iterator entry(root, fs::directory_options::skip_permission_denied,
                                           error);
    if (error)
        return std::nullopt;
    std::int64_t total = 0;
    for (const fs::recursive_directory_iterator end; entry != end; entry.increment(error)) {
        if (error)
            break;
        struct stat status {};
        if (::lstat(entry->path().c_str(), &status) == 0)
            total += static_cast<std::int64_t>(status.st_blocks) * 512;
    }
    return total;
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
        .background = runInBackground,
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
    std::ranges::move(entriesContaining(library.launchAgents, id), std::back_inserter(candidates));
    std::ranges::move(entriesContaining(library.otherData / "Group Containers", id),
                      std::back_inserter(candidates));
    std::erase_if(candidates, [](const fs::path& path) { return !itemExists(path); });
    leftoverCache_[app.id()] = candidates;
    return candidates;
}

std::optional<QString> ApplicationTrash::formattedSize(const fs::path& bundle) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (const auto cached = sizeCache_.find(bundle); cached != sizeCache_.end())
        return cached->second;
    const std::optional<std::int64_t> bytes = allocatedSizeBelow(bundle);
    if (!bytes)
        return std::nullopt;
    const QString text = formatFileByteCount(*bytes, options_.locale);
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

void runInBackground(QObject* context, std::function<void()> work, std::function<void()> then) {
    auto* watcher = new QFutureWatcher<void>(context);
    QObject::connect(watcher, &QFutureWatcherBase::finished, context,
                     [watcher, then = std::move(then)] {
                         watcher->deleteLater();
                         then();
                     });
    watcher->setFuture(QtConcurrent::run(std::move(work)));
}

} // namespace orbitdeck
