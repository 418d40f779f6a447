#include "window/tile_id.h"

#include "window/item_keys.h"

namespace orbitdeck {

QString TileId::id() const {
    return item_ ? QString::fromStdString(item_->payload) : QString();
}

QString TileId::key() const {
    return item_ ? itemKey(*item_) : QString();
}

QList<TileId> tileIds(const std::vector<LayoutItem>& items) {
    QList<TileId> ids;
    ids.reserve(static_cast<qsizetype>(items.size()));
    for (const LayoutItem& item : items)
        ids.append(TileId(item));
    return ids;
}

} // namespace orbitdeck
