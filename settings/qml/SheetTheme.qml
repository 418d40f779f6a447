import QtQuick
import Orbitdeck.State
import Orbitdeck.Views

// Colours, type and texts of the sheet, all following its own skin setting and language.
QtObject {
    // "night", "dusk" or "paper" (auto already resolved).
    property string skin: "night"
    property L lang: null
    property bool motion: true

    readonly property bool dark: skin !== "paper"
    readonly property color accent: skin === "dusk" ? Qt.rgba(0.93, 0.64, 1.0, 1)
                                  : skin === "paper" ? Qt.rgba(0, 0.45, 0.85, 1)
                                  : Qt.rgba(0.49, 0.89, 0.81, 1)
    readonly property color primary: dark ? "white" : "black"
    readonly property color background: Skin.panel(skin)
    readonly property color secondary: primaryAt(dark ? 0.55 : 0.5)
    readonly property color tertiary: primaryAt(dark ? 0.3 : 0.28)
    // Something the user asked for does not work (a shortcut another program holds).
    readonly property color warning: dark ? Qt.rgba(1.0, 0.62, 0.3, 1) : Qt.rgba(0.78, 0.33, 0.0, 1)
    readonly property color popup: Skin.raised(skin)

    function primaryAt(opacity) { return Qt.rgba(primary.r, primary.g, primary.b, opacity) }
    function accentAt(opacity) { return Qt.rgba(accent.r, accent.g, accent.b, opacity) }
    function tr(key) { return lang ? lang.t(key, lang.revision) : key }
    function format(key, args) { return lang ? lang.format(key, args, lang.revision) : key }
}
