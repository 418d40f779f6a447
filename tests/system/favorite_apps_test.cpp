#include "platform/scheduler.h"
#include "system/application_trash.h"
#include "system/dock_integration.h"
#include "system/favorite_apps.h"
#include "system/tile_services.h"

#include "support/temp_home.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace orbitdeck {
namespace {

namespace fs = std::filesystem;

class StandInDock final : public DockPreferences {
public:
    DockAppsRead persistentApps() override { return stored; }
    bool setPersistentApps(const std::vector<PlistNode>& tiles) override {
        ++writes;
        stored = {.state = DockAppsRead::State::list, .tiles = tiles};
        return true;
    }
    void restartDock() override {}
    DockAppsRead stored;
    int writes = 0;
};

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
    StandInDock standIn;
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
    StandInDock standIn;
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
