#pragma once
// Where a pointer over a tile sends a dragged tile: into a merge with it, or before or after it.
#include "layout-core/layout_item.h"

#include <optional>

namespace orbitdeck {

// A tile's size as the grid lays it out, in points.
struct TileMetrics {
    double width = 0;
    double height = 0;
    double iconSize = 0;
};

// A pointer in a tile's own coordinates (origin at its top-left corner).
struct TilePoint {
    double x = 0;
    double y = 0;
};

// Only a dragged application merges: with an application near its icon, or into a folder.
bool insideMergeZone(const LayoutItem& dragged, const LayoutItem& target, TilePoint point,
                     TileMetrics metrics);

// On the grid the centre line itself means after.
inline bool placesAfter(TilePoint point, TileMetrics metrics) {
    return point.x >= metrics.width / 2;
}

// Inside an open folder the centre line means before.
inline bool placesAfterInFolder(double x, double cellWidth) {
    return x > cellWidth / 2;
}

struct TileDrop {
    enum class Action { refuse, makeFolder, moveIntoFolder, placeNextTo };

    Action action = Action::refuse;
    bool after = false;

    friend bool operator==(const TileDrop&, const TileDrop&) = default;
};

// What a release over a grid tile does, with the same zones as the hover.
TileDrop tileDrop(const std::optional<LayoutItem>& dragged, const LayoutItem& target,
                  TilePoint point, TileMetrics metrics);

} // namespace orbitdeck
