#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

#include <optional>

namespace orbitdeck::plasma_wallpaper {

// KDE Plasma keeps one desktop containment per screen (and activity) in
// plasma-org.kde.plasma.desktop-appletsrc, each with its own wallpaper plugin and picture.

// The number Plasma gives the screen named `connector` (its [ScreenConnectors] in
// plasmashellrc); none when the file does not list it.
std::optional<int> screenNumber(const QByteArray& plasmashellrc, const QString& connector);

// The picture of the desktop containment of screen `screen`, of `activity` where several are
// (any activity when empty); when no containment claims that screen, the one of screen 0.
// Image= of the containment's own wallpaper plugin, as a path or file URI, possibly a wallpaper
// package folder. None for a plugin without a picture (a plain colour).
std::optional<QString> picture(const QByteArray& appletsrc, int screen, const QString& activity);

// The picture of a wallpaper package (a folder with contents/images/<W>x<H>.<ext>) that fits
// `screen` best; the path itself when it is no folder. Reads the folder.
QString packagePicture(const QString& path, const QSize& screen, bool dark);

} // namespace orbitdeck::plasma_wallpaper
