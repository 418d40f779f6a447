#pragma once

#include "window/library_settings_enums.h"

#include <QPoint>
#include <QRect>

namespace orbitdeck {

// One monitor in native pixels, with its scale so the zone keeps its depth in points.
struct ScreenArea {
    QRect geometry;
    double pixelsPerPoint = 1.0;
};

// Whether the pointer lies within 3 points of both edges that make up the corner.
bool insideHotCorner(HotCorner corner, QPoint pointer, const ScreenArea& screen);

} // namespace orbitdeck
