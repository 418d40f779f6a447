#include "window_state_harness.h"

#include "platform/standard_defaults.h"
#include "window/app_entry.h"
#include "window/library_command.h"
#include "window/localization.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using namespace orbitdeck;
using namespace orbitdeck::testing;

namespace {

std::vector<AppDescriptor> manyApps(int count) {
    std::vector<AppDescriptor> apps;
    for (int index = 0; index < count; ++index) {
        const std::string name = "App " + std::to_string(100 + index);
        apps.push_back(app(name, "com.example.app" + std::to_string(index)));
    }
    return apps;
}

} // namespace

TEST(WindowStateLifecycle, PagesFollowSearchSortBrowsingAndTheRememberedPage) {
    WindowHarness harness;
    harness.catalog.setApps(manyApps(100));
    harness.store->setValue("ambergrid.rememberPage", DefaultsValue{true});
    harness.store->setValue("ambergrid.savedPage", DefaultsValue{qint64{2}});
    // As the launcher starts: the window appears first, the library loads after.
    AmbergridWindow& window = harness.make();
    window.windowDidAppear();
    EXPECT_EQ(window.paging()->page(), 2) << "the remembered page, before any tile arrived";
    EXPECT_TRUE(window.search()->searchFocused());
    EXPECT_EQ(harness.presentation.installs, 1);
    harness.load();
    EXPECT_EQ(window.pageCount(), 3) << "100 tiles at 42 a page";
    EXPECT_EQ(window.paging()->page(), 2) << "the load keeps the remembered page";
    EXPECT_EQ(window.settings()->savedPage(), 2);

    harness.store->setValue("ambergrid.savedPage", DefaultsValue{qint64{-3}});
    window.windowDidAppear();
    EXPECT_EQ(window.paging()->page(), 0) << "a negative stored page reads as 0";

    window.paging()->setPage(2);
    EXPECT_EQ(window.settings()->savedPage(), 2);
    window.search()->setQuery("App 1");
    EXPECT_EQ(window.paging()->page(), 0);
    window.paging()->setPage(1);
    EXPECT_EQ(window.settings()->savedPage(), 2) << "pages seen while searching are not kept";
    window.search()->setQuery("App 10");
    EXPECT_EQ(window.search()->pageBeforeSearch(), 2);
    window.search()->setQuery(" ");
    EXPECT_EQ(window.paging()->page(), 2) << "the search ends where it began";

    window.settings()->setSortValue(LibrarySort::manual);
    EXPECT_EQ(window.paging()->page(), 2);
    window.settings()->setSortValue(LibrarySort::name);
    EXPECT_EQ(window.paging()->page(), 0);
    window.paging()->setPage(1);
    window.settings()->setBrowsingValue(LibraryBrowsing::scroll);
    EXPECT_EQ(window.paging()->page(), 0);
    EXPECT_EQ(window.pageCount(), 1);
}

