#include "window/localization_tables.h"

#include "platform/durable_file.h"
#include "window/localization_strings_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace orbitdeck {
namespace {

constexpr qint64 maxTableBytes = 4 * 1024 * 1024;
constexpr int maxAncestorLevels = 6;

bool isResourcesDir(const QString& path) {
    return QFileInfo(path + QStringLiteral("/en.lproj")).isDir();
}

QString executableDir() {
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(u'/', 0, -2);
}

} // namespace

QString findResourcesDir() {
    const QString fromEnvironment = qEnvironmentVariable("ORBITDECK_RESOURCES_DIR");
    if (!fromEnvironment.isEmpty())
        return QFileInfo(fromEnvironment).isDir() ? QDir(fromEnvironment).absolutePath()
                                                  : QString();
    const QString exeDir = executableDir();
    if (exeDir.isEmpty())
        return {};
    for (const QString& candidate : {exeDir + QStringLiteral("/resources"),
                                     exeDir + QStringLiteral("/../share/orbitdeck/resources")})
        if (QFileInfo(candidate).isDir())
            return QDir(candidate).absolutePath();
    QDir dir(exeDir);
    for (int level = 0; level < maxAncestorLevels && dir.cdUp(); ++level)
        if (isResourcesDir(dir.filePath(QStringLiteral("resources"))))
            return dir.filePath(QStringLiteral("resources"));
    return {};
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
    const QStringList folders = QDir(dir_).entryList({QStringLiteral("*.lproj")},
                                                     QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& folder : folders) {
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
    const auto read = readFileCapped(tablePath(dir_, lproj), maxTableBytes);
    if (const auto* bytes = std::get_if<QByteArray>(&read))
        for (auto& [key, value] : parseStringsFile(*bytes).entries)
            entries.insert(key, value); // the last of a repeated key wins
    return *tables_.insert(lproj, std::move(entries));
}

} // namespace orbitdeck
