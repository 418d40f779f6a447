#include "window/library_key.h"

namespace orbitdeck {

std::optional<LibraryKey> decodeLibraryKey(const KeyStroke& stroke) {
    const Qt::KeyboardModifiers held = stroke.modifiers & (Qt::ShiftModifier | Qt::ControlModifier |
                                                           Qt::AltModifier | Qt::MetaModifier);
    if (held == Qt::NoModifier) {
        switch (stroke.key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return LibraryKey::enter;
        case Qt::Key_Escape:
            return LibraryKey::escape;
        case Qt::Key_Left:
            return LibraryKey::left;
        case Qt::Key_Right:
            return LibraryKey::right;
        case Qt::Key_Down:
            return LibraryKey::down;
        case Qt::Key_Up:
            return LibraryKey::up;
        default:
            return std::nullopt;
        }
    }
    if (held != Qt::ControlModifier)
        return std::nullopt;
    switch (stroke.key) {
    case Qt::Key_Z:
        return LibraryKey::undo;
    case Qt::Key_Left:
        return LibraryKey::previousPage;
    case Qt::Key_Right:
        return LibraryKey::nextPage;
    default:
        break;
    }
    return std::nullopt;
}

bool libraryWindowAcceptsKey(LibraryKey key, KeyWindowScope scope) {
    switch (scope) {
    case KeyWindowScope::libraryWindow:
        return true;
    case KeyWindowScope::noWindow:
    case KeyWindowScope::childOfLibrary:
    case KeyWindowScope::popup:
        return key == LibraryKey::escape;
    case KeyWindowScope::otherWindow:
        return false;
    }
    return false;
}

} // namespace orbitdeck
