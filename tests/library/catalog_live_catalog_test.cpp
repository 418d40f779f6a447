#include "library/live_catalog.h"
#include "tests/catalog-core/catalog_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <future>
#include <map>
#include <mutex>
#include <thread>

namespace orbitdeck {
namespace {

using namespace std::chrono_literals;
using testing::makeBundle;
using testing::TemporaryFolder;

std::size_t threadCount() {
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator("/proc/self/task"),
                      std::filesystem::directory_iterator()));
}

// The threads of the process once earlier scans have wound down (sanitizers add their own).
std::size_t quietThreadCount() {
    auto fewest = threadCount();
    for (int look = 0; look < 60; ++look) {
        std::this_thread::sleep_for(5ms);
        fewest = std::min(fewest, threadCount());
    }
    return fewest;
}

// Scan threads of quick roots exit a moment after they answer; blocked ones never do.
std::size_t settledThreadCount(std::size_t atMost) {
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    auto count = threadCount();
    while (count > atMost && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(5ms);
        count = threadCount();
    }
    return count;
}

// Time-outs on virtual time: they run when the test moves the clock on, on the test's thread.
class VirtualDeadlines final : public Deadlines {
public:
    Token schedule(std::chrono::steady_clock::duration delay,
                   std::function<void()> action) override {
        const std::lock_guard guard(mutex_);
        const Token token = next_++;
        pending_.emplace(token, Pending{.due = now_ + delay, .action = std::move(action)});
        ++scheduled_;
        changed_.notify_all();
        return token;
    }
    void cancel(Token token) override {
        const std::lock_guard guard(mutex_);
        pending_.erase(token);
    }

    std::size_t scheduled() const {
        const std::lock_guard guard(mutex_);
        return scheduled_;
    }
    bool waitUntilScheduled(std::size_t count) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, 10s, [&] { return scheduled_ >= count; });
    }
    // Runs, in order of their deadlines, the actions due by then.
    void advance(std::chrono::steady_clock::duration by) {
        std::vector<std::pair<std::chrono::steady_clock::duration, std::function<void()>>> due;
        {
            const std::lock_guard guard(mutex_);
            now_ += by;
            for (auto entry = pending_.begin(); entry != pending_.end();) {
                if (entry->second.due <= now_) {
                    due.emplace_back(entry->second.due, std::move(entry->second.action));
                    entry = pending_.erase(entry);
                } else {
                    ++entry;
                }
            }
        }
        std::ranges::stable_sort(due, {}, &decltype(due)::value_type::first);
        for (auto& [when, action] : due)
            action();
    }

private:
    struct Pending {
        std::chrono::steady_clock::duration due;
        std::function<void()> action;
    };
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::map<Token, Pending> pending_;
    std::chrono::steady_clock::duration now_{};
    Token next_ = 1;
    std::size_t scheduled_ = 0;
};

// A scanner whose "slow" root blocks until released, counting the scans it starts.
class GatedScanner {
public:
    std::vector<AppDescriptor> operator()(const std::filesystem::path& root) {
        if (root.filename() == "slow") {
            ++slowScans;
            std::unique_lock lock(mutex_);
            released_.wait(lock, [this] { return open_; });
            return {AppDescriptor("Late", "com.example.late", root / "Late.app")};
        }
        return {AppDescriptor(root.filename().string(), "com.example." + root.filename().string(),
                              root / "App.app")};
    }
    void release() {
        {
            const std::lock_guard guard(mutex_);
            open_ = true;
        }
        released_.notify_all();
    }
    std::atomic<int> slowScans = 0;

private:
    std::mutex mutex_;
    std::condition_variable released_;
    bool open_ = false;
};

std::vector<std::string> names(const CatalogListing& listing) {
    std::vector<std::string> result;
    for (const auto& app : listing.applications)
        result.push_back(app.displayName());
    return result;
}

