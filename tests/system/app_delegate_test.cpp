#include "platform/app_updater.h"
#include "platform/defaults_store.h"
#include "platform/scheduler.h"
#include "support/temp_config_home.h"
#include "system/app_delegate.h"
#include "window/window_seams.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using orbitdeck::AmbergridAppDelegate;
using orbitdeck::AppUpdater;
using orbitdeck::DefaultsStore;
using orbitdeck::LibraryCommand;
using orbitdeck::LibraryCommandCenter;
using orbitdeck::StatusArea;
using orbitdeck::StatusItem;
using orbitdeck::StatusItemSpec;
using orbitdeck::StatusMenuEntry;
using orbitdeck::VirtualScheduler;

namespace {

class FakeStatusArea final : public StatusArea {
public:
    class Item final : public StatusItem {
    public:
        explicit Item(FakeStatusArea& area)
            : area_(area) {
            ++area_.alive;
        }
        ~Item() override { --area_.alive; }

    private:
        FakeStatusArea& area_;
    };

    std::unique_ptr<StatusItem> addItem(StatusItemSpec spec) override {
        ++added;
        last = std::move(spec);
        return std::make_unique<Item>(*this);
    }

    int added = 0;
    int alive = 0;
    StatusItemSpec last;
};

class FakePresentation final : public orbitdeck::LibraryPresentation {
public:
    bool isApplicationActive() const override { return true; }
    bool isWindowShown() const override { return shown; }
    bool isHiding() const override { return false; }
    bool hasWindow() const override { return window; }
    void hide(bool) override { shown = false; }
    void show(bool immediately) override {
        shows.push_back(immediately);
        shown = window;
    }
    void openWindow() override {}
    void installTriggerHandlers(std::function<void()>, orbitdeck::LibraryHotKey) override {}

    bool window = true;
    bool shown = false;
    std::vector<bool> shows;
};

struct DelegateWorld {
    TempConfigHome home;
    std::unique_ptr<DefaultsStore> defaults =
        DefaultsStore::openDomain(QStringLiteral("orbitdeck"));
    VirtualScheduler scheduler;
    FakeStatusArea area;
    FakePresentation presentation;
    std::vector<QUrl> opened;
    AppUpdater updater{{.infoValue = {},
                        .makeController = {},
                        .activate = {},
                        .openUrl = [this](const QUrl& url) { opened.push_back(url); },
                        .downloadPage = QStringLiteral("https://orbitdeck.app/download")}};
    int restarts = 0;
    int quits = 0;
    int iconsApplied = 0;

    std::unique_ptr<AmbergridAppDelegate> make(QString version = QStringLiteral("2.1")) {
        return std::make_unique<AmbergridAppDelegate>(AmbergridAppDelegate::Seams{
            .defaults = defaults.get(),
            .scheduler = &scheduler,
            .statusArea = &area,
            .presentation = &presentation,
            .updater = &updater,
            .applyApplicationIcon = [this] { ++iconsApplied; },
            .statusIcon = [] { return QImage(4, 4, QImage::Format_ARGB32); },
            .version = std::move(version),
            .restart = [this] { ++restarts; },
            .quit = [this] { ++quits; },
        });
    }
};

std::vector<QString> titles(const std::vector<StatusMenuEntry>& entries) {
    std::vector<QString> result;
    for (const StatusMenuEntry& entry : entries)
        result.push_back(entry.separator ? QStringLiteral("—") : entry.title);
    return result;
}

} // namespace

TEST(AppDelegate, StatusItemFollowsTheSetting) {
    DelegateWorld world;
    auto delegate = world.make();
    EXPECT_EQ(world.area.added, 0); // nothing before start-up
    delegate->applicationDidFinishLaunching();
    EXPECT_EQ(world.area.alive, 1);
    EXPECT_EQ(world.area.last.title, "Orbitdeck");
    EXPECT_FALSE(world.area.last.icon.isNull());

    world.defaults->setValue(QStringLiteral("ambergrid.menuBarIcon"), false);
    EXPECT_EQ(world.area.alive, 0);
    EXPECT_FALSE(delegate->hasStatusItem());
    world.defaults->remove(QStringLiteral("ambergrid.menuBarIcon")); // absent means shown
    EXPECT_EQ(world.area.alive, 1);

    // Writes that agree with the item, or hold no Boolean false, leave it alone.
    world.defaults->setValue(QStringLiteral("ambergrid.menuBarIcon"), true);
    world.defaults->setValue(QStringLiteral("ambergrid.menuBarIcon"), QStringLiteral("false"));
    world.defaults->setValue(QStringLiteral("ambergrid.skin"), QStringLiteral("dusk"));
    EXPECT_EQ(world.area.added, 2);
    EXPECT_EQ(world.area.alive, 1);

    delegate->applicationDidFinishLaunching(); // once only
    EXPECT_EQ(world.area.added, 2);
    EXPECT_EQ(world.iconsApplied, 1);
    delegate.reset();
    EXPECT_EQ(world.area.alive, 0);

    {
        // Switched off before start-up: no item until the setting turns it on.
        DelegateWorld off;
        off.defaults->setValue(QStringLiteral("ambergrid.menuBarIcon"), false);
        auto quiet = off.make();
        quiet->applicationDidFinishLaunching();
        EXPECT_EQ(off.area.added, 0);
        off.defaults->setValue(QStringLiteral("ambergrid.menuBarIcon"), true);
        EXPECT_EQ(off.area.alive, 1);
    }
}

