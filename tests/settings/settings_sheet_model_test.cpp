#include "settings/settings_sheet_model.h"

#include "fake_sheet_services.h"
#include "window/window_state_harness.h"

#include <gtest/gtest.h>

using namespace orbitdeck;
using namespace orbitdeck::testing;

namespace {

struct SheetFixture {
    SheetFixture() {
        harness.make();
        model.setWindow(harness.window.get());
    }
    WindowSettings& settings() { return *harness.window->settings(); }

    FakeSheetServices services;
    WindowHarness harness;
    SettingsSheetModel model;
};

} // namespace

TEST(SettingsSheetModel, OpenAtLoginShowsTheStatusReadBackAndTheLastError) {
    {
        SheetFixture sheet;
        sheet.services.login.error = QStringLiteral("Autostart folder is read-only");
        sheet.model.setOpenAtLogin(true);
        EXPECT_EQ(sheet.services.login.registers, 1);
        EXPECT_FALSE(sheet.model.openAtLogin());
        EXPECT_EQ(sheet.model.loginError(), "Autostart folder is read-only");

        // A later successful switch clears the error line.
        sheet.services.login.error.reset();
        sheet.model.setOpenAtLogin(true);
        EXPECT_TRUE(sheet.model.openAtLogin());
        EXPECT_TRUE(sheet.model.loginError().isEmpty());

        sheet.model.setOpenAtLogin(false);
        EXPECT_EQ(sheet.services.login.unregisters, 1);
        EXPECT_FALSE(sheet.model.openAtLogin());
    }
    {
        // Accepted but still awaiting approval: the switch stays off, with no error.
        SheetFixture sheet;
        sheet.services.login.statusAfterRegister = LoginItemStatus::requiresApproval;
        sheet.model.setOpenAtLogin(true);
        EXPECT_FALSE(sheet.model.openAtLogin());
        EXPECT_TRUE(sheet.model.loginError().isEmpty());
    }
    {
        // Read when the sheet is made, not again until the next presentation.
        FakeSheetServices services;
        services.login.currentStatus = LoginItemStatus::enabled;
        WindowHarness harness;
        harness.make();
        SettingsSheetModel model;
        model.setWindow(harness.window.get());
        EXPECT_TRUE(model.openAtLogin());
        services.login.currentStatus = LoginItemStatus::notRegistered;
        model.refreshAccessibility();
        EXPECT_TRUE(model.openAtLogin());
    }
}

TEST(SettingsSheetModel, CustomIconSizeStartsFromTheDensityEachTimeItIsSwitchedOn) {
    SheetFixture sheet;
    sheet.settings().setDensityValue(LibraryDensity::large);
    sheet.model.setCustomIconSize(true);
    EXPECT_EQ(sheet.settings().customIconSize(), 76);
    EXPECT_EQ(sheet.settings().effectiveIconSize(), 76);

    sheet.model.setIconSizeFromSlider(90.7);
    EXPECT_EQ(sheet.settings().customIconSize(), 90);

    sheet.model.setCustomIconSize(false);
    EXPECT_EQ(sheet.settings().customIconSize(), 0);
    sheet.model.setCustomIconSize(true);
    EXPECT_EQ(sheet.settings().customIconSize(), 76); // not the last slider position

    // An unreadable density seeds from the default density.
    sheet.harness.store->setValue(QStringLiteral("ambergrid.density"), QStringLiteral("huge"));
    sheet.model.setCustomIconSize(true);
    EXPECT_EQ(sheet.settings().customIconSize(), 62);
}

TEST(SettingsSheetModel, WindowActionsCloseTheSheetAndApplyTheMode) {
    SheetFixture sheet;
    WindowLifecycle& lifecycle = *sheet.harness.window->lifecycle();
    {
        lifecycle.setAppearanceOpen(true);
        sheet.model.close();
        EXPECT_FALSE(lifecycle.appearanceOpen());
    }
    {
        // The mode already chosen still closes the sheet and is applied again.
        int applied = 0;
        QObject::connect(&lifecycle, &WindowLifecycle::applyPendingStartupModeRequested,
                         [&applied] { ++applied; });
        lifecycle.setAppearanceOpen(true);
        sheet.model.changeMode(LibraryStartup::fullscreen);
        EXPECT_FALSE(lifecycle.appearanceOpen());
        sheet.harness.scheduler.advance(std::chrono::milliseconds(1));
        EXPECT_EQ(applied, 1);
        EXPECT_EQ(lifecycle.pendingMode(), LibraryStartup::fullscreen);

        lifecycle.setAppearanceOpen(true);
        sheet.model.changeMode(LibraryStartup::window);
        sheet.harness.scheduler.advance(std::chrono::milliseconds(1));
        EXPECT_EQ(sheet.settings().startModeValue(), LibraryStartup::window);
        EXPECT_EQ(applied, 2);
    }
    {
        SCOPED_TRACE("without the modules that run them, organise and unhide change nothing");
        AmbergridWindow& window = *sheet.harness.window;
        window.storeHidden(HiddenIDs{"com.example.hidden"});
        const QByteArray layout = sheet.settings().data(WindowSettings::layoutKey);
        const LibrarySort sort = sheet.settings().sortValue();
        sheet.model.organize(QStringLiteral("sortByName"));
        sheet.model.organize(QStringLiteral("welcome"));
        sheet.model.unhide(QStringLiteral("com.example.hidden"));
        sheet.harness.scheduler.advance(std::chrono::seconds(1));
        EXPECT_TRUE(window.library()->hiddenIDs().contains("com.example.hidden"));
        EXPECT_EQ(sheet.settings().data(WindowSettings::layoutKey), layout);
        EXPECT_EQ(sheet.settings().sortValue(), sort);
        EXPECT_TRUE(lifecycle.uninstallError().isEmpty());
    }
}

