import QtQuick
import Orbitdeck.Views

// What the views' input does to the window state: each entry forwards to the state's
// operation and keeps only the view side (focus, icon cache) here.
QtObject {
    id: actions
    property QtObject win: null
    property QtObject launchFlow: null
    readonly property QtObject commands: win ? win.commands : null
    readonly property QtObject selection: win ? win.selection : null

    // A secondary click on a grid tile; the arranging layer opens the tile menu.
    signal tileMenuRequested(string itemKey, Item cell, real x, real y)

    function has(object, name) { return object && typeof object[name] === "function" }

    function handleKey(key) {
        if (has(commands, "handleKeyName"))
            return commands.handleKeyName(key)
        return false
    }
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

    // The click on empty space: the first rule that applies wins.
    function backgroundClick() {
        if (!win)
            return
        if (has(commands, "handleBackgroundClick"))
            return commands.handleBackgroundClick()
        if (selection.draggingItem !== "")
            return
        if (selection.multiSelection.length > 0)
            return selection.clearMultiSelection()
        if (selection.arranging)
            return win.stopArranging()
        if (selection.selectedItem !== "" && has(commands, "clearSelection"))
            return commands.clearSelection()
        if (win.settings.clickToClose)
            win.dismissLibrary()
    }

    // A long press on a tile: arranging mode, and the click that ends the press is swallowed.
    function longPress() {
        if (!win || win.search.isSearching)
            return
        if (has(commands, "tileLongPressEnded"))
            return commands.tileLongPressEnded()
        selection.suppressNextTap = true
        selection.arranging = true
    }
    function editLayout() {
        longPress()
        if (selection)
            selection.suppressNextTap = false
    }

    function tileTapped(kind, itemId, modifiers) {
        if (!win)
            return
        if (has(commands, "tileTapped"))
            return commands.tileTapped(kind + ":" + itemId, modifiers)
        if (selection.suppressNextTap) {
            selection.suppressNextTap = false
            return
        }
        if (kind === "folder") {
            if (has(commands, "openFolder"))
                commands.openFolder(itemId)
            return
        }
        if (has(commands, "modifierClick") && commands.modifierClick(kind + ":" + itemId, modifiers))
            return
        if (selection.multiSelection.length > 0)
            return selection.clearMultiSelection()
        if (selection.arranging)
            return
        if (has(launchFlow, "openFromTile"))
            launchFlow.openFromTile(itemId)
    }
    function showTileMenu(itemKey, cell, x, y) {
        if (win && !win.search.isSearching)
            tileMenuRequested(itemKey, cell, x, y)
    }
    function requestUninstall(itemId) {
        if (has(commands, "requestUninstall"))
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

    function searchAppStore() { if (win) win.searchAppStore() }
}
