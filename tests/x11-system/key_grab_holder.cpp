// Another client that holds Alt+Space on the root window until its input closes, so the
// launcher's own grab of the same combination is refused.
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

int main() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        return 2;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const std::unique_ptr<xcb_key_symbols_t, decltype(&xcb_key_symbols_free)> symbols(
        xcb_key_symbols_alloc(connection), &xcb_key_symbols_free);
    const std::unique_ptr<xcb_keycode_t, decltype(&std::free)> codes(
        xcb_key_symbols_get_keycode(symbols.get(), 0x20), &std::free);
    if (!codes || *codes == XCB_NO_SYMBOL)
        return 2;
    const xcb_void_cookie_t cookie = xcb_grab_key_checked(
        connection, 1, root, XCB_MOD_MASK_1, *codes, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    if (xcb_generic_error_t* error = xcb_request_check(connection, cookie)) {
        std::free(error);
        return 3;
    }
    std::puts("grabbed");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    xcb_disconnect(connection);
    return 0;
}
