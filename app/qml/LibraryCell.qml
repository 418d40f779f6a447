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
    required property list<string> previewPaths
    required property tileId tile
    property Actions actions
    property AmbergridWindow win
    property TextLookup texts: null        // the interface language
    function tr(key: string): string { return texts ? texts.t(key) : key }
    readonly property SelectionState selectionState: win ? win.selection : null
    readonly property PageView grid: GridView.view as PageView
    readonly property CommandLayer commands: actions ? actions.commands : null

    width: TileLooks.metrics.cellWidth
    cellHeight: TileLooks.metrics.cellHeight
    iconSize: TileLooks.metrics.iconSize
    objectName: "library-cell-" + key
    interactive: grid ? grid.tilesInteractive : true
    hoverable: grid ? grid.tilesHover : true
    iconSource: kind === "folder" || path === "" ? "" : "image://appicon/" + encodeURIComponent(path)
    previewIcons: {
        const icons = []
        if (kind === "folder") {
            for (const appPath of previewPaths)
                icons.push("image://appicon/" + encodeURIComponent(appPath))
        }
        return icons
    }
    highlighted: {
        if (!selectionState)
            return false
        if (TileLooks.searching) {
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

    // Drag and drop once the first frame is up. A press may start a drag; the drop area and the
    // jiggle's timing are made when a drag or arranging first needs them, as most sessions never
    // arrange and each tile would carry them.
    readonly property bool hooksWanted: TileLooks.takesDrags && (arranging || LiveDrag.dragging)
    property Item hookItem: null
    onHooksWantedChanged: makeHooks()
    Component.onCompleted: makeHooks()
    // From the file when first wanted: a component declared here would be one more object in
    // every cell.
    function makeHooks() {
        if (hooksWanted && !hookItem)
            hookItem = Qt.createComponent("TileDragHooks.qml").createObject(bound, { cell: bound })
    }
    onPressStarted: scenePosition => {
        if (TileLooks.takesDrags && full)
            LiveDrag.pressTile(key, scenePosition, String(iconSource), iconSize)
    }

    onTapped: modifiers => bound.actions.tileTapped(tile, modifiers)
    onLongPressed: bound.actions.longPress()
    onDeleteRequested: bound.actions.requestUninstall(itemId)
    onContextMenuRequested: (x, y) => bound.actions.showTileMenu(tile, bound, x, y)
}
