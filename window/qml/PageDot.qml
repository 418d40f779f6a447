import QtQuick

// One page dot: the current page's dot is opaque and a little larger.
Item {
    id: dot
    property int page
    property bool current: false
    property color color: "white"
    property bool animated: true
    property string label
    // While tiles can be dragged: a tile dropped here is handed on, to be placed on this page.
    property bool takesDrops: false
    signal clicked()
    // Accepting the drop (drop.accept) tells the drag it was placed.
    signal tileDropped(DragEvent drop)

    objectName: "library-page-" + (page + 1)
    width: 20
    height: 30
    Accessible.name: label
    Accessible.role: Accessible.Button
    Accessible.selected: current

    // Grown by its size, not by a scale: the software renderer draws a scaled rounded rectangle
    // as a ragged blot.
    Rectangle {
        property real grow: dot.current ? 1.15 : 1
        anchors.centerIn: parent
        width: 7 * grow
        height: width
        radius: width / 2
        color: dot.color
        opacity: dot.current ? 1 : 0.32
        Behavior on opacity { enabled: dot.animated; NumberAnimation { duration: 300; easing.type: Easing.OutBack } }
        Behavior on grow { enabled: dot.animated; NumberAnimation { duration: 300; easing.type: Easing.OutBack } }
    }
    DropArea {
        anchors.fill: parent
        enabled: dot.takesDrops
        keys: ["dev.ambergrid.library-item"]
        onDropped: drop => dot.tileDropped(drop)
    }
    TapHandler { gesturePolicy: TapHandler.ReleaseWithinBounds; onTapped: dot.clicked() }
}
