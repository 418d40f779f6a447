#include "window_state_harness.h"

#include "catalog-core/catalog_fixture.h"
#include "library/live_catalog.h"
#include "window/library_loader.h"
#include "window/library_settings_keys.h"

#include <gtest/gtest.h>

#include <fstream>
#include <mutex>

using namespace std::chrono_literals;
using namespace orbitdeck;
using namespace orbitdeck::testing;

namespace {

std::vector<AppDescriptor> threeApps() {
    return {app("Alpha", "com.example.alpha"), app("Beta", "com.example.beta"),
            app("Gamma", "com.example.gamma")};
}

} // namespace

TEST(WindowStateLoading, CorruptStoredDataLoadsAsEmptyAndKeepsTheLayoutAside) {
    WindowHarness harness;
    harness.catalog.setApps(threeApps());
    const QByteArray brokenLayout =
        R"({"items":[{"application":{"_0":"x"}}],"folders":[{"id":"f"}]})";
    harness.setStored(WindowSettings::lastOpenedKey, "not json");
    harness.setStored(WindowSettings::countKey, R"({"bundle:com.example.alpha":"three"})");
    harness.setStored(WindowSettings::hiddenKey, "[1,2]");
    harness.setStored(WindowSettings::layoutKey, brokenLayout);

    AmbergridWindow& window = harness.load();
    EXPECT_TRUE(window.library()->recentUse().empty());
    EXPECT_TRUE(window.library()->launchCounts().empty());
    EXPECT_TRUE(window.library()->hiddenIDs().empty());
    EXPECT_EQ(harness.pageIDs(),
              (std::vector<std::string>{appID("com.example.alpha"), appID("com.example.beta"),
                                        appID("com.example.gamma")}));
    // The damaged arrangement survives beside the key the next edit will overwrite.
    EXPECT_EQ(harness.stored(WindowSettings::unreadableLayoutKey), brokenLayout);
    EXPECT_EQ(harness.stored(WindowSettings::layoutKey), brokenLayout);
    EXPECT_EQ(window.tiles()->count(), 3);
    // A count beyond the stored integer range is unreadable, not wrapped round.
    EXPECT_TRUE(decodeLaunchCounts(R"({"a":1,"b":18446744073709551615})").empty());
}

TEST(WindowStateLoading, StoredDataDecodesAndAnEmptySnapshotIsNotDamage) {
    WindowHarness harness;
    harness.catalog.setApps(threeApps());
    harness.setStored(WindowSettings::lastOpenedKey, R"({"bundle:com.example.beta":1.5})");
    harness.setStored(WindowSettings::countKey, R"({"bundle:com.example.beta":4})");
    harness.setStored(WindowSettings::hiddenKey, R"(["bundle:com.example.gamma"])");
    harness.setStored(WindowSettings::layoutKey, R"({"items":[],"folders":[]})");

    AmbergridWindow& window = harness.load();
    const auto date = window.library()->recentUse().at(appID("com.example.beta"));
    EXPECT_DOUBLE_EQ(secondsSinceReferenceDate(date), 1.5);
    EXPECT_EQ(window.library()->launchCounts().at(appID("com.example.beta")), 4);
    EXPECT_TRUE(window.library()->hiddenIDs().contains(appID("com.example.gamma")));
    EXPECT_TRUE(harness.stored(WindowSettings::unreadableLayoutKey).isEmpty());
    // Hidden applications stay in the layout but leave the grid and the search.
    EXPECT_EQ(harness.pageIDs().size(), 3u);
    EXPECT_EQ(window.tiles()->count(), 2);
    window.search()->setQuery("gam");
    EXPECT_EQ(window.tiles()->count(), 0);
    window.search()->setQuery("   ");
    EXPECT_FALSE(window.search()->isSearching());
    EXPECT_EQ(window.visible().visibleApps().size(), 2u);
}

