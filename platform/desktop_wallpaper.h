#pragma once

#include <QString>

#include <optional>

namespace orbitdeck {

// Where the desktop says its picture is. GNOME keeps it in its settings (a separate one for the
// dark style), KDE Plasma in its desktop applet configuration; other desktops name none.
namespace desktop_wallpaper {

// GNOME's schema of the picture, whose changes the backdrop follows.
inline constexpr char gnomeBackground[] = "org.gnome.desktop.background";

// The path of a picture URI such as "file:///usr/share/backgrounds/a.jpg" (or a plain path);
// none when it is empty or not a local file.
std::optional<QString> pathFromPictureUri(const QString& value);

// The picture of the last wallpaper section of plasma-org.kde.plasma.desktop-appletsrc.
std::optional<QString> pathFromPlasmaConfig(const QString& text);

// Asks GNOME (picture-uri-dark when the dark style is on), then reads KDE's file under
// configHome, so it is called off the main thread. None when neither names a
// picture that exists.
std::optional<QString> locate(const QString& configHome);

} // namespace desktop_wallpaper

} // namespace orbitdeck
