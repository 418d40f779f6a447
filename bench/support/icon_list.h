#pragma once

#include <QFile>
#include <QStringList>
#include <QTextStream>
#include <QVariantMap>

#include <optional>

// The bare baselines' model: each line of the list, "file<tab>name", as {icon: url, name};
// none when the list cannot be read.
inline std::optional<QVariantList> readIconList(const QString& path) {
    QFile list(path);
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    QVariantList icons;
    QTextStream in(&list);
    while (!in.atEnd())
        if (const QStringList line = in.readLine().split(QLatin1Char('\t')); !line[0].isEmpty())
            icons << QVariantMap{{QStringLiteral("icon"), QStringLiteral("file://") + line[0]},
                                 {QStringLiteral("name"), line.value(1)}};
    return icons;
}
