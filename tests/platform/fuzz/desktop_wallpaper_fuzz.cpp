// The desktop's wallpaper files are whatever is on disk: a background description, Xfce's
// channel and Plasma's applet configuration must never crash their readers.
#include "platform/background_xml.h"
#include "platform/plasma_wallpaper.h"
#include "platform/xfce_wallpaper.h"

#include <QDateTime>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orbitdeck;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QDateTime now(QDate(2024, 6, 3), QTime(12, 0));
    (void)background_xml::currentPicture(bytes, now, {1920, 1080}, QStringLiteral("/bg"));
    (void)xfce_wallpaper::picture(bytes, QStringLiteral("eDP-1"), 0, 1);
    (void)plasma_wallpaper::picture(bytes, 1, QStringLiteral("work"));
    (void)plasma_wallpaper::screenNumber(bytes, QStringLiteral("eDP-1"));
    return 0;
}
