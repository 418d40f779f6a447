#include "library/live_catalog.h"

#include "catalog-core/application_directory_catalog.h"
#include "catalog-core/desktop_entry.h"

#include <dirent.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
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

ResumeOnce::Result runScanner(const RootScans::Work& work) {
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

} // namespace

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

ResumeOnce::Result scanApplicationRoot(const std::filesystem::path& root) {
    if (!listableFolder(root))
        return std::nullopt;
    std::vector<AppDescriptor> found = ApplicationDirectoryCatalog({root}).applications();
    if (!listableFolder(root))
        return std::nullopt;
    return found;
}

DesktopEntryFolderScan scanDesktopEntryFolderHere(const std::filesystem::path& folder) {
    return scanDesktopEntryFolder(folder, DesktopEnvironment::current());
}

struct RootScans::Scan {
    enum class State { queued, running, finished };
    std::string key;
    std::shared_ptr<ResumeOnce> waiter;
    Work work;
    State state = State::queued;
    bool abandoned = false;
};

std::shared_ptr<RootScans::Scan>
RootScans::start(const std::string& key, const std::shared_ptr<ResumeOnce>& waiter, Work work) {
    auto scan = std::make_shared<Scan>(Scan{.key = key, .waiter = waiter, .work = std::move(work)});
    {
        const std::lock_guard guard(mutex_);
        if (const auto found = keys_.find(key); found != keys_.end() && found->second.hanging > 0) {
            auto& queued = found->second.queued;
            // Callers that gave up meanwhile need no scan.
            std::erase_if(queued, [](const auto& other) { return !other->waiter->isPending(); });
            queued.push_back(scan);
            return scan;
        }
        scan->state = Scan::State::running;
    }
    launch(scan);
    return scan;
}

void RootScans::abandon(const std::shared_ptr<Scan>& scan) {
    const std::lock_guard guard(mutex_);
    if (scan->state != Scan::State::running || scan->abandoned)
        return;
    scan->abandoned = true;
    ++keys_[scan->key].hanging;
}

void RootScans::launch(const std::shared_ptr<Scan>& scan) {
    try {
        std::thread([self = shared_from_this(), scan] {
            self->finish(scan, runScanner(scan->work));
        }).detach();
    } catch (const std::system_error&) {
        finish(scan, std::nullopt);
    }
}

void RootScans::finish(const std::shared_ptr<Scan>& scan, ResumeOnce::Result result) {
    std::vector<std::shared_ptr<Scan>> released;
    {
        const std::lock_guard guard(mutex_);
        scan->state = Scan::State::finished;
        if (scan->abandoned) {
            const auto found = keys_.find(scan->key);
            if (--found->second.hanging == 0) {
                for (auto& queued : found->second.queued) {
                    if (queued->waiter->isPending()) {
                        queued->state = Scan::State::running;
                        released.push_back(std::move(queued));
                    }
                }
                keys_.erase(found);
            }
        }
    }
    scan->waiter->resume(std::move(result));
    for (const auto& next : released)
        launch(next);
}

LiveCatalog::LiveCatalog()
    : LiveCatalog(Options{.roots = liveApplicationRoots(),
                          .scanner = scanApplicationRoot,
                          .desktopEntryFolders = desktopEntryFolders(),
                          .desktopEntryScanner = scanDesktopEntryFolderHere}) {}

LiveCatalog::LiveCatalog(Options options)
    : options_(std::move(options))
    , scans_(std::make_shared<RootScans>())
    , deadlines_(options_.deadlines ? options_.deadlines : std::make_shared<ScanDeadlines>()) {
    if (!options_.scanner)
        options_.scanner = scanApplicationRoot;
    if (!options_.desktopEntryScanner)
        options_.desktopEntryScanner = scanDesktopEntryFolderHere;
}

void LiveCatalog::scanWithTimeout(const std::filesystem::path& root,
                                  const std::shared_ptr<ResumeOnce>& waiter) const {
    scanWithTimeout(
        standardizedPath(root), [root, scanner = options_.scanner] { return scanner(root); },
        waiter);
}

void LiveCatalog::scanWithTimeout(const std::string& key, RootScans::Work work,
                                  const std::shared_ptr<ResumeOnce>& waiter) const {
    const auto scan = scans_->start(key, waiter, std::move(work));
    const auto timeout = deadlines_->schedule(options_.timeout, [waiter, scans = scans_, scan] {
        scans->abandon(scan);
        waiter->resume(std::nullopt);
    });
    waiter->setOnResume([deadlines = std::weak_ptr(deadlines_), timeout] {
        if (const auto owner = deadlines.lock())
            owner->cancel(timeout);
    });
}

ResumeOnce::Result LiveCatalog::awaitStep(const std::string& key, RootScans::Work work) const {
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
    // One step after another: the next starts only when the previous answered or timed out.
    for (const auto& root : options_.roots) {
        const std::string key = standardizedPath(root);
        // Filled on the scan's thread before it answers; read only when it answered in time.
        auto scanned = std::make_shared<ResumeOnce::Result>();
        const bool answered = awaitStep(key, [root, scanner = options_.scanner, scanned] {
                                  *scanned = scanner(root);
                                  return std::vector<AppDescriptor>();
                              }).has_value();
        if (!answered) {
            listing.partial = true;
            continue;
        }
        if (!*scanned) {
            listing.absentFolders.push_back(key);
            continue;
        }
        listing.listedFolders.push_back(key);
        gathered.insert(gathered.end(), std::make_move_iterator((*scanned)->begin()),
                        std::make_move_iterator((*scanned)->end()));
    }
    std::vector<DesktopEntryFolderScan> entryFolders;
    for (const auto& folder : options_.desktopEntryFolders) {
        const std::string path = standardizedPath(folder);
        auto scanned = std::make_shared<DesktopEntryFolderScan>();
        // Keyed apart from every root, whose keys all begin with '/'.
        const bool answered =
            awaitStep("desktop-entries:" + path, [folder, scanner = options_.desktopEntryScanner,
                                                  scanned] {
                *scanned = scanner(folder);
                return std::vector<AppDescriptor>();
            }).has_value();
        if (!answered) {
            listing.partial = true;
            continue;
        }
        if (!scanned->opened)
            listing.absentFolders.push_back(path);
        else if (!scanned->complete)
            listing.partial = true;
        else
            listing.listedFolders.push_back(path);
        entryFolders.push_back(std::move(*scanned));
    }
    listing.complete = !listing.partial && listing.absentFolders.empty();
    std::vector<AppDescriptor> entries = mergeDesktopEntryFolders(std::move(entryFolders));
    gathered.insert(gathered.end(), std::make_move_iterator(entries.begin()),
                    std::make_move_iterator(entries.end()));
    listing.applications = firstPerIdentity(std::move(gathered));
    std::sort(listing.applications.begin(), listing.applications.end(),
              AppDescriptor::displayNameOrder);
    return listing;
}

} // namespace orbitdeck
