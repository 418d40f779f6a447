import QtQuick

// Our stand-in for the regular glass effect: a faint fill with a hairline edge.
Rectangle {
    property string skin: "night"
    readonly property color base: skin === "paper" ? "white" : "white"
    radius: height / 2
    color: skin === "paper" ? Qt.rgba(1, 1, 1, 0.55) : Qt.rgba(1, 1, 1, 0.12)
    border.width: 0.5
    border.color: skin === "paper" ? Qt.rgba(0, 0, 0, 0.10) : Qt.rgba(1, 1, 1, 0.22)
}
