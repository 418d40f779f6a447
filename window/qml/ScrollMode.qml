import QtQuick

// Scroll mode: the one scrolling grid, centred in the library view that loaded it.
Item {
    id: mode
    property LibraryRoot library: null

    ScrollGrid {
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        anchors.horizontalCenter: parent.horizontalCenter
        model: mode.library ? mode.library.tiles : null
        metrics: mode.library ? mode.library.metrics : ({ columns: 7, rows: 5, width: 0, cellWidth: 100, cellHeight: 96, iconSize: 62 })
        cell: mode.library ? mode.library.cell : null
        animated: mode.library ? Skin.animates(mode.library.effects, mode.library.reduceMotion) : false
    }
}
