#include "system/page_swipe_monitor.h"

#include "platform/main_thread.h"

#include <QInputDevice>
#include <QWheelEvent>

#include <cmath>

namespace orbitdeck {

namespace {
// Qt reports wheels in eighths of a degree; one notch is 120 of them, about 15 points.
constexpr double angleUnitsPerPoint = 8.0;
constexpr int notch = 120;

bool isNotchedWheel(const QWheelEvent& event) {
    if (!event.pixelDelta().isNull())
        return false;
    if (event.device() != nullptr && event.device()->type() == QInputDevice::DeviceType::TouchPad)
        return false;
    const QPoint angle = event.angleDelta();
    return angle.x() % notch == 0 && angle.y() % notch == 0;
}

QPointF pointsOf(const QWheelEvent& event) {
    if (!event.pixelDelta().isNull())
        return event.pixelDelta();
    return QPointF(event.angleDelta()) / angleUnitsPerPoint;
}

ScrollPhase phaseOf(Qt::ScrollPhase phase) {
    switch (phase) {
    case Qt::ScrollBegin:
        return ScrollPhase::began;
    case Qt::ScrollUpdate:
        return ScrollPhase::changed;
    case Qt::ScrollEnd:
        return ScrollPhase::ended;
    case Qt::NoScrollPhase:
    case Qt::ScrollMomentum:
        break;
    }
    return ScrollPhase::none;
}
} // namespace

PageSwipeMonitor::PageSwipeMonitor(QWindow* window, Scheduler& scheduler,
                                   std::function<bool(QPointF)> inside, QObject* parent)
    : QObject(parent)
    , window_(window)
    , inside_(std::move(inside))
    , synthesiser_(scheduler, this,
                   [this](const ScrollSample& sample) { return tracker_.handle(sample); }) {
    if (window != nullptr)
        window->installEventFilter(this);
}

void PageSwipeMonitor::setOnMove(std::function<void(double)> onMove) {
    tracker_.onMove = std::move(onMove);
}

void PageSwipeMonitor::setOnEnd(std::function<void(double, double)> onEnd) {
    tracker_.onEnd = std::move(onEnd);
}

bool PageSwipeMonitor::handleWheel(const QWheelEvent& event) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const QPointF delta = pointsOf(event);
    const bool inside = inside_ && inside_(event.position());
    const double timestamp = static_cast<double>(event.timestamp()) / 1000.0;
    if (event.phase() == Qt::ScrollMomentum)
        return false;
    if (event.phase() != Qt::NoScrollPhase) {
        // The platform gave real phases: no need to guess.
        return tracker_.handle({.phase = phaseOf(event.phase()),
                                .deltaX = delta.x(),
                                .deltaY = delta.y(),
                                .timestamp = timestamp,
                                .inside = inside}) == ScrollOutcome::swallow;
    }
    return synthesiser_.feed({.deltaX = delta.x(),
                              .deltaY = delta.y(),
                              .timestamp = timestamp,
                              .smooth = !isNotchedWheel(event),
                              .inside = inside}) == ScrollOutcome::swallow;
}

bool PageSwipeMonitor::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_ || event->type() != QEvent::Wheel)
        return false;
    return handleWheel(*static_cast<QWheelEvent*>(event));
}

} // namespace orbitdeck
