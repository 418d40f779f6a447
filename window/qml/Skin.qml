pragma Singleton
import QtQuick
import Orbitdeck.State
import Orbitdeck.Views

// Colours of the three resolved skins ("night", "dusk", "paper") and the motion rules.
QtObject {
    function accent(skin) {
        if (skin === "dusk") return Qt.rgba(0.93, 0.64, 1.0, 1)
        if (skin === "paper") return Qt.rgba(0, 0.45, 0.85, 1)
        return Qt.rgba(0.49, 0.89, 0.81, 1)
    }
    // Text, symbols and tile ink.
    function ink(skin) { return skin === "paper" ? Qt.rgba(0.1, 0.1, 0.1, 1) : Qt.rgba(1, 1, 1, 1) }
    function inkAt(skin, opacity) {
        const c = ink(skin)
        return Qt.rgba(c.r, c.g, c.b, opacity)
    }
    function gradientTop(skin) {
        if (skin === "dusk") return Qt.rgba(0.26, 0.16, 0.33, 1)
        if (skin === "paper") return Qt.rgba(0.95, 0.96, 0.98, 1)
        return Qt.rgba(0.12, 0.17, 0.29, 1)
    }
    function gradientBottom(skin) {
        if (skin === "dusk") return Qt.rgba(0.10, 0.06, 0.14, 1)
        if (skin === "paper") return Qt.rgba(0.85, 0.88, 0.93, 1)
        return Qt.rgba(0.04, 0.06, 0.11, 1)
    }
    function tint(skin) {
        if (skin === "dusk") return Qt.rgba(0.22, 0.08, 0.28, 0.42)
        if (skin === "paper") return Qt.rgba(1, 1, 1, 0.42)
        return Qt.rgba(0.02, 0.04, 0.10, 0.40)
    }
    // Sheets, alerts and dialogs over the window: their ground and the raised panels on it.
    function panel(skin) { return skin === "paper" ? Qt.rgba(0.96, 0.96, 0.97, 1) : Qt.rgba(0.14, 0.145, 0.16, 1) }
    function raised(skin) { return skin === "paper" ? Qt.rgba(1, 1, 1, 1) : Qt.rgba(0.2, 0.2, 0.22, 1) }
    // The app's icon in the chosen style.
    function appIcon(style: int): string { return ViewServices.appIconSource(style) }
    // Text on an accent-filled button.
    function onAccent(skin) { return skin === "paper" ? "white" : "black" }
    function vignetteOpacity(skin) { return skin === "paper" ? 0.06 : 0.22 }

    // Motion: nothing moves under reduce motion or with effects off; scale effects, swipe
    // tracking and page transitions run only with fluid.
    function animates(effects: int, reduceMotion: bool): bool {
        return !reduceMotion && effects !== Setting.LibraryEffects.off
    }
    function fluid(effects: int, reduceMotion: bool): bool {
        return !reduceMotion && effects === Setting.LibraryEffects.fluid
    }
}
