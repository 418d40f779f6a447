#pragma once

#include <QAbstractListModel>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QTimer>
#include <QtQml/qqmlregistration.h>

#include <vector>

namespace orbitdeck {

// The rows of one page of a list model: [first, first + count). Whenever the source or the
// range changes, the page follows by removes, moves and inserts (never a reset), so its tiles
// animate and a dragged tile keeps its delegate. A turn to a page sharing no row with the one
// shown re-points the rows in place (a data change), so the view keeps its delegates and only
// rebinds them. A hidden page given a step budget gets there a few rows at a time instead, so no
// single frame pays for a whole page.
class PageSliceModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QAbstractItemModel* sourceModel READ sourceModel WRITE setSourceModel NOTIFY
                   sourceModelChanged FINAL)
    Q_PROPERTY(int first READ first WRITE setFirst NOTIFY rangeChanged FINAL)
    Q_PROPERTY(int count READ count WRITE setCount NOTIFY rangeChanged FINAL)
    // Milliseconds a step (a frame's time apart) may spend rebinding and adding rows on a range
    // change, at least one row a step; 0: all at once.
    Q_PROPERTY(int stepBudget READ stepBudget WRITE setStepBudget NOTIFY stepBudgetChanged FINAL)
    // Holds every row of its range.
    Q_PROPERTY(bool settled READ settled NOTIFY settledChanged FINAL)

public:
    using QAbstractListModel::QAbstractListModel;

    QAbstractItemModel* sourceModel() const { return source_; }
    void setSourceModel(QAbstractItemModel* source);
    int first() const { return first_; }
    void setFirst(int first);
    int count() const { return count_; }
    void setCount(int count);
    int stepBudget() const { return stepBudget_; }
    void setStepBudget(int milliseconds);
    bool settled() const { return settled_; }

    // Brings the rows still on their way in at once.
    Q_INVOKABLE void settle();

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // Model data by role name, for views and tests.
    Q_INVOKABLE QVariant get(int row, const QString& roleName) const;

signals:
    void sourceModelChanged();
    void rangeChanged();
    void stepBudgetChanged();
    void settledChanged();
    // A step added a row: its view may lay it out now, so that the step's time counts the tile
    // it makes.
    void rowAdded();
    // A step added or rebound this row: its view may ready the tile now (its polish), so that
    // the step's time counts that too, not the next frame's.
    void rowBound(int row);

private:
    // The source rows now in range.
    std::vector<QPersistentModelIndex> wantedRows() const;
    // Brings rows_ to the source rows now in range.
    void follow();
    // Points the rows held at `wanted`, row by row, trimming or extending the end.
    void rebind(const std::vector<QPersistentModelIndex>& wanted);
    // Brings the range over now, or starts the steps when budgeted.
    void reach(const std::vector<QPersistentModelIndex>& wanted);
    // Rebinds or adds the next rows that differ from the range, until the budget is spent.
    void step();
    void setSettled(bool settled);

    QPointer<QAbstractItemModel> source_;
    std::vector<QMetaObject::Connection> connections_;
    std::vector<QPersistentModelIndex> rows_;
    int first_ = 0;
    int count_ = 0;
    int stepBudget_ = 0;
    bool settled_ = true;
    QTimer* steps_ = nullptr;
};

} // namespace orbitdeck
