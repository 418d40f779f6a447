pragma ComponentBehavior: Bound
import QtQuick
import Orbitdeck.Views
import Orbitdeck.State
import Orbitdeck.Arranging

// The open folder over the grid: a dimmed backdrop, the editable title and a glass panel with
// the folder's tiles. It grows out of the point it was opened from and shrinks back into it.
Item {
    id: panel
    // The arranging layer it lies in, whose window state and looks it takes.
    required property ArrangingLayer host
    readonly property AmbergridWindow win: host.win
    readonly property Actions actions: host.actions
    readonly property string skin: host.skin
    readonly property int effects: host.effects
    readonly property bool reduceMotion: host.reduceMotion
    readonly property TextLookup texts: host.texts    // the interface language
    readonly property int gridColumns: win ? win.paging.navColumns : 7
    readonly property real iconSize: win ? win.settings.effectiveIconSize : 62
    readonly property string openFolder: win ? win.selection.openFolder : ""
    // The folder shown; kept while the panel shrinks away.
    property string folderId
    property list<tileId> items
    property string title
    readonly property bool exists: folderId !== "" && win !== null && win.layout.hasFolder(folderId)
    readonly property folderGeometry geometry: LiveDrag.folderGeometry(items.length, gridColumns, iconSize)
    readonly property bool animates: Skin.animates(effects, reduceMotion)
    readonly property color tint: skin === "paper" ? Qt.rgba(0.85, 0.88, 0.93, 1)
                                 : skin === "dusk" ? Qt.rgba(0.10, 0.06, 0.14, 1)
                                 : Qt.rgba(0.04, 0.06, 0.11, 1)
    property real grow: 0

    anchors.fill: parent
    visible: exists && grow > 0.001
    // Shrinking away after a close, it no longer takes the pointer.
    enabled: openFolder !== ""
    z: 10

    function refresh() {
        if (!win || folderId === "")
            return
        items = LiveDrag.shownFolderItems(folderId)
        title = LiveDrag.folderTitle(folderId)
    }
    function close() {
        if (actions)
            actions.closeFolder()
    }

    onOpenFolderChanged: follow()
    function follow() {
        if (openFolder !== "") {
            folderId = openFolder
            refresh()
            grow = 1
        } else {
            grow = 0
        }
    }
    // Made for the folder that opens: it grows once its motion is in place.
    Component.onCompleted: if (openFolder !== "") ViewServices.callLater(follow)
    Behavior on grow {
        enabled: panel.animates
        SpringMotion { response: 0.36; dampingFraction: 0.86 }
    }
    Connections {
        target: panel.win ? panel.win.layout : null
        function onLayoutChanged() { panel.refresh() }
    }
    // Hiding an application from its menu here takes its tile out of the panel at once.
    Connections {
        target: panel.win ? panel.win.library : null
        function onHiddenChanged() { panel.refresh() }
        function onAppsChanged() { panel.refresh() }
    }

    // Shown over the grid while a folder is open.
    readonly property Item cover: backdrop
    Binding {
        target: panel.host.overlays
        property: "folderCover"
        value: panel.cover
    }

    Rectangle {
        id: backdrop
        objectName: "library-folder-backdrop"
        anchors.fill: parent
        color: Qt.rgba(0, 0, 0, 0.18)
        opacity: Math.min(panel.grow, 1)
        Accessible.ignored: true
        // Takes every button, the wheel and the hover, so nothing reaches the grid beneath.
        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.AllButtons
            hoverEnabled: true
            onClicked: mouse => {
                if (mouse.button === Qt.LeftButton)
                    panel.close()
            }
            onWheel: wheel => wheel.accepted = true
        }
        DropArea {
            anchors.fill: parent
            keys: ["dev.ambergrid.library-item"]
            onEntered: LiveDrag.hoverFolderBackdrop(panel.folderId)
            onPositionChanged: LiveDrag.hoverFolderBackdrop(panel.folderId)
            onDropped: drop => {
                if (LiveDrag.dropOnFolderBackdrop(panel.folderId))
                    drop.accept(Qt.MoveAction)
            }
        }
    }

    Column {
        id: content
        objectName: "library-folder-panel"
        anchors.centerIn: parent
        spacing: 20
        opacity: Math.min(panel.grow, 1)
        transform: Scale {
            readonly property point anchorPoint: panel.win ? panel.win.selection.folderAnchor : Qt.point(0.5, 0.5)
            origin.x: anchorPoint.x * panel.width - content.x
            origin.y: anchorPoint.y * panel.height - content.y
            xScale: panel.openFolder !== "" ? 0.12 + 0.88 * panel.grow : 0.2 + 0.8 * panel.grow
            yScale: xScale
        }

        FolderTitleInput {
            anchors.horizontalCenter: parent.horizontalCenter
            title: panel.title
            placeholder: panel.texts ? panel.texts.t("Folder name") : "Folder name"
            ink: panel.skin === "paper" ? Qt.rgba(0.1, 0.1, 0.1, 1) : "white"
            onSaved: text => {
                if (panel.actions)
                    panel.actions.renameFolder(panel.folderId, text)
                panel.refresh()
            }
        }
        Item {
            width: panel.geometry.scrollWidth
            height: panel.geometry.scrollHeight

            // The panel's drop shadow, 14 points down, blurred over 30. Blurred on a worker:
            // blurring a panel's size on the main thread held up the frames of the opening.
            Image {
                asynchronous: true
                x: -30
                y: -30 + 14
                width: parent.width + 60
                height: parent.height + 60
                source: panel.folderId !== "" ? "image://shadow/30/30" : ""
                sourceSize: LibraryGridMath.pixelSize(width, height)
                opacity: 0.28
                Accessible.ignored: true
            }
            Rectangle {
                id: glass
                anchors.fill: parent
                radius: 30
                color: Qt.rgba(panel.tint.r, panel.tint.g, panel.tint.b, 0.25)
                border.width: 1
                border.color: Qt.rgba(1, 1, 1, panel.skin === "paper" ? 0.5 : 0.14)
            }
            Rectangle {
                anchors.fill: parent
                radius: 30
                color: Qt.rgba(1, 1, 1, panel.skin === "paper" ? 0.35 : 0.06)
            }
            // A click on the glass between tiles does nothing, whatever the button.
            MouseArea {
                anchors.fill: parent
                acceptedButtons: Qt.AllButtons
                hoverEnabled: true
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
                interactive: panel.geometry.rows > 3
                boundsBehavior: Flickable.StopAtBounds
                cellWidth: panel.geometry.cell + 6
                cellHeight: panel.geometry.cell
                model: panel.items
                delegate: FolderTileCell {
                    win: panel.win
                    actions: panel.actions
                    cellWidth: panel.geometry.cell
                    iconSize: panel.geometry.tile
                    skin: panel.skin
                    effects: panel.effects
                    reduceMotion: panel.reduceMotion
                    texts: panel.texts
                }
            }
        }
    }
}
