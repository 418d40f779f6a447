#pragma once

#include "library/application_catalog.h"
#include "library/resume_once.h"
#include "library/scan_deadlines.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace orbitdeck {

using RootScanner = std::function<std::vector<AppDescriptor>(const std::filesystem::path&)>;

// The scan of one root by the directory catalog.
std::vector<AppDescriptor> scanApplicationRoot(const std::filesystem::path& root);

// The scans currently running, one per root. A scan that outlived its caller's time-out keeps
// running; later callers join it instead of starting another, so a hanging volume costs one
// thread, not one per refresh.
class RootScans : public std::enable_shared_from_this<RootScans> {
public:
    // Adds waiter to the running scan of root, or starts one on its own thread. Returns at once;
    // waiter is resumed with the list when the scan ends, or with none if it cannot start.
    void join(const std::filesystem::path& root, const std::shared_ptr<ResumeOnce>& waiter,
              const RootScanner& scanner);
    // The same for any scan, known by key.
    void join(const std::string& key, const std::shared_ptr<ResumeOnce>& waiter,
              std::function<std::vector<AppDescriptor>()> work);

private:
    void finish(const std::string& key, const ResumeOnce::Result& result);

    std::mutex mutex_;
    std::map<std::string, std::vector<std::shared_ptr<ResumeOnce>>> waiting_;
};

// The desktop entries of the folders, read together since an early folder's entry may hide a
// later one's.
std::vector<AppDescriptor>
scanDesktopEntryFolders(const std::vector<std::filesystem::path>& folders);

// The roots a catalog has listed at least once; shared by its scans on every thread.
class ListedRoots {
public:
    void remember(const std::string& root);
    bool contains(const std::string& root) const;

private:
    mutable std::mutex mutex_;
    std::set<std::string> roots_;
};

// Scans the application folders one after another, then the desktop-entry folders, each step
// bounded by a time-out. A root (or desktop-entry folder) that was listed before and is now
// missing or cannot be listed makes the listing incomplete, like a step that timed out: a
// folder renamed away for a moment must not read as every application in it uninstalled.
class LiveCatalog final : public ApplicationCatalog {
public:
    using DesktopEntryScanner =
        std::function<std::vector<AppDescriptor>(const std::vector<std::filesystem::path>&)>;
    struct Options {
        std::vector<std::filesystem::path> roots;
        std::chrono::milliseconds timeout = std::chrono::seconds(10);
        RootScanner scanner = scanApplicationRoot;
        // Read after the bundle roots; none read when empty.
        std::vector<std::filesystem::path> desktopEntryFolders = {};
        DesktopEntryScanner desktopEntryScanner = scanDesktopEntryFolders;
        // Where the time-outs wait; none: a thread of the catalog's own.
        std::shared_ptr<Deadlines> deadlines = nullptr;
    };

    // The machine's application folders (see liveApplicationRoots) and desktop-entry folders,
    // 10 s per step.
    LiveCatalog();
    explicit LiveCatalog(Options options);

    CatalogListing applications() const override;

    // Starts (or joins) the scan of root and its time-out and returns at once; waiter is
    // completed exactly once, with the root's list or, at the time-out, with none.
    void scanWithTimeout(const std::filesystem::path& root,
                         const std::shared_ptr<ResumeOnce>& waiter) const;

private:
    void scanWithTimeout(const std::string& key, std::function<std::vector<AppDescriptor>()> work,
                         const std::shared_ptr<ResumeOnce>& waiter) const;
    // Waits for one step; none when it timed out.
    ResumeOnce::Result awaitStep(const std::string& key,
                                 std::function<std::vector<AppDescriptor>()> work) const;

    Options options_;
    std::shared_ptr<RootScans> scans_;
    std::shared_ptr<Deadlines> deadlines_;
    std::shared_ptr<ListedRoots> listed_;
};

// "/Applications", "/System/Applications" and "$HOME/Applications". The environment variable
// ORBITDECK_APP_ROOTS, when set, replaces them with its colon-separated folders (empty entries
// ignored), so the app can be pointed at sample bundles; this is the only place that reads it.
std::vector<std::filesystem::path> liveApplicationRoots();

// The root of those that holds the system's applications (its path ends in
// "System/Applications"); "/System/Applications" when none does.
std::filesystem::path systemApplicationsRoot();

} // namespace orbitdeck
