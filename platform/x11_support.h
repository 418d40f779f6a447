#pragma once

#include "platform/key_chord.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

struct xcb_connection_t;

namespace orbitdeck::x11 {

// Qt's own connection to the X server; absent when the application does not run on xcb.
struct Connection {
    xcb_connection_t* connection = nullptr;
    std::uint32_t root = 0;
};
std::optional<Connection> qtConnection();

std::uint32_t atom(xcb_connection_t* connection, std::string_view name);
// The first CARDINAL or WINDOW value of a property, when it is set.
std::optional<std::uint32_t> propertyValue(xcb_connection_t* connection, std::uint32_t window,
                                           std::string_view property, std::uint32_t type);
// Whether an ATOM-list property of the window (_NET_WM_STATE, _NET_SUPPORTED) holds the atom.
bool atomListHas(xcb_connection_t* connection, std::uint32_t window, std::string_view property,
                 std::string_view name);
// Whether the window manager announces support for an EWMH atom in _NET_SUPPORTED.
bool windowManagerSupports(xcb_connection_t* connection, std::uint32_t root, std::string_view hint);

// Sends an EWMH request about a window to the window manager through the root window.
void sendToWindowManager(xcb_connection_t* connection, std::uint32_t root, std::uint32_t window,
                         std::string_view messageType, std::uint32_t first, std::uint32_t second);

std::vector<std::uint8_t> keycodesFor(xcb_connection_t* connection, std::uint32_t keysym);

// The modifier bits the server uses for Alt, Super and friends, and the lock bits to ignore.
std::uint16_t modifierMask(KeyModifiers modifiers);
KeyModifiers modifiersFromMask(std::uint16_t mask);
std::uint16_t numLockMask(xcb_connection_t* connection);
inline constexpr std::uint16_t capsLockMask = 1 << 1;

// Which modifier bit (0..7) each keycode sets, from the server's modifier mapping.
std::vector<std::pair<std::uint8_t, int>> modifierKeycodes(xcb_connection_t* connection);

} // namespace orbitdeck::x11
