#include "arranging/rules/live_drag_zones.h"

#include <algorithm>
#include <cmath>

namespace orbitdeck {

bool insideMergeZone(const LayoutItem& dragged, const LayoutItem& target, TilePoint point,
                     TileMetrics metrics) {
    if (dragged.kind != LayoutItem::Kind::application)
        return false;
    const double fromCentre = std::abs(point.x - metrics.width / 2);
    switch (target.kind) {
    case LayoutItem::Kind::application:
        return fromCentre < std::max(0.6 * metrics.iconSize, 0.3 * metrics.width) &&
               point.y < 0.9 * metrics.height;
    case LayoutItem::Kind::folder:
        return fromCentre < 0.4 * metrics.width;
    case LayoutItem::Kind::placeholder:
        return false;
    }
    return false;
}

TileDrop tileDrop(const std::optional<LayoutItem>& dragged, const LayoutItem& target,
                  TilePoint point, TileMetrics metrics) {
    if (!dragged || *dragged == target)
        return {};
    if (insideMergeZone(*dragged, target, point, metrics))
        return {.action = target.isFolder() ? TileDrop::Action::moveIntoFolder
                                            : TileDrop::Action::makeFolder};
    return {.action = TileDrop::Action::placeNextTo, .after = placesAfter(point, metrics)};
}

} // namespace orbitdeck
