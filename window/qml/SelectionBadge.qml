import QtQuick

// The check mark on a multi-selected tile.
Item {
    id: badge
    property bool shown: false
    property color accent

    width: 18
    height: 18
    opacity: shown ? 1 : 0
    scale: shown ? 1 : 0.00001
    visible: opacity > 0
    Behavior on opacity { NumberAnimation { duration: 150 } }
    Behavior on scale { NumberAnimation { duration: 150 } }

    Rectangle {
        anchors.fill: parent
        radius: width / 2
        color: badge.accent
        border.width: 1.5
        border.color: Qt.rgba(0, 0, 0, 0.2)
    }
    Symbol {
        anchors.centerIn: parent
        // Drawn only once the badge shows: every tile has one.
        name: badge.visible ? "checkmark" : ""
        size: 11
        color: "white"
    }
}
