#include "library/live_catalog.h"

#include "catalog-core/application_directory_catalog.h"
#include "catalog-core/desktop_entry.h"

#include <dirent.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <future>
#include <system_error>
#include <thread>
#include <utility>

namespace orbitdeck {
namespace {

std::filesystem::path homeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr)
        return entry->pw_dir;
    return {};
}

ResumeOnce::Result runScanner(const std::function<std::vector<AppDescriptor>()>& work) {
    try {
        return work();
    } catch (...) {
        return std::nullopt;
    }
}

bool listableFolder(const std::filesystem::path& root) {
    DIR* folder = ::opendir(root.c_str());
    if (folder == nullptr)
        return false;
    ::closedir(folder);
    return true;
}

// Thrown on the scan thread; the scan then ends without a list, as a failed one does.
struct RootVanished {};

} // namespace

void ListedRoots::remember(const std::string& root) {
    const std::lock_guard guard(mutex_);
    roots_.insert(root);
}

bool ListedRoots::contains(const std::string& root) const {
    const std::lock_guard guard(mutex_);
    return roots_.contains(root);
}

std::vector<std::filesystem::path> liveApplicationRoots() {
    if (const char* override = std::getenv("ORBITDECK_APP_ROOTS"); override != nullptr) {
        std::vector<std::filesystem::path> roots;
        std::string_view rest(override);
        while (!rest.empty()) {
            const auto colon = rest.find(':');
            const auto entry = rest.substr(0, colon);
            if (!entry.empty())
                roots.emplace_back(entry);
            rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        }
        return roots;
    }
    std::vector<std::filesystem::path> roots{"/Applications", "/System/Applications"};
    if (const auto home = homeFolder(); !home.empty())
        roots.push_back(home / "Applications");
    return roots;
}

std::filesystem::path systemApplicationsRoot() {
    for (const auto& root : liveApplicationRoots()) {
        const std::string path = standardizedPath(root);
        if (path == "/System/Applications" || path.ends_with("/System/Applications"))
            return path;
    }
    return "/System/Applications";
}

std::vector<AppDescriptor> scanApplicationRoot(const std::filesystem::path& root) {
    return ApplicationDirectoryCatalog({root}).applications();
}

std::vector<AppDescriptor>
scanDesktopEntryFolders(const std::vector<std::filesystem::path>& folders) {
    return scanDesktopEntries(folders, DesktopEnvironment::current());
}

void RootScans::join(const std::filesystem::path& root, const std::shared_ptr<ResumeOnce>& waiter,
                     const RootScanner& scanner) {
    join(standardizedPath(root), waiter, [root, scanner] { return scanner(root); });
}

void RootScans::join(const std::string& key, const std::shared_ptr<ResumeOnce>& waiter,
                     std::function<std::vector<AppDescriptor>()> work) {
    {
        const std::lock_guard guard(mutex_);
        auto [entry, fresh] = waiting_.try_emplace(key);
        // Callers that gave up on this scan need not wait for its end.
        std::erase_if(entry->second, [](const auto& other) { return !other->isPending(); });
        entry->second.push_back(waiter);
        if (!fresh)
            return;
    }
    try {
        std::thread([self = shared_from_this(), key, work = std::move(work)] {
            self->finish(key, runScanner(work));
        }).detach();
    } catch (const std::system_error&) {
        finish(key, std::nullopt);
    }
}

void RootScans::finish(const std::string& key, const ResumeOnce::Result& result) {
    std::vector<std::shared_ptr<ResumeOnce>> waiters;
    {
        const std::lock_guard guard(mutex_);
        if (auto entry = waiting_.find(key); entry != waiting_.end()) {
            waiters = std::move(entry->second);
            waiting_.erase(entry);
        }
    }
    for (const auto& waiter : waiters)
        waiter->resume(result);
}

LiveCatalog::LiveCatalog()
    : LiveCatalog(Options{.roots = liveApplicationRoots(),
                          .scanner = scanApplicationRoot,
                          .desktopEntryFolders = desktopEntryFolders(),
                          .desktopEntryScanner = scanDesktopEntryFolders}) {}

