#include "window/qml/library_key_monitor.h"

#include "platform/main_thread.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace orbitdeck {

std::optional<QString> libraryKeyName(const QKeyEvent& event) {
    // The keypad flag does not count: arrows and keypad Enter are plain keys.
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier) {
        switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return QStringLiteral("enter");
        case Qt::Key_Escape:
            return QStringLiteral("escape");
        case Qt::Key_Left:
            return QStringLiteral("left");
        case Qt::Key_Right:
            return QStringLiteral("right");
        case Qt::Key_Up:
            return QStringLiteral("up");
        case Qt::Key_Down:
            return QStringLiteral("down");
        default:
            return std::nullopt;
        }
    }
    if (modifiers == Qt::ControlModifier && event.key() == Qt::Key_Z)
        return QStringLiteral("undo");
    return std::nullopt;
}

bool inputMethodComposing() {
    const QObject* focus = QGuiApplication::focusObject();
    return focus && !focus->property("preeditText").toString().isEmpty();
}

void LibraryKeyMonitor::setWindow(QObject* window) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (window_ == window)
        return;
    if (window_)
        window_->removeEventFilter(this);
    window_ = window;
    if (window_)
        window_->installEventFilter(this);
    emit windowChanged();
}

void LibraryKeyMonitor::setHandler(const QJSValue& handler) {
    handler_ = handler;
    emit handlerChanged();
}

bool LibraryKeyMonitor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || watched != window_)
        return QObject::eventFilter(watched, event);
    ORBITDECK_ASSERT_MAIN_THREAD();
    const auto key = libraryKeyName(*static_cast<QKeyEvent*>(event));
    if (!key || inputMethodComposing() || !handler_.isCallable())
        return false;
    return handler_.call({QJSValue(*key)}).toBool();
}

} // namespace orbitdeck
