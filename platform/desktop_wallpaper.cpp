#include "platform/desktop_wallpaper.h"

#include "platform/background_xml.h"
#include "platform/config_home.h"
#include "platform/desktop_settings.h"
#include "platform/durable_file.h"
#include "platform/plasma_wallpaper.h"
#include "platform/xfce_wallpaper.h"

#include <QFileInfo>
#include <QUrl>

namespace orbitdeck::desktop_wallpaper {

namespace {

using desktop_settings::gsettingsString;

// The KDE files read here are small; a huge one is not ours to parse.
constexpr qint64 kdeFileCap = 4 * 1024 * 1024;

enum class Desktop { gnome, cinnamon, mate, plasma, xfce };

std::optional<QByteArray> readCapped(const QString& path, qint64 cap) {
    FileReadResult read = readFileCapped(path, cap);
    if (auto* bytes = std::get_if<QByteArray>(&read))
        return std::move(*bytes);
    return std::nullopt;
}

// A background description stands for the picture it shows now.
std::optional<QString> existingPicture(std::optional<QString> path, const DesktopPlace& place,
                                       const Sources& sources) {
    if (!path || !QFileInfo(*path).isFile())
        return std::nullopt;
    if (path->endsWith(QStringLiteral(".xml"), Qt::CaseInsensitive)) {
        const auto xml = readCapped(*path, background_xml::maxBytes);
        if (!xml)
            return std::nullopt;
        path = background_xml::currentPicture(*xml, sources.now, place.screenSize,
                                              QFileInfo(*path).absolutePath());
        if (!path || !QFileInfo(*path).isFile() ||
            path->endsWith(QStringLiteral(".xml"), Qt::CaseInsensitive))
            return std::nullopt;
    }
    return path;
}

// A schema's picture setting, unless the desktop is told to show no picture.
std::optional<QString> fromSettings(const char* schemaId, const char* key) {
    const QString schema = QString::fromLatin1(schemaId);
    if (gsettingsString(schema, QStringLiteral("picture-options")) == u"none")
        return std::nullopt;
    if (const auto value = gsettingsString(schema, QString::fromLatin1(key)))
        return pathFromPictureUri(*value);
    return std::nullopt;
}

std::optional<QString> fromGnome(const DesktopPlace& place, const Sources& sources) {
    const bool dark = gsettingsString(QStringLiteral("org.gnome.desktop.interface"),
                                      QStringLiteral("color-scheme")) == u"prefer-dark";
    if (dark) {
        if (auto path =
                existingPicture(fromSettings(gnomeBackground, "picture-uri-dark"), place, sources))
            return path;
    }
    return existingPicture(fromSettings(gnomeBackground, "picture-uri"), place, sources);
}

std::optional<QString> fromPlasma(const DesktopPlace& place, const Sources& sources) {
    const auto applets =
        readCapped(sources.configHome + QStringLiteral("/plasma-org.kde.plasma.desktop-appletsrc"),
                   kdeFileCap);
    if (!applets)
        return std::nullopt;
    const auto shell =
        readCapped(sources.configHome + QStringLiteral("/plasmashellrc"), kdeFileCap);
    const int screen =
        shell ? plasma_wallpaper::screenNumber(*shell, place.screenName).value_or(place.screenIndex)
              : place.screenIndex;
    const auto activities =
        readCapped(sources.configHome + QStringLiteral("/kactivitymanagerdrc"), kdeFileCap);
    const auto activity = activities
                              ? desktop_settings::iniValue(*activities, "main", "currentActivity")
                              : std::nullopt;
    auto path = plasma_wallpaper::picture(*applets, screen,
                                          activity ? QString::fromUtf8(*activity) : QString());
    if (path)
        path = plasma_wallpaper::packagePicture(*path, place.screenSize, false);
    return existingPicture(path, place, sources);
}

// defaults: the system's channel when the user's names no picture, which only an Xfce session
// shows.
std::optional<QString> fromXfce(const DesktopPlace& place, const Sources& sources, bool defaults) {
    const QString channel = QStringLiteral("/xfce4/xfconf/xfce-perchannel-xml/xfce4-desktop.xml");
    QStringList folders{sources.configHome};
    if (defaults)
        folders.append(sources.configDirs);
    for (const QString& folder : folders) {
        const auto bytes = readCapped(folder + channel, xfce_wallpaper::maxBytes);
        if (!bytes)
            continue;
        if (auto path = existingPicture(xfce_wallpaper::picture(*bytes, place.screenName,
                                                                place.screenIndex, place.workspace),
                                        place, sources))
            return path;
    }
    return std::nullopt;
}

std::optional<QString> from(Desktop desktop, const DesktopPlace& place, const Sources& sources,
                            bool current) {
    switch (desktop) {
    case Desktop::gnome:
        return fromGnome(place, sources);
    case Desktop::cinnamon:
        return existingPicture(fromSettings(cinnamonBackground, "picture-uri"), place, sources);
    case Desktop::mate:
        return existingPicture(fromSettings(mateBackground, "picture-filename"), place, sources);
    case Desktop::plasma:
        return fromPlasma(place, sources);
    case Desktop::xfce:
        return fromXfce(place, sources, current);
    }
    return std::nullopt;
}

// The first desktop of $XDG_CURRENT_DESKTOP that keeps its picture where we can read it.
std::optional<Desktop> currentDesktop(const QString& value) {
    for (const QString& name : value.split(u':', Qt::SkipEmptyParts)) {
        const QString lower = name.toLower();
        if (lower == u"kde")
            return Desktop::plasma;
        if (lower == u"xfce")
            return Desktop::xfce;
        if (lower == u"x-cinnamon" || lower == u"cinnamon")
            return Desktop::cinnamon;
        if (lower == u"mate")
            return Desktop::mate;
        if (lower == u"gnome" || lower == u"unity" || lower == u"budgie" || lower == u"pantheon")
            return Desktop::gnome;
    }
    return std::nullopt;
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

Sources sessionSources() {
    QStringList dirs = qEnvironmentVariable("XDG_CONFIG_DIRS").split(u':', Qt::SkipEmptyParts);
    if (dirs.isEmpty())
        dirs = {QStringLiteral("/etc/xdg")};
    return {.configHome = configHome(),
            .configDirs = dirs,
            .currentDesktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP"),
            .now = QDateTime::currentDateTime()};
}

std::optional<QString> locate(const DesktopPlace& place, const Sources& sources) {
    if (const auto desktop = currentDesktop(sources.currentDesktop))
        return from(*desktop, place, sources, true);
    for (const Desktop desktop :
         {Desktop::gnome, Desktop::cinnamon, Desktop::mate, Desktop::plasma, Desktop::xfce})
        if (auto path = from(desktop, place, sources, false))
            return path;
    return std::nullopt;
}

} // namespace orbitdeck::desktop_wallpaper