LiveCatalog::LiveCatalog(Options options)
    : options_(std::move(options))
    , scans_(std::make_shared<RootScans>())
    , deadlines_(options_.deadlines ? options_.deadlines : std::make_shared<ScanDeadlines>())
    , listed_(std::make_shared<ListedRoots>()) {
    if (!options_.scanner)
        options_.scanner = scanApplicationRoot;
    if (!options_.desktopEntryScanner)
        options_.desktopEntryScanner = scanDesktopEntryFolders;
    // Listable before and after the scan, or the list may miss what is still installed.
    options_.scanner = [scanner = std::move(options_.scanner),
                        listed = listed_](const std::filesystem::path& root) {
        const std::string key = standardizedPath(root);
        const bool before = listableFolder(root);
        std::vector<AppDescriptor> found = scanner(root);
        if (before && listableFolder(root))
            listed->remember(key);
        else if (listed->contains(key))
            throw RootVanished{};
        return found;
    };
}

void LiveCatalog::scanWithTimeout(const std::filesystem::path& root,
                                  const std::shared_ptr<ResumeOnce>& waiter) const {
    scanWithTimeout(
        standardizedPath(root), [root, scanner = options_.scanner] { return scanner(root); },
        waiter);
}

void LiveCatalog::scanWithTimeout(const std::string& key,
                                  std::function<std::vector<AppDescriptor>()> work,
                                  const std::shared_ptr<ResumeOnce>& waiter) const {
    scans_->join(key, waiter, std::move(work));
    const auto timeout =
        deadlines_->schedule(options_.timeout, [waiter] { waiter->resume(std::nullopt); });
    waiter->setOnResume([deadlines = std::weak_ptr(deadlines_), timeout] {
        if (const auto owner = deadlines.lock())
            owner->cancel(timeout);
    });
}

ResumeOnce::Result LiveCatalog::awaitStep(const std::string& key,
                                          std::function<std::vector<AppDescriptor>()> work) const {
    auto delivered = std::make_shared<std::promise<ResumeOnce::Result>>();
    auto future = delivered->get_future();
    const auto waiter = std::make_shared<ResumeOnce>(
        [delivered](ResumeOnce::Result result) { delivered->set_value(std::move(result)); });
    scanWithTimeout(key, std::move(work), waiter);
    return future.get();
}

CatalogListing LiveCatalog::applications() const {
    CatalogListing listing;
    std::vector<AppDescriptor> gathered;
    const auto gather = [&](ResumeOnce::Result result) {
        if (!result) {
            listing.complete = false;
            return;
        }
        gathered.insert(gathered.end(), std::make_move_iterator(result->begin()),
                        std::make_move_iterator(result->end()));
    };
    // One step after another: the next starts only when the previous answered or timed out.
    for (const auto& root : options_.roots) {
        gather(awaitStep(standardizedPath(root),
                         [root, scanner = options_.scanner] { return scanner(root); }));
    }
    if (!options_.desktopEntryFolders.empty()) {
        // Keyed apart from every folder path, which all begin with '/'.
        std::string key = "desktop-entries:";
        for (const auto& folder : options_.desktopEntryFolders)
            key += standardizedPath(folder) + ':';
        // As for the roots: a folder listed before that cannot be listed now makes the listing
        // incomplete, while the other folders' entries still count.
        const auto vanished = std::make_shared<std::atomic<bool>>(false);
        gather(awaitStep(key, [folders = options_.desktopEntryFolders,
                               scanner = options_.desktopEntryScanner, listed = listed_, vanished] {
            std::vector<bool> before;
            for (const auto& folder : folders)
                before.push_back(listableFolder(folder));
            std::vector<AppDescriptor> found = scanner(folders);
            for (std::size_t index = 0; index < folders.size(); ++index) {
                const std::string folder = standardizedPath(folders[index]);
                if (before[index] && listableFolder(folders[index]))
                    listed->remember(folder);
                else if (listed->contains(folder))
                    *vanished = true;
            }
            return found;
        }));
        if (*vanished)
            listing.complete = false;
    }
    listing.applications = firstPerIdentity(std::move(gathered));
    std::sort(listing.applications.begin(), listing.applications.end(),
              AppDescriptor::displayNameOrder);
    return listing;
}

} // namespace orbitdeck
