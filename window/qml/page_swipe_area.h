#pragma once

#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

namespace orbitdeck {

// Turns horizontal wheel and touchpad scrolling over the grid into swipe moves and ends. A
// touchpad gesture locks to one axis after 8 points; vertical scrolling passes on to the grid's
// own scroll view. A plain wheel notch ends at once with a travel of 100 either way. Clicks
// pass through.
class PageSwipeArea : public QQuickItem {
    Q_OBJECT
    QML_ELEMENT

public:
    explicit PageSwipeArea(QQuickItem* parent = nullptr);

signals:
    void moved(qreal travel);
    void ended(qreal travel, qreal velocity);

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    enum class Axis { none, horizontal, vertical };
    bool tracking_ = false;
    Axis axis_ = Axis::none;
    qreal travel_ = 0;
    qreal vertical_ = 0;
    qreal latestDelta_ = 0;
    quint64 latestTimestamp_ = 0;
};

} // namespace orbitdeck
