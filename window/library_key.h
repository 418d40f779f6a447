#pragma once

#include <Qt>

#include <optional>

namespace orbitdeck {

// The window keys the command layer handles.
// previousPage and nextPage are the page bar's Command-arrow shortcuts (Ctrl here).
enum class LibraryKey { escape, left, right, up, down, enter, undo, previousPage, nextPage };

struct KeyStroke {
    int key = 0; // Qt::Key
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

// Command shortcuts map to Control on this platform; keypad and lock state never count.
std::optional<LibraryKey> decodeLibraryKey(const KeyStroke& stroke);

// How the window a key went to relates to the launcher window.
enum class KeyWindowScope {
    noWindow,       // the key reached no window while the launcher has one
    libraryWindow,  // the launcher window itself, or neither exists
    childOfLibrary, // a sheet or other transient of the launcher window
    popup,
    otherWindow,
};

// Escape also closes from sheets and popups; the other keys act only in the launcher window.
bool libraryWindowAcceptsKey(LibraryKey key, KeyWindowScope scope);

} // namespace orbitdeck
