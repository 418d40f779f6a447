#pragma once

#include <QPoint>
#include <QRect>

#include <array>
#include <string_view>

namespace orbitdeck {

enum class HotCorner { off, topLeft, topRight, bottomLeft, bottomRight };

inline constexpr std::array allHotCorners{HotCorner::off, HotCorner::topLeft, HotCorner::topRight,
                                          HotCorner::bottomLeft, HotCorner::bottomRight};

std::string_view storedName(HotCorner corner);
// A missing or unknown stored name reads as off.
HotCorner hotCornerFromStored(std::string_view name);

// One monitor in native pixels, with its scale so the zone keeps its depth in points.
struct ScreenArea {
    QRect geometry;
    double pixelsPerPoint = 1.0;
};

// Whether the pointer lies within 3 points of both edges that make up the corner.
bool insideHotCorner(HotCorner corner, QPoint pointer, const ScreenArea& screen);

} // namespace orbitdeck
