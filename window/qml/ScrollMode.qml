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
        // Without a library the grid keeps its standard metrics.
        Binding on metrics { when: mode.library !== null; value: mode.library.metrics }
        cell: mode.library ? mode.library.cell : null
        animated: mode.library ? Skin.animates(mode.library.effects, mode.library.reduceMotion) : false
    }
}
