#pragma once

#include <QAbstractListModel>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

#include <vector>

namespace orbitdeck {

// The rows of one page of a list model: [first, first + count). Whenever the source or the
// range changes, the page follows by removes, moves and inserts (never a reset), so its tiles
// animate and a dragged tile keeps its delegate. A turn to a page sharing no row with the one
// shown re-points the rows in place (a data change), so the view keeps its delegates and only
// rebinds them.
class PageSliceModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QAbstractItemModel* sourceModel READ sourceModel WRITE setSourceModel NOTIFY
                   sourceModelChanged FINAL)
    Q_PROPERTY(int first READ first WRITE setFirst NOTIFY rangeChanged FINAL)
    Q_PROPERTY(int count READ count WRITE setCount NOTIFY rangeChanged FINAL)

public:
    using QAbstractListModel::QAbstractListModel;

    QAbstractItemModel* sourceModel() const { return source_; }
    void setSourceModel(QAbstractItemModel* source);
    int first() const { return first_; }
    void setFirst(int first);
    int count() const { return count_; }
    void setCount(int count);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // Model data by role name, for views and tests.
    Q_INVOKABLE QVariant get(int row, const QString& roleName) const;

signals:
    void sourceModelChanged();
    void rangeChanged();

private:
    // The source rows now in range.
    std::vector<QPersistentModelIndex> wantedRows() const;
    // Brings rows_ to the source rows now in range.
    void follow();
    // Points the rows held at `wanted`, row by row, trimming or extending the end.
    void rebind(const std::vector<QPersistentModelIndex>& wanted);

    QPointer<QAbstractItemModel> source_;
    std::vector<QMetaObject::Connection> connections_;
    std::vector<QPersistentModelIndex> rows_;
    int first_ = 0;
    int count_ = 0;
};

} // namespace orbitdeck
