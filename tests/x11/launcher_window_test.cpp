#include "platform/scheduler.h"
#include "platform/x11_focus_handover.h"
#include "platform/x11_launcher_window.h"
#include "system/window_presentation.h"
#include "x11_harness.h"

#include <QGuiApplication>
#include <QScreen>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

using namespace std::chrono_literals;
using namespace orbitdeck;
using orbitdeck::testing::waitUntil;

namespace {
// Another program's window, on a connection of its own (like an xmessage window).
struct OtherClient {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_window_t window = xcb_generate_id(connection);

    OtherClient() {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, root, 10, 10, 200, 100, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
        xcb_map_window(connection, window);
        xcb_set_input_focus(connection, XCB_INPUT_FOCUS_PARENT, window, XCB_CURRENT_TIME);
        sync();
    }
    ~OtherClient() { xcb_disconnect(connection); }
    void sync() {
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    }
    xcb_window_t focus() {
        auto* reply =
            xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr);
        const xcb_window_t focused = reply->focus;
        std::free(reply);
        return focused;
    }
    std::optional<std::uint32_t> desktopOf(xcb_window_t target) {
        const char name[] = "_NET_WM_DESKTOP";
        auto* atom = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr);
        auto* property = xcb_get_property_reply(
            connection,
            xcb_get_property(connection, 0, target, atom->atom, XCB_ATOM_CARDINAL, 0, 1), nullptr);
        std::free(atom);
        std::optional<std::uint32_t> value;
        if (property != nullptr && xcb_get_property_value_length(property) == 4)
            value = *static_cast<std::uint32_t*>(xcb_get_property_value(property));
        std::free(property);
        return value;
    }
    void setCurrentDesktop(std::uint32_t desktop) {
        const char name[] = "_NET_CURRENT_DESKTOP";
        auto* atom = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr);
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, root, atom->atom, XCB_ATOM_CARDINAL,
                            32, 1, &desktop);
        std::free(atom);
        sync();
    }
};

// The real launcher pieces around a plain QWindow.
struct Launcher {
    QWindow qtWindow;
    std::shared_ptr<X11LauncherWindow> window = std::make_shared<X11LauncherWindow>(&qtWindow);
    X11FocusHandover focus;
    QtScheduler scheduler;
    WindowPresentation presentation{scheduler, focus};

    Launcher() { qtWindow.resize(640, 480); }
};
} // namespace

TEST(X11Presentation, ShowsHidesAndHandsTheFocusBack) {
    OtherClient other;
    other.setCurrentDesktop(2);
    Launcher l;
    auto& [qtWindow, window, focus, scheduler, presentation] = l;

    presentation.show(window, false);
    EXPECT_EQ(focus.remembered(), other.window);
    EXPECT_EQ(other.desktopOf(static_cast<xcb_window_t>(qtWindow.winId())), 2u)
        << "follows the current desktop";
    EXPECT_TRUE(waitUntil([&] { return other.focus() == qtWindow.winId(); }));
    EXPECT_TRUE(waitUntil([&] { return qtWindow.opacity() == 1.0; }));

    presentation.show(window, false);
    EXPECT_EQ(focus.remembered(), other.window) << "its own window is never remembered";

    presentation.hide(window, false);
    EXPECT_TRUE(presentation.isHiding());
    EXPECT_TRUE(waitUntil([&] { return !qtWindow.isVisible(); }));
    EXPECT_FALSE(presentation.isHiding());
    EXPECT_TRUE(waitUntil([&] { return other.focus() == other.window; }))
        << "the focus goes back to the other program's window";

    presentation.show(window, true);
    EXPECT_TRUE(waitUntil([&] { return other.focus() == qtWindow.winId(); }));
    EXPECT_EQ(qtWindow.opacity(), 1.0);
}

TEST(X11Presentation, FullScreenCoversTheMonitor) {
    Launcher l;
    auto& [qtWindow, window, focus, scheduler, presentation] = l;
    presentation.show(window, true);
    presentation.applyWindowStyle(window, true);
    const QRect monitor = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(monitor, QRect(0, 0, 1280, 800));
    EXPECT_TRUE(qtWindow.flags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(waitUntil([&] { return qtWindow.geometry() == monitor; }));

    presentation.applyWindowStyle(window, false);
    EXPECT_FALSE(qtWindow.flags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(waitUntil([&] { return qtWindow.geometry().size() == QSize(794, 600); }))
        << "the windowed frame rule on a 1280 x 800 monitor";
}
