#include "platform/desktop_appearance.h"

#include "platform/durable_file.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

namespace orbitdeck {
namespace {

constexpr auto cacheLifetime = std::chrono::seconds(2);
constexpr int gsettingsTimeoutMs = 1000;

QString unquoted(QString text) {
    text = text.trimmed();
    if (text.size() >= 2 && text.front() == u'\'' && text.back() == u'\'')
        text = text.mid(1, text.size() - 2);
    return text;
}

QString gsettingsValue(const QString& schema, const QString& key) {
    if (QStandardPaths::findExecutable(QStringLiteral("gsettings")).isEmpty())
        return {};
    QProcess process;
    process.start(QStringLiteral("gsettings"), {QStringLiteral("get"), schema, key});
    if (!process.waitForFinished(gsettingsTimeoutMs)) {
        process.kill();
        process.waitForFinished(gsettingsTimeoutMs);
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

std::optional<DesktopAppearance> askGnome() {
    const QString schema = QStringLiteral("org.gnome.desktop.interface");
    const QString scheme = gsettingsValue(schema, QStringLiteral("color-scheme"));
    if (scheme.isEmpty())
        return std::nullopt;
    return appearanceFromGnome(scheme, gsettingsValue(schema, QStringLiteral("gtk-theme")));
}

std::optional<DesktopAppearance> askKde() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    const auto read = readFileCapped(base + QStringLiteral("/kdeglobals"), 1024 * 1024);
    if (const auto* contents = std::get_if<QByteArray>(&read))
        return appearanceFromKdeGlobals(*contents);
    return std::nullopt;
}

std::optional<DesktopAppearance> askDesktop() {
    const bool onKde = qEnvironmentVariable("XDG_CURRENT_DESKTOP").contains(u"KDE");
    if (onKde)
        if (auto answer = askKde())
            return answer;
    if (auto answer = askGnome())
        return answer;
    return onKde ? std::nullopt : askKde();
}

} // namespace

std::optional<DesktopAppearance> appearanceFromGnome(const QString& colorScheme,
                                                     const QString& gtkTheme) {
    const QString scheme = unquoted(colorScheme);
    if (scheme == u"prefer-dark")
        return DesktopAppearance::dark;
    if (scheme == u"prefer-light")
        return DesktopAppearance::light;
    if (scheme != u"default")
        return std::nullopt;
    return unquoted(gtkTheme).endsWith(u"-dark", Qt::CaseInsensitive) ? DesktopAppearance::dark
                                                                      : DesktopAppearance::light;
}

std::optional<DesktopAppearance> appearanceFromKdeGlobals(const QByteArray& contents) {
    bool inWindowColors = false;
    for (const QByteArray& rawLine : contents.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.startsWith('[')) {
            inWindowColors = line == "[Colors:Window]";
            continue;
        }
        if (!inWindowColors || !line.startsWith("BackgroundNormal="))
            continue;
        const QList<QByteArray> parts = line.mid(line.indexOf('=') + 1).split(',');
        if (parts.size() < 3)
            return std::nullopt;
        double channels[3];
        for (int i = 0; i < 3; ++i) {
            bool ok = false;
            channels[i] = parts[i].trimmed().toInt(&ok) / 255.0;
            if (!ok || channels[i] < 0 || channels[i] > 1)
                return std::nullopt;
        }
        const double luminance = 0.2126 * channels[0] + 0.7152 * channels[1] + 0.0722 * channels[2];
        return luminance < 0.5 ? DesktopAppearance::dark : DesktopAppearance::light;
    }
    return std::nullopt;
}

std::optional<DesktopAppearance> LinuxDesktopAppearance::appearance() const {
    const auto now = std::chrono::steady_clock::now();
    if (!hasCache_ || now - cachedAt_ > cacheLifetime) {
        cached_ = askDesktop();
        cachedAt_ = now;
        hasCache_ = true;
    }
    return cached_;
}

} // namespace orbitdeck
