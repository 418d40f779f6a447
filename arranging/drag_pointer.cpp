#include "arranging/drag_pointer.h"

#include <QMouseEvent>
#include <QQuickItem>
#include <QQuickWindow>

namespace orbitdeck {

void DragPointer::watch(QQuickWindow* window) {
    if (window_ == window)
        return;
    if (window_)
        window_->removeEventFilter(this);
    window_ = window;
    if (window_)
        window_->installEventFilter(this);
}

void DragPointer::takeOver() {
    if (!window_)
        return;
    if (QQuickItem* grabber = window_->mouseGrabberItem())
        grabber->ungrabMouse();
}

bool DragPointer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_) {
        if (event->type() == QEvent::MouseMove) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            emit moved(mouse->scenePosition(), mouse->buttons().testFlag(Qt::LeftButton));
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton)
                emit released(mouse->scenePosition());
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace orbitdeck
