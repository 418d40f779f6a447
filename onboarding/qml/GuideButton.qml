import QtQuick
import Orbitdeck.Views

// A footer button: "prominent" (filled with the accent), "standard" (a quiet plate) or "plain"
// (text only, in the secondary colour).
Rectangle {
    id: button
    property string text
    property string kind: "standard"
    property color accent
    property color ink
    property string skin: "night"
    readonly property bool down: tap.pressed

    signal clicked()

    implicitWidth: kind === "plain" ? label.implicitWidth + 12 : Math.max(label.implicitWidth + 32, 84)
    implicitHeight: 30
    radius: 7
    color: kind === "prominent" ? Qt.rgba(accent.r, accent.g, accent.b, down ? 0.8 : 1)
         : kind === "standard" ? Qt.rgba(ink.r, ink.g, ink.b, down ? 0.2 : 0.12)
         : "transparent"
    Accessible.name: text
    Accessible.role: Accessible.Button
    Accessible.onPressAction: button.clicked()

    Text {
        id: label
        anchors.centerIn: parent
        text: button.text
        font.pixelSize: 13
        font.weight: button.kind === "prominent" ? Font.DemiBold : Font.Normal
        color: button.kind === "prominent" ? (button.skin === "paper" ? "white" : Qt.rgba(0.05, 0.08, 0.12, 1))
             : button.kind === "plain" ? Qt.rgba(button.ink.r, button.ink.g, button.ink.b, button.down ? 0.4 : 0.6)
             : button.ink
    }
    TapHandler { id: tap; gesturePolicy: TapHandler.ReleaseWithinBounds; onTapped: button.clicked() }
}
