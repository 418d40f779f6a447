import QtQuick

// Opens a fresh tile menu for each secondary click on a tile (made on demand: the window starts
// without the controls' module), and runs the entry chosen on that tile.
Item {
    id: host
    property QtObject win: null
    property QtObject menuState: win && win.commands ? win.commands.tileMenu : null
    property var openMenu: null
    readonly property bool menuOpen: openMenu !== null && openMenu.opened

    // cell: the grid cell that was clicked, x and y in its coordinates.
    function popup(itemKey, cell, x, y) {
        if (!menuState)
            return
        if (openMenu)
            openMenu.close()
        const component = Qt.createComponent("TileMenu.qml")
        // Owned by the host: the action chosen may take the cell away.
        const menu = component.createObject(host, { entries: menuState.entriesFor(itemKey) })
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
