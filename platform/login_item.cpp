#include "platform/login_item.h"

#include "platform/config_home.h"
#include "platform/durable_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <variant>

namespace orbitdeck {

namespace {

constexpr qint64 maxEntryBytes = 64 * 1024;

// A desktop session skips an entry that is hidden or switched off.
bool entryIsSkipped(const QByteArray& bytes) {
    for (const QByteArray& rawLine : bytes.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line == "Hidden=true" || line == "X-GNOME-Autostart-enabled=false")
            return true;
    }
    return false;
}

} // namespace

XdgAutostartLoginItem::XdgAutostartLoginItem(QString executable)
    : executable_(std::move(executable)) {}

QString XdgAutostartLoginItem::entryPath() {
    return configHome() + QStringLiteral("/autostart/orbitdeck.desktop");
}

QString XdgAutostartLoginItem::execLine(const QString& executable) {
    QString quoted;
    for (const QChar ch : executable) {
        if (ch == u'"' || ch == u'`' || ch == u'$' || ch == u'\\')
            quoted += u'\\';
        quoted += ch;
    }
    // Field codes start with '%'; a literal one is written twice.
    quoted.replace(u'%', QStringLiteral("%%"));
    return u'"' + quoted + u'"';
}

LoginItemStatus XdgAutostartLoginItem::status() const {
    const FileReadResult read = readFileCapped(entryPath(), maxEntryBytes);
    const auto* bytes = std::get_if<QByteArray>(&read);
    if (!bytes || entryIsSkipped(*bytes))
        return LoginItemStatus::notRegistered;
    return LoginItemStatus::enabled;
}

std::optional<QString> XdgAutostartLoginItem::registerItem() {
    const QString program =
        executable_.isEmpty() ? QCoreApplication::applicationFilePath() : executable_;
    if (program.isEmpty())
        return QStringLiteral("The launcher's program file is unknown.");
    const QStringList lines = {
        QStringLiteral("[Desktop Entry]"),
        QStringLiteral("Type=Application"),
        QStringLiteral("Name=Orbitdeck"),
        QStringLiteral("Exec=") + execLine(program),
        QStringLiteral("X-GNOME-Autostart-enabled=true"),
    };
    if (!writeFileDurably(entryPath(), (lines.join(u'\n') + u'\n').toUtf8()))
        return QStringLiteral("Could not write %1.").arg(entryPath());
    return std::nullopt;
}

std::optional<QString> XdgAutostartLoginItem::unregisterItem() {
    QFile entry(entryPath());
    if (entry.exists() && !entry.remove())
        return QStringLiteral("Could not remove %1: %2").arg(entryPath(), entry.errorString());
    return std::nullopt;
}

} // namespace orbitdeck
