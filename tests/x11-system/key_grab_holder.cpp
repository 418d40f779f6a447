// Another client that holds Space with the given modifiers ("alt", "super+alt", "ctrl+alt"; Alt
// when none is given) on the root window until its input closes, so the launcher's own grab of
// the same combination is refused.
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

std::uint16_t maskOf(const char* chord) {
    if (std::strcmp(chord, "super+alt") == 0)
        return XCB_MOD_MASK_4 | XCB_MOD_MASK_1;
    if (std::strcmp(chord, "ctrl+alt") == 0)
        return XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
    return XCB_MOD_MASK_1;
}

} // namespace

int main(int argc, char** argv) {
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
    std::vector<std::uint16_t> masks;
    for (int i = 1; i < argc; ++i)
        masks.push_back(maskOf(argv[i]));
    if (masks.empty())
        masks.push_back(XCB_MOD_MASK_1);
    for (const std::uint16_t mask : masks) {
        const xcb_void_cookie_t cookie = xcb_grab_key_checked(
            connection, 1, root, mask, *codes, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        if (xcb_generic_error_t* error = xcb_request_check(connection, cookie)) {
            std::free(error);
            return 3;
        }
    }
    std::puts("grabbed");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    xcb_disconnect(connection);
    return 0;
}
