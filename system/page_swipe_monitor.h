#pragma once

#include "platform/scheduler.h"
#include "system/page_swipe.h"
#include "system/scroll_phase_synthesiser.h"

#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QWindow>

#include <functional>

class QWheelEvent;

namespace orbitdeck {

// Watches the wheel events of one window and feeds the page swipe logic, synthesising gesture
// phases where the platform gives none.
class PageSwipeMonitor final : public QObject {
public:
    // inside: whether a point in window coordinates lies over the grid.
    PageSwipeMonitor(QWindow* window, Scheduler& scheduler, std::function<bool(QPointF)> inside,
                     QObject* parent = nullptr);

    void setOnMove(std::function<void(double)> onMove);
    void setOnEnd(std::function<void(double, double)> onEnd);

    bool handleWheel(const QWheelEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWindow> window_;
    std::function<bool(QPointF)> inside_;
    PageSwipeTracker tracker_;
    ScrollPhaseSynthesiser synthesiser_;
};

} // namespace orbitdeck
