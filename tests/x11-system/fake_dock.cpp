// A desktop panel: a window of type _NET_WM_WINDOW_TYPE_DOCK along the top of the screen that
// reserves its strip (_NET_WM_STRUT_PARTIAL), mapped until its input closes. Prints its id.
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

namespace {
xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    const auto cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t value = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return value;
}
} // namespace

int main() {
    constexpr std::uint16_t height = 48;
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        return 2;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const xcb_window_t window = xcb_generate_id(connection);
    // Pure red on a true-colour screen, so a screenshot tells the panel from the launcher.
    const std::uint32_t values[] = {0xff0000};
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0,
                      screen->width_in_pixels, height, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      screen->root_visual, XCB_CW_BACK_PIXEL, values);
    const xcb_atom_t dock = atom(connection, "_NET_WM_WINDOW_TYPE_DOCK");
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window,
                        atom(connection, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, 1, &dock);
    // left, right, top, bottom, then the start and end of each strip.
    const std::uint32_t strut[12] = {
        0, 0, height, 0, 0, 0, 0, 0, 0, static_cast<std::uint32_t>(screen->width_in_pixels - 1),
        0, 0};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window,
                        atom(connection, "_NET_WM_STRUT_PARTIAL"), XCB_ATOM_CARDINAL, 32, 12,
                        strut);
    // At the top left as created (user-specified position and size), not placed elsewhere.
    std::uint32_t hints[18] = {1 | 2, 0, 0, screen->width_in_pixels, height};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NORMAL_HINTS,
                        XCB_ATOM_WM_SIZE_HINTS, 32, 18, hints);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME,
                        XCB_ATOM_STRING, 8, 9, "fake-dock");
    // A window manager still starting up may miss the mapping: map again until it manages the
    // panel (it then sets WM_STATE).
    const xcb_atom_t wmState = atom(connection, "WM_STATE");
    const auto managed = [&] {
        const auto cookie = xcb_get_property(connection, 0, window, wmState, wmState, 0, 2);
        xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
        const bool found = reply != nullptr && xcb_get_property_value_length(reply) > 0;
        std::free(reply);
        return found;
    };
    for (int round = 0; round < 20 && !managed(); ++round) {
        xcb_unmap_window(connection, window);
        xcb_map_window(connection, window);
        xcb_flush(connection);
        for (int wait = 0; wait < 25 && !managed(); ++wait)
            usleep(20000);
    }
    if (!managed())
        return 3;
    std::printf("0x%x\n", window);
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    xcb_disconnect(connection);
    return 0;
}
