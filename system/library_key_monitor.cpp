#include "system/library_key_monitor.h"

#include "platform/main_thread.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace orbitdeck {

LibraryKeyMonitor::LibraryKeyMonitor(QObject* parent)
    : QObject(parent) {
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

LibraryKeyMonitor::~LibraryKeyMonitor() {
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

void LibraryKeyMonitor::setLibraryWindow(QWindow* window) {
    libraryWindow_ = window;
}

void LibraryKeyMonitor::setOnKey(std::function<bool(LibraryKey)> onKey) {
    onKey_ = std::move(onKey);
}

bool inputMethodComposing() {
    const QObject* focus = QGuiApplication::focusObject();
    // Text inputs of Qt Quick report a running composition through this property.
    return focus != nullptr && focus->property("inputMethodComposing").toBool();
}

KeyWindowScope LibraryKeyMonitor::scopeOf(QWindow* eventWindow) const {
    QWindow* library = libraryWindow_.data();
    if (eventWindow == library)
        return KeyWindowScope::libraryWindow;
    if (eventWindow == nullptr)
        return KeyWindowScope::noWindow;
    for (QWindow* parent = eventWindow->transientParent(); parent != nullptr;
         parent = parent->transientParent()) {
        if (parent == library)
            return KeyWindowScope::childOfLibrary;
    }
    if ((eventWindow->flags() & Qt::WindowType_Mask) == Qt::Popup)
        return KeyWindowScope::popup;
    return KeyWindowScope::otherWindow;
}

bool LibraryKeyMonitor::handleKeyPress(QWindow* eventWindow, const KeyStroke& stroke) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const std::optional<LibraryKey> key = decodeLibraryKey(stroke);
    if (!key || inputMethodComposing())
        return false;
    if (!libraryWindowAcceptsKey(*key, scopeOf(eventWindow)))
        return false;
    return onKey_ && onKey_(*key);
}

bool LibraryKeyMonitor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWindowType())
        return false;
    const auto* press = static_cast<QKeyEvent*>(event);
    return handleKeyPress(static_cast<QWindow*>(watched),
                          {.key = press->key(), .modifiers = press->modifiers()});
}

} // namespace orbitdeck
