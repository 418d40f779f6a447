#pragma once

#include "catalog-core/desktop_entry.h"
#include "library/application_catalog.h"
#include "library/resume_once.h"
#include "library/scan_deadlines.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace orbitdeck {

// The scan of one root; none when the root could not be listed.
using RootScanner = std::function<ResumeOnce::Result(const std::filesystem::path&)>;

// The scan of one root by the directory catalog; none when the root is missing or cannot be
// listed, before or after the scan: a folder not there (an unplugged volume, a folder renamed
// away for a moment) must not read as every application in it uninstalled.
ResumeOnce::Result scanApplicationRoot(const std::filesystem::path& root);

// The scan of one desktop-entry folder in the process's desktop environment.
DesktopEntryFolderScan scanDesktopEntryFolderHere(const std::filesystem::path& folder);

// The scans under way, one thread each. Calls share no scan: each scan starts when its call asks,
// so it sees what was installed before then. Only while a scan that outlived its caller's
// time-out still runs (a hanging volume) does a new scan of the same key wait for it to end, so
// such a volume costs one thread, not one per refresh.
class RootScans : public std::enable_shared_from_this<RootScans> {
public:
    using Work = std::function<ResumeOnce::Result()>;
    struct Scan;

    // Starts work for waiter on a thread of its own, or queues it behind a hanging scan of key.
    // Returns at once; waiter is resumed with the result, or with none if the work cannot start.
    std::shared_ptr<Scan> start(const std::string& key, const std::shared_ptr<ResumeOnce>& waiter,
                                Work work);
    // The scan's waiter gave up on it: if it still runs, later scans of its key wait for it.
    void abandon(const std::shared_ptr<Scan>& scan);

private:
    struct Key {
        int hanging = 0;
        std::vector<std::shared_ptr<Scan>> queued;
    };
    void launch(const std::shared_ptr<Scan>& scan);
    void finish(const std::shared_ptr<Scan>& scan, ResumeOnce::Result result);

    std::mutex mutex_;
    std::map<std::string, Key> keys_;
};

// Scans the application folders one after another, then the desktop-entry folders one after
// another, each step bounded by its own time-out. A step that timed out, or a folder listed only
// in part, makes the listing partial; a folder missing or unreadable is named absent. Either
// makes it incomplete while the other folders still count.
class LiveCatalog final : public ApplicationCatalog {
public:
    using DesktopEntryScanner = std::function<DesktopEntryFolderScan(const std::filesystem::path&)>;
    struct Options {
        std::vector<std::filesystem::path> roots;
        std::chrono::milliseconds timeout = std::chrono::seconds(10);
        RootScanner scanner = scanApplicationRoot;
        // Read after the bundle roots, in this order; an earlier folder's entry hides a later one
        // of the same id.
        std::vector<std::filesystem::path> desktopEntryFolders = {};
        DesktopEntryScanner desktopEntryScanner = scanDesktopEntryFolderHere;
        // Where the time-outs wait; none: a thread of the catalog's own.
        std::shared_ptr<Deadlines> deadlines = nullptr;
    };

    // The machine's application folders (see liveApplicationRoots) and desktop-entry folders,
    // 10 s per step.
    LiveCatalog();
    explicit LiveCatalog(Options options);

    CatalogListing applications() const override;

    // Starts the scan of root and its time-out and returns at once; waiter is completed exactly
    // once, with the root's list or, at the time-out, with none.
    void scanWithTimeout(const std::filesystem::path& root,
                         const std::shared_ptr<ResumeOnce>& waiter) const;

private:
    void scanWithTimeout(const std::string& key, RootScans::Work work,
                         const std::shared_ptr<ResumeOnce>& waiter) const;
    // Waits for one step; none when it timed out or could not list its folder.
    ResumeOnce::Result awaitStep(const std::string& key, RootScans::Work work) const;

    Options options_;
    std::shared_ptr<RootScans> scans_;
    std::shared_ptr<Deadlines> deadlines_;
};

// "/Applications", "/System/Applications" and "$HOME/Applications". The environment variable
// ORBITDECK_APP_ROOTS, when set, replaces them with its colon-separated folders (empty entries
// ignored), so the app can be pointed at sample bundles; this is the only place that reads it.
std::vector<std::filesystem::path> liveApplicationRoots();

// The root of those that holds the system's applications (its path ends in
// "System/Applications"); "/System/Applications" when none does.
std::filesystem::path systemApplicationsRoot();

} // namespace orbitdeck
