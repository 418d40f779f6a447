#include "platform/x11_client_windows.h"

#include "platform/main_thread.h"
#include "platform/x11_focus_handover.h"
#include "platform/x11_support.h"

#include <QEvent>
#include <QGuiApplication>
#include <QInputEvent>

#include <xcb/xcb.h>

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <memory>

namespace orbitdeck {

namespace {

std::atomic<std::uint32_t> latestInputTime{0};

// On xcb an input event's timestamp is the server time of the X event behind it.
class InputTimeFollower final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::TouchBegin:
        case QEvent::TouchEnd:
            if (const auto time = static_cast<QInputEvent*>(event)->timestamp(); time != 0)
                latestInputTime.store(static_cast<std::uint32_t>(time));
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }
};

void followInputTimes() {
    static bool installed = false;
    if (installed || qGuiApp == nullptr)
        return;
    installed = true;
    qGuiApp->installEventFilter(new InputTimeFollower(qGuiApp));
}

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

Reply<xcb_get_property_reply_t> property(xcb_connection_t* connection, std::uint32_t window,
                                         std::uint32_t name, std::uint32_t type,
                                         std::uint32_t longs) {
    return {xcb_get_property_reply(
                connection, xcb_get_property(connection, 0, window, name, type, 0, longs), nullptr),
            &std::free};
}

std::vector<std::uint32_t> values32(const xcb_get_property_reply_t* reply) {
    if (reply == nullptr || reply->format != 32)
        return {};
    const auto* data = static_cast<const std::uint32_t*>(
        xcb_get_property_value(const_cast<xcb_get_property_reply_t*>(reply)));
    const int count =
        xcb_get_property_value_length(const_cast<xcb_get_property_reply_t*>(reply)) / 4;
    return {data, data + count};
}

} // namespace

X11ClientWindows::X11ClientWindows() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    followInputTimes();
}

std::vector<X11ClientWindow> X11ClientWindows::list() const {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const auto x = x11::qtConnection();
    if (!x)
        return {};
    xcb_connection_t* c = x->connection;
    // Bottom to top when the window manager keeps the stacking order, else in mapping order.
    std::vector<std::uint32_t> clients = values32(
        property(c, x->root, x11::atom(c, "_NET_CLIENT_LIST_STACKING"), XCB_ATOM_WINDOW, 4096)
            .get());
    if (clients.empty())
        clients = values32(
            property(c, x->root, x11::atom(c, "_NET_CLIENT_LIST"), XCB_ATOM_WINDOW, 4096).get());

    const std::uint32_t pidAtom = x11::atom(c, "_NET_WM_PID");
    const std::uint32_t typeAtom = x11::atom(c, "_NET_WM_WINDOW_TYPE");
    const std::uint32_t desktopType = x11::atom(c, "_NET_WM_WINDOW_TYPE_DESKTOP");
    const std::uint32_t dockType = x11::atom(c, "_NET_WM_WINDOW_TYPE_DOCK");
    struct Pending {
        xcb_get_property_cookie_t pid, wmClass, type;
    };
    // All requests first, then the replies: one round trip for the whole list.
    std::vector<Pending> pending;
    pending.reserve(clients.size());
    for (const std::uint32_t window : clients) {
        pending.push_back(
            {xcb_get_property(c, 0, window, pidAtom, XCB_ATOM_CARDINAL, 0, 1),
             xcb_get_property(c, 0, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 256),
             xcb_get_property(c, 0, window, typeAtom, XCB_ATOM_ATOM, 0, 32)});
    }
    const int ownPid = static_cast<int>(::getpid());
    std::vector<X11ClientWindow> windows;
    for (std::size_t i = 0; i < clients.size(); ++i) {
        const Reply<xcb_get_property_reply_t> pid{
            xcb_get_property_reply(c, pending[i].pid, nullptr), &std::free};
        const Reply<xcb_get_property_reply_t> wmClass{
            xcb_get_property_reply(c, pending[i].wmClass, nullptr), &std::free};
        const Reply<xcb_get_property_reply_t> type{
            xcb_get_property_reply(c, pending[i].type, nullptr), &std::free};
        X11ClientWindow window{.window = clients[i]};
        if (const auto pids = values32(pid.get()); !pids.empty() && pids.front() > 0)
            window.pid = static_cast<int>(pids.front());
        if (window.pid == ownPid)
            continue;
        const auto types = values32(type.get());
        if (!types.empty() && (types.front() == desktopType || types.front() == dockType))
            continue;
        if (wmClass && wmClass->format == 8) {
            // Two NUL-terminated strings: the instance, then the class.
            const auto* text = static_cast<const char*>(xcb_get_property_value(wmClass.get()));
            const std::string both(text, xcb_get_property_value_length(wmClass.get()));
            const auto split = both.find('\0');
            window.instanceName = both.substr(0, split);
            if (split != std::string::npos) {
                const std::string rest = both.substr(split + 1);
                window.className = rest.substr(0, rest.find('\0'));
            }
        }
        windows.push_back(std::move(window));
    }
    return windows;
}

bool X11ClientWindows::activate(std::uint32_t window) const {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const auto x = x11::qtConnection();
    if (!x || window == 0 ||
        !x11::windowManagerSupports(x->connection, x->root, "_NET_ACTIVE_WINDOW"))
        return false;
    // Gone since the list was read: the caller starts the application instead.
    const Reply<xcb_get_window_attributes_reply_t> attributes{
        xcb_get_window_attributes_reply(x->connection,
                                        xcb_get_window_attributes(x->connection, window), nullptr),
        &std::free};
    if (!attributes)
        return false;
    // Source 2, a pager: the user asked for this window, so focus stealing prevention lets it
    // through; the time is that of the click or key that asked.
    x11::sendToWindowManager(x->connection, x->root, window, "_NET_ACTIVE_WINDOW", 2,
                             lastUserInputTime());
    xcb_flush(x->connection);
    X11FocusHandover::handOverTo(window);
    return true;
}

std::uint32_t lastUserInputTime() {
    return latestInputTime.load();
}

} // namespace orbitdeck
