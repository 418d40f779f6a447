#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QSize>
#include <QString>

#include <optional>

namespace orbitdeck::background_xml {

// A GNOME background description: a slideshow or a day/night pair of pictures that change with
// the time of day, as picture-uri may name instead of a picture. Holds no more than this.
inline constexpr qint64 maxBytes = 1024 * 1024;

// The picture the description shows at `now`: the static entry that is current, or the nearer
// side of a running transition, counted from its start time (local time) in a cycle of all the
// durations. Where a file comes in several sizes, the one that fits `screen` best. A relative
// path is taken from `folder`, the description's own. None when the text is no description or
// names no picture.
std::optional<QString> currentPicture(const QByteArray& xml, const QDateTime& now,
                                      const QSize& screen, const QString& folder);

} // namespace orbitdeck::background_xml
