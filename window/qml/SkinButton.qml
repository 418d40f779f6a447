import QtQuick
import QtQuick.Controls.Basic

// A button of the window's dialogs and alerts, drawn in the skin: the prominent one filled with
// the accent, a destructive one in red. It never takes the keyboard: the dialog's keys choose.
Button {
    id: button
    property string skin: "night"
    property bool prominent: false
    property bool destructive: false
    readonly property color ink: skin !== "paper" ? "white" : "black"
    function inkAt(opacity) { return Qt.rgba(ink.r, ink.g, ink.b, opacity) }

    font.pixelSize: 12
    implicitHeight: 26
    leftPadding: 14
    rightPadding: 14
    focusPolicy: Qt.NoFocus
    opacity: enabled ? 1 : 0.45
    Accessible.name: text
    contentItem: Text {
        text: button.text
        font: button.font
        color: button.prominent ? Skin.onAccent(button.skin)
             : button.destructive ? "#ff453a" : button.ink
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }
    background: Rectangle {
        radius: 6
        color: button.prominent
               ? (button.down ? Qt.darker(Skin.accent(button.skin), 1.15) : Skin.accent(button.skin))
               : button.inkAt(button.down ? 0.16 : 0.09)
        border.width: button.prominent ? 0 : 0.5
        border.color: button.inkAt(0.12)
    }
}
