import QtQuick
import Orbitdeck.Views
import Orbitdeck.Arranging

// What makes a grid tile a drop target while a drag or arranging is under way: a drag over it
// feeds the live reordering, a drop on it groups or places; and its jiggle's timing.
Item {
    id: hooks
    // The grid cell.
    property TileCell cell
    readonly property string key: cell ? cell.key : ""
    readonly property real iconSize: cell ? cell.iconSize : 62
    readonly property bool live: cell !== null && cell.full

    anchors.fill: parent

    // The tile's jiggle, timed per tile.
    Binding {
        target: hooks.cell
        property: "wiggleTiming"
        value: LiveDrag.wiggleTiming(hooks.key)
        when: hooks.cell !== null
    }

    DropArea {
        anchors.fill: parent
        enabled: hooks.live
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
