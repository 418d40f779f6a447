import QtQuick

// Opens a fresh tile menu for each secondary click on a tile (made on demand: the window starts
// without the controls' module), and runs the entry chosen on that tile.
Item {
    id: host
    property QtObject win: null
    property QtObject menuState: win && win.commands ? win.commands.tileMenu : null
    property var openMenu: null
    readonly property bool menuOpen: openMenu !== null && openMenu.opened

    // cell: the cell that was clicked, x and y in its coordinates; inFolder: a tile of the open
    // folder, which has a menu of its own.
    function popup(itemKey, cell, x, y, inFolder) {
        if (!menuState)
            return
        if (openMenu)
            openMenu.close()
        const component = Qt.createComponent("TileMenu.qml")
        const entries = inFolder ? menuState.folderTileEntries(itemKey) : menuState.entriesFor(itemKey)
        // Owned by the host: the action chosen may take the cell away.
        const menu = component.createObject(host, { entries: entries })
        menu.chosen.connect((action, argument) => menuState.run(action, itemKey, argument))
        menu.closed.connect(() => {
            if (host.openMenu === menu)
                host.openMenu = null
            menu.destroy()
        })
        openMenu = menu
        const at = cell.mapToItem(host, x, y)
        menu.popup(at.x, at.y)
    }
}
