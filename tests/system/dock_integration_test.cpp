#include "platform/scheduler.h"
#include "system/application_trash.h"
#include "system/dock_integration.h"
#include "system/favorite_apps.h"
#include "system/tile_services.h"

#include "support/gnome_settings.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace orbitdeck {
namespace {

namespace fs = std::filesystem;

class FakeDock final : public DockPreferences {
public:
    DockAppsRead persistentApps() override { return stored; }
    bool setPersistentApps(const std::vector<PlistNode>& tiles) override {
        ++writes;
        stored = {.state = DockAppsRead::State::list, .tiles = tiles};
        return true;
    }
    void restartDock() override { ++restarts; }

    std::vector<std::string> urls() const {
        std::vector<std::string> result;
        for (const PlistNode& tile : stored.tiles)
            result.push_back(tile.child("tile-data")
                                 .child("file-data")
                                 .child("_CFURLString")
                                 .stringValue()
                                 .value_or("-"));
        return result;
    }

    DockAppsRead stored;
    int writes = 0;
    int restarts = 0;
};

PlistNode fileTile(const std::string& url) {
    PlistNode fileData = PlistNode::dictionary();
    fileData.set("_CFURLString", PlistNode::string(url));
    PlistNode tileData = PlistNode::dictionary();
    tileData.set("file-data", fileData);
    PlistNode tile = PlistNode::dictionary();
    tile.set("tile-data", tileData);
    return tile;
}

PlistNode spacerTile() {
    PlistNode tile = PlistNode::dictionary();
    tile.set("tile-type", PlistNode::string("spacer-tile"));
    tile.set("tile-data", PlistNode::dictionary());
    return tile;
}

TEST(DockIntegration, ComparesLocationsByTheirNormalisedPath) {
    TempHome home;
    const fs::path app = home / "Applications/My App.app";
    fs::create_directories(app);
    fs::create_directory_symlink(home / "Applications", home / "Linked");
    const std::string url = "file://" + (home / "Applications").string() + "/My%20App.app/";

    EXPECT_EQ(normalizedDockPath(app.string() + "//"), app.string());
    EXPECT_EQ(normalizedDockPath("/"), "/");
    EXPECT_EQ(dockTilePath(fileTile(url)), app.string()) << "a file URL with a trailing slash";
    EXPECT_EQ(dockTilePath(fileTile(app.string())), app.string()) << "a plain path";
    EXPECT_FALSE(dockTilePath(fileTile("file://host name/x")));
    EXPECT_FALSE(dockTilePath(spacerTile()));
    PlistNode wrongType = PlistNode::dictionary();
    wrongType.set("tile-data", PlistNode::string("file-data"));
    EXPECT_FALSE(dockTilePath(wrongType));

    FakeDock dock;
    dock.stored = {.state = DockAppsRead::State::list, .tiles = {spacerTile(), fileTile(url)}};
    DockIntegration integration(dock);
    EXPECT_TRUE(integration.isInDock(app));
    EXPECT_TRUE(integration.isInDock(home / "Linked/My App.app")) << "links are resolved";
    EXPECT_FALSE(integration.isInDock(home / "Applications/Other.app"));
}

TEST(DockIntegration, AddsAndRemovesApplications) {
    TempHome home;
    const fs::path app = home / "Applications/Notes.app";
    fs::create_directories(app);
    const std::string url = "file://" + app.string() + "/";
    FakeDock dock;
    DockIntegration integration(dock);
    {
        SCOPED_TRACE("a new application goes at the end as a file tile");
        dock.stored = {.state = DockAppsRead::State::list, .tiles = {spacerTile()}};
        integration.addToDock(app);
        EXPECT_EQ(dock.urls(), (std::vector<std::string>{"-", url}));
        const PlistNode& tile = dock.stored.tiles.back();
        EXPECT_EQ(tile.child("tile-type").stringValue(), "file-tile");
        EXPECT_EQ(
            tile.child("tile-data").child("file-data").child("_CFURLStringType").integerValue(),
            15);
        EXPECT_EQ(dock.restarts, 1);
        EXPECT_TRUE(integration.isInDock(app));
    }
    {
        SCOPED_TRACE("adding it again changes nothing and restarts nothing");
        integration.addToDock(app.string() + "/");
        EXPECT_EQ(dock.writes, 1);
        EXPECT_EQ(dock.restarts, 1);
    }
    {
        SCOPED_TRACE("removing drops every tile of the application and keeps the others");
        dock.stored.tiles.push_back(fileTile(app.string()));
        dock.stored.tiles.push_back(fileTile("file://host name/x"));
        integration.removeFromDock(app);
        EXPECT_EQ(dock.urls(), (std::vector<std::string>{"-", "file://host name/x"}));
        EXPECT_EQ(dock.restarts, 2);
    }
    {
        SCOPED_TRACE("removing an application that is not kept still writes the list back");
        integration.removeFromDock(app);
        EXPECT_EQ(dock.writes, 3);
        EXPECT_EQ(dock.urls().size(), 2u);
    }
    {
        SCOPED_TRACE("the first application starts the list");
        dock.stored = {};
        integration.addToDock(app);
        EXPECT_EQ(dock.urls(), std::vector<std::string>{url});
    }
}

TEST(DockIntegration, NeverWritesOverAListItCannotRead) {
    TempHome home;
    const fs::path app = home / "Applications/Notes.app";
    for (const auto state : {DockAppsRead::State::malformed, DockAppsRead::State::unreadable}) {
        FakeDock dock;
        dock.stored.state = state;
        DockIntegration integration(dock);
        EXPECT_TRUE(integration.dockPersistentApps().empty());
        EXPECT_FALSE(integration.isInDock(app));
        integration.addToDock(app);
        integration.removeFromDock(app);
        EXPECT_EQ(dock.writes, 0);
        EXPECT_EQ(dock.restarts, 0);
    }
}

TEST(FavoriteApps, GnomeKeepsDesktopEntriesInItsOwnFavourites) {
    TempHome home;
    GnomeSettings gnome;
    const fs::path entry = home / ".local/share/applications/kde/term.desktop";
    writeTextFile(entry, "[Desktop Entry]\nType=Application\nName=Term\nExec=term\n");
    const fs::path bundle = home / "Applications/Notes.app";
    fs::create_directories(bundle);
    ::setenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME", 1);
    FakeDock standIn;
    GnomeFavoriteApps favorites;
    DockIntegration dock(standIn, &favorites);
    const auto kept = [&] { return gnome.strings("org.gnome.shell", "favorite-apps"); };
    {
        SCOPED_TRACE("other programs' ids survive keep and remove exactly");
        gnome.set("org.gnome.shell", "favorite-apps",
                  R"(['org.gnome.Nautilus.desktop', 'tab\there.desktop', "it's.desktop", )"
                  R"('back\\slash.desktop', 'say "hi".desktop', 'café-日本.desktop'])");
        const std::vector<std::string> theirs{
            "org.gnome.Nautilus.desktop", "tab\there.desktop",  "it's.desktop",
            "back\\slash.desktop",        "say \"hi\".desktop", "café-日本.desktop"};
        ASSERT_EQ(kept(), theirs);
        EXPECT_FALSE(dock.isInDock(entry));
        dock.addToDock(entry);
        std::vector<std::string> withEntry = theirs;
        withEntry.push_back("kde-term.desktop");
        EXPECT_EQ(kept(), withEntry) << "an entry is added by its desktop-file id at the end";
        EXPECT_TRUE(dock.isInDock(entry));
        dock.addToDock(entry);
        EXPECT_EQ(kept(), withEntry) << "adding twice adds once";
        dock.removeFromDock(entry);
        EXPECT_EQ(kept(), theirs);
        EXPECT_FALSE(dock.isInDock(entry));
        EXPECT_EQ(standIn.writes, 0);
    }
    {
        SCOPED_TRACE("an id that is no text is never written");
        const fs::path odd = home / ".local/share/applications/caf\xe9.desktop";
        writeTextFile(odd, "[Desktop Entry]\nType=Application\nName=Odd\nExec=odd\n");
        gnome.set("org.gnome.shell", "favorite-apps", "['a.desktop']");
        dock.addToDock(odd);
        EXPECT_EQ(kept(), std::vector<std::string>{"a.desktop"});
    }
    {
        SCOPED_TRACE("a key of another type is never written over");
        GnomeFavoriteApps otherType(QStringLiteral("dev.ambergrid.test.other-shell"));
        DockIntegration otherDock(standIn, &otherType);
        gnome.set("dev.ambergrid.test.other-shell", "favorite-apps", "'a.desktop'");
        EXPECT_EQ(otherType.read().state, FavoriteApps::State::malformed);
        EXPECT_FALSE(otherType.write({"kde-term.desktop"}));
        EXPECT_FALSE(otherDock.isInDock(entry));
        otherDock.addToDock(entry);
        otherDock.removeFromDock(entry);
        EXPECT_EQ(standIn.writes, 0);
    }
    {
        SCOPED_TRACE("bundles keep the stand-in list");
        gnome.set("org.gnome.shell", "favorite-apps", "@as []");
        dock.addToDock(bundle);
        EXPECT_EQ(standIn.writes, 1);
        EXPECT_TRUE(kept().empty());
    }
    {
        SCOPED_TRACE("elsewhere than GNOME entries keep the stand-in list too");
        ::setenv("XDG_CURRENT_DESKTOP", "KDE", 1);
        dock.addToDock(entry);
        EXPECT_EQ(standIn.writes, 2);
        EXPECT_TRUE(dock.isInDock(entry));
        EXPECT_TRUE(kept().empty());
    }
    ::unsetenv("XDG_CURRENT_DESKTOP");
}

class NoTrash final : public Trash {
public:
    TrashOutcome recycle(const fs::path&) override { return {}; }
};

class NothingRunning final : public RunningApplications {
public:
    std::vector<int> instances(const std::string&, const fs::path&) override { return {}; }
    void terminate(int) override {}
};

TEST(TileServices, DesktopEntriesNeverGoToTheTrash) {
    TempHome home;
    NoTrash trash;
    NothingRunning running;
    VirtualScheduler scheduler;
    // Even an entry inside a folder whose bundles may be trashed stays.
    ApplicationTrash applicationTrash(trash, running, scheduler,
                                      {.applicationFolders = {home / "Applications"},
                                       .library = LeftoverFolders::standard(),
                                       .ownBundleIdentifier = std::nullopt,
                                       .ownBundleURL = std::nullopt,
                                       .locale = QLocale::c(),
                                       .background = {}});
    FakeDock standIn;
    DockIntegration dock(standIn);
    TileServices services(applicationTrash, dock, running);
    const fs::path entry = home / "Applications/editor.desktop";
    writeTextFile(entry, "[Desktop Entry]\nType=Application\nName=Editor\nExec=editor\n");
    const fs::path bundle = home / "Applications/Editor.app";
    fs::create_directories(bundle);
    EXPECT_FALSE(services.isUninstallable(AppDescriptor("Editor", "editor", entry)));
    EXPECT_TRUE(services.isUninstallable(AppDescriptor("Editor", "com.example.editor", bundle)));
}

} // namespace
} // namespace orbitdeck
