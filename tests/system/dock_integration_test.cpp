#include "platform/gnome_favorite_apps.h"
#include "platform/plank_launchers.h"
#include "platform/plasma_task_managers.h"
#include "platform/scheduler.h"
#include "system/application_trash.h"
#include "system/dock_integration.h"
#include "system/tile_services.h"

#include "support/gnome_settings.h"
#include "support/private_bus.h"
#include "support/temp_home.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QJSEngine>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdlib>

namespace orbitdeck {
namespace {

namespace fs = std::filesystem;

fs::path writeEntry(const fs::path& path) {
    writeTextFile(path, "[Desktop Entry]\nType=Application\nName=App\nExec=app\n");
    return path;
}

TEST(DockIntegration, ReadsLauncherUrlsAndComparesByNormalisedPath) {
    TempHome home;
    const fs::path app = home / "Applications/My App.app";
    fs::create_directories(app);
    EXPECT_EQ(normalizedDockPath(app.string() + "//"), app.string());
    EXPECT_EQ(normalizedDockPath("/"), "/");

    EXPECT_EQ(launcherFile("file:///usr/share/applications/a%20b.desktop"),
              fs::path("/usr/share/applications/a b.desktop"));
    EXPECT_EQ(launcherFile("file://localhost/usr/share/applications/a.desktop"),
              fs::path("/usr/share/applications/a.desktop"))
        << "localhost is this machine";
    EXPECT_EQ(launcherFile("/usr/share/applications/a.desktop"),
              fs::path("/usr/share/applications/a.desktop"));
    for (const char* other : {"file://host/a.desktop", "preferred://browser", "applications:a",
                              "file:", "", "relative/a.desktop"})
        EXPECT_FALSE(launcherFile(other)) << other;

    using Plasma = PlasmaTaskManagers;
    EXPECT_EQ(Plasma::parse("applications:org.kde.dolphin.desktop").desktopFileId,
              "org.kde.dolphin.desktop");
    EXPECT_EQ(Plasma::parse("[activity-1]\nfile://localhost/x.desktop").file,
              fs::path("/x.desktop"));
    const auto preferred = Plasma::parse("preferred://filemanager");
    EXPECT_FALSE(preferred.desktopFileId || preferred.file);
}

TEST(FavoriteApps, GnomeKeepsDesktopEntriesInItsOwnFavourites) {
    TempHome home;
    GnomeSettings gnome;
    const fs::path entry = writeEntry(home / ".local/share/applications/kde/term.desktop");
    const fs::path bundle = home / "Applications/Notes.app";
    fs::create_directories(bundle);
    GnomeFavoriteApps favorites;
    DockIntegration dock({&favorites});
    const auto kept = [&] { return gnome.strings("org.gnome.shell", "favorite-apps"); };
    ::setenv("XDG_CURRENT_DESKTOP", "GNOME-Flashback:GNOME", 1);
    EXPECT_FALSE(dock.canKeep(entry)) << "Flashback's panel shows no favourites";
    ::setenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME", 1);
    EXPECT_TRUE(dock.canKeep(entry));
    EXPECT_FALSE(dock.canKeep(bundle)) << "the dash keeps desktop entries only";
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
    }
    {
        SCOPED_TRACE("an id that is no text is never written");
        const fs::path odd = writeEntry(home / ".local/share/applications/caf\xe9.desktop");
        gnome.set("org.gnome.shell", "favorite-apps", "['a.desktop']");
        dock.addToDock(odd);
        EXPECT_EQ(kept(), std::vector<std::string>{"a.desktop"});
        fs::remove(odd); // a name the temporary folder's own cleanup cannot spell
    }
    {
        SCOPED_TRACE("a key of another type is never written over");
        GnomeFavoriteApps otherType(QStringLiteral("dev.ambergrid.test.other-shell"));
        DockIntegration otherDock({&otherType});
        gnome.set("dev.ambergrid.test.other-shell", "favorite-apps", "'a.desktop'");
        EXPECT_FALSE(otherDock.canKeep(entry));
        otherDock.addToDock(entry);
        EXPECT_FALSE(otherType.add(entry, "kde-term.desktop"));
    }
    ::setenv("XDG_CURRENT_DESKTOP", "KDE", 1);
    EXPECT_FALSE(dock.canKeep(entry)) << "no GNOME Shell, no dash";
    ::unsetenv("XDG_CURRENT_DESKTOP");
}

// The Plasma shell's scripting interface, running scripts against panels held as JSON
// ([{widgets: [{id, type, config: {General: {launchers}}}]}]), on a thread of its own so the
// launcher's blocking call gets its answer.
class FakePlasmaShell : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.PlasmaShell")
public:
    QJsonArray panels() const {
        const QMutexLocker lock(&mutex_);
        return panels_;
    }
    void setPanels(const QJsonArray& panels) {
        const QMutexLocker lock(&mutex_);
        panels_ = panels;
    }

public slots:
    QString evaluateScript(const QString& script) {
        const QMutexLocker lock(&mutex_);
        QJSEngine engine;
        engine.globalObject().setProperty(
            QStringLiteral("state"),
            QString::fromUtf8(QJsonDocument(panels_).toJson(QJsonDocument::Compact)));
        const QJSValue result = engine.evaluate(QStringLiteral(R"JS(
var shown = [];
var held = JSON.parse(state);
function print(text) { shown.push(String(text)); }
function widget(w) {
    return { id: w.id, type: w.type, currentConfigGroup: [],
        readConfig: function (key, fallback) {
            var group = w.config[this.currentConfigGroup.join("/")];
            return group && key in group ? group[key] : fallback;
        },
        writeConfig: function (key, value) {
            var name = this.currentConfigGroup.join("/");
            w.config[name] = w.config[name] || {};
            w.config[name][key] = value;
        } };
}
function panels() {
    return held.map(function (p) { return { widgets: function () { return p.widgets.map(widget); } }; });
}
)JS") + script + QStringLiteral("\n[shown.join('\\n'), JSON.stringify(held)];"));
        if (result.isError()) {
            sendErrorReply(QDBusError::Failed, result.toString());
            return {};
        }
        panels_ = QJsonDocument::fromJson(result.property(1).toString().toUtf8()).array();
        return result.property(0).toString();
    }

private:
    mutable QMutex mutex_;
    QJsonArray panels_;
};

QJsonObject taskManager(int id, const QJsonValue& launchers,
                        const char* type = "org.kde.plasma.taskmanager") {
    return {{"id", id},
            {"type", type},
            {"config", QJsonObject{{"General", QJsonObject{{"launchers", launchers}}}}}};
}

QJsonValue launchersOf(const QJsonArray& panels, int panel, int widget) {
    return panels[panel][QStringLiteral("widgets")][widget][QStringLiteral("config")]
                 [QStringLiteral("General")][QStringLiteral("launchers")];
}

TEST(PlasmaTaskManagers, KeepEntriesThroughTheShellsScripting) {
    TempHome home;
    PrivateBus bus;
    ASSERT_FALSE(bus.address().isEmpty()) << "no dbus-daemon";
    const fs::path term = writeEntry(home / ".local/share/applications/term.desktop");
    const fs::path notes = writeEntry(home / ".local/share/applications/notes.desktop");
    QDBusConnection client = QDBusConnection::connectToBus(bus.address(), "plasma-client");
    PlasmaTaskManagers plasma(QStringLiteral("plasma-client"));
    DockIntegration dock({&plasma});
    EXPECT_FALSE(dock.canKeep(term)) << "no shell on the bus";

    QThread thread;
    thread.start();
    FakePlasmaShell shell;
    shell.moveToThread(&thread);
    QDBusConnection served = QDBusConnection::connectToBus(bus.address(), "plasma-shell");
    ASSERT_TRUE(served.registerObject("/PlasmaShell", &shell, QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(served.registerService("org.kde.plasmashell"));
    shell.setPanels(
        {QJsonObject{{"widgets", QJsonArray{QJsonObject{{"id", 1},
                                                        {"type", "org.kde.plasma.kickoff"},
                                                        {"config", QJsonObject{}}}}}}});
    EXPECT_FALSE(dock.canKeep(term)) << "a shell without a task manager keeps nothing";

    const QString termUrl = "file://localhost" + QString::fromStdString(term.string());
    shell.setPanels(
        {QJsonObject{
             {"widgets", QJsonArray{taskManager(2, QJsonArray{"applications:a.desktop", termUrl,
                                                              "preferred://browser"})}}},
         // As the configuration file holds it.
         QJsonObject{{"widgets", QJsonArray{taskManager(7, "applications:systemsettings.desktop",
                                                        "org.kde.plasma.icontasks")}}}});
    EXPECT_TRUE(dock.canKeep(term));
    EXPECT_FALSE(dock.canKeep(home / "Applications/Notes.app")) << "no bundles in a task manager";
    EXPECT_TRUE(dock.isInDock(term)) << "a launcher written as file://localhost/ is the entry";
    EXPECT_FALSE(dock.isInDock(notes));

    dock.addToDock(notes);
    EXPECT_EQ(launchersOf(shell.panels(), 0, 0),
              (QJsonArray{"applications:a.desktop", termUrl, "preferred://browser",
                          "applications:notes.desktop"}));
    EXPECT_EQ(launchersOf(shell.panels(), 1, 0),
              (QJsonArray{"applications:systemsettings.desktop", "applications:notes.desktop"}));
    EXPECT_TRUE(dock.isInDock(notes));
    dock.removeFromDock(term);
    EXPECT_EQ(launchersOf(shell.panels(), 0, 0),
              (QJsonArray{"applications:a.desktop", "preferred://browser",
                          "applications:notes.desktop"}));
    EXPECT_FALSE(dock.isInDock(term));

    served.unregisterService("org.kde.plasmashell");
    served.unregisterObject("/PlasmaShell");
    QDBusConnection::disconnectFromBus("plasma-shell");
    QDBusConnection::disconnectFromBus("plasma-client");
    thread.quit();
    thread.wait();
}

TEST(PlankLaunchers, KeepEntriesAsDockItemsWhilePlankRuns) {
    TempHome home;
    const fs::path term = writeEntry(home / ".local/share/applications/term.desktop");
    const fs::path notes = writeEntry(home / ".local/share/applications/notes.desktop");
    const fs::path launchers = home / ".config/plank/dock1/launchers";
    writeTextFile(launchers / "term.dockitem",
                  "[PlankDockItemPreferences]\nLauncher=file://localhost" + term.string() + "\n");
    // Another application's item holds the name the new one would take.
    writeTextFile(launchers / "notes.dockitem",
                  "[PlankDockItemPreferences]\nLauncher=file:///usr/share/applications/"
                  "org.gnome.Notes.desktop\n");
    PlankLaunchers plank(PlankLaunchers::standardFolder());
    DockIntegration dock({&plank});
    EXPECT_FALSE(dock.canKeep(term)) << "Plank is not running";

    // A program named plank of this user.
    const fs::path program = home / "bin/plank";
    fs::create_directories(program.parent_path());
    fs::copy_file("/bin/sleep", program);
    QProcess running;
    running.start(QString::fromStdString(program.string()), {QStringLiteral("60")});
    ASSERT_TRUE(running.waitForStarted(5000));
    EXPECT_TRUE(dock.canKeep(term));
    EXPECT_TRUE(dock.isInDock(term)) << "a launcher written as file://localhost/ is the entry";
    EXPECT_FALSE(dock.isInDock(notes));

    dock.addToDock(notes);
    EXPECT_TRUE(dock.isInDock(notes));
    const std::string item = readTextFile(launchers / "notes-2.dockitem");
    EXPECT_NE(item.find("Launcher=file://" + notes.string()), std::string::npos) << item;
    dock.removeFromDock(term);
    EXPECT_FALSE(fs::exists(launchers / "term.dockitem"));
    dock.removeFromDock(notes);
    EXPECT_FALSE(fs::exists(launchers / "notes-2.dockitem"));
    EXPECT_TRUE(fs::exists(launchers / "notes.dockitem")) << "another application's item stays";
    running.kill();
    running.waitForFinished(5000);
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
    DockIntegration dock({});
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

#include "dock_integration_test.moc"
