#include "platform/desktop_wallpaper.h"

#include "platform/desktop_settings.h"
#include "platform/durable_file.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

namespace orbitdeck::desktop_wallpaper {

namespace {

using desktop_settings::gsettingsString;

std::optional<QString> existingFile(std::optional<QString> path) {
    if (path && QFileInfo(*path).isFile())
        return path;
    return std::nullopt;
}

std::optional<QString> fromGnome() {
    const bool dark = gsettingsString(QStringLiteral("org.gnome.desktop.interface"),
                                      QStringLiteral("color-scheme")) == u"prefer-dark";
    if (dark) {
        if (const auto value = gsettingsString(QString::fromLatin1(gnomeBackground),
                                               QStringLiteral("picture-uri-dark")))
            if (auto path = existingFile(pathFromPictureUri(*value)))
                return path;
    }
    if (const auto value =
            gsettingsString(QString::fromLatin1(gnomeBackground), QStringLiteral("picture-uri")))
        return existingFile(pathFromPictureUri(*value));
    return std::nullopt;
}

std::optional<QString> fromPlasma(const QString& configHome) {
    // The file is a small INI; a huge one is not ours to parse.
    const FileReadResult read = readFileCapped(
        configHome + QStringLiteral("/plasma-org.kde.plasma.desktop-appletsrc"), 4 * 1024 * 1024);
    const auto* bytes = std::get_if<QByteArray>(&read);
    if (!bytes)
        return std::nullopt;
    return existingFile(pathFromPlasmaConfig(QString::fromUtf8(*bytes)));
}

} // namespace

std::optional<QString> pathFromPictureUri(const QString& value) {
    const QString text = value.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    const QUrl url(text);
    if (url.isLocalFile())
        return url.toLocalFile();
    if (text.startsWith(QLatin1Char('/')))
        return text;
    return std::nullopt;
}

std::optional<QString> pathFromPlasmaConfig(const QString& text) {
    static const QRegularExpression section(QStringLiteral("^\\[(.*)\\]$"));
    std::optional<QString> found;
    bool inImageSection = false;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (const auto match = section.match(line); match.hasMatch()) {
            const QString name = match.captured(1);
            inImageSection = name.contains(QStringLiteral("][Wallpaper][")) &&
                             name.endsWith(QStringLiteral("][General"));
            continue;
        }
        if (inImageSection && line.startsWith(QStringLiteral("Image="))) {
            if (auto path = pathFromPictureUri(line.mid(6)))
                found = path;
        }
    }
    return found;
}

std::optional<QString> locate(const QString& configHome) {
    if (auto path = fromGnome())
        return path;
    return fromPlasma(configHome);
}

} // namespace orbitdeck::desktop_wallpaper
