#include "system/hot_corner.h"

namespace orbitdeck {

namespace {
constexpr double zoneDepthPoints = 3.0;
}

bool insideHotCorner(HotCorner corner, QPoint pointer, const ScreenArea& screen) {
    const QRect& area = screen.geometry;
    const double depth = zoneDepthPoints * screen.pixelsPerPoint;
    // Distances from the edge pixels: a pointer pressed against an edge is 0 away from it.
    const bool nearLeft = pointer.x() - area.left() <= depth;
    const bool nearRight = area.right() - pointer.x() <= depth;
    const bool nearTop = pointer.y() - area.top() <= depth;
    const bool nearBottom = area.bottom() - pointer.y() <= depth;
    switch (corner) {
    case HotCorner::off:
        return false;
    case HotCorner::topLeft:
        return nearLeft && nearTop;
    case HotCorner::topRight:
        return nearRight && nearTop;
    case HotCorner::bottomLeft:
        return nearLeft && nearBottom;
    case HotCorner::bottomRight:
        return nearRight && nearBottom;
    }
    return false;
}

} // namespace orbitdeck
