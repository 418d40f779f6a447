#pragma once

#include "platform/key_chord.h"
#include "window/library_settings_enums.h"

#include <optional>

namespace orbitdeck {

// The chord the global shortcut grabs: Space with the setting's modifiers; none when off.
// Command is grabbed as Super, so the Command-Option shortcut stays distinct from Control-Option.
std::optional<KeyChord> hotKeyChord(LibraryHotKey hotKey);

} // namespace orbitdeck
