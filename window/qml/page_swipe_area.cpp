#include "window/qml/page_swipe_area.h"

#include "platform/main_thread.h"

#include <QWheelEvent>

#include <cmath>

namespace orbitdeck {

PageSwipeArea::PageSwipeArea(QQuickItem* parent)
    : QQuickItem(parent) {
    setAcceptedMouseButtons(Qt::NoButton);
}

void PageSwipeArea::wheelEvent(QWheelEvent* event) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    event->ignore();
    // Momentum after the fingers lift never turns pages.
    if (event->phase() == Qt::ScrollMomentum)
        return;
    // Points of travel: touchpads report pixels, wheels report eighths of a degree.
    const QPointF delta = !event->pixelDelta().isNull() ? QPointF(event->pixelDelta())
                                                        : QPointF(event->angleDelta()) / 8.0;
    if (event->phase() == Qt::NoScrollPhase) {
        if (std::abs(delta.x()) > std::abs(delta.y())) {
            emit ended(delta.x() > 0 ? 100 : -100, 0);
            event->accept();
        }
        return;
    }
    if (event->phase() == Qt::ScrollBegin) {
        tracking_ = true;
        travel_ = vertical_ = latestDelta_ = 0;
        latestTimestamp_ = 0;
        axis_ = Axis::none;
    }
    if (!tracking_)
        return;
    if (event->phase() == Qt::ScrollEnd) {
        tracking_ = false;
        if (axis_ != Axis::horizontal)
            return;
        const qreal velocity = event->timestamp() - latestTimestamp_ < 100 ? latestDelta_ : 0;
        emit ended(travel_, velocity);
        event->accept();
        return;
    }
    travel_ += delta.x();
    vertical_ += delta.y();
    if (axis_ == Axis::none && std::max(std::abs(travel_), std::abs(vertical_)) >= 8)
        axis_ = std::abs(travel_) > 1.25 * std::abs(vertical_) ? Axis::horizontal : Axis::vertical;
    if (axis_ != Axis::horizontal)
        return;
    if (std::abs(delta.x()) >= 1) {
        latestDelta_ = delta.x();
        latestTimestamp_ = event->timestamp();
    }
    emit moved(travel_);
    event->accept();
}

} // namespace orbitdeck
