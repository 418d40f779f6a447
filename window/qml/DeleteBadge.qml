import QtQuick
import QtQuick.Controls

// The small black circle with a cross on a tile's icon corner while arranging.
Item {
    id: badge
    property string appId
    property string tooltip: "Move to Trash"
    property string label

    signal clicked()

    objectName: "application-delete-" + appId
    width: 20
    height: 20
    z: 2
    scale: visible ? 1 : 0.00001
    Accessible.name: label
    Accessible.role: Accessible.Button
    ToolTip.visible: hover.hovered
    ToolTip.delay: 700
    ToolTip.text: tooltip

    HoverHandler { id: hover }
    Rectangle {
        anchors.fill: parent
        anchors.topMargin: 1
        anchors.bottomMargin: -1
        radius: width / 2
        color: Qt.rgba(0, 0, 0, 0.25)
    }
    Rectangle {
        anchors.fill: parent
        radius: width / 2
        color: Qt.rgba(0, 0, 0, 0.72)
        border.width: 1
        border.color: Qt.rgba(1, 1, 1, 0.85)
    }
    Symbol {
        anchors.centerIn: parent
        name: "xmark"
        size: 9
        color: "white"
    }
    TapHandler { gesturePolicy: TapHandler.ReleaseWithinBounds; onTapped: badge.clicked() }
}