TEST(WindowStateLoading, SystemUtilitiesAreGatheredOnce) {
    const auto utility =
        app("Terminal", "com.apple.terminal", "/System/Applications/Utilities/Terminal.app");
    const auto ordinary = app("Notes", "com.example.notes");
    WindowHarness harness;
    harness.catalog.setApps({ordinary, utility});

    {
        AmbergridWindow& window = harness.load();
        EXPECT_TRUE(window.settings()->systemUtilitiesSeeded());
        const auto folder = window.layout()->layout().folder(FolderID{"macos-utilities"});
        ASSERT_TRUE(folder);
        EXPECT_EQ(folder->name, "Other");
        EXPECT_EQ(folder->items, std::vector{LayoutItem::application(utility.id())});
        EXPECT_EQ(window.undoStack().size(), 0u) << "the seeding cannot be undone";
        // The user takes it out again.
        EXPECT_TRUE(window.updateLayout(true, [&](LibraryLayout& layout) {
            return layout.moveOutOfFolder(LayoutItem::application(utility.id()),
                                          FolderID{"macos-utilities"});
        }));
        EXPECT_EQ(window.undoStack().size(), 1u);
    }
    harness.window.reset();
    AmbergridWindow& again = harness.load();
    EXPECT_FALSE(again.layout()->layout().folder(FolderID{"macos-utilities"}));
    EXPECT_EQ(harness.pageIDs(), (std::vector<std::string>{ordinary.id(), utility.id()}));

    WindowHarness none;
    none.catalog.setApps({ordinary});
    EXPECT_FALSE(none.load().settings()->systemUtilitiesSeeded());
}

TEST(WindowStateLoading, UtilitiesComeFromTheConfiguredSystemRootAndSystemDesktopEntries) {
    QTemporaryDir data;
    const std::filesystem::path folder = data.filePath("applications").toStdString();
    const auto writeEntry = [&](const std::string& name, const std::string& categories) {
        const auto path = folder / (name + ".desktop");
        std::filesystem::create_directories(folder);
        std::ofstream(path) << "[Desktop Entry]\nType=Application\nName=" << name
                            << "\nExec=true\nCategories=" << categories << "\n";
        return AppDescriptor(name, name, path);
    };
    const auto monitor = writeEntry("monitor", "GTK;System;Monitor;");
    const auto editor = writeEntry("editor", "Utility;TextEditor;");
    const auto settingsEntry = writeEntry("settings", "Settings;Systemwide;");
    const auto console = app("Console", "com.example.console",
                             "/tmp/sample-home/System/Applications/Utilities/Console.app");
    const auto literal =
        app("Terminal", "com.example.terminal", "/System/Applications/Utilities/Terminal.app");
    WindowHarness harness;
    harness.systemApplications = "/tmp/sample-home/System/Applications";
    harness.catalog.setApps({console, editor, monitor, settingsEntry, literal});
    AmbergridWindow& window = harness.load();
    EXPECT_EQ(window.library()->utilityIDs(), (std::set<std::string>{console.id(), monitor.id()}))
        << "the system root the catalog was given, not the literal path";
    const auto gathered = window.layout()->layout().folder(FolderID{"macos-utilities"});
    ASSERT_TRUE(gathered);
    EXPECT_EQ(gathered->items.size(), 2u);
}

TEST(WindowStateLoading, GuideOpensAfterTheLoadUnlessOnboardedOrUnderTest) {
    {
        WindowHarness harness;
        harness.testDefaultsSet = false;
        AmbergridWindow& window = harness.load();
        EXPECT_EQ(harness.watcher.starts, 1) << "the watcher starts before the guide";
        harness.scheduler.advance(449ms);
        EXPECT_FALSE(window.lifecycle()->onboardingOpen());
        harness.scheduler.advance(1ms);
        EXPECT_TRUE(window.lifecycle()->onboardingOpen());
    }
    {
        WindowHarness harness; // AMBERGRID_TEST_DEFAULTS present
        AmbergridWindow& window = harness.load();
        harness.scheduler.advance(5s);
        EXPECT_FALSE(window.lifecycle()->onboardingOpen());
    }
    {
        WindowHarness harness;
        harness.testDefaultsSet = false;
        harness.store->setValue("ambergrid.onboarded.v1", DefaultsValue{true});
        AmbergridWindow& window = harness.load();
        harness.scheduler.advance(5s);
        EXPECT_FALSE(window.lifecycle()->onboardingOpen());
    }
}

