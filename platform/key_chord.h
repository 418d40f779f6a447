#pragma once

#include <cstdint>

namespace orbitdeck {

// Modifiers as the launcher names them; the X11 layer maps them onto the server's modifier bits.
enum class KeyModifier : std::uint8_t {
    shift = 1 << 0,
    control = 1 << 1,
    alt = 1 << 2,
    super = 1 << 3,
};

using KeyModifiers = std::uint8_t;

constexpr KeyModifiers operator|(KeyModifier a, KeyModifier b) {
    return static_cast<KeyModifiers>(static_cast<KeyModifiers>(a) | static_cast<KeyModifiers>(b));
}
constexpr KeyModifiers operator|(KeyModifiers a, KeyModifier b) {
    return static_cast<KeyModifiers>(a | static_cast<KeyModifiers>(b));
}
constexpr bool hasModifier(KeyModifiers set, KeyModifier m) {
    return (set & static_cast<KeyModifiers>(m)) != 0;
}

// One key with the exact modifiers that must be held (lock keys never count).
struct KeyChord {
    std::uint32_t keysym = 0;
    KeyModifiers modifiers = 0;

    friend bool operator==(const KeyChord&, const KeyChord&) = default;
};

} // namespace orbitdeck
