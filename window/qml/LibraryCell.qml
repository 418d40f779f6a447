import QtQuick
import Orbitdeck.State

// A grid cell bound to one row of the window's tile list and to the window state.
TileCell {
    id: bound
    required property int index
    required property string key
    required kind
    required itemId
    required name
    required property string path
    required property var folderItems
    property QtObject actions
    property Window root
    readonly property QtObject win: root ? root.win : null
    readonly property QtObject selectionState: win ? win.selection : null
    readonly property QtObject grid: GridView.view
    readonly property var metrics: grid ? grid.metrics : null

    width: metrics ? metrics.cellWidth : 100
    cellHeight: metrics ? metrics.cellHeight : 96
    iconSize: metrics ? metrics.iconSize : 62
    objectName: "library-cell-" + key
    interactive: grid ? grid.tilesInteractive : true
    searching: root ? root.searching : false
    iconSource: kind === "folder" || path === "" ? "" : "image://appicon/" + encodeURIComponent(path)
    previewIcons: {
        if (kind !== "folder" || !win)
            return []
        const icons = []
        for (const entry of folderItems) {
            const colon = entry.indexOf(":")
            const id = entry.substring(colon + 1)
            const appPath = entry.startsWith("folder:") ? "" : win.library.appPath(id)
            if (appPath !== "")
                icons.push("image://appicon/" + encodeURIComponent(appPath))
            if (icons.length === 9)
                break
        }
        return icons
    }
    highlighted: {
        if (!selectionState)
            return false
        if (searching) {
            if (selectionState.selectedItem !== "")
                return selectionState.selectedItem === key
            return win.paging.page === 0 && index === 0
        }
        return selectionState.selectedItem === key || selectionState.multiSelection.indexOf(key) >= 0
    }
    multiSelected: selectionState ? selectionState.multiSelection.indexOf(key) >= 0 : false
    dropTarget: selectionState ? selectionState.activeDropTile === key : false
    folderSelected: kind === "folder" && selectionState ? selectionState.selectedItem === key : false
    dragging: selectionState ? selectionState.draggingItem === key : false
    arranging: selectionState ? selectionState.arranging : false
    // Asked only while arranging: only applications that may go to the Trash get the badge.
    deletable: kind === "application" && arranging && win !== null && win.commands !== null
               && win.commands.uninstalling.canUninstallID(itemId)
    showsLabel: root && root.settings ? root.settings.labels : true
    folderLabels: root && root.settings ? root.settings.folderLabels : true
    skin: root ? root.skin : "night"
    effects: root ? root.effects : Setting.LibraryEffects.fluid
    reduceMotion: root ? root.reduceMotion : false
    // Only the arranging grid shows the delete badge.
    deleteTooltip: root && arranging ? root.tr("Move to Trash") : "Move to Trash"
    deleteLabel: root && arranging ? root.tr("Delete %@").replace("%@", name) : "Delete " + name

    // Drag and drop, when the arranging module is there (made once the first frame is up).
    readonly property Component hooks: root ? root.tileHooks : null
    property Item hookItem: null
    onHooksChanged: makeHooks()
    Component.onCompleted: makeHooks()
    function makeHooks() {
        if (hooks && !hookItem)
            hookItem = hooks.createObject(bound, { cell: bound })
    }

    onTapped: modifiers => actions.tileTapped(kind, itemId, modifiers)
    onLongPressed: actions.longPress()
    onDeleteRequested: actions.requestUninstall(itemId)
    onContextMenuRequested: (x, y) => actions.showTileMenu(key, bound, x, y)
}
