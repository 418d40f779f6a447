#include "platform/scheduler.h"
#include "system/application_trash.h"
#include "system/dock_integration.h"
#include "system/favorite_apps.h"
#include "system/tile_services.h"

#include "support/temp_home.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// Puts a gsettings on PATH that keeps org.gnome.shell favorite-apps in a file and logs each set.
class FakeGsettings {
public:
    explicit FakeGsettings(const TempHome& home)
        : bin_(home / "bin")
        , value_(home / "favorite-apps")
        , log_(home / "sets") {
        writeTextFile(bin_ / "gsettings",
                      "#!/bin/sh\n[ \"$2 $3\" = 'org.gnome.shell favorite-apps' ] || exit 1\n"
                      "case \"$1\" in\n"
                      "get) [ -f '" +
                          value_.string() + "' ] || exit 1; cat '" + value_.string() +
                          "' ;;\n"
                          "set) printf '%s\\n' \"$4\" > '" +
                          value_.string() + "'; echo set >> '" + log_.string() +
                          "' ;;\n"
                          "*) exit 1 ;;\nesac\n");
        fs::permissions(bin_ / "gsettings", fs::perms::owner_all);
        if (const char* path = std::getenv("PATH"))
            oldPath_ = path;
        ::setenv("PATH", (bin_.string() + ":" + oldPath_).c_str(), 1);
    }
    ~FakeGsettings() { ::setenv("PATH", oldPath_.c_str(), 1); }

    void set(const std::string& text) { writeTextFile(value_, text + "\n"); }
    std::string value() const { return readTextFile(value_); }
    std::size_t sets() const {
        const std::string log = readTextFile(log_);
        return static_cast<std::size_t>(std::count(log.begin(), log.end(), '\n'));
    }

private:
    fs::path bin_, value_, log_;
    std::string oldPath_;
};

TEST(FavoriteApps, ReadAndWriteTheTextFormOfAStringArray) {
    using Ids = std::vector<std::string>;
    EXPECT_EQ(parseGVariantStrings("['a.desktop', 'org.gnome.Nautilus.desktop']"),
              (Ids{"a.desktop", "org.gnome.Nautilus.desktop"}));
    EXPECT_EQ(parseGVariantStrings("@as []"), Ids{});
    EXPECT_EQ(parseGVariantStrings(R"(["it's.desktop", 'back\\slash\'s'])"),
              (Ids{"it's.desktop", "back\\slash's"}));
    for (const char* broken : {"", "[", "['a'", "['a' 'b']", "['a',]", "[a]", "'a'", "['a'], x"})
        EXPECT_FALSE(parseGVariantStrings(QString::fromUtf8(broken))) << broken;
    const Ids odd{"plain.desktop", "it's.desktop", "back\\slash.desktop"};
    EXPECT_EQ(parseGVariantStrings(formatGVariantStrings(odd)), odd);
    EXPECT_EQ(formatGVariantStrings({}), "[]");
}

TEST(FavoriteApps, GnomeKeepsDesktopEntriesInItsOwnFavourites) {
    TempHome home;
    FakeGsettings gsettings(home);
    const fs::path entry = home / ".local/share/applications/kde/term.desktop";
    writeTextFile(entry, "[Desktop Entry]\nType=Application\nName=Term\nExec=term\n");
    const fs::path bundle = home / "Applications/Notes.app";
    fs::create_directories(bundle);
    ::setenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME", 1);
    FakeDock standIn;
    GnomeFavoriteApps favorites;
    DockIntegration dock(standIn, &favorites);
    {
        SCOPED_TRACE("an entry is added by its desktop-file id at the end");
        gsettings.set("['org.gnome.Nautilus.desktop']");
        EXPECT_FALSE(dock.isInDock(entry));
        dock.addToDock(entry);
        EXPECT_EQ(gsettings.value(), "['org.gnome.Nautilus.desktop', 'kde-term.desktop']\n");
        EXPECT_TRUE(dock.isInDock(entry));
        dock.addToDock(entry);
        EXPECT_EQ(gsettings.sets(), 1u) << "adding twice writes once";
        dock.removeFromDock(entry);
        EXPECT_EQ(gsettings.value(), "['org.gnome.Nautilus.desktop']\n");
        EXPECT_FALSE(dock.isInDock(entry));
        EXPECT_EQ(standIn.writes, 0);
    }
    {
        SCOPED_TRACE("a malformed value is never written over");
        gsettings.set("not a list");
        const std::size_t before = gsettings.sets();
        EXPECT_FALSE(dock.isInDock(entry));
        dock.addToDock(entry);
        dock.removeFromDock(entry);
        EXPECT_EQ(gsettings.sets(), before);
        EXPECT_EQ(gsettings.value(), "not a list\n");
        EXPECT_EQ(standIn.writes, 0);
    }
    {
        SCOPED_TRACE("bundles keep the stand-in list");
        gsettings.set("@as []");
        dock.addToDock(bundle);
        EXPECT_EQ(standIn.writes, 1);
        EXPECT_EQ(gsettings.value(), "@as []\n");
    }
    {
        SCOPED_TRACE("elsewhere than GNOME entries keep the stand-in list too");
        ::setenv("XDG_CURRENT_DESKTOP", "KDE", 1);
        dock.addToDock(entry);
        EXPECT_EQ(standIn.writes, 2);
        EXPECT_TRUE(dock.isInDock(entry));
        EXPECT_EQ(gsettings.value(), "@as []\n");
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
