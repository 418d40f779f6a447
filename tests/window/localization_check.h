#pragma once

#include <QString>
#include <QStringList>

#include <map>

// The check of the string tables against the sources: every key the code and the QML use is in
// every table, values are not empty and keep their key's placeholders, no key is repeated.

// Keys found in .cpp/.h files as localized("…"), localizedFormat("…") or textKey("…"), and in
// .qml files as L.t("…") or L.format("…"), under the given folders; key → "file:line".
std::map<QString, QString> collectSourceKeys(const QStringList& folders);

// The localisation names every language of the settings needs ("en", "zh-Hans", …).
QStringList requiredLocalizations();

// One line per problem; empty when the tables are sound.
QStringList checkStringTables(const QString& resourcesDir, const QStringList& localizations,
                              const std::map<QString, QString>& sourceKeys);
