#pragma once

#include "platform/desktop_place.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

namespace orbitdeck {

// Where the desktop says its picture is. GNOME, Cinnamon and MATE keep it in their settings
// (GNOME a separate one for the dark style, possibly a background description that changes with
// the time of day), KDE Plasma per screen in its desktop applet configuration, Xfce per monitor
// and workspace in its xfce4-desktop channel; other desktops name none.
namespace desktop_wallpaper {

// GNOME's, Cinnamon's and MATE's schemas of the picture, whose changes the backdrop follows.
inline constexpr char gnomeBackground[] = "org.gnome.desktop.background";
inline constexpr char cinnamonBackground[] = "org.cinnamon.desktop.background";
inline constexpr char mateBackground[] = "org.mate.background";

// The path of a picture URI such as "file:///usr/share/backgrounds/a.jpg" (or a plain path);
// none when it is empty or not a local file.
std::optional<QString> pathFromPictureUri(const QString& value);

// What the lookup reads besides the desktop's settings.
struct Sources {
    QString configHome;     // the user's configuration folder
    QStringList configDirs; // the system's ($XDG_CONFIG_DIRS), for Xfce's defaults
    QString currentDesktop; // $XDG_CURRENT_DESKTOP
    QDateTime now;          // for backgrounds that change with the time of day
};
// The sources of this session, now.
Sources sessionSources();

// Asks the current desktop's own settings or files, or every desktop's in turn when the session
// names none of them; reads files, so it is called off the main thread. None when nothing names
// a picture that exists.
std::optional<QString> locate(const DesktopPlace& place, const Sources& sources);

} // namespace desktop_wallpaper

} // namespace orbitdeck
