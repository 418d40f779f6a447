#include "platform/desktop_place_watch.h"

#include "platform/main_thread.h"
#include "platform/x11_support.h"

#include <QGuiApplication>
#include <QScreen>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace orbitdeck {

DesktopPlaceWatch::DesktopPlaceWatch(QObject* parent)
    : QObject(parent) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    connect(qGuiApp, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
        watchScreen(screen);
        emit changed();
    });
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &DesktopPlaceWatch::changed);
    connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, &DesktopPlaceWatch::changed);
    for (QScreen* screen : QGuiApplication::screens())
        watchScreen(screen);

    const auto x = x11::qtConnection();
    if (!x)
        return;
    connection_ = x->connection;
    root_ = x->root;
    currentDesktopAtom_ = x11::atom(connection_, "_NET_CURRENT_DESKTOP");
    // Add property changes of the root window to whatever Qt already listens to there.
    const std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> attributes(
        xcb_get_window_attributes_reply(connection_, xcb_get_window_attributes(connection_, root_),
                                        nullptr),
        &std::free);
    const std::uint32_t mask =
        (attributes ? attributes->your_event_mask : 0) | XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection_);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

DesktopPlaceWatch::~DesktopPlaceWatch() {
    if (connection_ != nullptr && QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

void DesktopPlaceWatch::watchScreen(QScreen* screen) {
    connect(screen, &QScreen::geometryChanged, this, &DesktopPlaceWatch::changed);
}

void DesktopPlaceWatch::setWindow(QWindow* window) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (window_ == window)
        return;
    disconnect(windowScreen_);
    window_ = window;
    if (window != nullptr)
        windowScreen_ = connect(window, &QWindow::screenChanged, this, &DesktopPlaceWatch::changed);
    emit changed();
}

DesktopPlace DesktopPlaceWatch::current() const {
    ORBITDECK_ASSERT_MAIN_THREAD();
    DesktopPlace place;
    QScreen* screen = window_ && window_->screen() ? window_->screen() : qGuiApp->primaryScreen();
    if (screen != nullptr) {
        place.screenName = screen->name();
        place.screenSize = screen->geometry().size() * screen->devicePixelRatio();
        // The primary screen first, then the others from left to right and top to bottom.
        QList<QScreen*> order = QGuiApplication::screens();
        std::stable_sort(order.begin(), order.end(), [](QScreen* a, QScreen* b) {
            const bool aPrimary = a == qGuiApp->primaryScreen();
            const bool bPrimary = b == qGuiApp->primaryScreen();
            if (aPrimary != bPrimary)
                return aPrimary;
            const QPoint pa = a->geometry().topLeft();
            const QPoint pb = b->geometry().topLeft();
            return pa.x() != pb.x() ? pa.x() < pb.x() : pa.y() < pb.y();
        });
        place.screenIndex = std::max(0, int(order.indexOf(screen)));
    }
    if (connection_ != nullptr)
        place.workspace =
            int(x11::propertyValue(connection_, root_, "_NET_CURRENT_DESKTOP", XCB_ATOM_CARDINAL)
                    .value_or(0));
    return place;
}

bool DesktopPlaceWatch::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
        return false;
    const auto* property = static_cast<const xcb_property_notify_event_t*>(message);
    if (property->window == root_ && property->atom == currentDesktopAtom_)
        emit changed();
    // Qt sees the event too.
    return false;
}

} // namespace orbitdeck