TEST(WindowStateLifecycle, WindowActionsAndNotifications) {
    WindowHarness harness;
    harness.catalog.setApps(manyApps(3));
    AmbergridWindow& window = harness.load();
    WindowActions& actions = *window.actions();
    QSignalSpy apply(window.lifecycle(), &WindowLifecycle::applyPendingStartupModeRequested);

    actions.toggleFullScreen();
    EXPECT_EQ(window.settings()->startModeValue(), LibraryStartup::fullscreen);
    window.lifecycle()->setFullScreen(true);
    actions.toggleFullScreen();
    EXPECT_EQ(window.settings()->startModeValue(), LibraryStartup::window);
    EXPECT_EQ(window.lifecycle()->pendingMode(), LibraryStartup::window);
    EXPECT_EQ(apply.count(), 2);

    // The sheet closes first; the mode follows once the main thread has yielded.
    window.lifecycle()->setAppearanceOpen(true);
    actions.changeStartMode(LibraryStartup::fullscreen);
    EXPECT_FALSE(window.lifecycle()->appearanceOpen());
    EXPECT_EQ(apply.count(), 2);
    harness.scheduler.advance(0ms);
    EXPECT_EQ(apply.count(), 3);
    EXPECT_EQ(window.lifecycle()->pendingMode(), LibraryStartup::fullscreen);
    EXPECT_EQ(window.lifecycle()->pendingModeName(), "fullscreen") << "as the report shows it";
    window.lifecycle()->setAppearanceOpen(true);
    actions.changeStartMode(static_cast<LibraryStartup>(2));
    harness.scheduler.advance(0ms);
    EXPECT_TRUE(window.lifecycle()->appearanceOpen()) << "a value that is no mode does nothing";
    EXPECT_EQ(apply.count(), 3);
    window.lifecycle()->setAppearanceOpen(false);

    actions.handleLibraryCommand(LibraryCommand::settings);
    EXPECT_TRUE(window.lifecycle()->appearanceOpen());
    QSignalSpy welcome(&actions, &WindowActions::welcomeRequested);
    actions.handleLibraryCommand(LibraryCommand::welcome);
    EXPECT_EQ(welcome.count(), 1);

    // The application's commands arrive through the notification, after their delay.
    window.lifecycle()->setAppearanceOpen(false);
    postLibraryCommand(harness.scheduler, LibraryCommand::settings, 350ms);
    harness.scheduler.advance(349ms);
    EXPECT_FALSE(window.lifecycle()->appearanceOpen());
    harness.scheduler.advance(1ms);
    EXPECT_TRUE(window.lifecycle()->appearanceOpen());
    postLibraryCommand(harness.scheduler, LibraryCommand::welcome, 0ms);
    EXPECT_EQ(welcome.count(), 2);

    window.selection()->setArranging(true);
    window.selection()->setSelectedItem(LayoutItem::application("x"));
    actions.libraryDidHide();
    EXPECT_FALSE(window.selection()->arranging());
    EXPECT_FALSE(window.selection()->selectedItem());

    // The manual refresh: quiet, arranging and selections gone, its own toast.
    harness.catalog.setApps(manyApps(4));
    window.selection()->setArranging(true);
    actions.refreshLibrary();
    ASSERT_TRUE(harness.waitUntil([&] { return window.toasts()->visible(); }));
    EXPECT_EQ(window.toasts()->text(), "Refreshed · 4 apps");
    EXPECT_FALSE(window.selection()->arranging());
    EXPECT_EQ(window.tiles()->count(), 4);
}

TEST(WindowStateLifecycle, DismissingHidesThroughThePresentation) {
    WindowHarness harness;
    AmbergridWindow& window = harness.load();
    window.search()->setQuery("abc");
    window.selection()->setArranging(true);
    window.dismissLibrary();
    EXPECT_TRUE(window.search()->query().isEmpty());
    EXPECT_FALSE(window.selection()->arranging());
    EXPECT_EQ(harness.presentation.hides, 1);
    EXPECT_FALSE(harness.presentation.lastHideImmediate);
    EXPECT_DOUBLE_EQ(window.lifecycle()->libraryScale(), 1.06);
    EXPECT_EQ(window.lifecycle()->libraryScaleMotion(), WindowLifecycle::ScaleMotion::easeIn);
    harness.scheduler.advance(320ms);
    EXPECT_DOUBLE_EQ(window.lifecycle()->libraryScale(), 1.0);
    EXPECT_EQ(window.lifecycle()->libraryScaleMotion(), WindowLifecycle::ScaleMotion::none)
        << "back without animation";

    // Without motion: at once and without the zoom.
    window.settings()->setEffectsValue(LibraryEffects::off);
    window.dismissLibrary();
    EXPECT_TRUE(harness.presentation.lastHideImmediate);
    EXPECT_DOUBLE_EQ(window.lifecycle()->libraryScale(), 1.0);

    // While a fade-out runs nothing happens.
    harness.presentation.hiding = true;
    window.search()->setQuery("kept");
    window.dismissLibrary();
    EXPECT_EQ(window.search()->query(), "kept");
    EXPECT_EQ(harness.presentation.hides, 2);
}

TEST(WindowStateLifecycle, StoreSearchGoesToTheSoftwareCentreAsTyped) {
    {
        SCOPED_TRACE("no software centre: nothing to offer, the button still only hides");
        WindowHarness harness;
        AmbergridWindow& window = harness.load();
        EXPECT_FALSE(window.canSearchAppStore());
        window.search()->setQuery("zzz");
        window.searchAppStore();
        EXPECT_EQ(harness.presentation.hides, 1);
    }
    WindowHarness harness;
    std::vector<QString> searched;
    bool starts = true;
    harness.searchSoftware = [&](const QString& query) {
        searched.push_back(query);
        return starts;
    };
    AmbergridWindow& window = harness.load();
    EXPECT_TRUE(window.canSearchAppStore());
    {
        SCOPED_TRACE("the query exactly as typed, spaces and quotes included");
        const QString typed = QString::fromUtf8("  c++ & \"tools\" 'x' 微信 ");
        window.search()->setQuery(typed);
        window.searchAppStore();
        EXPECT_EQ(searched, std::vector<QString>{typed});
        EXPECT_TRUE(window.search()->query().isEmpty());
        EXPECT_EQ(harness.presentation.hides, 1);
    }
    {
        SCOPED_TRACE("a software centre that does not start still dismisses");
        starts = false;
        harness.presentation.shown = true;
        window.search()->setQuery("abc");
        window.searchAppStore();
        EXPECT_EQ(searched.size(), 2u);
        EXPECT_EQ(harness.presentation.hides, 2);
    }
}

