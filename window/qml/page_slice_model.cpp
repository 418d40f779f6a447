#include "window/qml/page_slice_model.h"

#include <QElapsedTimer>

#include <algorithm>
#include <utility>

namespace orbitdeck {

void PageSliceModel::setSourceModel(QAbstractItemModel* source) {
    if (source_ == source)
        return;
    for (const auto& connection : connections_)
        disconnect(connection);
    connections_.clear();
    beginResetModel();
    source_ = source;
    rows_.clear();
    endResetModel();
    if (source_) {
        const auto refollow = [this] { follow(); };
        connections_ = {
            connect(source_, &QAbstractItemModel::rowsInserted, this, refollow),
            connect(source_, &QAbstractItemModel::rowsRemoved, this, refollow),
            connect(source_, &QAbstractItemModel::rowsMoved, this, refollow),
            connect(source_, &QAbstractItemModel::modelReset, this, refollow),
            connect(source_, &QAbstractItemModel::layoutChanged, this, refollow),
            connect(
                source_, &QAbstractItemModel::dataChanged, this,
                [this](const QModelIndex& from, const QModelIndex& to, const QList<int>& roles) {
                    for (int row = 0; row < static_cast<int>(rows_.size()); ++row) {
                        const int at = rows_[static_cast<std::size_t>(row)].row();
                        if (at >= from.row() && at <= to.row())
                            emit dataChanged(index(row), index(row), roles);
                    }
                }),
        };
    }
    emit sourceModelChanged();
    follow();
}

void PageSliceModel::setFirst(int first) {
    if (first_ == first)
        return;
    first_ = first;
    const std::vector<QPersistentModelIndex> wanted = wantedRows();
    const bool turned = std::none_of(wanted.begin(), wanted.end(), [this](const auto& row) {
        return std::find(rows_.begin(), rows_.end(), row) != rows_.end();
    });
    if (turned)
        reach(wanted);
    else
        follow();
    emit rangeChanged();
}

void PageSliceModel::setCount(int count) {
    if (count_ == count)
        return;
    const bool growing = count > count_;
    count_ = count;
    if (growing)
        reach(wantedRows());
    else
        follow();
    emit rangeChanged();
}

void PageSliceModel::setStepBudget(int milliseconds) {
    if (stepBudget_ == milliseconds)
        return;
    stepBudget_ = milliseconds;
    if (stepBudget_ <= 0)
        settle();
    emit stepBudgetChanged();
}

void PageSliceModel::settle() {
    if (steps_)
        steps_->stop();
    if (!settled_)
        rebind(wantedRows());
    setSettled(true);
}

void PageSliceModel::setSettled(bool settled) {
    if (std::exchange(settled_, settled) != settled)
        emit settledChanged();
}

void PageSliceModel::reach(const std::vector<QPersistentModelIndex>& wanted) {
    if (stepBudget_ <= 0) {
        rebind(wanted);
        return;
    }
    // Rows beyond the range go at once: removing costs little.
    if (rows_.size() > wanted.size()) {
        beginRemoveRows({}, static_cast<int>(wanted.size()), static_cast<int>(rows_.size()) - 1);
        rows_.resize(wanted.size());
        endRemoveRows();
    }
    if (rows_ == wanted)
        return;
    setSettled(false);
    if (!steps_) {
        steps_ = new QTimer(this);
        steps_->setInterval(16);
        connect(steps_, &QTimer::timeout, this, &PageSliceModel::step);
    }
    steps_->start();
}

int PageSliceModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant PageSliceModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size()))
        return {};
    return rows_[static_cast<std::size_t>(index.row())].data(role);
}

QHash<int, QByteArray> PageSliceModel::roleNames() const {
    return source_ ? source_->roleNames() : QAbstractListModel::roleNames();
}

QVariant PageSliceModel::get(int row, const QString& roleName) const {
    const int role = roleNames().key(roleName.toUtf8(), -1);
    return role < 0 ? QVariant() : data(index(row), role);
}

std::vector<QPersistentModelIndex> PageSliceModel::wantedRows() const {
    std::vector<QPersistentModelIndex> wanted;
    if (source_) {
        const int end = std::min(first_ + std::max(count_, 0), source_->rowCount());
        for (int row = std::max(first_, 0); row < end; ++row)
            wanted.emplace_back(source_->index(row, 0));
    }
    return wanted;
}

void PageSliceModel::step() {
    QElapsedTimer spent;
    spent.start();
    const std::vector<QPersistentModelIndex> wanted = wantedRows();
    const qint64 budget = qint64(stepBudget_) * 1000000;
    for (std::size_t row = 0; row < wanted.size(); ++row) {
        const int at = static_cast<int>(row);
        if (row >= rows_.size()) {
            beginInsertRows({}, at, at);
            rows_.push_back(wanted[row]);
            endInsertRows();
            emit rowAdded();
        } else if (rows_[row] != wanted[row]) {
            rows_[row] = wanted[row];
            emit dataChanged(index(at), index(at));
        } else {
            continue;
        }
        emit rowBound(at);
        if (spent.nsecsElapsed() >= budget)
            break;
    }
    if (rows_ == wanted)
        settle();
}

void PageSliceModel::rebind(const std::vector<QPersistentModelIndex>& wanted) {
    const int kept = static_cast<int>(std::min(rows_.size(), wanted.size()));
    if (static_cast<int>(rows_.size()) > kept) {
        beginRemoveRows({}, kept, static_cast<int>(rows_.size()) - 1);
        rows_.resize(static_cast<std::size_t>(kept));
        endRemoveRows();
    }
    if (kept > 0) {
        std::copy_n(wanted.begin(), kept, rows_.begin());
        emit dataChanged(index(0), index(kept - 1));
    }
    if (static_cast<int>(wanted.size()) > kept) {
        beginInsertRows({}, kept, static_cast<int>(wanted.size()) - 1);
        rows_.insert(rows_.end(), wanted.begin() + kept, wanted.end());
        endInsertRows();
    }
}

void PageSliceModel::follow() {
    const std::vector<QPersistentModelIndex> wanted = wantedRows();
    // A source change mid-way brings the whole range over.
    if (steps_)
        steps_->stop();
    setSettled(true);
    // Removes first, from the end, of rows no longer in range (or gone from the source).
    for (int row = static_cast<int>(rows_.size()) - 1; row >= 0; --row) {
        const auto& held = rows_[static_cast<std::size_t>(row)];
        if (held.isValid() && std::find(wanted.begin(), wanted.end(), held) != wanted.end())
            continue;
        beginRemoveRows({}, row, row);
        rows_.erase(rows_.begin() + row);
        endRemoveRows();
    }
    // Then each wanted row into its place: moved when already held, inserted otherwise.
    for (int target = 0; target < static_cast<int>(wanted.size()); ++target) {
        const auto& row = wanted[static_cast<std::size_t>(target)];
        if (target < static_cast<int>(rows_.size()) &&
            rows_[static_cast<std::size_t>(target)] == row)
            continue;
        const auto held = std::find(rows_.begin() + target, rows_.end(), row);
        if (held != rows_.end()) {
            const int from = static_cast<int>(held - rows_.begin());
            beginMoveRows({}, from, from, {}, target);
            QPersistentModelIndex moved = *held;
            rows_.erase(held);
            rows_.insert(rows_.begin() + target, moved);
            endMoveRows();
        } else {
            beginInsertRows({}, target, target);
            rows_.insert(rows_.begin() + target, row);
            endInsertRows();
        }
    }
}

} // namespace orbitdeck
