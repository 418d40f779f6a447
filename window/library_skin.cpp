#include "window/library_skin.h"

namespace orbitdeck {

LibrarySkin resolvedSkin(LibrarySkin skin, const DesktopAppearanceSource& desktop) {
    if (skin != LibrarySkin::automatic)
        return skin;
    return desktop.appearance() == DesktopAppearance::light ? LibrarySkin::paper
                                                            : LibrarySkin::night;
}

QColor skinAccent(LibrarySkin resolved) {
    switch (resolved) {
    case LibrarySkin::dusk:
        return QColor::fromRgbF(0.93f, 0.64f, 1.0f);
    case LibrarySkin::paper:
        return QColor::fromRgbF(0.0f, 0.45f, 0.85f);
    case LibrarySkin::night:
    case LibrarySkin::automatic:
        break;
    }
    return QColor::fromRgbF(0.49f, 0.89f, 0.81f);
}

} // namespace orbitdeck
