import QtQuick
import Orbitdeck.Arranging

// A strip at one side of the page: a dragged tile resting on it turns the page once per visit;
// a drop on it makes the tile the first of the page it aims at.
Rectangle {
    id: strip
    property bool trailing: false
    property color accent: "#7de3cf"
    readonly property bool lit: trailing ? LiveDrag.trailingEdgeLit : LiveDrag.leadingEdgeLit

    objectName: trailing ? "library-page-edge-trailing" : "library-page-edge-leading"
    width: 24
    radius: 8
    color: lit ? Qt.rgba(accent.r, accent.g, accent.b, 0.22) : "transparent"
    Accessible.ignored: true

    DropArea {
        anchors.fill: parent
        keys: ["dev.ambergrid.library-item"]
        onEntered: LiveDrag.edgeTargeted(strip.trailing, true)
        onExited: LiveDrag.edgeTargeted(strip.trailing, false)
        // The item comes from the payload the drag's source, the proxy, carries.
        onDropped: drop => {
            const proxy = drop.source as DragProxy
            if (LiveDrag.dropOnEdge(strip.trailing, proxy ? proxy.payload : ""))
                drop.accept(Qt.MoveAction)
        }
    }
    Component.onDestruction: LiveDrag.edgeTargeted(strip.trailing, false)
}