TEST(WindowStateLoading, RefreshAnnouncesNewAppsAndPrunesOnlyAfterACompleteScan) {
    WindowHarness harness;
    auto apps = threeApps();
    harness.catalog.setApps(apps);
    harness.setStored(WindowSettings::lastOpenedKey,
                      R"({"bundle:com.example.alpha":10,"bundle:com.example.gamma":20})");
    harness.setStored(WindowSettings::countKey,
                      R"({"bundle:com.example.alpha":1,"bundle:com.example.gamma":2})");
    AmbergridWindow& window = harness.load();

    // Unchanged and not quiet: nothing at all.
    harness.refresh(false);
    EXPECT_FALSE(window.toasts()->visible());

    apps.push_back(app("Delta", "com.example.delta"));
    harness.catalog.setApps(apps);
    harness.refresh(false);
    EXPECT_EQ(window.toasts()->text(), QStringLiteral("New app: “Delta”"));

    apps.push_back(app("Epsilon", "com.example.epsilon"));
    apps.push_back(app("Zeta", "com.example.zeta"));
    harness.catalog.setApps(apps);
    harness.refresh(false);
    EXPECT_EQ(window.toasts()->text(), QStringLiteral("2 new apps added"));
    EXPECT_EQ(window.tiles()->count(), 6);

    // Gamma missing from a scan that timed out somewhere: its data stays.
    std::vector<AppDescriptor> withoutGamma = {apps[0], apps[1], apps[3], apps[4], apps[5]};
    const QByteArray datesBefore = harness.stored(WindowSettings::lastOpenedKey);
    harness.catalog.setApps(withoutGamma, /*complete=*/false);
    harness.refresh(false);
    EXPECT_TRUE(window.library()->launchCounts().contains(appID("com.example.gamma")));
    EXPECT_EQ(harness.stored(WindowSettings::lastOpenedKey), datesBefore);

    // A complete scan without it prunes memory and store.
    harness.catalog.setApps(withoutGamma, /*complete=*/true);
    harness.refresh(true);
    EXPECT_FALSE(window.library()->launchCounts().contains(appID("com.example.gamma")));
    EXPECT_FALSE(decodeRecentUse(harness.stored(WindowSettings::lastOpenedKey))
                     .contains(appID("com.example.gamma")));
    EXPECT_EQ(decodeLaunchCounts(harness.stored(WindowSettings::countKey)).size(), 1u);
}

