#pragma once

#include <QHash>
#include <QMutex>
#include <QString>
#include <QStringList>

#include <optional>

namespace orbitdeck {

// The folder that holds "<id>.lproj/Localizable.strings": $ORBITDECK_RESOURCES_DIR when set,
// else the tables built into the program (":/orbitdeck/resources"). Empty when neither exists;
// every lookup then answers the English key.
QString findResourcesDir();

// The string tables of one resources folder. A table is parsed on first use and kept: tables
// are read-only resources, and views look texts up many times per frame.
class StringTables {
public:
    explicit StringTables(QString resourcesDir);

    // The process-wide tables of findResourcesDir().
    static StringTables& shared();

    const QString& resourcesDir() const { return dir_; }
    // Localisation names ("en", "zh-Hans", …) in sorted order, without "Base".
    QStringList localizations() const;
    std::optional<QString> lookup(const QString& lproj, const QString& key) const;

    static QString tablePath(const QString& resourcesDir, const QString& lproj);

private:
    using Table = QHash<QString, QString>;
    const Table& table(const QString& lproj) const;

    QString dir_;
    mutable QMutex mutex_;
    mutable QHash<QString, Table> tables_;
    mutable std::optional<QStringList> localizations_;
};

} // namespace orbitdeck
