import QtQuick
import Orbitdeck.Arranging

// Everything arranging draws over the library: the open folder's panel, the page-edge strips
// while a tile is dragged, and the dragged tile's proxy on top.
Item {
    id: arranging
    // The launcher window (Main), for the state and the look.
    property var main: null
    property QtObject actions
    // The library view, for the grid's metrics.
    property Item library: null
    readonly property var metrics: library ? library.metrics : null
    readonly property QtObject win: main ? main.win : null
    readonly property string skin: main ? main.skin : "night"
    readonly property string effects: main ? main.effects : "fluid"
    readonly property bool reduceMotion: main ? main.reduceMotion : false
    // The strips span the grid's height, between the top bar and the page bar.
    property real gridTop: 96
    property real gridBottomMargin: 52
    readonly property bool pagesShown: win !== null && win.settings.browsing !== "scroll"
                                       && !win.search.isSearching && win.pageCount >= 2

    // The grid as laid out: the page capacity that page turns and page drops count with.
    Binding {
        target: arranging.win ? arranging.win.paging : null
        property: "navColumns"
        value: arranging.metrics ? arranging.metrics.columns : 7
        when: arranging.metrics !== null && arranging.win !== null
    }
    Binding {
        target: arranging.win ? arranging.win.paging : null
        property: "navCapacity"
        value: arranging.metrics ? Math.max(arranging.metrics.columns * arranging.metrics.rows, 8) : 35
        when: arranging.metrics !== null && arranging.win !== null
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
            trailing: modelData
            accent: Skin.accent(arranging.skin)
            x: trailing ? arranging.width - width : 0
            y: arranging.gridTop
            height: arranging.height - arranging.gridTop - arranging.gridBottomMargin
        }
    }
    DragProxy {}

    Component.onCompleted: LiveDrag.attach(Window.window)
}