TEST(WindowStateLoading, AFolderAwayForAMomentKeepsLaunchHistory) {
    orbitdeck::testing::TemporaryFolder folders;
    const std::filesystem::path root = folders / "Applications";
    makeBundle(root / "Notes.app", {.identifier = "com.example.notes", .name = "Notes"});
    makeBundle(root / "Tools/Clock.app", {.identifier = "com.example.clock", .name = "Clock"});
    // Later: a volume an earlier run listed, not mounted yet. Never: a folder this machine
    // never had (as /Applications on most Linux systems).
    const LiveCatalog catalog({.roots = {root, folders / "Later", folders / "Never"}});
    WindowHarness harness;
    harness.scanCatalog = [&catalog] { return catalogScanOf(catalog.applications()); };
    harness.setStored(
        WindowSettings::listedFoldersKey,
        QByteArray::fromStdString("[\"" + standardizedPath(folders / "Later") + "\"]"));
    harness.setStored(WindowSettings::lastOpenedKey,
                      R"({"bundle:com.example.notes":10,"bundle:com.example.clock":20})");
    harness.setStored(WindowSettings::countKey,
                      R"({"bundle:com.example.notes":3,"bundle:com.example.clock":4})");
    AmbergridWindow& window = harness.load();
    ASSERT_EQ(window.library()->apps().size(), 2u);
    const QByteArray dates = harness.stored(WindowSettings::lastOpenedKey);
    const QByteArray counts = harness.stored(WindowSettings::countKey);
    ASSERT_TRUE(harness.watcher.onChange);

    const auto refreshFromWatcher = [&](std::size_t expectedApps) {
        harness.watcher.onChange();
        return harness.waitUntil([&] { return window.library()->apps().size() == expectedApps; });
    };
    std::filesystem::rename(root, folders / "Applications.moving");
    EXPECT_TRUE(refreshFromWatcher(0));
    EXPECT_EQ(window.library()->launchCounts().size(), 2u);
    std::filesystem::rename(folders / "Applications.moving", root);
    EXPECT_TRUE(refreshFromWatcher(2));
    EXPECT_FALSE(window.toasts()->visible()) << "what came back is not announced as new";
    EXPECT_EQ(harness.stored(WindowSettings::lastOpenedKey), dates);
    EXPECT_EQ(harness.stored(WindowSettings::countKey), counts);
    EXPECT_EQ(window.library()->launchCounts().size(), 2u);

    // A folder that cannot be listed counts as away as well; a real removal still prunes.
    if (::geteuid() != 0) {
        std::filesystem::permissions(root, std::filesystem::perms::none);
        EXPECT_TRUE(refreshFromWatcher(0));
        std::filesystem::permissions(root, std::filesystem::perms::owner_all);
        EXPECT_EQ(harness.stored(WindowSettings::countKey), counts);
    }
    // So does a root missing at this start that an earlier run listed.
    std::filesystem::remove_all(root / "Tools");
    EXPECT_TRUE(refreshFromWatcher(1));
    EXPECT_EQ(harness.stored(WindowSettings::countKey), counts);
    // With every root there that was ever listed, a real removal prunes.
    std::filesystem::create_directories(folders / "Later");
    makeBundle(root / "Maps.app", {.identifier = "com.example.maps", .name = "Maps"});
    EXPECT_TRUE(refreshFromWatcher(2));
    EXPECT_EQ(decodeLaunchCounts(harness.stored(WindowSettings::countKey)).size(), 1u);
    EXPECT_EQ(window.toasts()->text(), QStringLiteral("New app: “Maps”"));
}

TEST(WindowStateLoading, AnotherWritersHiddenAppsAndLaunchCountsAreKept) {
    WindowHarness harness;
    harness.catalog.setApps(threeApps());
    harness.setStored(WindowSettings::countKey, R"({"bundle:com.example.alpha":2})");
    AmbergridWindow& window = harness.load();
    ASSERT_EQ(window.tiles()->count(), 3);

    // A second copy of the launcher on the same file hides Gamma and counts a launch of Beta.
    DefaultsStore other(harness.home.filePath("orbitdeck.plist"));
    other.setValue(QString::fromLatin1(WindowSettings::hiddenKey),
                   DefaultsValue{QByteArray(R"(["bundle:com.example.gamma"])")});
    other.setValue(
        QString::fromLatin1(WindowSettings::countKey),
        DefaultsValue{QByteArray(R"({"bundle:com.example.alpha":2,"bundle:com.example.beta":1})")});
    ASSERT_TRUE(harness.waitUntil([&] { return window.tiles()->count() == 2; }))
        << "the other copy's hidden app stays on the grid";
    EXPECT_TRUE(window.library()->hiddenIDs().contains(appID("com.example.gamma")));
    EXPECT_EQ(window.library()->launchCounts().at(appID("com.example.beta")), 1);

    // This copy's own changes go on top of them, not over them.
    HiddenIDs hidden = window.library()->hiddenIDs();
    hidden.insert(appID("com.example.alpha"));
    window.storeHidden(std::move(hidden));
    EXPECT_EQ(window.tiles()->count(), 1);
    auto counts = window.library()->launchCounts();
    ++counts[appID("com.example.alpha")];
    window.library()->setLaunchCounts(std::move(counts));
    window.storeLaunchData();
    other.reloadIfChanged();
    EXPECT_EQ(
        decodeHiddenIDs(
            other.dataValue(QString::fromLatin1(WindowSettings::hiddenKey)).value_or(QByteArray())),
        (HiddenIDs{appID("com.example.alpha"), appID("com.example.gamma")}));
    const LaunchCounts stored = decodeLaunchCounts(
        other.dataValue(QString::fromLatin1(WindowSettings::countKey)).value_or(QByteArray()));
    EXPECT_EQ(stored,
              (LaunchCounts{{appID("com.example.alpha"), 3}, {appID("com.example.beta"), 1}}));
}

