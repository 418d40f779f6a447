#include "window/qml/view_host.h"

#include "window/qml_singleton.h"

#include <QMouseEvent>
#include <QWindow>

#include <utility>

namespace orbitdeck {

ViewHost::ViewHost(QObject* parent)
    : QObject(parent) {}

void ViewHost::provide(ViewHost* host) {
    ProvidedSingleton<ViewHost>::provide(host);
}

ViewHost* ViewHost::create(QQmlEngine* qml, QJSEngine* js) {
    if (ViewHost* host = ProvidedSingleton<ViewHost>::create(qml, js))
        return host;
    return new ViewHost(nullptr);
}

void ViewHost::setLoadingViews(bool value) {
    if (std::exchange(loadingViews_, value) != value)
        emit loadingViewsChanged();
}

void ViewHost::setLibraryShown(bool value) {
    if (std::exchange(libraryShown_, value) != value)
        emit libraryShownChanged();
}

void ViewHost::setInputSeen(bool value) {
    if (std::exchange(inputSeen_, value) != value)
        emit inputSeenChanged();
}

void ViewHost::watchFirstInput(QWindow* window) {
    if (window && !inputSeen_)
        window->installEventFilter(this);
}

bool ViewHost::eventFilter(QObject* watched, QEvent* event) {
    bool input = false;
    switch (event->type()) {
    case QEvent::MouseMove: {
        const QPointF at = static_cast<QMouseEvent*>(event)->globalPosition();
        input = restingPointer_ && *restingPointer_ != at;
        restingPointer_ = at;
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TabletPress:
        input = true;
        break;
    default:
        break;
    }
    if (input) {
        watched->removeEventFilter(this);
        setInputSeen(true);
    }
    return false;
}

void ViewHost::setMenuOpen(bool value) {
    if (std::exchange(menuOpen_, value) != value)
        emit menuOpenChanged();
}

void ViewHost::setPageArea(QQuickItem* item) {
    if (pageArea_ == item)
        return;
    pageArea_ = item;
    emit pageAreaChanged();
}

void ViewHost::setFolderCover(QQuickItem* item) {
    if (folderCover_ == item)
        return;
    folderCover_ = item;
    emit folderCoverChanged();
}

bool ViewHost::turnsPagesAt(QPointF scenePoint) const {
    return pageArea_ && pageArea_->isVisible() && !(folderCover_ && folderCover_->isVisible()) &&
           pageArea_->contains(pageArea_->mapFromScene(scenePoint));
}

} // namespace orbitdeck
