import QtQuick
import Orbitdeck.State
import Orbitdeck.Views
import Orbitdeck.Arranging

// A grid cell bound to one row of the window's tile list and to the window state.
TileCell {
    id: bound
    required property int index
    required key
    required kind
    required itemId
    required name
    required property string path
    required property var folderItems
    property Actions actions
    property AmbergridWindow win
    property TextLookup texts: null        // the interface language
    function tr(key: string): string { return texts ? texts.t(key) : key }
    readonly property SelectionState selectionState: win ? win.selection : null
    readonly property PageView grid: GridView.view as PageView
    readonly property var metrics: grid ? grid.metrics : null
    readonly property CommandLayer commands: actions ? actions.commands : null

    width: metrics ? metrics.cellWidth : 100
    cellHeight: metrics ? metrics.cellHeight : 96
    iconSize: metrics ? metrics.iconSize : 62
    objectName: "library-cell-" + key
    interactive: grid ? grid.tilesInteractive : true
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
        return selectionState.selectedItem === key || selectionState.isMultiSelected(key)
    }
    multiSelected: selectionState ? selectionState.isMultiSelected(key) : false
    dropTarget: selectionState ? selectionState.activeDropTile === key : false
    folderSelected: kind === "folder" && selectionState ? selectionState.selectedItem === key : false
    dragging: selectionState ? selectionState.draggingItem === key : false
    arranging: selectionState ? selectionState.arranging : false
    // Asked only while arranging: only applications that may go to the Trash get the badge.
    deletable: kind === "application" && arranging && commands !== null
               && commands.uninstalling.canUninstallID(itemId)
    // Only the arranging grid shows the delete badge.
    deleteTooltip: arranging ? tr("Move to Trash") : "Move to Trash"
    deleteLabel: arranging ? tr("Delete %@").replace("%@", name) : "Delete " + name

    // Drag and drop, made once the first frame is up.
    property bool takesDrags: false
    property Item hookItem: null
    onTakesDragsChanged: makeHooks()
    Component.onCompleted: makeHooks()
    function makeHooks() {
        if (takesDrags && !hookItem)
            hookItem = hooksComponent.createObject(bound, { cell: bound })
    }
    Component { id: hooksComponent; TileDragHooks {} }

    onTapped: modifiers => bound.actions.tileTapped(kind, itemId, modifiers)
    onLongPressed: bound.actions.longPress()
    onDeleteRequested: bound.actions.requestUninstall(itemId)
    onContextMenuRequested: (x, y) => bound.actions.showTileMenu(key, bound, x, y)
}
