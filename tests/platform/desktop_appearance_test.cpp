#include "platform/desktop_appearance.h"
#include "platform/desktop_settings.h"

#include "support/gnome_settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

using orbitdeck::appearanceFromGnome;
using orbitdeck::appearanceFromKdeGlobals;
using orbitdeck::DesktopAppearance;

TEST(DesktopAppearance, ReadsGnomeColorScheme) {
    EXPECT_EQ(appearanceFromGnome("prefer-dark", "Adwaita"), DesktopAppearance::dark);
    EXPECT_EQ(appearanceFromGnome("prefer-light", "Adwaita-dark"), DesktopAppearance::light);
    EXPECT_EQ(appearanceFromGnome("default", "Adwaita"), DesktopAppearance::light);
    EXPECT_EQ(appearanceFromGnome("default", "Yaru-Dark"), DesktopAppearance::dark);
    EXPECT_EQ(appearanceFromGnome("something-new", ""), std::nullopt);
    EXPECT_EQ(appearanceFromGnome("", ""), std::nullopt);
}

TEST(DesktopAppearance, ReadsKdeWindowBackground) {
    EXPECT_EQ(appearanceFromKdeGlobals("[Colors:View]\nBackgroundNormal=255,255,255\n"
                                       "[Colors:Window]\nBackgroundNormal=32,35,38\n"),
              DesktopAppearance::dark);
    EXPECT_EQ(appearanceFromKdeGlobals("[Colors:Window]\nForegroundNormal=0,0,0\n"
                                       "BackgroundNormal=239,240,241\n"),
              DesktopAppearance::light);
    EXPECT_EQ(appearanceFromKdeGlobals("[Colors:Window]\nBackgroundNormal=bad\n"), std::nullopt);
    EXPECT_EQ(appearanceFromKdeGlobals("[Colors:Window]\nBackgroundNormal=1,2,999\n"),
              std::nullopt);
    EXPECT_EQ(appearanceFromKdeGlobals("[General]\nColorScheme=Breeze\n"), std::nullopt);
}

using orbitdeck::DesktopPreferences;
using orbitdeck::DesktopPreferencesWatch;
using orbitdeck::readDesktopPreferences;
using orbitdeck::reduceMotionFromKdeGlobals;

TEST(DesktopAppearance, ReadsTheReduceMotionPreference) {
    EXPECT_EQ(reduceMotionFromKdeGlobals("[KDE]\nAnimationDurationFactor=0\n"), true);
    EXPECT_EQ(reduceMotionFromKdeGlobals("[General]\nX=1\n[KDE]\nAnimationDurationFactor = 0.5\n"),
              false);
    EXPECT_EQ(reduceMotionFromKdeGlobals("[KDE]\nAnimationDurationFactor=slow\n"), std::nullopt);
    EXPECT_EQ(reduceMotionFromKdeGlobals("[KDE]\nAnimationDurationFactor=-1\n"), std::nullopt);
    EXPECT_EQ(reduceMotionFromKdeGlobals("[Other]\nAnimationDurationFactor=0\n"), std::nullopt)
        << "only the [KDE] group counts";
}

