import QtQuick
import Orbitdeck.State
import Orbitdeck.Arranging

// Everything arranging draws over the library: the open folder's panel, the page-edge strips
// while a tile is dragged, and the dragged tile's proxy on top.
Item {
    id: arranging
    // The launcher window (Main), for the state and the look.
    property var main: null
    property QtObject actions
    // The library view: the strips cover its grid's pages, above the page bar; its page dots
    // take dropped tiles.
    property Item library: null
    readonly property QtObject win: main ? main.win : null
    readonly property string skin: main ? main.skin : "night"
    readonly property int effects: main ? main.effects : Setting.LibraryEffects.fluid
    readonly property bool reduceMotion: main ? main.reduceMotion : false
    readonly property real pageBarHeight: 52
    readonly property bool pagesShown: win !== null && win.settings.browsing !== Setting.LibraryBrowsing.scroll
                                       && !win.search.isSearching && win.pageCount >= 2

    // The page dots take dropped tiles.
    Binding {
        target: arranging.library
        property: "pageDropTarget"
        value: LiveDrag
        when: arranging.library !== null
    }

    FolderPanel {
        anchors.fill: parent
        win: arranging.win
        actions: arranging.actions
        skin: arranging.skin
        effects: arranging.effects
        reduceMotion: arranging.reduceMotion
        gridColumns: arranging.win ? arranging.win.paging.navColumns : 7
        iconSize: arranging.win ? arranging.win.settings.effectiveIconSize : 62
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
        win: arranging.win
    }
    AlertsLayer {
        id: alerts
        anchors.fill: parent
        win: arranging.win
        tr: arranging.main ? arranging.main.tr : (key => key)
        skin: arranging.skin
        onClosed: if (arranging.library) arranging.library.search.focusField()
    }
    Connections {
        target: arranging.actions
        function onTileMenuRequested(itemKey, cell, x, y, inFolder) {
            tileMenus.popup(itemKey, cell, x, y, inFolder)
        }
    }
    Binding {
        target: arranging.main
        property: "arrangingOverlayOpen"
        value: tileMenus.menuOpen || alerts.open
        when: arranging.main !== null
    }

    Component.onCompleted: LiveDrag.attach(Window.window)
}
