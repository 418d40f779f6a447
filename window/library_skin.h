#pragma once

#include "platform/desktop_appearance.h"
#include "window/library_settings_enums.h"

#include <QColor>

namespace orbitdeck {

// `auto` follows the desktop: paper under a light look, night under a dark one or when the
// desktop does not say. Every other skin is itself.
LibrarySkin resolvedSkin(LibrarySkin skin, const DesktopAppearanceSource& desktop);

// The accent of an already resolved skin (automatic falls back to night's).
QColor skinAccent(LibrarySkin resolved);
inline QColor skinAccent(LibrarySkin skin, const DesktopAppearanceSource& desktop) {
    return skinAccent(resolvedSkin(skin, desktop));
}

} // namespace orbitdeck
