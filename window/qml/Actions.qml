import QtQuick
import Orbitdeck.Views

// What the views' input does to the window state: each entry forwards to the state's
// operation and keeps only the view side (focus, icon cache, App Store address) here.
QtObject {
    id: actions
    property QtObject win: null
    property QtObject launchFlow: null
    readonly property QtObject commands: win ? win.commands : null

    // A secondary click on a tile of the grid or of the open folder (inFolder); the arranging
    // layer opens that tile's menu.
    signal tileMenuRequested(string itemKey, Item cell, real x, real y, bool inFolder)

    function has(object, name) { return object && typeof object[name] === "function" }

    function setQuery(text) { if (win) win.search.query = text }
    // Return in the search field: the first visible application.
    function submitSearch() {
        if (!win || win.search.query.length === 0)
            return
        if (has(launchFlow, "launchFirstVisible"))
            launchFlow.launchFirstVisible()
    }
    function stopArranging() { if (win) win.stopArranging() }
    function openSettings() { if (win) win.actions.openSettings() }
    function toggleFullScreen() { if (win) win.actions.toggleFullScreen() }
    function refresh() { if (win) win.actions.refreshLibrary() }
    function restart() { ViewServices.restart() }
    function dismiss() { if (win) win.dismissLibrary() }
    function setSort(sort) { if (win) win.settings.sort = sort }
    function setLabels(on) { if (win) win.settings.labels = on }
    function clearIconCache() { ViewServices.clearIconCache() }

    // Clicks, long presses and "Edit Layout": the command layer decides what they do.
    function backgroundClick() { if (commands) commands.handleBackgroundClick() }
    function longPress() { if (commands) commands.tileLongPressEnded() }
    function editLayout() { if (commands) commands.editLayout() }
    function tileTapped(kind, itemId, modifiers) {
        if (commands)
            commands.tileTapped(kind + ":" + itemId, modifiers)
    }
    function showTileMenu(itemKey, cell, x, y) {
        if (win && !win.search.isSearching)
            tileMenuRequested(itemKey, cell, x, y, false)
    }
    function showFolderTileMenu(itemKey, cell, x, y) { tileMenuRequested(itemKey, cell, x, y, true) }
    function requestUninstall(itemId) {
        if (commands)
            commands.requestUninstall(itemId)
    }

    // A page turn asked for by the bar, a swipe or a wheel notch, within the shown pages.
    function goToPage(target, current, count) {
        if (has(launchFlow, "goToPage"))
            launchFlow.goToPage(target, current, count)
        else if (win && target >= 0 && target < count && target !== current)
            win.paging.page = target
    }
    // The grid's geometry, for keyboard navigation.
    function publishGrid(columns, capacity) {
        if (!win)
            return
        win.paging.navColumns = columns
        win.paging.navCapacity = capacity
    }
    function settlePage(target) { if (win) win.paging.page = target }

    function searchAppStore() {
        if (!win)
            return
        Qt.openUrlExternally(LibraryGridMath.appStoreSearchUrl(win.search.query))
        win.dismissLibrary()
    }
}
