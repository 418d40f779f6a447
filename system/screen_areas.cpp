#include "system/screen_areas.h"

#include <QGuiApplication>
#include <QScreen>

namespace orbitdeck {

std::vector<ScreenArea> currentScreenAreas() {
    std::vector<ScreenArea> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        // Qt keeps a screen's origin in native pixels and scales only its size.
        const double ratio = screen->devicePixelRatio();
        const QRect geometry = screen->geometry();
        areas.push_back({.geometry = QRect(geometry.topLeft(), geometry.size() * ratio),
                         .pixelsPerPoint = ratio});
    }
    return areas;
}

} // namespace orbitdeck