TEST(CatalogLiveCatalog, MergesRootsInOrder) {
    TemporaryFolder home;
    makeBundle(home / "system/Notes.app", {.identifier = "com.example.notes", .name = "System"});
    makeBundle(home / "user/Notes.app", {.identifier = "COM.example.notes", .name = "User"});
    makeBundle(home / "user/Zed.app", {.name = "Zed"});
    makeBundle(home / "system/Alpha.app", {.name = "Alpha"});
    auto listing = LiveCatalog({.roots = {home / "system", home / "user"}}).applications();
    EXPECT_TRUE(listing.complete);
    EXPECT_EQ(names(listing), (std::vector<std::string>{"Alpha", "System", "Zed"}));
    // A root missing from the start (an unplugged volume) may hold installed applications too.
    listing =
        LiveCatalog({.roots = {home / "system", home / "missing", home / "user"}}).applications();
    EXPECT_FALSE(listing.complete);
    EXPECT_EQ(names(listing), (std::vector<std::string>{"Alpha", "System", "Zed"}));
    EXPECT_TRUE(LiveCatalog({.roots = {}}).applications().complete);
}

TEST(CatalogLiveCatalog, DesktopEntriesJoinTheBundlesAsOneMoreStep) {
    TemporaryFolder home;
    makeBundle(home / "bundles/Notes.app", {.identifier = "com.example.notes", .name = "Notes"});
    testing::writeFile(home / "user/applications/editor.desktop", "[Desktop Entry]\nHidden=true\n");
    testing::writeFile(home / "system/applications/editor.desktop",
                       "[Desktop Entry]\nType=Application\nName=Editor\nExec=true\n");
    testing::writeFile(home / "system/applications/files.desktop",
                       "[Desktop Entry]\nType=Application\nName=Files\nExec=true\n");
    {
        SCOPED_TRACE("a user's hiding copy in an earlier folder hides the system entry");
        const auto listing = LiveCatalog({.roots = {home / "bundles"},
                                          .desktopEntryFolders = {home / "user/applications",
                                                                  home / "system/applications"}})
                                 .applications();
        EXPECT_TRUE(listing.complete);
        EXPECT_EQ(names(listing), (std::vector<std::string>{"Files", "Notes"}));
    }
    {
        SCOPED_TRACE("desktop entries that do not answer in time leave the listing incomplete");
        // Each folder has its own time-out: a hanging one costs only its own entries.
        auto scanner = std::make_shared<GatedScanner>();
        const auto listing =
            LiveCatalog({.roots = {home / "bundles"},
                         .timeout = 300ms,
                         .desktopEntryFolders = {"/fixture/slow", home / "system/applications"},
                         .desktopEntryScanner =
                             [scanner](const std::filesystem::path& folder) {
                                 if (folder.filename() != "slow")
                                     return scanDesktopEntryFolderHere(folder);
                                 DesktopEntryFolderScan scan;
                                 for (auto& app : (*scanner)(folder))
                                     scan.decisions.push_back({.id = app.id(), .shown = app});
                                 return scan;
                             }})
                .applications();
        EXPECT_FALSE(listing.complete);
        EXPECT_EQ(names(listing), (std::vector<std::string>{"Editor", "Files", "Notes"}));
        scanner->release();
    }
}

TEST(CatalogLiveCatalog, AFolderMissingOrRenamedAwayLeavesTheListingIncomplete) {
    TemporaryFolder home;
    testing::writeFile(home / "user/applications/mine.desktop",
                       "[Desktop Entry]\nType=Application\nName=Mine\nExec=true\n");
    testing::writeFile(home / "system/applications/files.desktop",
                       "[Desktop Entry]\nType=Application\nName=Files\nExec=true\n");
    const LiveCatalog catalog(
        {.roots = {},
         .desktopEntryFolders = {home / "user/applications", home / "system/applications"}});
    auto listing = catalog.applications();
    EXPECT_TRUE(listing.complete);
    EXPECT_EQ(names(listing), (std::vector<std::string>{"Files", "Mine"}));
    std::filesystem::rename(home / "user/applications", home / "user/away");
    listing = catalog.applications();
    EXPECT_FALSE(listing.complete);
    EXPECT_EQ(names(listing), std::vector<std::string>{"Files"}) << "the other folders still count";
    EXPECT_FALSE(listing.partial);
    EXPECT_EQ(listing.absentFolders,
              std::vector<std::string>{standardizedPath(home / "user/applications")});
    EXPECT_EQ(listing.listedFolders,
              std::vector<std::string>{standardizedPath(home / "system/applications")});
    EXPECT_FALSE(LiveCatalog({.roots = {},
                              .desktopEntryFolders = {home / "user/applications",
                                                      home / "system/applications"}})
                     .applications()
                     .complete)
        << "missing from the start";
    std::filesystem::rename(home / "user/away", home / "user/applications");
    listing = catalog.applications();
    EXPECT_TRUE(listing.complete);
    EXPECT_EQ(names(listing), (std::vector<std::string>{"Files", "Mine"}));
}