TEST(WindowStateLoading, RefreshWaitsForTheLoadAndDropsAStaleResult) {
    WindowHarness harness;
    harness.catalog.setApps(threeApps());
    AmbergridWindow& window = harness.make();
    harness.refresh(false);
    EXPECT_EQ(harness.catalog.scans(), 0) << "nothing is scanned before the first load";
    harness.load();

    const auto slow = harness.catalog.gateNextScan();
    const auto fast = harness.catalog.gateNextScan();
    bool slowDone = false;
    bool fastDone = false;
    window.loader().refreshApps(true, [&] { slowDone = true; });
    ASSERT_TRUE(harness.waitUntil([&] { return harness.catalog.scans() == 2; }));
    window.loader().refreshApps(true, [&] { fastDone = true; });
    ASSERT_TRUE(harness.waitUntil([&] { return harness.catalog.scans() == 3; }));

    fast->set_value(CatalogScan{.apps = {app("Newer", "com.example.newer")}, .complete = true});
    ASSERT_TRUE(harness.waitUntil([&] { return fastDone; }));
    slow->set_value(CatalogScan{.apps = {app("Older", "com.example.older")}, .complete = true});
    ASSERT_TRUE(harness.waitUntil([&] { return slowDone; }));
    ASSERT_EQ(window.library()->apps().size(), 1u);
    EXPECT_EQ(window.library()->apps().front().displayName(), "Newer");
}

TEST(WindowStateLoading, DatesAddedAreScannedAtTheFirstLoadAndWhenTheSortTurnsToAdded) {
    const auto added =
        std::chrono::system_clock::time_point(std::chrono::seconds(fixedUnixSeconds));
    std::mutex mutex;
    std::vector<std::size_t> scans; // the number of applications each scan was given
    const auto scanCount = [&] {
        std::lock_guard lock(mutex);
        return scans.size();
    };
    const auto recordingScanner = [&](const std::vector<AppDescriptor>& apps) {
        std::lock_guard lock(mutex);
        scans.push_back(apps.size());
        return AppDates{{appID("com.example.beta"), added + std::chrono::hours(scans.size())}};
    };
    {
        // Not sorted by date added: nothing is scanned until the sort turns to it.
        WindowHarness harness;
        harness.catalog.setApps(threeApps());
        harness.scanAddedDates = recordingScanner;
        AmbergridWindow& window = harness.load();
        EXPECT_EQ(scanCount(), 0u);
        window.settings()->setSortValue(LibrarySort::name);
        EXPECT_EQ(scanCount(), 0u);
        window.settings()->setSortValue(LibrarySort::added);
        ASSERT_TRUE(harness.waitUntil([&] { return !window.library()->addedDates().empty(); }));
        EXPECT_EQ(scans, std::vector<std::size_t>{3});
    }
    scans.clear();
    WindowHarness harness;
    harness.catalog.setApps(threeApps());
    harness.scanAddedDates = recordingScanner;
    harness.store->setValue(orbitdeck::settings::sort.key(),
                            DefaultsValue{QStringLiteral("added")});
    AmbergridWindow& window = harness.load();
    // The first load waits for the scan of the listed applications.
    EXPECT_EQ(scans, std::vector<std::size_t>{3});
    EXPECT_EQ(window.library()->addedDates(),
              (AppDates{{appID("com.example.beta"), added + std::chrono::hours(1)}}));
    // Later refreshes keep the dates; only turning the sort to "added" again rescans.
    harness.catalog.setApps({app("Delta", "com.example.delta")});
    harness.refresh(false);
    EXPECT_EQ(scanCount(), 1u);
    window.settings()->setSortValue(LibrarySort::recent);
    window.settings()->setSortValue(LibrarySort::added);
    ASSERT_TRUE(harness.waitUntil([&] {
        return window.library()->addedDates().contains(appID("com.example.beta")) &&
               window.library()->addedDates().at(appID("com.example.beta")) ==
                   added + std::chrono::hours(2);
    }));
    EXPECT_EQ(scans, (std::vector<std::size_t>{3, 1}));
}