TEST(SettingsSheetModel, FollowsTheWindowsWallpaperStateAndAccessibilityTrust) {
    SheetFixture sheet;
    EXPECT_FALSE(sheet.model.wallpaperUnavailable());
    int changes = 0;
    QObject::connect(&sheet.model, &SettingsSheetModel::windowStateChanged,
                     [&changes] { ++changes; });
    sheet.harness.window->lifecycle()->setWallpaperUnavailable(true);
    EXPECT_TRUE(sheet.model.wallpaperUnavailable());
    EXPECT_EQ(changes, 1);

    // The footnote says what the session allows: nothing to grant on X11, a desktop binding
    // on Wayland.
    EXPECT_TRUE(sheet.model.shortcutsFootnote().contains("X11"));
    sheet.harness.window->lifecycle()->setWaylandSession(true);
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(sheet.model.shortcutsFootnote().contains("“orbitdeck --toggle”"));

    EXPECT_FALSE(sheet.model.accessibilityGranted());
    sheet.services.trust.trusted = true;
    sheet.model.refreshAccessibility();
    EXPECT_TRUE(sheet.model.accessibilityGranted());
}

TEST(SettingsSheetModel, TheRunningSystemAlwaysHasAnUpdateCheck) {
    // Without an in-app updater the check opens the download page, so the button is never
    // left disabled; the fakes replace only what the running system installs.
    FakeSheetServices services;
    EXPECT_TRUE(static_cast<bool>(services.previous.checkForUpdates));
    SheetFixture sheet;
    EXPECT_FALSE(sheet.model.canCheckForUpdates());
    int checks = 0;
    SettingsSheetServices::current().checkForUpdates = [&checks] { ++checks; };
    EXPECT_TRUE(sheet.model.canCheckForUpdates());
    sheet.model.checkForUpdates();
    EXPECT_EQ(checks, 1);
}

TEST(SettingsSheetModel, PickersListTheirCasesInDeclarationOrder) {
    SheetFixture sheet;
    const QVariantList languages = sheet.model.languageChoices();
    ASSERT_EQ(languages.size(), 12);
    EXPECT_EQ(languages.front().toMap().value("value"), static_cast<int>(LibraryLanguage::system));
    EXPECT_EQ(languages[1].toMap().value("value"), static_cast<int>(LibraryLanguage::english));
    EXPECT_EQ(languages[1].toMap().value("title"), "English");
    EXPECT_EQ(languages.back().toMap().value("value"), static_cast<int>(LibraryLanguage::russian));

    const QVariantList columns = sheet.model.columnChoices();
    ASSERT_EQ(columns.size(), 10);
    EXPECT_EQ(columns.front().toMap().value("titleIsKey"), true);
    EXPECT_EQ(columns.back().toMap().value("value"), 12);
}

TEST(SheetSettings, ReadsDefaultsForMissingOrUnknownValuesAndIgnoresUnknownCases) {
    SheetFixture sheet;
    SheetSettings& stored = *sheet.model.sheetSettings();
    DefaultsStore& store = *sheet.harness.store;
    {
        EXPECT_EQ(stored.tab(), LibraryAppearanceTab::general);
        store.setValue(QStringLiteral("ambergrid.settingsTab"), QStringLiteral("advanced"));
        EXPECT_EQ(stored.tab(), LibraryAppearanceTab::general);
        stored.setTab(LibraryAppearanceTab::grid);
        EXPECT_EQ(store.stringValue(QStringLiteral("ambergrid.settingsTab")), "grid");
        stored.setTab(static_cast<LibraryAppearanceTab>(-1));
        EXPECT_EQ(stored.tab(), LibraryAppearanceTab::grid);
    }
    {
        EXPECT_TRUE(stored.menuBarIcon());
        EXPECT_EQ(stored.hotCorner(), HotCorner::off);
        EXPECT_FALSE(stored.pinchToOpen());
        EXPECT_FALSE(stored.f4Key());
        EXPECT_EQ(stored.appIcon(), AppIconStyle::midnight);
        store.setValue(QStringLiteral("ambergrid.menuBarIcon"), QStringLiteral("yes"));
        EXPECT_TRUE(stored.menuBarIcon());
    }
    {
        // Every write is stored at once and signalled once, whoever wrote it.
        int cornerChanges = 0;
        QObject::connect(&stored, &SheetSettings::hotCornerChanged,
                         [&cornerChanges] { ++cornerChanges; });
        stored.setHotCorner(HotCorner::topLeft);
        EXPECT_EQ(store.stringValue(QStringLiteral("ambergrid.hotCorner")), "topLeft");
        store.setValue(QStringLiteral("ambergrid.hotCorner"), QStringLiteral("bottomRight"));
        EXPECT_EQ(stored.hotCorner(), HotCorner::bottomRight);
        EXPECT_EQ(cornerChanges, 2);
        // A number that is no corner, as QML may hand over, changes nothing.
        stored.setHotCorner(static_cast<HotCorner>(99));
        EXPECT_EQ(stored.hotCorner(), HotCorner::bottomRight);
        EXPECT_EQ(cornerChanges, 2);
        stored.setF4Key(true);
        stored.setPinchToOpen(true);
        stored.setMenuBarIcon(false);
        EXPECT_EQ(store.boolValue(QStringLiteral("ambergrid.f4Key")), true);
        EXPECT_EQ(store.boolValue(QStringLiteral("ambergrid.pinchToOpen")), true);
        EXPECT_EQ(store.boolValue(QStringLiteral("ambergrid.menuBarIcon")), false);
    }
}
