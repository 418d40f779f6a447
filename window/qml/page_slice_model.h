#pragma once

#include <QSortFilterProxyModel>
#include <QtQml/qqmlregistration.h>

namespace orbitdeck {

// The rows of one page of a list model: [first, first + count). Changes of the source reach
// the page as inserts, removes and moves, so its tiles animate instead of being rebuilt.
class PageSliceModel : public QSortFilterProxyModel {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(int first READ first WRITE setFirst NOTIFY rangeChanged)
    Q_PROPERTY(int count READ count WRITE setCount NOTIFY rangeChanged)

public:
    explicit PageSliceModel(QObject* parent = nullptr);

    int first() const { return first_; }
    void setFirst(int first);
    int count() const { return count_; }
    void setCount(int count);

    // Model data by role name, for views and tests.
    Q_INVOKABLE QVariant get(int row, const QString& roleName) const;

signals:
    void rangeChanged();

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    int first_ = 0;
    int count_ = 0;
};

} // namespace orbitdeck
