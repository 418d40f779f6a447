#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace orbitdeck::xfce_wallpaper {

// Xfce keeps a picture per monitor and per workspace in its xfce4-desktop channel, stored by
// xfconf as xfce-perchannel-xml/xfce4-desktop.xml.
inline constexpr qint64 maxBytes = 4 * 1024 * 1024;

// The picture of /backdrop/screen0/monitor<monitor>/workspace<N>/last-image, where N is
// `workspace` (or the one workspace whose backdrop all share, when Xfce is told so). A monitor
// not listed by name falls back to its number (older Xfce), then to the first monitor with a
// picture for that workspace. None when there is no such picture, the backdrop shows no image,
// or the text is not a channel.
std::optional<QString> picture(const QByteArray& channel, const QString& monitor, int monitorIndex,
                               int workspace);

} // namespace orbitdeck::xfce_wallpaper
