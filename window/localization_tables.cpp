#include "window/localization_tables.h"

#include "platform/durable_file.h"
#include "window/localization_strings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace orbitdeck {
namespace {

constexpr qint64 maxTableBytes = 4 * 1024 * 1024;

// A missing or unreadable table reads as empty.
QByteArray readTable(const QString& path) {
    if (path.startsWith(u':')) {
        QFile file(path);
        if (file.size() > maxTableBytes || !file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll();
    }
    const auto read = readFileCapped(path, maxTableBytes);
    if (const auto* bytes = std::get_if<QByteArray>(&read))
        return *bytes;
    return {};
}

// Built into the program, so every build folder and every installed copy finds them.
constexpr char embeddedDir[] = ":/orbitdeck/resources";

} // namespace

QString findResourcesDir() {
    const QString fromEnvironment = qEnvironmentVariable("ORBITDECK_RESOURCES_DIR");
    if (!fromEnvironment.isEmpty())
        return QFileInfo(fromEnvironment).isDir() ? QDir(fromEnvironment).absolutePath()
                                                  : QString();
    const QString embedded = QString::fromLatin1(embeddedDir);
    return QFileInfo(embedded + QStringLiteral("/en.lproj")).isDir() ? embedded : QString();
}

StringTables::StringTables(QString resourcesDir)
    : dir_(std::move(resourcesDir)) {}

StringTables& StringTables::shared() {
    static StringTables tables(findResourcesDir());
    return tables;
}

QString StringTables::tablePath(const QString& resourcesDir, const QString& lproj) {
    return resourcesDir + u'/' + lproj + QStringLiteral(".lproj/Localizable.strings");
}

QStringList StringTables::localizations() const {
    if (dir_.isEmpty())
        return {};
    const QMutexLocker lock(&mutex_);
    if (localizations_)
        return *localizations_;
    QStringList names;
    // Matched by hand: a name filter is a regular expression to compile, at the first label.
    const QStringList folders = QDir(dir_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& folder : folders) {
        if (!folder.endsWith(u".lproj"))
            continue;
        const QString name = folder.chopped(6);
        if (name != u"Base" && !name.isEmpty())
            names.append(name);
    }
    localizations_ = names;
    return names;
}

std::optional<QString> StringTables::lookup(const QString& lproj, const QString& key) const {
    if (dir_.isEmpty())
        return std::nullopt;
    const QMutexLocker lock(&mutex_);
    const Table& entries = table(lproj);
    const auto found = entries.constFind(key);
    if (found == entries.constEnd())
        return std::nullopt;
    return *found;
}

const StringTables::Table& StringTables::table(const QString& lproj) const {
    auto found = tables_.find(lproj);
    if (found != tables_.end())
        return *found;
    Table entries;
    for (auto& [key, value] : parseStringsFile(readTable(tablePath(dir_, lproj))).entries)
        entries.insert(key, value); // the last of a repeated key wins
    return *tables_.insert(lproj, std::move(entries));
}

} // namespace orbitdeck