TEST(WindowStateLifecycle, LookupTablesAndTheItemsTheGridShows) {
    WindowHarness harness;
    harness.catalog.setApps({app("First", "com.example.same", "/Applications/First.app"),
                             app("Second", "com.example.same", "/Applications/Second.app"),
                             app("Other", "com.example.other")});
    // A placeholder shows only while its identity is installed, as an application would.
    harness.setStored(WindowSettings::layoutKey,
                      R"({"items":[{"placeholder":{"_0":"bundle:com.example.gone"}},)"
                      R"({"placeholder":{"_0":"bundle:com.example.same"}}],"folders":[]})");
    AmbergridWindow& window = harness.load();
    EXPECT_EQ(window.visible().visibleItems(),
              (std::vector{LayoutItem::placeholder(appID("com.example.same")),
                           LayoutItem::application(appID("com.example.other"))}));
    EXPECT_EQ(window.library()->displayName(appID("com.example.same")), "First");
    window.storeHidden({appID("com.example.other")});
    EXPECT_TRUE(window.library()->app(appID("com.example.other"))) << "hidden stays in byID";
    EXPECT_TRUE(window.library()->search("Other").empty()) << "but leaves the index";
    EXPECT_EQ(window.visible().visibleItems(),
              std::vector{LayoutItem::placeholder(appID("com.example.same"))});
    EXPECT_EQ(window.library()->hiddenAppRows(),
              (std::vector<HiddenAppRow>{{.id = appID("com.example.other"), .name = "Other"}}));
}

TEST(WindowStateLifecycle, TheEntryMigratesBeforeTheWindowAndAttachesExtensions) {
    ensureApplication();
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    std::vector<std::string> order;
    {
        AppEntry entry(AppEntry::Seams{.presentation = nullptr,
                                       .watcher = nullptr,
                                       .migrateLegacyDefaults =
                                           [&](DefaultsStore& store) {
                                               order.push_back("migrate");
                                               store.setValue(
                                                   "ambergrid.skin",
                                                   DefaultsValue{QStringLiteral("dusk")});
                                           }},
                       {[&](AmbergridWindow& window) {
                           order.push_back("extension:" +
                                           rawValue(window.settings()->skinValue()).toStdString());
                       }});
        EXPECT_TRUE(entry.defaults().filePath().startsWith(config.path()));

        // Direct readers (menus, toasts) see a language chosen through the window's settings,
        // and a key they write survives the window's next write.
        EXPECT_EQ(&entry.defaults(), &standardDefaults());
        entry.window().settings()->setLanguageValue(LibraryLanguage::german);
        EXPECT_EQ(currentLanguage(), LibraryLanguage::german);
        standardDefaults().setValue("ambergrid.appIcon", DefaultsValue{QStringLiteral("mint")});
        entry.window().settings()->setLabels(false);
        EXPECT_EQ(DefaultsStore(entry.defaults().filePath()).stringValue("ambergrid.appIcon"),
                  "mint");
    }
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(order, (std::vector<std::string>{"migrate", "extension:dusk"}));
}

TEST(WindowStateLifecycle, ShowingAgainSettlesFromTheOpenZoomOnlyWithFluidMotion) {
    WindowHarness harness;
    AmbergridWindow& window = harness.load();
    using Motion = WindowLifecycle::ScaleMotion;
    std::vector<std::pair<double, Motion>> steps;
    QObject::connect(window.lifecycle(), &WindowLifecycle::libraryScaleChanged, [&] {
        steps.emplace_back(window.lifecycle()->libraryScale(),
                           window.lifecycle()->libraryScaleMotion());
    });
    window.actions()->playOpenAnimation();
    EXPECT_EQ(steps, (std::vector<std::pair<double, Motion>>{{1.08, Motion::none},
                                                             {1.0, Motion::spring}}));

    for (const LibraryEffects effects : {LibraryEffects::reduced, LibraryEffects::off}) {
        steps.clear();
        window.settings()->setEffectsValue(effects);
        window.actions()->playOpenAnimation();
        EXPECT_TRUE(steps.empty()) << rawValue(effects).toStdString();
    }
    window.settings()->setEffectsValue(LibraryEffects::fluid);
    window.settings()->setReduceMotion(true);
    window.actions()->playOpenAnimation();
    EXPECT_TRUE(steps.empty());
}
