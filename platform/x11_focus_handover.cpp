#include "platform/x11_focus_handover.h"

#include "platform/main_thread.h"
#include "platform/x11_support.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <utility>

namespace orbitdeck {

namespace {
// Main thread only, like every entry point here.
std::uint32_t handedOver = 0;

bool isCreatedQtWindow(std::uint32_t window) {
    for (const QWindow* candidate : QGuiApplication::allWindows()) {
        if (candidate->handle() != nullptr && candidate->winId() == window)
            return true;
    }
    return false;
}

std::uint32_t focusedWindow(const x11::Connection& x) {
    if (x11::windowManagerSupports(x.connection, x.root, "_NET_ACTIVE_WINDOW"))
        return x11::propertyValue(x.connection, x.root, "_NET_ACTIVE_WINDOW", XCB_ATOM_WINDOW)
            .value_or(XCB_NONE);
    auto* focus =
        xcb_get_input_focus_reply(x.connection, xcb_get_input_focus(x.connection), nullptr);
    const std::uint32_t window = focus != nullptr ? focus->focus : XCB_NONE;
    std::free(focus);
    return window;
}

bool isViewable(xcb_connection_t* connection, std::uint32_t window) {
    auto* attributes = xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, window), nullptr);
    const bool viewable = attributes != nullptr && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(attributes);
    return viewable;
}
} // namespace

X11FocusHandover::X11FocusHandover(std::function<bool(std::uint32_t)> isOwnWindow)
    : isOwnWindow_(isOwnWindow ? std::move(isOwnWindow) : isCreatedQtWindow) {}

void X11FocusHandover::handOverTo(std::uint32_t window) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    handedOver = window;
}

void X11FocusHandover::rememberFocused() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    handedOver = 0;
    const auto x = x11::qtConnection();
    if (!x)
        return;
    const std::uint32_t focused = focusedWindow(*x);
    if (focused == XCB_NONE || focused == XCB_INPUT_FOCUS_POINTER_ROOT || focused == x->root)
        return;
    if (isOwnWindow_(focused))
        return;
    remembered_ = focused;
}

void X11FocusHandover::restoreFocus() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const auto x = x11::qtConnection();
    if (handedOver != 0)
        remembered_ = std::exchange(handedOver, 0);
    if (!x || remembered_ == 0 || !isViewable(x->connection, remembered_))
        return;
    if (x11::windowManagerSupports(x->connection, x->root, "_NET_ACTIVE_WINDOW")) {
        // Source 2, a pager-like tool, so focus stealing prevention lets it through.
        x11::sendToWindowManager(x->connection, x->root, remembered_, "_NET_ACTIVE_WINDOW", 2,
                                 XCB_CURRENT_TIME);
    } else {
        xcb_set_input_focus(x->connection, XCB_INPUT_FOCUS_PARENT, remembered_, XCB_CURRENT_TIME);
    }
    xcb_flush(x->connection);
}

} // namespace orbitdeck
