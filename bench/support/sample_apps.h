#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// Generates `count` sample bundles under home and answers the roots to hand the launcher in
// ORBITDECK_APP_ROOTS (the generator's last line of output); options go to the generator as well.
inline QString makeSampleApps(const QString& source, const QString& home, int count,
                              const QStringList& options = {}) {
    QProcess generator;
    generator.start(QStringLiteral("python3"),
                    QStringList{source + QStringLiteral("/scripts/make-sample-apps.py"),
                                QStringLiteral("--home"), home, QStringLiteral("--count"),
                                QString::number(count), QStringLiteral("--no-decoys")} +
                        options);
    generator.waitForFinished(120000);
    return QString::fromUtf8(generator.readAllStandardOutput()).trimmed().split('\n').last();
}

#ifdef LAUNCHER_PATH
// The launcher measured: this build's, or another build's given in ORBITDECK_BENCH_LAUNCHER (to
// set two builds side by side against the same baseline).
inline QString launcherPath() {
    return qEnvironmentVariable("ORBITDECK_BENCH_LAUNCHER", QStringLiteral(LAUNCHER_PATH));
}
#endif

// Stops a child the benchmark started: politely first, then for good.
inline void stopProcess(QProcess& process) {
    process.terminate();
    if (!process.waitForFinished(5000))
        process.kill();
}

// The environment of a launcher run in a throwaway home: its XDG folders inside the home (so no
// desktop entries or icon themes but the home's own), settings in memory, test defaults, and
// the bundle roots given.
inline QProcessEnvironment throwawayEnvironment(const QString& home, const QString& roots) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    environment.insert(QStringLiteral("XDG_DATA_DIRS"), home + QStringLiteral("/usr/share"));
    environment.remove(QStringLiteral("XDG_CURRENT_DESKTOP"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home);
    // One launcher per session: a private runtime folder and no session bus keep this one from
    // handing over to a launcher that runs elsewhere on the machine.
    environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    environment.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("memory"));
    environment.insert(QStringLiteral("AMBERGRID_TEST_DEFAULTS"), QStringLiteral("1"));
    environment.insert(QStringLiteral("ORBITDECK_APP_ROOTS"), roots);
    return environment;
}
