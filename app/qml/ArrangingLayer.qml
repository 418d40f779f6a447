pragma ComponentBehavior: Bound
import QtQuick
import Orbitdeck.State
import Orbitdeck.Views
import Orbitdeck.Arranging

// Everything arranging draws over the library: the open folder's panel, the page-edge strips
// while a tile is dragged, and the dragged tile's proxy on top. Loaded by name by the overlays
// it binds to, once the library is on screen.
Item {
    id: arranging
    required property WindowOverlays overlays
    // The window state and the look.
    readonly property AmbergridWindow win: overlays.win
    readonly property string skin: overlays.skin
    readonly property int effects: overlays.effects
    readonly property bool reduceMotion: overlays.reduceMotion
    readonly property TextLookup texts: overlays.texts    // the interface language
    readonly property Actions actions: overlays.actions
    // The library view: the strips cover its grid's pages, above the page bar; its page dots
    // take dropped tiles.
    readonly property LibraryRoot library: overlays.library
    // A tile menu or an alert is up: it takes the keys.
    readonly property bool overlayOpen: tileMenus.menuOpen || alerts.open
    readonly property real pageBarHeight: 52
    readonly property bool pagesShown: win !== null && win.settings.browsing !== Setting.LibraryBrowsing.scroll
                                       && !win.search.isSearching && win.pageCount >= 2

    // The page dots take dropped tiles.
    Binding {
        target: arranging.library
        property: "takesPageDrops"
        value: true
        when: arranging.library !== null
    }

    // The overlays learn of an open menu or alert and of the open folder's backdrop.
    Binding {
        target: arranging.overlays
        property: "arrangingOpen"
        value: arranging.overlayOpen
    }
    // Made from its file when a folder first opens, and kept: it shrinks away after a close. A
    // panel named here would be read with this layer, its tiles and title field with it. It
    // gives the overlays its backdrop itself.
    property Item folderPanel: null
    readonly property bool folderOpen: win !== null && win.selection.openFolder !== ""
    onFolderOpenChanged: {
        if (folderOpen && !folderPanel)
            folderPanel = Qt.createComponent("FolderPanel.qml").createObject(arranging, { host: arranging })
    }
    Repeater {
        model: arranging.pagesShown && LiveDrag.dragging ? [false, true] : []
        PageEdgeStrip {
            required property bool modelData
            // The grid does not move while a tile is dragged: placed once, when the drag starts.
            readonly property rect pages: {
                const grid = arranging.library ? arranging.library.grid : null
                if (!grid)
                    return Qt.rect(0, 0, arranging.width, arranging.height)
                const origin = grid.mapToItem(arranging, 0, 0)
                return Qt.rect(origin.x, origin.y, grid.width, grid.height - arranging.pageBarHeight)
            }
            trailing: modelData
            accent: Skin.accent(arranging.skin)
            x: trailing ? pages.x + pages.width - width : pages.x
            y: pages.y
            height: Math.max(pages.height, 0)
        }
    }
    DragProxy {}

    // The tile menu and the alerts, each made when first needed.
    TileMenuHost {
        id: tileMenus
        anchors.fill: parent
        commands: arranging.commands
    }
    readonly property CommandLayer commands: actions ? actions.commands : null
    readonly property UninstallFlow uninstall: commands ? commands.uninstalling : null
    AlertsLayer {
        id: alerts
        anchors.fill: parent
        // Over the open folder too: its tiles ask to go to the Trash.
        z: 20
        uninstallCandidate: arranging.uninstall ? arranging.uninstall.candidate : ""
        confirmation: () => arranging.uninstall.confirmation()
        errorTitle: arranging.win ? arranging.win.lifecycle.errorTitle : ""
        uninstallError: arranging.win ? arranging.win.lifecycle.uninstallError : ""
        failedApp: arranging.win ? arranging.win.lifecycle.failedApp : ""
        onUninstallAnswered: button => arranging.uninstall.choose(button)
        onErrorDismissed: arranging.win.lifecycle.uninstallError = ""
        onFailedOpenDismissed: arranging.win.lifecycle.failedApp = ""
        texts: arranging.texts
        skin: arranging.skin
        onClosed: if (arranging.library) arranging.library.search.focusField()
    }
    Connections {
        target: arranging.actions
        function onTileMenuRequested(tile, cell, x, y, inFolder) {
            tileMenus.popup(tile, cell, x, y, inFolder)
        }
    }
    // A drop on a page dot places the tile the proxy carries first on that page.
    Connections {
        target: arranging.library
        function onTileDropped(page: int, drop: DragEvent) {
            const proxy = drop.source as DragProxy
            if (LiveDrag.dropOnPageDot(page, proxy ? proxy.payload : ""))
                drop.accept(Qt.MoveAction)
        }
    }

    Component.onCompleted: {
        LiveDrag.attach(Window.window)
        folderOpenChanged()
    }
}