TEST(CatalogLiveCatalog, LinksAndLoopsInAnEntryFolderCostOnlyThemselves) {
    TemporaryFolder home;
    const auto user = home / "user/applications";
    for (const char* name : {"alpha", "beta", "gamma", "delta", "epsilon"})
        testing::writeFile(user / (std::string(name) + ".desktop"),
                           "[Desktop Entry]\nType=Application\nName=" + std::string(name) +
                               "\nExec=true\n");
    testing::writeFile(home / "system/applications/files.desktop",
                       "[Desktop Entry]\nType=Application\nName=files\nExec=true\n");
    for (const char* link : {"l0", "l1", "l2"})
        std::filesystem::create_directory_symlink(".", user / link);
    std::filesystem::create_directory_symlink("..", user / "up");
    const std::vector<std::string> everyone{"alpha", "beta", "delta", "epsilon", "files", "gamma"};
    const LiveCatalog catalog(
        {.roots = {}, .desktopEntryFolders = {user, home / "system/applications"}});
    auto listing = catalog.applications();
    EXPECT_TRUE(listing.complete) << "links back into the tree end where they began";
    EXPECT_EQ(names(listing), everyone) << "each entry once";
    for (const char* everything : {"/", "/proc"}) {
        SCOPED_TRACE(everything);
        std::filesystem::create_directory_symlink(everything, user / "everything");
        listing = catalog.applications();
        EXPECT_FALSE(listing.complete) << "the walk stopped at its cap";
        EXPECT_EQ(names(listing), everyone) << "nothing from the machine's own folders";
        std::filesystem::remove(user / "everything");
    }
}

TEST(CatalogLiveCatalog, ConcurrentCallsShareNoScan) {
    TemporaryFolder home;
    makeBundle(home / "apps/First.app", {.identifier = "com.example.first", .name = "First"});
    std::mutex mutex;
    std::condition_variable changed;
    bool firstScanRead = false, released = false;
    int scans = 0;
    const LiveCatalog catalog(
        {.roots = {home / "apps"}, .scanner = [&](const std::filesystem::path& root) {
             auto found = scanApplicationRoot(root);
             std::unique_lock lock(mutex);
             if (++scans == 1) {
                 // The first call has read the folder and is still busy with it.
                 firstScanRead = true;
                 changed.notify_all();
                 changed.wait(lock, [&] { return released; });
             }
             return found;
         }});
    auto first = std::async(std::launch::async, [&catalog] { return catalog.applications(); });
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return firstScanRead; });
    }
    makeBundle(home / "apps/Second.app", {.identifier = "com.example.second", .name = "Second"});
    const auto second = catalog.applications();
    EXPECT_EQ(names(second), (std::vector<std::string>{"First", "Second"}))
        << "the later call scans for itself";
    {
        const std::lock_guard lock(mutex);
        released = true;
    }
    changed.notify_all();
    EXPECT_EQ(names(first.get()), std::vector<std::string>{"First"});
    EXPECT_EQ(scans, 2);
}

