import QtQuick
import Qt5Compat.GraphicalEffects
import Orbitdeck.Arranging

// The open folder over the grid: a dimmed backdrop, the editable title and a glass panel with
// the folder's tiles. It grows out of the point it was opened from and shrinks back into it.
Item {
    id: layer
    property QtObject win
    property QtObject actions
    property string skin: "night"
    property string effects: "fluid"
    property bool reduceMotion: false
    property int gridColumns: 7
    property real iconSize: 62
    readonly property string openFolder: win ? win.selection.openFolder : ""
    // The folder shown; kept while the panel shrinks away.
    property string folderId
    property var items: []
    property string title
    readonly property bool exists: folderId !== "" && win !== null && win.layout.hasFolder(folderId)
    readonly property var geometry: LiveDrag.folderGeometry(items.length, gridColumns, iconSize)
    readonly property bool animates: Skin.animates(effects, reduceMotion)
    readonly property color tint: skin === "paper" ? Qt.rgba(0.85, 0.88, 0.93, 1)
                                 : skin === "dusk" ? Qt.rgba(0.10, 0.06, 0.14, 1)
                                 : Qt.rgba(0.04, 0.06, 0.11, 1)
    property real grow: 0

    visible: exists && grow > 0.001
    z: 10

    function refresh() {
        if (!win || folderId === "")
            return
        items = LiveDrag.shownFolderItems(folderId)
        title = LiveDrag.folderTitle(folderId)
    }
    function close() {
        if (win && win.commands)
            win.commands.closeFolder()
    }

    onOpenFolderChanged: {
        if (openFolder !== "") {
            folderId = openFolder
            refresh()
            grow = 1
        } else {
            grow = 0
        }
    }
    Behavior on grow {
        enabled: layer.animates
        SpringAnimation { spring: 4.2; damping: 0.42; epsilon: 0.002 }
    }
    Connections {
        target: layer.win ? layer.win.layout : null
        function onLayoutChanged() { layer.refresh() }
    }

    Rectangle {
        id: backdrop
        objectName: "library-folder-backdrop"
        anchors.fill: parent
        color: Qt.rgba(0, 0, 0, 0.18)
        opacity: Math.min(layer.grow, 1)
        Accessible.ignored: true
        MouseArea {
            anchors.fill: parent
            onClicked: layer.close()
        }
        DropArea {
            anchors.fill: parent
            keys: ["dev.ambergrid.library-item"]
            onEntered: LiveDrag.hoverFolderBackdrop(layer.folderId)
            onPositionChanged: LiveDrag.hoverFolderBackdrop(layer.folderId)
            onDropped: drop => {
                if (LiveDrag.dropOnFolderBackdrop(layer.folderId))
                    drop.accept(Qt.MoveAction)
            }
        }
    }

    Column {
        id: content
        objectName: "library-folder-panel"
        anchors.centerIn: parent
        spacing: 20
        opacity: Math.min(layer.grow, 1)
        transform: Scale {
            readonly property point anchorPoint: layer.win ? layer.win.selection.folderAnchor : Qt.point(0.5, 0.5)
            origin.x: anchorPoint.x * layer.width - content.x
            origin.y: anchorPoint.y * layer.height - content.y
            xScale: layer.openFolder !== "" ? 0.12 + 0.88 * layer.grow : 0.2 + 0.8 * layer.grow
            yScale: xScale
        }

        FolderTitleInput {
            anchors.horizontalCenter: parent.horizontalCenter
            title: layer.title
            ink: layer.skin === "paper" ? Qt.rgba(0.1, 0.1, 0.1, 1) : "white"
            onSaved: text => {
                if (layer.win && layer.win.layoutOps)
                    layer.win.layoutOps.commitFolderRename(layer.folderId, text)
                layer.refresh()
            }
        }
        Item {
            width: layer.geometry.scrollWidth
            height: layer.geometry.scrollHeight

            DropShadow {
                anchors.fill: glass
                source: glass
                color: Qt.rgba(0, 0, 0, 0.28)
                radius: 30
                samples: 41
                verticalOffset: 14
                transparentBorder: true
            }
            Rectangle {
                id: glass
                anchors.fill: parent
                radius: 30
                color: Qt.rgba(layer.tint.r, layer.tint.g, layer.tint.b, 0.25)
                border.width: 1
                border.color: Qt.rgba(1, 1, 1, layer.skin === "paper" ? 0.5 : 0.14)
            }
            Rectangle {
                anchors.fill: parent
                radius: 30
                color: Qt.rgba(1, 1, 1, layer.skin === "paper" ? 0.35 : 0.06)
            }
            MouseArea {
                anchors.fill: parent
            }
            DropArea {
                anchors.fill: parent
                keys: ["dev.ambergrid.library-item"]
                onEntered: LiveDrag.hoverFolderPanel()
                onPositionChanged: LiveDrag.hoverFolderPanel()
                onDropped: drop => {
                    if (LiveDrag.dropOnFolderPanel())
                        drop.accept(Qt.MoveAction)
                }
            }
            GridView {
                id: folderGrid
                objectName: "library-folder-grid"
                anchors.fill: parent
                anchors.margins: 22
                clip: true
                interactive: layer.geometry.rows > 3
                boundsBehavior: Flickable.StopAtBounds
                cellWidth: layer.geometry.cell + 6
                cellHeight: layer.geometry.cell
                model: layer.items
                delegate: FolderTileCell {
                    win: layer.win
                    actions: layer.actions
                    cellWidth: layer.geometry.cell
                    iconSize: layer.geometry.tile
                    skin: layer.skin
                    effects: layer.effects
                    reduceMotion: layer.reduceMotion
                }
            }
        }
    }
}
