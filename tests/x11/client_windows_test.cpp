#include "platform/x11_client_windows.h"
#include "platform/x11_focus_handover.h"
#include "x11_harness.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWindow>

#include <xcb/xcb.h>

#include <unistd.h>

#include <array>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <vector>

using namespace orbitdeck;
using orbitdeck::testing::waitUntil;

namespace {

// Stands in for a window manager: keeps the client list and _NET_SUPPORTED on the root and
// reads the requests sent to it there.
struct FakeWindowManager {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    xcb_window_t root = screen->root;

    FakeWindowManager() {
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
        const xcb_atom_t supported[] = {atom("_NET_ACTIVE_WINDOW")};
        setAtoms(root, "_NET_SUPPORTED", XCB_ATOM_ATOM, supported, 1);
    }
    ~FakeWindowManager() {
        for (const char* name : {"_NET_SUPPORTED", "_NET_CLIENT_LIST_STACKING"})
            xcb_delete_property(connection, root, atom(name));
        xcb_flush(connection);
        xcb_disconnect(connection);
    }

    xcb_atom_t atom(std::string_view name) {
        auto* reply = xcb_intern_atom_reply(
            connection,
            xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data()),
            nullptr);
        const xcb_atom_t value = reply->atom;
        std::free(reply);
        return value;
    }
    void setAtoms(xcb_window_t window, std::string_view name, xcb_atom_t type,
                  const std::uint32_t* values, std::uint32_t count) {
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atom(name), type, 32, count,
                            values);
    }
    xcb_window_t client(std::optional<std::uint32_t> pid, std::string_view wmClass,
                        std::optional<std::string_view> type = std::nullopt) {
        const xcb_window_t window = xcb_generate_id(connection);
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, root, 0, 0, 50, 50, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
        if (pid)
            setAtoms(window, "_NET_WM_PID", XCB_ATOM_CARDINAL, &*pid, 1);
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_CLASS,
                            XCB_ATOM_STRING, 8, static_cast<std::uint32_t>(wmClass.size()),
                            wmClass.data());
        if (type) {
            const std::uint32_t value = atom(*type);
            setAtoms(window, "_NET_WM_WINDOW_TYPE", XCB_ATOM_ATOM, &value, 1);
        }
        return window;
    }
    void manage(const std::vector<xcb_window_t>& windows) {
        setAtoms(root, "_NET_CLIENT_LIST_STACKING", XCB_ATOM_WINDOW, windows.data(),
                 static_cast<std::uint32_t>(windows.size()));
        sync();
    }
    void sync() {
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    }
    // The next _NET_ACTIVE_WINDOW request: window, source and time.
    std::optional<std::array<std::uint32_t, 3>> nextActivation() {
        const xcb_atom_t wanted = atom("_NET_ACTIVE_WINDOW");
        std::optional<std::array<std::uint32_t, 3>> found;
        waitUntil([&] {
            while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
                const auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
                if (!found && (event->response_type & 0x7f) == XCB_CLIENT_MESSAGE &&
                    message->type == wanted)
                    found = {message->window, message->data.data32[0], message->data.data32[1]};
                std::free(event);
            }
            return found.has_value();
        });
        return found;
    }
};

void pressAt(std::uint64_t timestamp) {
    QWindow target;
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    press.setTimestamp(timestamp);
    QCoreApplication::sendEvent(&target, &press);
}

TEST(X11ClientWindows, ListsOtherProgramsWindowsAndActivatesThemAsAPager) {
    FakeWindowManager manager;
    const X11ClientWindows windows;
    const xcb_window_t plain = manager.client(4242, std::string_view("editor\0Editor\0", 14));
    const xcb_window_t noPid = manager.client(std::nullopt, std::string_view("solo\0", 5));
    const xcb_window_t own =
        manager.client(static_cast<std::uint32_t>(::getpid()), std::string_view("me\0Me\0", 6));
    const xcb_window_t desktop =
        manager.client(7, std::string_view("files\0Files\0", 12), "_NET_WM_WINDOW_TYPE_DESKTOP");
    const xcb_window_t dialog =
        manager.client(4243, std::string_view("dlg\0Dlg\0", 8), "_NET_WM_WINDOW_TYPE_DIALOG");
    manager.manage({plain, noPid, own, desktop, dialog});
    {
        SCOPED_TRACE("bottom to top, without our own windows and the desktop");
        const std::vector<X11ClientWindow> listed = windows.list();
        ASSERT_EQ(listed.size(), 3u);
        EXPECT_EQ(listed[0].window, plain);
        EXPECT_EQ(listed[0].pid, 4242);
        EXPECT_EQ(listed[0].instanceName, "editor");
        EXPECT_EQ(listed[0].className, "Editor");
        EXPECT_EQ(listed[1].window, noPid);
        EXPECT_EQ(listed[1].pid, std::nullopt);
        EXPECT_EQ(listed[1].instanceName, "solo");
        EXPECT_EQ(listed[1].className, "");
        EXPECT_EQ(listed[2].window, dialog);
    }
    {
        SCOPED_TRACE("activation: source 2 with the time of the latest click");
        pressAt(123456);
        ASSERT_TRUE(windows.activate(dialog));
        const auto request = manager.nextActivation();
        ASSERT_TRUE(request);
        EXPECT_EQ((*request)[0], dialog);
        EXPECT_EQ((*request)[1], 2u);
        EXPECT_EQ((*request)[2], 123456u);
    }
    {
        SCOPED_TRACE("the focus goes back to the activated window, not the one before");
        xcb_map_window(manager.connection, dialog);
        manager.sync();
        X11FocusHandover handover([](std::uint32_t) { return false; });
        handover.restoreFocus();
        const auto request = manager.nextActivation();
        ASSERT_TRUE(request);
        EXPECT_EQ((*request)[0], dialog);
        EXPECT_EQ(handover.remembered(), dialog);
    }
    {
        SCOPED_TRACE("a window gone since the list was read, or no window manager: refused");
        xcb_destroy_window(manager.connection, plain);
        manager.sync();
        EXPECT_FALSE(windows.activate(plain));
        xcb_delete_property(manager.connection, manager.root, manager.atom("_NET_SUPPORTED"));
        manager.sync();
        EXPECT_FALSE(windows.activate(dialog));
    }
}

} // namespace
