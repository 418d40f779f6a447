#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>

namespace orbitdeck {

// The page shown, the direction of the last turn and the grid geometry last laid out.
class PagingState : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the window state")
    Q_PROPERTY(int page READ page WRITE setPage NOTIFY pageChanged FINAL)
    // "trailing" when the last turn went forward, "leading" when it went back.
    Q_PROPERTY(QString direction READ direction NOTIFY directionChanged FINAL)
    // Whether the last page change should animate (the views pick the spring).
    Q_PROPERTY(bool animatePageChange READ animatePageChange NOTIFY pageChanged FINAL)
    Q_PROPERTY(int navColumns READ navColumns WRITE setNavColumns NOTIFY navColumnsChanged FINAL)
    Q_PROPERTY(
        int navCapacity READ navCapacity WRITE setNavCapacity NOTIFY navCapacityChanged FINAL)
    Q_PROPERTY(
        double swipeOffset READ swipeOffset WRITE setSwipeOffset NOTIFY swipeOffsetChanged FINAL)
    Q_PROPERTY(bool settlingSwipe READ settlingSwipe WRITE setSettlingSwipe NOTIFY
                   settlingSwipeChanged FINAL)

public:
    enum class Direction { leading, trailing };

    using QObject::QObject;

    int page() const { return page_; }
    void setPage(int page, bool animated = false);
    Direction directionValue() const { return direction_; }
    QString direction() const;
    void setDirection(Direction direction);
    bool animatePageChange() const { return animatePageChange_; }
    int navColumns() const { return navColumns_; }
    void setNavColumns(int columns);
    int navCapacity() const { return navCapacity_; }
    void setNavCapacity(int capacity);
    double swipeOffset() const { return swipeOffset_; }
    void setSwipeOffset(double offset);
    bool settlingSwipe() const { return settlingSwipe_; }
    void setSettlingSwipe(bool settling);

signals:
    void pageChanged();
    void directionChanged();
    void navColumnsChanged();
    void navCapacityChanged();
    void swipeOffsetChanged();
    void settlingSwipeChanged();

private:
    int page_ = 0;
    Direction direction_ = Direction::trailing;
    bool animatePageChange_ = false;
    int navColumns_ = 7;
    int navCapacity_ = 42;
    double swipeOffset_ = 0;
    bool settlingSwipe_ = false;
};

} // namespace orbitdeck
