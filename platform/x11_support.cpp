#include "platform/x11_support.h"

#include <QGuiApplication>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

namespace orbitdeck::x11 {

namespace {
template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
Reply<T> reply(T* raw) {
    return Reply<T>(raw, &std::free);
}

constexpr std::uint32_t keysymNumLock = 0xff7f;
} // namespace

std::optional<Connection> qtConnection() {
    const auto* app = qGuiApp;
    if (app == nullptr)
        return std::nullopt;
    const auto* native = app->nativeInterface<QNativeInterface::QX11Application>();
    if (native == nullptr || native->connection() == nullptr)
        return std::nullopt;
    xcb_connection_t* connection = native->connection();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    return Connection{.connection = connection, .root = screen->root};
}

std::uint32_t atom(xcb_connection_t* connection, std::string_view name) {
    // An atom never changes while the server runs, and each lookup is a round trip: the show
    // path asks for several while the user waits for the window.
    static std::mutex mutex;
    static std::map<std::pair<xcb_connection_t*, std::string>, std::uint32_t, std::less<>> known;
    const std::lock_guard lock(mutex);
    const auto key = std::make_pair(connection, std::string(name));
    if (const auto found = known.find(key); found != known.end())
        return found->second;
    const auto answer = reply(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data()),
        nullptr));
    if (!answer)
        return XCB_ATOM_NONE;
    known.emplace(key, answer->atom);
    return answer->atom;
}

std::optional<std::uint32_t> propertyValue(xcb_connection_t* connection, std::uint32_t window,
                                           std::string_view property, std::uint32_t type) {
    const auto answer = reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, atom(connection, property), type, 0, 1),
        nullptr));
    if (!answer || answer->format != 32 || xcb_get_property_value_length(answer.get()) < 4)
        return std::nullopt;
    return *static_cast<const std::uint32_t*>(xcb_get_property_value(answer.get()));
}

bool atomListHas(xcb_connection_t* connection, std::uint32_t window, std::string_view property,
                 std::string_view name) {
    const std::uint32_t wanted = atom(connection, name);
    const auto answer = reply(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, window, atom(connection, property), XCB_ATOM_ATOM, 0, 1024),
        nullptr));
    if (!answer || answer->format != 32)
        return false;
    const auto* atoms = static_cast<const std::uint32_t*>(xcb_get_property_value(answer.get()));
    const int count = xcb_get_property_value_length(answer.get()) / 4;
    for (int i = 0; i < count; ++i) {
        if (atoms[i] == wanted)
            return true;
    }
    return false;
}

bool windowManagerSupports(xcb_connection_t* connection, std::uint32_t root,
                           std::string_view hint) {
    return atomListHas(connection, root, "_NET_SUPPORTED", hint);
}

void sendToWindowManager(xcb_connection_t* connection, std::uint32_t root, std::uint32_t window,
                         std::string_view messageType, std::uint32_t first, std::uint32_t second) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom(connection, messageType);
    message.data.data32[0] = first;
    message.data.data32[1] = second;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
}

std::vector<std::uint8_t> keycodesFor(xcb_connection_t* connection, std::uint32_t keysym) {
    std::vector<std::uint8_t> result;
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(connection);
    if (symbols == nullptr)
        return result;
    if (xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, keysym)) {
        for (const xcb_keycode_t* code = codes; *code != XCB_NO_SYMBOL; ++code)
            result.push_back(*code);
        std::free(codes);
    }
    xcb_key_symbols_free(symbols);
    return result;
}

std::uint16_t modifierMask(KeyModifiers modifiers) {
    std::uint16_t mask = 0;
    if (hasModifier(modifiers, KeyModifier::shift))
        mask |= XCB_MOD_MASK_SHIFT;
    if (hasModifier(modifiers, KeyModifier::control))
        mask |= XCB_MOD_MASK_CONTROL;
    if (hasModifier(modifiers, KeyModifier::alt))
        mask |= XCB_MOD_MASK_1;
    if (hasModifier(modifiers, KeyModifier::super))
        mask |= XCB_MOD_MASK_4;
    return mask;
}

KeyModifiers modifiersFromMask(std::uint16_t mask) {
    KeyModifiers modifiers = 0;
    if (mask & XCB_MOD_MASK_SHIFT)
        modifiers = modifiers | KeyModifier::shift;
    if (mask & XCB_MOD_MASK_CONTROL)
        modifiers = modifiers | KeyModifier::control;
    if (mask & XCB_MOD_MASK_1)
        modifiers = modifiers | KeyModifier::alt;
    if (mask & XCB_MOD_MASK_4)
        modifiers = modifiers | KeyModifier::super;
    return modifiers;
}

std::vector<std::pair<std::uint8_t, int>> modifierKeycodes(xcb_connection_t* connection) {
    std::vector<std::pair<std::uint8_t, int>> result;
    const auto answer = reply(
        xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr));
    if (!answer)
        return result;
    const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(answer.get());
    const int perModifier = answer->keycodes_per_modifier;
    for (int bit = 0; bit < 8; ++bit) {
        for (int i = 0; i < perModifier; ++i) {
            if (const xcb_keycode_t code = codes[bit * perModifier + i]; code != 0)
                result.emplace_back(code, bit);
        }
    }
    return result;
}

std::uint16_t numLockMask(xcb_connection_t* connection) {
    const std::vector<std::uint8_t> numLock = keycodesFor(connection, keysymNumLock);
    for (const auto& [code, bit] : modifierKeycodes(connection)) {
        for (const std::uint8_t candidate : numLock) {
            if (candidate == code)
                return static_cast<std::uint16_t>(1 << bit);
        }
    }
    return 0;
}

} // namespace orbitdeck::x11
