#pragma once

#include <QHash>
#include <QMutex>
#include <QString>
#include <QStringList>

#include <optional>

namespace orbitdeck {

// The folder that holds "<id>.lproj/Localizable.strings", searched in this order:
//  1. $ORBITDECK_RESOURCES_DIR;
//  2. "resources" next to the executable;
//  3. "../share/orbitdeck/resources" from the executable (an installed tree);
//  4. a "resources" folder with an "en.lproj" in an ancestor of the executable's folder
//     (running from a build folder inside the source tree).
// Empty when none exists; every lookup then answers the English key.
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
