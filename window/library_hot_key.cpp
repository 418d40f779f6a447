#include "window/library_hot_key.h"

namespace orbitdeck {
namespace {

constexpr std::uint32_t spaceKeysym = 0x20;

} // namespace

std::optional<KeyChord> hotKeyChord(LibraryHotKey hotKey) {
    switch (hotKey) {
    case LibraryHotKey::off:
        return std::nullopt;
    case LibraryHotKey::optionSpace:
        return KeyChord{.keysym = spaceKeysym, .modifiers = KeyModifiers(KeyModifier::alt)};
    case LibraryHotKey::commandOptionSpace:
        return KeyChord{.keysym = spaceKeysym, .modifiers = KeyModifier::super | KeyModifier::alt};
    case LibraryHotKey::controlOptionSpace:
        return KeyChord{.keysym = spaceKeysym,
                        .modifiers = KeyModifier::control | KeyModifier::alt};
    }
    return std::nullopt;
}

} // namespace orbitdeck