TEST(CatalogLiveCatalog, TimedOutRootContributesNothingAndKeepsOneScan) {
    const std::size_t quiet = quietThreadCount();
    auto scanner = std::make_shared<GatedScanner>();
    auto deadlines = std::make_shared<VirtualDeadlines>();
    constexpr auto timeout = 400ms;
    const LiveCatalog catalog({.roots = {"/fixture/first", "/fixture/slow", "/fixture/last"},
                               .timeout = timeout,
                               .scanner = [scanner](const auto& root) { return (*scanner)(root); },
                               .deadlines = deadlines});
    // Roots are scanned in turn: once the first root's step and the slow root's have set their
    // time-outs, the slow root is the one waiting, and its time is made to run out.
    const auto listWithTheSlowRootTimedOut = [&] {
        const std::size_t before = deadlines->scheduled();
        auto listing =
            std::async(std::launch::async, [&catalog] { return catalog.applications(); });
        EXPECT_TRUE(deadlines->waitUntilScheduled(before + 2));
        deadlines->advance(timeout);
        return listing.get();
    };
    {
        SCOPED_TRACE("the slow root is left out and the listing says so");
        const auto listing = listWithTheSlowRootTimedOut();
        EXPECT_FALSE(listing.complete);
        EXPECT_EQ(names(listing), (std::vector<std::string>{"first", "last"}));
    }
    {
        SCOPED_TRACE("while the abandoned scan hangs, later calls start no other scan of the root");
        // Plus the one blocked scan.
        const std::size_t threadsBefore = quiet + 1;
        ASSERT_EQ(settledThreadCount(threadsBefore), threadsBefore);
        for (int call = 0; call < 20; ++call)
            EXPECT_FALSE(listWithTheSlowRootTimedOut().complete);
        EXPECT_EQ(scanner->slowScans, 1);
        EXPECT_EQ(settledThreadCount(threadsBefore), threadsBefore);
    }
    {
        SCOPED_TRACE("a late result is dropped; the next call scans afresh and finds it");
        scanner->release();
        const auto listing = catalog.applications();
        EXPECT_TRUE(listing.complete);
        EXPECT_EQ(names(listing), (std::vector<std::string>{"Late", "first", "last"}));
    }
}

TEST(CatalogLiveCatalog, DeadlinesShareOneThreadAndSkipCancelledActions) {
    const std::size_t quiet = quietThreadCount();
    std::atomic<int> ran = 0;
    std::atomic<bool> cancelledRan = false;
    ScanDeadlines deadlines;
    for (int i = 0; i < 50; ++i)
        deadlines.schedule(20ms, [&ran] { ++ran; });
    deadlines.cancel(deadlines.schedule(10ms, [&cancelledRan] { cancelledRan = true; }));
    EXPECT_LE(threadCount(), quiet + 1) << "one thread however many are pending";
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (ran < 50 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(5ms);
    EXPECT_EQ(ran, 50);
    EXPECT_FALSE(cancelledRan);
}

TEST(CatalogLiveCatalog, ResumeOnceCompletesExactlyOnce) {
    {
        SCOPED_TRACE("the first value wins and runs the on-resume action once");
        std::vector<ResumeOnce::Result> delivered;
        int onResumeRuns = 0;
        ResumeOnce once([&delivered](ResumeOnce::Result result) { delivered.push_back(result); });
        once.setOnResume([&onResumeRuns] { ++onResumeRuns; });
        EXPECT_TRUE(once.isPending());
        once.resume(std::nullopt);
        once.resume(std::vector<AppDescriptor>{AppDescriptor("Late", "x", "/x.app")});
        ASSERT_EQ(delivered.size(), 1u);
        EXPECT_FALSE(delivered[0].has_value());
        EXPECT_EQ(onResumeRuns, 1);
        EXPECT_FALSE(once.isPending());
    }
    {
        SCOPED_TRACE("an action installed after the completion never runs");
        int onResumeRuns = 0;
        ResumeOnce once([](ResumeOnce::Result) {});
        once.resume(std::vector<AppDescriptor>{});
        once.setOnResume([&onResumeRuns] { ++onResumeRuns; });
        once.resume(std::nullopt);
        EXPECT_EQ(onResumeRuns, 0);
    }
}

TEST(CatalogLiveCatalog, RootsFromTheEnvironment) {
    const char* saved = std::getenv("ORBITDECK_APP_ROOTS");
    const std::string savedValue = saved ? saved : "";
    ::setenv("ORBITDECK_APP_ROOTS", "/tmp/a::/tmp/b:", 1);
    EXPECT_EQ(liveApplicationRoots(), (std::vector<std::filesystem::path>{"/tmp/a", "/tmp/b"}));
    ::unsetenv("ORBITDECK_APP_ROOTS");
    const char* home = std::getenv("HOME");
    const std::string savedHome = home ? home : "";
    ::setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(liveApplicationRoots(),
              (std::vector<std::filesystem::path>{"/Applications", "/System/Applications",
                                                  "/home/someone/Applications"}));
    ::setenv("HOME", savedHome.c_str(), 1);
    if (saved)
        ::setenv("ORBITDECK_APP_ROOTS", savedValue.c_str(), 1);
}

} // namespace
} // namespace orbitdeck
