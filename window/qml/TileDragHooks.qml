import QtQuick
import Orbitdeck.Arranging

// What makes a grid tile draggable and a drop target: its press is reported so the drag can
// start from it, and a drag over it feeds the live reordering; a drop on it groups or places.
Item {
    id: hooks
    property string key
    property string iconSource
    property real iconSize: 62
    property bool active: true

    anchors.fill: parent

    PointHandler {
        acceptedButtons: Qt.LeftButton
        enabled: hooks.active
        onActiveChanged: {
            if (active)
                LiveDrag.pressTile(hooks.key, point.scenePosition, hooks.iconSource, hooks.iconSize)
        }
    }
    DropArea {
        anchors.fill: parent
        enabled: hooks.active
        keys: ["dev.ambergrid.library-item"]
        onEntered: drag => LiveDrag.hoverTile(hooks.key, drag.x, drag.y, width, height, hooks.iconSize)
        onPositionChanged: drag => LiveDrag.hoverTile(hooks.key, drag.x, drag.y, width, height, hooks.iconSize)
        onExited: LiveDrag.leaveTile(hooks.key)
        onDropped: drop => {
            if (LiveDrag.dropOnTile(hooks.key, drop.x, drop.y, width, height, hooks.iconSize))
                drop.accept(Qt.MoveAction)
        }
    }
}
