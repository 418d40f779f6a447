import QtQuick
import Orbitdeck.State
import Orbitdeck.Views
import Orbitdeck.Arranging

// One tile inside the open folder: always draggable, dimmed while dragged, jiggling and with its
// delete badge while arranging; a drop on it places the dragged tile before or after it.
Item {
    id: cell
    required property tileId modelData
    property AmbergridWindow win
    property Actions actions
    property real cellWidth: 108
    property real iconSize: 62
    property string skin: "night"
    property int effects: Setting.LibraryEffects.fluid
    property bool reduceMotion: false
    property TextLookup texts: null        // the interface language
    function tr(key: string): string { return texts ? texts.t(key) : key }
    readonly property string key: modelData.key
    readonly property string itemId: modelData.id
    readonly property string path: win ? win.library.appPath(itemId) : ""
    readonly property string icon: path === "" ? "" : "image://appicon/" + encodeURIComponent(path)
    readonly property bool dragged: LiveDrag.draggingItem === key
    readonly property bool arranging: win ? win.selection.arranging : false
    // While arranging, an application that may go to the Trash gets the badge, as on the grid.
    readonly property bool deletable: modelData.isApplication && arranging && actions !== null
                                      && actions.commands !== null
                                      && actions.commands.uninstalling.canUninstallID(itemId)

    objectName: "library-folder-cell-" + key
    width: cellWidth
    height: cellWidth - 8
    opacity: dragged ? 0.3 : 1

    Wiggle {
        anchors.fill: parent
        active: cell.arranging && !cell.dragged && Skin.animates(cell.effects, cell.reduceMotion)
        timing: LiveDrag.wiggleTiming(cell.key)

        ApplicationTile {
            width: parent.width
            appId: cell.itemId
            name: cell.win ? cell.win.library.displayNameOf(cell.itemId) : cell.itemId
            iconSource: cell.icon
            size: cell.iconSize
            tileHeight: cell.height
            showsLabel: cell.win ? cell.win.settings.labels : true
            effects: cell.reduceMotion ? Setting.LibraryEffects.off : cell.effects
            reduceMotion: cell.reduceMotion
            ink: Skin.ink(cell.skin)
            accent: Skin.accent(cell.skin)
            pressed: press.pressed
            deletable: cell.deletable
            deleteTooltip: cell.tr("Move to Trash")
            deleteLabel: cell.tr("Delete %@").replace("%@", name)
            onDeleteClicked: cell.actions.requestUninstall(cell.itemId)
        }
    }
    // Beneath the tile, so its delete badge takes its own clicks.
    MouseArea {
        id: press
        anchors.fill: parent
        z: -1
        acceptedButtons: Qt.LeftButton | Qt.RightButton
        onClicked: mouse => {
            if (!cell.actions)
                return
            if (mouse.button === Qt.RightButton)
                cell.actions.showFolderTileMenu(cell.modelData, cell, mouse.x, mouse.y)
            else
                cell.actions.tileTapped(cell.modelData, mouse.modifiers)
        }
    }
    // Above the mouse area, so the press reaches it before the mouse area takes it.
    Item {
        anchors.fill: parent
        PointHandler {
            acceptedButtons: Qt.LeftButton
            onActiveChanged: {
                if (active)
                    LiveDrag.pressTile(cell.key, point.scenePosition, cell.icon, cell.iconSize, true)
            }
        }
    }
    DropArea {
        anchors.fill: parent
        keys: ["dev.ambergrid.library-item"]
        onEntered: LiveDrag.hoverFolderPanel()
        onPositionChanged: LiveDrag.hoverFolderPanel()
        onDropped: drop => {
            if (LiveDrag.dropInFolder(cell.key, drop.x, cell.width))
                drop.accept(Qt.MoveAction)
        }
    }
}
