import QtQuick
import Orbitdeck.Arranging

// The icon that follows the pointer while a tile is dragged. Its internal drag reaches the drop
// areas of the tiles, page edges and folder panel; the release drops it on what lies beneath.
Item {
    id: proxy
    objectName: "library-drag-proxy"
    readonly property real size: Math.max(LiveDrag.proxySize, 32)

    width: size
    height: size
    x: LiveDrag.pointer.x - size / 2
    y: LiveDrag.pointer.y - size / 2
    visible: LiveDrag.dragging
    enabled: false

    Drag.active: LiveDrag.dragging
    Drag.dragType: Drag.Internal
    Drag.keys: ["dev.ambergrid.library-item"]
    Drag.hotSpot.x: size / 2
    Drag.hotSpot.y: size / 2
    Drag.supportedActions: Qt.MoveAction
    Drag.proposedAction: Qt.MoveAction

    Image {
        anchors.fill: parent
        source: LiveDrag.proxyIcon
        sourceSize.width: 256
        sourceSize.height: 256
        smooth: true
        opacity: 0.92
        scale: 1.06
    }

    Connections {
        target: LiveDrag
        function onDropRequested() { proxy.Drag.drop() }
    }
}