namespace {

// A desktop: a temporary config home with kdeglobals, and GNOME's settings (GVariant text by
// key of org.gnome.desktop.interface). Without GNOME settings GSettings is not to be asked at
// all: no backend chosen and no session bus.
class FakeDesktop {
public:
    FakeDesktop(const QString& session, const QMap<QString, QString>& gnome,
                const QByteArray& kdeGlobals) {
        QDir(home_.path()).mkpath(QStringLiteral(".config"));
        for (auto it = gnome.begin(); it != gnome.end(); ++it)
            settings_.set("org.gnome.desktop.interface", it.key().toStdString(),
                          it.value().toStdString());
        if (!kdeGlobals.isEmpty())
            writeFile(QStringLiteral(".config/kdeglobals"), kdeGlobals);
        set("HOME", home_.path().toUtf8());
        set("XDG_CONFIG_HOME", home_.filePath(QStringLiteral(".config")).toUtf8());
        set("XDG_CURRENT_DESKTOP", session.toUtf8());
        if (gnome.isEmpty())
            for (const char* name : {"GSETTINGS_BACKEND", "DBUS_SESSION_BUS_ADDRESS",
                                     "DBUS_STARTER_BUS_TYPE", "XDG_RUNTIME_DIR"})
                set(name, std::nullopt);
    }
    ~FakeDesktop() {
        for (const auto& [name, value] : saved_) {
            if (value)
                qputenv(name.constData(), *value);
            else
                qunsetenv(name.constData());
        }
    }

private:
    void writeFile(const QString& name, const QByteArray& contents) {
        QFile file(home_.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    void set(const char* name, const std::optional<QByteArray>& value) {
        saved_.emplace_back(name, qEnvironmentVariableIsSet(name)
                                      ? std::optional<QByteArray>(qgetenv(name))
                                      : std::nullopt);
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }

    QTemporaryDir home_;
    GnomeSettings settings_;
    std::vector<std::pair<QByteArray, std::optional<QByteArray>>> saved_;
};

} // namespace

TEST(DesktopAppearance, AsksTheSessionsDesktopFirstAndTheOtherForTheRest) {
    const QByteArray kdeDarkStill = "[Colors:Window]\nBackgroundNormal=32,35,38\n"
                                    "[KDE]\nAnimationDurationFactor=0\n";
    {
        const FakeDesktop gnome(QStringLiteral("GNOME"),
                                {{QStringLiteral("color-scheme"), QStringLiteral("'prefer-light'")},
                                 {QStringLiteral("enable-animations"), QStringLiteral("false")}},
                                kdeDarkStill);
        EXPECT_EQ(
            readDesktopPreferences(),
            (DesktopPreferences{.appearance = DesktopAppearance::light, .reduceMotion = true}));
    }
    {
        const FakeDesktop gnomeDarkTheme(
            QStringLiteral("ubuntu:GNOME"),
            {{QStringLiteral("gtk-theme"), QStringLiteral("'Yaru-dark'")},
             {QStringLiteral("enable-animations"), QStringLiteral("true")}},
            {});
        EXPECT_EQ(
            readDesktopPreferences(),
            (DesktopPreferences{.appearance = DesktopAppearance::dark, .reduceMotion = false}))
            << "the default colour scheme follows the GTK theme";
    }
    {
        const FakeDesktop kde(QStringLiteral("KDE"),
                              {{QStringLiteral("color-scheme"), QStringLiteral("'prefer-light'")},
                               {QStringLiteral("enable-animations"), QStringLiteral("true")}},
                              kdeDarkStill);
        EXPECT_EQ(
            readDesktopPreferences(),
            (DesktopPreferences{.appearance = DesktopAppearance::dark, .reduceMotion = true}));
    }
    {
        const FakeDesktop kdeWithoutFactor(
            QStringLiteral("KDE"), {{QStringLiteral("enable-animations"), QStringLiteral("false")}},
            "[Colors:Window]\nBackgroundNormal=239,240,241\n");
        EXPECT_EQ(
            readDesktopPreferences(),
            (DesktopPreferences{.appearance = DesktopAppearance::light, .reduceMotion = true}))
            << "what KDE leaves open comes from GNOME's settings";
    }
    {
        const FakeDesktop nobody(QStringLiteral("XFCE"), {}, {});
        EXPECT_EQ(readDesktopPreferences(), DesktopPreferences{})
            << "without a bus or a chosen backend GSettings is not asked";
    }
}

TEST(DesktopAppearance, WatchReadsInTheBackgroundAndReportsNewAnswers) {
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    std::mutex mutex;
    std::condition_variable released;
    bool open = false;
    int reads = 0;
    DesktopPreferences answer{.appearance = DesktopAppearance::light, .reduceMotion = true};
    const auto reader = [&] {
        std::unique_lock lock(mutex);
        released.wait(lock, [&] { return open; });
        ++reads;
        return answer;
    };
    const auto release = [&] {
        const std::lock_guard lock(mutex);
        open = true;
        released.notify_all();
    };
    // Runs the event loop until the reads are done and their answers delivered.
    const auto settle = [&](int wantedReads, const auto& delivered) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            const std::lock_guard lock(mutex);
            if (reads >= wantedReads && delivered())
                break;
        }
    };

    DesktopPreferencesWatch watch(reader);
    EXPECT_EQ(watch.current(), DesktopPreferences{}) << "the constructor does not wait";
    int changes = 0;
    QObject::connect(&watch, &DesktopPreferencesWatch::changed, [&] { ++changes; });
    watch.refresh();
    release();
    settle(2, [&] { return changes == 1; });
    EXPECT_EQ(watch.current(), answer);
    EXPECT_EQ(watch.appearance(), DesktopAppearance::light);
    EXPECT_EQ(reads, 2) << "a refresh during a read reads once more afterwards";
    EXPECT_EQ(changes, 1) << "the same answer again is no change";

    {
        const std::lock_guard lock(mutex);
        answer.reduceMotion = false;
    }
    watch.refresh();
    settle(3, [&] { return changes == 2; });
    EXPECT_EQ(watch.current().reduceMotion, false);
    EXPECT_EQ(changes, 2);
}

// Runs the event loop until done() holds or five seconds have passed.
template <typename Done>
bool processEventsUntil(const Done& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

TEST(GsettingsWatch, GnomesChangesReachTheWatchAndTheDesktopPreferences) {
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    qputenv("XDG_CURRENT_DESKTOP", "GNOME");
    GnomeSettings gnome;
    orbitdeck::desktop_settings::GsettingsWatch watch(QStringLiteral("org.gnome.desktop.interface"),
                                                      {QStringLiteral("enable-animations")});
    ASSERT_TRUE(watch.watching());
    QStringList changed;
    QObject::connect(&watch, &orbitdeck::desktop_settings::GsettingsWatch::changed,
                     [&](const QString& key) { changed.append(key); });
    DesktopPreferencesWatch preferences;
    EXPECT_TRUE(processEventsUntil([&] { return preferences.current().reduceMotion == false; }));

    // As dconf does: the change comes from a thread with a main context of its own, so GLib
    // hands the announcement to the default main context, which Qt's event loop must run.
    std::thread([&] {
        GMainContext* own = g_main_context_new();
        g_main_context_push_thread_default(own);
        gnome.set("org.gnome.desktop.interface", "enable-animations", "false");
        g_main_context_pop_thread_default(own);
        g_main_context_unref(own);
    }).join();
    EXPECT_TRUE(changed.isEmpty()) << "announced in the main context, not the writer's";
    EXPECT_TRUE(processEventsUntil([&] { return changed.contains(u"enable-animations"); }));
    EXPECT_TRUE(processEventsUntil([&] { return preferences.current().reduceMotion == true; }))
        << "the preferences are read again on GNOME's word, with no refresh asked";

    const orbitdeck::desktop_settings::GsettingsWatch missing(
        QStringLiteral("org.example.not-installed"), {QStringLiteral("key")});
    EXPECT_FALSE(missing.watching());
    qunsetenv("XDG_CURRENT_DESKTOP");
}
