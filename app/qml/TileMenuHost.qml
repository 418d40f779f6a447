import QtQuick
import Orbitdeck.Views
import Orbitdeck.State
import Orbitdeck.Arranging

// Opens a fresh tile menu for each secondary click on a tile and runs the entry chosen on that
// tile.
Item {
    id: host
    property CommandLayer commands: null
    readonly property TileMenuState menuState: commands ? commands.tileMenu : null
    property TileMenu openMenu: null
    readonly property bool menuOpen: openMenu !== null && openMenu.opened

    // cell: the cell that was clicked, x and y in its coordinates; inFolder: a tile of the open
    // folder, which has a menu of its own.
    function popup(tile: tileId, cell: Item, x: real, y: real, inFolder: bool) {
        if (!menuState)
            return
        if (openMenu)
            openMenu.close()
        const entries = inFolder ? menuState.folderTileEntries(tile) : menuState.entriesFor(tile)
        // Owned by the host: the action chosen may take the cell away.
        const menu = menuComponent.createObject(host) as TileMenu
        menu.entries = entries
        menu.chosen.connect((action, argument) => menuState.run(action, tile, argument))
        menu.closed.connect(() => {
            if (host.openMenu === menu)
                host.openMenu = null
            menu.destroy()
        })
        openMenu = menu
        const at = cell.mapToItem(host, x, y)
        menu.popup(at.x, at.y)
    }
    Component { id: menuComponent; TileMenu {} }
}
