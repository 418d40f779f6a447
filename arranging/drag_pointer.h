#pragma once
// Follows the pointer over the whole window while a tile is pressed or dragged, whatever item
// holds the grab (a dragged tile's own cell may go away when the page turns under it).
#include <QObject>
#include <QPointF>
#include <QPointer>

#include <QQuickWindow>

namespace orbitdeck {

class DragPointer : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    void watch(QQuickWindow* window);
    QQuickWindow* window() const { return window_; }
    // Takes the pointer from whatever item holds it, so no click or long press follows the drag.
    void takeOver();

signals:
    void moved(QPointF scenePosition, bool leftButtonDown);
    void released(QPointF scenePosition);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QQuickWindow> window_;
};

} // namespace orbitdeck
