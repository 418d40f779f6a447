#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// Generates `count` sample bundles under home and answers the roots to hand the launcher in
// ORBITDECK_APP_ROOTS (the generator's last line of output).
inline QString makeSampleApps(const QString& source, const QString& home, int count) {
    QProcess generator;
    generator.start(QStringLiteral("python3"),
                    {source + QStringLiteral("/scripts/make-sample-apps.py"),
                     QStringLiteral("--home"), home, QStringLiteral("--count"),
                     QString::number(count), QStringLiteral("--no-decoys")});
    generator.waitForFinished(120000);
    return QString::fromUtf8(generator.readAllStandardOutput()).trimmed().split('\n').last();
}

// Stops a child the benchmark started: politely first, then for good.
inline void stopProcess(QProcess& process) {
    process.terminate();
    if (!process.waitForFinished(5000))
        process.kill();
}