TEST(WindowStateLoading, TheScanIndexesForTheHiddenSetOfWhenItIsApplied) {
    WindowHarness harness;
    harness.catalog.setApps(threeApps());
    AmbergridWindow& window = harness.make();
    harness.load();
    const std::string gamma = appID("com.example.gamma");
    EXPECT_EQ(window.library()->search("Gamma"), std::vector<std::string>{gamma});

    // Hidden while the refresh scan runs: the index made beside the scan is out of date.
    const auto gate = harness.catalog.gateNextScan();
    bool done = false;
    window.loader().refreshApps(true, [&] { done = true; });
    ASSERT_TRUE(harness.waitUntil([&] { return harness.catalog.scans() == 2; }));
    window.library()->assignHidden({gamma});
    gate->set_value(CatalogScan{.apps = threeApps(), .complete = true});
    ASSERT_TRUE(harness.waitUntil([&] { return done; }));
    EXPECT_TRUE(window.library()->search("Gamma").empty());
    EXPECT_EQ(window.library()->search("Beta"),
              std::vector<std::string>{appID("com.example.beta")});
}

TEST(WindowStateLoading, WatcherAndActivationRefreshTheList) {
    WindowHarness harness;
    harness.catalog.setApps(threeApps());
    AmbergridWindow& window = harness.load();
    ASSERT_TRUE(harness.watcher.onChange);
    const int afterLoad = harness.catalog.scans();
    harness.watcher.onChange();
    ASSERT_TRUE(harness.waitUntil([&] { return harness.catalog.scans() == afterLoad + 1; }));

    // Scans run on a worker thread: wait for the expected count, then make sure no more came.
    const auto scansSettleAt = [&](int expected) {
        harness.waitUntil([&] { return harness.catalog.scans() >= expected; }, 2000);
        harness.waitUntil([] { return false; }, 50);
        return harness.catalog.scans() == expected;
    };
    const int scans = harness.catalog.scans();
    window.actions()->applicationDidBecomeActive();
    harness.scheduler.advance(349ms);
    EXPECT_TRUE(scansSettleAt(scans));
    harness.scheduler.advance(1ms);
    EXPECT_TRUE(scansSettleAt(scans + 1)) << "the first activation always reloads";

    window.actions()->applicationDidBecomeActive();
    harness.scheduler.advance(10s);
    EXPECT_TRUE(scansSettleAt(scans + 1)) << "within 20 s only the wallpaper";

    harness.scheduler.advance(11s);
    harness.presentation.active = false;
    window.actions()->applicationDidBecomeActive();
    harness.scheduler.advance(1s);
    EXPECT_TRUE(scansSettleAt(scans + 1)) << "no longer active after the wait";

    harness.presentation.active = true;
    window.actions()->applicationDidBecomeActive();
    harness.scheduler.advance(1s);
    EXPECT_TRUE(scansSettleAt(scans + 2));
}
