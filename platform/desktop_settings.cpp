#include "platform/desktop_settings.h"

#include "platform/durable_file.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

namespace orbitdeck::desktop_settings {

namespace {
// A hung settings daemon must not hold anything back for long.
constexpr int gsettingsTimeoutMs = 2000;
constexpr qint64 kdeGlobalsCap = 1024 * 1024;
} // namespace

namespace {

std::optional<QByteArray> gsettingsOutput(const QStringList& arguments) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    if (program.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(gsettingsTimeoutMs)) {
        process.kill();
        process.waitForFinished(500);
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput();
}

} // namespace

std::optional<QString> gsettingsValue(const QString& schema, const QString& key) {
    const auto output = gsettingsOutput({QStringLiteral("get"), schema, key});
    if (!output)
        return std::nullopt;
    return QString::fromUtf8(*output).trimmed();
}

bool gsettingsSet(const QString& schema, const QString& key, const QString& value) {
    return gsettingsOutput({QStringLiteral("set"), schema, key, value}).has_value();
}

std::optional<QHash<QString, QString>> gsettingsSchema(const QString& schema) {
    const auto output = gsettingsOutput({QStringLiteral("list-recursively"), schema});
    if (!output)
        return std::nullopt;
    // "<schema> <key> <value>" per line; child schemas' lines name their own schema.
    QHash<QString, QString> values;
    for (const QString& line : QString::fromUtf8(*output).split(QLatin1Char('\n'))) {
        const qsizetype keyStart = line.indexOf(QLatin1Char(' '));
        const qsizetype valueStart = line.indexOf(QLatin1Char(' '), keyStart + 1);
        if (keyStart <= 0 || valueStart < 0 || QStringView(line).left(keyStart) != schema)
            continue;
        values.insert(line.mid(keyStart + 1, valueStart - keyStart - 1),
                      line.mid(valueStart + 1).trimmed());
    }
    return values;
}

std::optional<QByteArray> kdeGlobals() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    auto read = readFileCapped(base + QStringLiteral("/kdeglobals"), kdeGlobalsCap);
    if (auto* contents = std::get_if<QByteArray>(&read))
        return std::move(*contents);
    return std::nullopt;
}

std::optional<QByteArray> iniValue(const QByteArray& contents, const QByteArray& group,
                                   const QByteArray& key) {
    const QByteArray header = '[' + group + ']';
    bool inGroup = false;
    for (const QByteArray& rawLine : contents.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.startsWith('[')) {
            inGroup = line == header;
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (inGroup && equals > 0 && line.left(equals).trimmed() == key)
            return line.mid(equals + 1).trimmed();
    }
    return std::nullopt;
}

bool onKdeSession() {
    return qEnvironmentVariable("XDG_CURRENT_DESKTOP").contains(u"KDE");
}

namespace {

// gsettings prints text values quoted: "'Adwaita'".
QString unquoted(QString value) {
    if (value.size() >= 2 && value.startsWith(u'\'') && value.endsWith(u'\''))
        value = value.mid(1, value.size() - 2);
    return value;
}

bool onGnomeLikeSession() {
    const QStringList desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':');
    for (const QString& desktop : desktops) {
        for (const char* gnomeLike : {"GNOME", "Unity", "Budgie", "Pantheon"}) {
            if (desktop.compare(QLatin1String(gnomeLike), Qt::CaseInsensitive) == 0)
                return true;
        }
    }
    return false;
}

} // namespace

QString iconThemeName() {
    if (onKdeSession()) {
        const auto globals = kdeGlobals();
        const auto theme = globals ? iniValue(*globals, "Icons", "Theme") : std::nullopt;
        return theme && !theme->isEmpty() ? QString::fromUtf8(*theme) : QStringLiteral("breeze");
    }
    if (onGnomeLikeSession()) {
        if (const auto theme = gsettingsValue(QStringLiteral("org.gnome.desktop.interface"),
                                              QStringLiteral("icon-theme"));
            theme && !unquoted(*theme).isEmpty())
            return unquoted(*theme);
    }
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    auto read = readFileCapped(base + QStringLiteral("/gtk-3.0/settings.ini"), kdeGlobalsCap);
    if (const auto* contents = std::get_if<QByteArray>(&read)) {
        if (const auto theme = iniValue(*contents, "Settings", "gtk-icon-theme-name");
            theme && !theme->isEmpty())
            return QString::fromUtf8(*theme);
    }
    return QStringLiteral("hicolor");
}

} // namespace orbitdeck::desktop_settings
