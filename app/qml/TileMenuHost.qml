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
    // The open TileMenu, untyped (see TileMenuMaker); menuOpen follows its opened.
    property QtObject openMenu: null
    property bool menuOpen: false

    // cell: the cell that was clicked, x and y in its coordinates; inFolder: a tile of the open
    // folder, which has a menu of its own.
    function popup(tile: tileId, cell: Item, x: real, y: real, inFolder: bool) {
        if (!menuState)
            return
        if (openMenu)
            (openMenu as TileMenu).close()
        const entries = inFolder ? menuState.folderTileEntries(tile) : menuState.entriesFor(tile)
        // Owned by the host: the action chosen may take the cell away.
        const menu = maker.make(host) as TileMenu
        menu.entries = entries
        menu.chosen.connect((action, argument) => menuState.run(action, tile, argument))
        menu.openedChanged.connect(() => {
            if (host.openMenu === menu)
                host.menuOpen = menu.opened
        })
        menu.closed.connect(() => {
            if (host.openMenu === menu) {
                host.openMenu = null
                host.menuOpen = false
            }
            menu.destroy()
        })
        openMenu = menu
        const at = cell.mapToItem(host, x, y)
        menu.popup(at.x, at.y)
    }
    TileMenuMaker { id: maker }
}