TEST(AppDelegate, StatusMenuEntriesInOrder) {
    DelegateWorld world;
    auto delegate = world.make();
    const auto menu = delegate->statusMenu();
    EXPECT_EQ(titles(menu),
              (std::vector<QString>{"Open Orbitdeck", "Settings…", "Check for Updates…", "—",
                                    "Orbitdeck 2.1", "—", "Restart Orbitdeck", "Quit Orbitdeck"}));
    ASSERT_EQ(menu.size(), 8U);
    EXPECT_EQ(menu[1].key, ",");
    EXPECT_EQ(menu[7].key, "q");
    EXPECT_TRUE(menu[0].key.isEmpty());
    EXPECT_FALSE(menu[4].enabled); // the version line
    for (std::size_t i : {0U, 1U, 2U, 6U, 7U})
        EXPECT_TRUE(menu[i].enabled) << i;
    EXPECT_EQ(menu[0].id, AmbergridAppDelegate::open);
    EXPECT_EQ(menu[7].id, AmbergridAppDelegate::quit);

    // The titles follow the interface language each time; the version line stays as it is.
    world.defaults->setValue(QStringLiteral("ambergrid.language"), QStringLiteral("german"));
    const auto german = delegate->statusMenu();
    EXPECT_EQ(german[0].title, "Orbitdeck öffnen");
    EXPECT_EQ(german[4].title, "Orbitdeck 2.1");

    // Without a version the line reads "Orbitdeck " and nothing more.
    EXPECT_EQ(world.make(QString())->statusMenu()[4].title, "Orbitdeck ");
}

TEST(AppDelegate, MenuActionsReachWindowUpdaterAndProcess) {
    DelegateWorld world;
    auto delegate = world.make();
    QSignalSpy commands(&LibraryCommandCenter::shared(), &LibraryCommandCenter::commandPosted);

    // "Settings…" while hidden: the window comes first, the sheet 0.35 s later.
    delegate->perform(AmbergridAppDelegate::settings);
    EXPECT_EQ(world.presentation.shows, std::vector<bool>{false});
    EXPECT_TRUE(world.presentation.shown);
    world.scheduler.advance(349ms);
    EXPECT_EQ(commands.count(), 0);
    world.scheduler.advance(1ms);
    ASSERT_EQ(commands.count(), 1);
    EXPECT_EQ(commands[0][0].value<LibraryCommand>(), LibraryCommand::settings);

    delegate->perform(AmbergridAppDelegate::open);
    EXPECT_EQ(world.presentation.shows.size(), 2U);
    delegate->perform(AmbergridAppDelegate::updates);
    EXPECT_EQ(world.opened.size(), 1U);
    delegate->perform(AmbergridAppDelegate::restart);
    delegate->perform(AmbergridAppDelegate::quit);
    delegate->perform(0); // the version line has no action
    EXPECT_EQ(world.restarts, 1);
    EXPECT_EQ(world.quits, 1);

    // The item's own menu and a primary click go the same way.
    delegate->applicationDidFinishLaunching();
    world.area.last.chosen(AmbergridAppDelegate::quit);
    EXPECT_EQ(world.quits, 2);
    world.area.last.activated();
    EXPECT_EQ(world.presentation.shows.size(), 3U);
    EXPECT_EQ(titles(world.area.last.menu()), titles(delegate->statusMenu()));
}

TEST(AppDelegate, ShowingWithoutWindowOpensTheScene) {
    DelegateWorld world;
    world.presentation.window = false;
    auto delegate = world.make();
    int opened = 0;
    delegate->showMainWindow(); // nothing set yet: no crash
    delegate->setOpenMainWindow([&] { ++opened; });
    delegate->showMainWindow();
    EXPECT_EQ(opened, 1);
    world.presentation.window = true;
    delegate->showMainWindow();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(world.presentation.shows, (std::vector<bool>{false, false, false}));
}
