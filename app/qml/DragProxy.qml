import QtQuick
import Orbitdeck.Arranging

// The tile that follows the pointer while it is dragged. Its internal drag reaches the drop
// areas of the tiles, page edges and folder panel; the release drops it on what lies beneath.
// An internal drag delivers its keys but not Drag.mimeData, so the proxy is the drag's source
// and carries the payload: drop targets read it from the event's source. When the pointer leaves
// the window the proxy hands the drag to the platform with the same source and its mime data, so
// other applications get the tile's location and a return into the window still drops here.
Item {
    id: proxy
    objectName: "library-drag-proxy"
    readonly property real size: Math.max(LiveDrag.proxySize, 32)
    // The library-item JSON, and for an application its bundle and suggested name.
    readonly property string payload: LiveDrag.payload
    readonly property url appUrl: LiveDrag.appUrl
    readonly property string suggestedName: LiveDrag.suggestedName

    width: size
    height: size
    x: LiveDrag.pointer.x - size / 2
    y: LiveDrag.pointer.y - size / 2
    visible: LiveDrag.dragging && !LiveDrag.draggingOut
    enabled: false

    Drag.active: LiveDrag.dragging
    Drag.dragType: Drag.Internal
    Drag.source: proxy
    Drag.keys: ["dev.ambergrid.library-item"]
    Drag.hotSpot.x: size / 2
    Drag.hotSpot.y: size / 2
    Drag.supportedActions: Qt.MoveAction
    Drag.proposedAction: Qt.MoveAction
    Drag.mimeData: LiveDrag.outgoingData

    // Without an icon, the same rounded plate the tile shows.
    Rectangle {
        anchors.fill: parent
        visible: icon.status !== Image.Ready
        radius: proxy.size * 0.22
        color: Qt.rgba(0.78, 0.80, 0.86, 0.92)
        border.color: Qt.rgba(1, 1, 1, 0.5)
        border.width: 1
    }
    Image {
        id: icon
        anchors.fill: parent
        source: LiveDrag.proxyIcon
        sourceSize.width: 256
        sourceSize.height: 256
        smooth: true
    }
    scale: 1.06

    Connections {
        target: LiveDrag
        function onDropRequested() { proxy.Drag.drop() }
        // Runs the platform's drag until it is dropped, here or elsewhere.
        function onDragOutRequested() {
            proxy.Drag.startDrag(Qt.CopyAction | Qt.LinkAction | Qt.MoveAction)
            LiveDrag.dragOutEnded()
        }
    }
}
