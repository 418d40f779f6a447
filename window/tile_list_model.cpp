#include "window/tile_list_model.h"

#include "platform/main_thread.h"
#include "window/item_keys.h"
#include "window/tile_id.h"

#include <algorithm>

namespace orbitdeck {

namespace {

bool sameText(const TileListModel::TileText& a, const TileListModel::TileText& b) {
    return a.name == b.name && a.path == b.path && a.previewPaths == b.previewPaths;
}

QString kindName(const LayoutItem& item) {
    const QString key = itemKey(item);
    return key.left(key.indexOf(u':'));
}

} // namespace

TileListModel::TileListModel(Describe describe, QObject* parent)
    : QAbstractListModel(parent)
    , describe_(std::move(describe)) {}

int TileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

QVariant TileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() < 0 || index.row() >= count())
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    const LayoutItem& item = items_[row];
    const TileText& text = texts_[row];
    switch (role) {
    case KeyRole:
        return itemKey(item);
    case KindRole:
        return kindName(item);
    case ItemIDRole:
        return QString::fromStdString(item.payload);
    case NameRole:
    case Qt::DisplayRole:
        return text.name;
    case PathRole:
        return text.path;
    case PreviewPathsRole:
        return text.previewPaths;
    case TileRole:
        return QVariant::fromValue(TileId(item));
    default:
        return {};
    }
}

QHash<int, QByteArray> TileListModel::roleNames() const {
    return {{KeyRole, "key"},   {KindRole, "kind"}, {ItemIDRole, "itemId"},
            {NameRole, "name"}, {PathRole, "path"}, {PreviewPathsRole, "previewPaths"},
            {TileRole, "tile"}};
}

void TileListModel::setItems(const std::vector<LayoutItem>& items) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const int before = count();
    const std::unordered_set<LayoutItem> wanted(items.begin(), items.end());

    // Removes in contiguous runs, from the end so the rows ahead keep their numbers.
    for (int last = count() - 1; last >= 0; --last) {
        if (wanted.contains(items_[static_cast<std::size_t>(last)]))
            continue;
        int first = last;
        while (first > 0 && !wanted.contains(items_[static_cast<std::size_t>(first - 1)]))
            --first;
        beginRemoveRows({}, first, last);
        items_.erase(items_.begin() + first, items_.begin() + last + 1);
        texts_.erase(texts_.begin() + first, texts_.begin() + last + 1);
        endRemoveRows();
        last = first;
    }

    // Then every slot in turn: the right item moved up from further down, or a run of new
    // items inserted.
    const std::unordered_set<LayoutItem> present(items_.begin(), items_.end());
    for (std::size_t slot = 0; slot < items.size(); ++slot) {
        if (slot < items_.size() && items_[slot] == items[slot])
            continue;
        const int to = static_cast<int>(slot);
        if (present.contains(items[slot])) {
            const auto found = std::find(items_.begin() + static_cast<std::ptrdiff_t>(slot),
                                         items_.end(), items[slot]);
            const int from = static_cast<int>(found - items_.begin());
            beginMoveRows({}, from, from, {}, to);
            std::rotate(items_.begin() + to, items_.begin() + from, items_.begin() + from + 1);
            std::rotate(texts_.begin() + to, texts_.begin() + from, texts_.begin() + from + 1);
            endMoveRows();
            continue;
        }
        std::size_t end = slot + 1;
        while (end < items.size() && !present.contains(items[end]))
            ++end;
        std::vector<TileText> texts;
        for (std::size_t index = slot; index < end; ++index)
            texts.push_back(describe_(items[index]));
        beginInsertRows({}, to, static_cast<int>(end) - 1);
        items_.insert(items_.begin() + to, items.begin() + static_cast<std::ptrdiff_t>(slot),
                      items.begin() + static_cast<std::ptrdiff_t>(end));
        texts_.insert(texts_.begin() + to, std::make_move_iterator(texts.begin()),
                      std::make_move_iterator(texts.end()));
        endInsertRows();
        slot = end - 1;
    }

    // Names and folder contents may change without the item moving.
    for (std::size_t row = 0; row < items_.size(); ++row) {
        TileText text = describe_(items_[row]);
        if (sameText(text, texts_[row]))
            continue;
        texts_[row] = std::move(text);
        const QModelIndex changed = index(static_cast<int>(row));
        emit dataChanged(changed, changed);
    }
    if (before != count())
        emit countChanged();
}

int TileListModel::indexOfKey(const QString& key) const {
    const std::optional<LayoutItem> item = itemFromKey(key);
    if (!item)
        return -1;
    const auto found = std::find(items_.begin(), items_.end(), *item);
    return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

} // namespace orbitdeck
