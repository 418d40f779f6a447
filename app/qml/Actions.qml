import QtQuick
import Orbitdeck.State
import Orbitdeck.Arranging
import Orbitdeck.Views

// What the views' input does to the window state: each entry forwards to the state's
// operation and keeps only the view side (focus, icon cache) here.
QtObject {
    id: actions
    required property AmbergridWindow win
    required property LaunchFlow launchFlow
    required property CommandLayer commands
    required property LayoutOperations layoutOps

    // A secondary click on a tile of the grid or of the open folder (inFolder); the arranging
    // layer opens that tile's menu.
    signal tileMenuRequested(tileId tile, Item cell, real x, real y, bool inFolder)

    function setQuery(text: string) { if (win) win.search.query = text }
    // Return in the search field: the first visible application.
    function submitSearch() {
        if (!win || win.search.query.length === 0)
            return
        if (launchFlow)
            launchFlow.launchFirstVisible()
    }
    function stopArranging() { if (win) win.stopArranging() }
    function openSettings() { if (win) win.actions.openSettings() }
    function toggleFullScreen() { if (win) win.actions.toggleFullScreen() }
    function refresh() { if (win) win.actions.refreshLibrary() }
    function restart() { ViewServices.restart() }
    function dismiss() { if (win) win.dismissLibrary() }
    function setSort(sort: int) { if (win) win.settings.sort = sort }
    function setLabels(on: bool) { if (win) win.settings.labels = on }
    function clearIconCache() { ViewServices.clearIconCache() }

    // Clicks, long presses and "Edit Layout": the command layer decides what they do.
    function backgroundClick() { if (commands) commands.handleBackgroundClick() }
    function longPress() { if (commands) commands.tileLongPressEnded() }
    function editLayout() { if (commands) commands.editLayout() }
    function tileTapped(tile: tileId, modifiers: int) {
        if (commands)
            commands.tileTapped(tile, modifiers)
    }
    function showTileMenu(tile: tileId, cell: Item, x: real, y: real) {
        if (win && !win.search.isSearching)
            tileMenuRequested(tile, cell, x, y, false)
    }
    function showFolderTileMenu(tile: tileId, cell: Item, x: real, y: real) {
        tileMenuRequested(tile, cell, x, y, true)
    }
    function requestUninstall(itemId: string) {
        if (commands)
            commands.requestUninstall(itemId)
    }
    // The open folder's backdrop and title.
    function closeFolder() { if (commands) commands.closeFolder() }
    function renameFolder(folderId: string, title: string) {
        if (layoutOps)
            layoutOps.commitFolderRename(folderId, title)
    }

    // A page turn asked for by the bar, a swipe or a wheel notch, within the shown pages.
    function goToPage(target: int, current: int, count: int) {
        if (launchFlow)
            launchFlow.goToPage(target, current, count)
        else if (win && target >= 0 && target < count && target !== current)
            win.paging.page = target
    }
    // The grid's geometry, for keyboard navigation.
    function publishGrid(columns: int, capacity: int) {
        if (!win)
            return
        win.paging.navColumns = columns
        win.paging.navCapacity = capacity
    }
    function settlePage(target: int) { if (win) win.paging.page = target }

    function searchAppStore() { if (win) win.searchAppStore() }
}
