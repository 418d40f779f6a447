import QtQuick

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

    HoverHandler { id: hover }
    LazyToolTip { shown: hover.hovered; text: badge.tooltip }
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
        // Drawn only once the badge shows: every tile has one.
        name: badge.visible ? "xmark" : ""
        size: 9
        color: "white"
    }
    TapHandler { gesturePolicy: TapHandler.ReleaseWithinBounds; onTapped: badge.clicked() }
}
