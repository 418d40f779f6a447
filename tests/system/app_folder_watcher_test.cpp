#include "system/app_folder_watcher.h"

#include "support/temp_home.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace orbitdeck {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class FakeFolderEvents final : public FolderEvents {
public:
    struct Source final : FolderEventSource {
        Source(FakeFolderEvents& owner, fs::path folder)
            : owner(owner)
            , folder(std::move(folder)) {}
        ~Source() override { owner.live.erase(folder); }
        FakeFolderEvents& owner;
        fs::path folder;
    };

    std::unique_ptr<FolderEventSource> watch(const fs::path& folder,
                                             std::function<void()> onEvent) override {
        if (!existing.contains(folder))
            return nullptr;
        live[folder] = std::move(onEvent);
        ++opened;
        return std::make_unique<Source>(*this, folder);
    }
    void change(const fs::path& folder) { live.at(folder)(); }

    std::set<fs::path> existing;
    std::map<fs::path, std::function<void()>> live;
    int opened = 0;
};

struct WatcherFixture {
    WatcherFixture() {
        watcher.setOnChange([this] { ++changes; });
    }
    FakeFolderEvents events;
    VirtualScheduler scheduler;
    AppFolderWatcher watcher{events, scheduler, {"/Applications", "/home/u/Applications"}};
    int changes = 0;
};

TEST(AppFolderWatcher, ReportsOnceAfterABurstHasBeenQuiet) {
    WatcherFixture f;
    f.events.existing = {"/Applications", "/home/u/Applications"};
    f.watcher.start();
    {
        SCOPED_TRACE("a burst of events gives one report 1.2 s after the last");
        for (int i = 0; i < 5; ++i) {
            f.events.change(i % 2 ? "/Applications" : "/home/u/Applications");
            f.scheduler.advance(100ms);
        }
        f.scheduler.advance(1099ms);
        EXPECT_EQ(f.changes, 0);
        f.scheduler.advance(1ms);
        EXPECT_EQ(f.changes, 1);
    }
    {
        SCOPED_TRACE("changes 1.0 s apart are one burst, 1.5 s apart two");
        f.events.change("/Applications");
        f.scheduler.advance(1000ms);
        f.events.change("/Applications");
        f.scheduler.advance(1199ms);
        EXPECT_EQ(f.changes, 1);
        f.scheduler.advance(1ms);
        EXPECT_EQ(f.changes, 2);
        f.events.change("/Applications");
        f.scheduler.advance(1500ms);
        f.events.change("/Applications");
        f.scheduler.advance(1500ms);
        EXPECT_EQ(f.changes, 4);
    }
    {
        SCOPED_TRACE("stopping keeps a quiet period that has begun");
        f.events.change("/Applications");
        f.watcher.stop();
        EXPECT_TRUE(f.events.live.empty());
        f.scheduler.advance(1200ms);
        EXPECT_EQ(f.changes, 5);
        f.watcher.stop();
    }
}

TEST(AppFolderWatcher, WatchesTheFoldersThatExistAndNeverTwice) {
    WatcherFixture f;
    f.events.existing = {"/Applications"};
    f.watcher.start();
    EXPECT_EQ(f.watcher.sourceCount(), 1u) << "a missing home folder is skipped silently";
    f.events.existing.insert("/home/u/Applications");
    f.watcher.start();
    EXPECT_EQ(f.watcher.sourceCount(), 2u);
    EXPECT_EQ(f.events.live.size(), 2u) << "the first start's sources are gone";
    EXPECT_EQ(f.events.opened, 3);
}

TEST(AppFolderWatcher, FoldersAreTheCatalogsWithoutTheSystemOnesThenTheDesktopEntries) {
    TempHome home;
    ::unsetenv("ORBITDECK_APP_ROOTS");
    const char* dataDirs = std::getenv("XDG_DATA_DIRS");
    const std::string previous = dataDirs ? dataDirs : "";
    ::setenv("XDG_DATA_DIRS", (home / "system-data").c_str(), 1);
    EXPECT_EQ(watchedApplicationFolders(),
              (std::vector<fs::path>{"/Applications", home / "Applications",
                                     home / ".local/share/applications",
                                     home / "system-data/applications"}));
    ::setenv("XDG_DATA_DIRS", previous.c_str(), 1);
}

// Processes events until condition holds, for at most limit milliseconds.
template <typename Condition>
bool eventually(Condition condition, int limit = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < limit)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

TEST(AppFolderWatcher, SeesApplicationsAddedAndRemovedOnDisk) {
    TempHome home;
    const fs::path apps = home / "Applications";
    fs::create_directories(apps / "Existing.app/Contents");
    InotifyFolderEvents events;
    VirtualScheduler scheduler;
    int changes = 0;
    AppFolderWatcher watcher(events, scheduler, {apps, home / "Missing"});
    watcher.setOnChange([&] { ++changes; });
    watcher.start();
    ASSERT_EQ(watcher.sourceCount(), 1u);

    const auto reported = [&] {
        if (!eventually([&] { return scheduler.pendingCount() > 0; }))
            return false;
        scheduler.advance(AppFolderWatcher::quietPeriod);
        return true;
    };
    {
        SCOPED_TRACE("a change inside a bundle is not seen, an added bundle is");
        writeTextFile(apps / "Existing.app/Contents/Info.plist", "<plist/>");
        EXPECT_FALSE(eventually([&] { return scheduler.pendingCount() > 0; }, 300));
        fs::create_directories(apps / "New.app/Contents");
        ASSERT_TRUE(reported());
        EXPECT_EQ(changes, 1);
    }
    {
        SCOPED_TRACE("a removed bundle is seen");
        fs::remove_all(apps / "New.app");
        ASSERT_TRUE(reported());
        EXPECT_EQ(changes, 2);
    }
    {
        SCOPED_TRACE("a renamed bundle is seen");
        fs::rename(apps / "Existing.app", apps / "Renamed.app");
        ASSERT_TRUE(reported());
        EXPECT_EQ(changes, 3);
    }
    {
        SCOPED_TRACE("nothing is seen after stopping");
        watcher.stop();
        fs::create_directories(apps / "Late.app");
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
        EXPECT_EQ(scheduler.pendingCount(), 0u);
    }
}

} // namespace
} // namespace orbitdeck
