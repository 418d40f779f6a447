#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// CFBundleDisplayName, else CFBundleName, else the bundle's folder name: the name the launcher
// shows for a sample bundle.
inline QString bundleDisplayName(const QString& bundlePath) {
    QFile plist(bundlePath + QStringLiteral("/Contents/Info.plist"));
    const QString text =
        plist.open(QIODevice::ReadOnly) ? QString::fromUtf8(plist.readAll()) : QString();
    for (const char* key : {"CFBundleDisplayName", "CFBundleName"}) {
        const QRegularExpression pattern(
            QStringLiteral("<key>%1</key>\\s*<string>([^<]*)</string>").arg(QLatin1String(key)));
        if (const auto match = pattern.match(text); match.hasMatch())
            return match.captured(1);
    }
    return QFileInfo(bundlePath).completeBaseName();
}

// The icon file of each sample bundle under folder, a tab and its display name, in bundle order:
// what the bare baselines show.
inline QStringList bundleIcons(const QString& folder) {
    QStringList icons;
    QDirIterator it(folder, {QStringLiteral("*.png")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString icon = it.next();
        const QString bundle = icon.left(icon.indexOf(QStringLiteral("/Contents/")));
        icons << icon + QLatin1Char('\t') + bundleDisplayName(bundle);
    }
    icons.sort();
    return icons;
}

inline void writeLines(const QString& path, const QStringList& lines) {
    QFile out(path);
    if (out.open(QIODevice::WriteOnly))
        out.write(lines.join('\n').toUtf8());
}
