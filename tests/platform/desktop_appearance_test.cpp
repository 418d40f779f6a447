#include "platform/desktop_appearance.h"

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
#include <utility>
#include <vector>

using orbitdeck::appearanceFromGnome;
using orbitdeck::appearanceFromKdeGlobals;
using orbitdeck::DesktopAppearance;

TEST(DesktopAppearance, ReadsGnomeColorScheme) {
    EXPECT_EQ(appearanceFromGnome("'prefer-dark'\n", "'Adwaita'"), DesktopAppearance::dark);
    EXPECT_EQ(appearanceFromGnome("'prefer-light'\n", "'Adwaita-dark'"), DesktopAppearance::light);
    EXPECT_EQ(appearanceFromGnome("'default'\n", "'Adwaita'\n"), DesktopAppearance::light);
    EXPECT_EQ(appearanceFromGnome("'default'\n", "'Yaru-Dark'\n"), DesktopAppearance::dark);
    EXPECT_EQ(appearanceFromGnome("'something-new'", ""), std::nullopt);
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
using orbitdeck::reduceMotionFromGnome;
using orbitdeck::reduceMotionFromKdeGlobals;

TEST(DesktopAppearance, ReadsTheReduceMotionPreference) {
    EXPECT_EQ(reduceMotionFromGnome("false\n"), true);
    EXPECT_EQ(reduceMotionFromGnome("true"), false);
    EXPECT_EQ(reduceMotionFromGnome(""), std::nullopt);

    EXPECT_EQ(reduceMotionFromKdeGlobals("[KDE]\nAnimationDurationFactor=0\n"), true);
    EXPECT_EQ(reduceMotionFromKdeGlobals("[General]\nX=1\n[KDE]\nAnimationDurationFactor = 0.5\n"),
              false);
    EXPECT_EQ(reduceMotionFromKdeGlobals("[KDE]\nAnimationDurationFactor=slow\n"), std::nullopt);
    EXPECT_EQ(reduceMotionFromKdeGlobals("[KDE]\nAnimationDurationFactor=-1\n"), std::nullopt);
    EXPECT_EQ(reduceMotionFromKdeGlobals("[Other]\nAnimationDurationFactor=0\n"), std::nullopt)
        << "only the [KDE] group counts";
}

namespace {

// A desktop made of files: a temporary config home with kdeglobals, and a gsettings on PATH
// that answers from a table (or fails for every key it does not know).
class FakeDesktop {
public:
    FakeDesktop(const QString& session, const QMap<QString, QString>& gnome,
                const QByteArray& kdeGlobals) {
        QDir(home_.path()).mkpath(QStringLiteral("bin"));
        QDir(home_.path()).mkpath(QStringLiteral(".config"));
        // `get SCHEMA KEY` answers one key; `list-recursively SCHEMA` lists every known key,
        // after a line of a child schema that must not be taken for the schema's own.
        QString script = QStringLiteral("#!/bin/sh\nif [ \"$1\" = list-recursively ]; then\n"
                                        "echo \"$2.child color-scheme 'prefer-light'\"\n");
        for (auto it = gnome.begin(); it != gnome.end(); ++it)
            script += QStringLiteral("echo \"$2 %1 %2\"\n").arg(it.key(), it.value());
        script += QStringLiteral("exit 0\nfi\ncase \"$3\" in\n");
        for (auto it = gnome.begin(); it != gnome.end(); ++it)
            script += QStringLiteral("%1) echo \"%2\" ;;\n").arg(it.key(), it.value());
        script += QStringLiteral("*) exit 1 ;;\nesac\n");
        writeFile(QStringLiteral("bin/gsettings"), script.toUtf8());
        QFile::setPermissions(home_.filePath(QStringLiteral("bin/gsettings")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (!kdeGlobals.isEmpty())
            writeFile(QStringLiteral(".config/kdeglobals"), kdeGlobals);
        set("PATH", home_.filePath(QStringLiteral("bin")).toUtf8());
        set("HOME", home_.path().toUtf8());
        set("XDG_CONFIG_HOME", home_.filePath(QStringLiteral(".config")).toUtf8());
        set("XDG_CURRENT_DESKTOP", session.toUtf8());
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
    void set(const char* name, const QByteArray& value) {
        saved_.emplace_back(name, qEnvironmentVariableIsSet(name)
                                      ? std::optional<QByteArray>(qgetenv(name))
                                      : std::nullopt);
        qputenv(name, value);
    }

    QTemporaryDir home_;
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
        const FakeDesktop gnomeAnimating(
            QStringLiteral("ubuntu:GNOME"),
            {{QStringLiteral("enable-animations"), QStringLiteral("true")}}, {});
        EXPECT_EQ(readDesktopPreferences(),
                  (DesktopPreferences{.appearance = std::nullopt, .reduceMotion = false}))
            << "a GNOME without a colour scheme says nothing about the look";
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
        EXPECT_EQ(readDesktopPreferences(), DesktopPreferences{});
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
