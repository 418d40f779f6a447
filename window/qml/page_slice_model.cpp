#include "window/qml/page_slice_model.h"

namespace orbitdeck {

PageSliceModel::PageSliceModel(QObject* parent)
    : QSortFilterProxyModel(parent) {
    // A row moving within the source changes which rows fall in the range: filter again.
    setDynamicSortFilter(true);
    connect(this, &QSortFilterProxyModel::sourceModelChanged, this, [this] {
        if (!sourceModel())
            return;
        const auto refilter = [this] { invalidateRowsFilter(); };
        connect(sourceModel(), &QAbstractItemModel::rowsInserted, this, refilter);
        connect(sourceModel(), &QAbstractItemModel::rowsRemoved, this, refilter);
        connect(sourceModel(), &QAbstractItemModel::rowsMoved, this, refilter);
    });
}

void PageSliceModel::setFirst(int first) {
    if (first_ == first)
        return;
    first_ = first;
    invalidateRowsFilter();
    emit rangeChanged();
}

void PageSliceModel::setCount(int count) {
    if (count_ == count)
        return;
    count_ = count;
    invalidateRowsFilter();
    emit rangeChanged();
}

QVariant PageSliceModel::get(int row, const QString& roleName) const {
    const int role = roleNames().key(roleName.toUtf8(), -1);
    return role < 0 ? QVariant() : data(index(row, 0), role);
}

bool PageSliceModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    return sourceRow >= first_ && sourceRow < first_ + count_;
}

} // namespace orbitdeck
