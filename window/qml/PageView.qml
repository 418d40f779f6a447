pragma ComponentBehavior: Bound
import QtQuick
import Orbitdeck.Views

// The grid of one list of items: `columns` columns, 18 points between columns and 14 between
// rows. A list change moves, inserts and removes tiles with an animation.
GridView {
    id: grid
    property gridMetrics metrics
    property bool tilesInteractive: true
    // Off while the page moves: tiles sliding under a resting pointer do not light up in turn.
    property bool tilesHover: true
    property Component cell
    property bool animated: true

    width: metrics.width + 18
    height: metrics.rows * (metrics.cellHeight + 14)
    cellWidth: metrics.cellWidth + 18
    cellHeight: metrics.cellHeight + 14
    interactive: false
    boundsBehavior: Flickable.StopAtBounds
    reuseItems: false
    delegate: cell

    // Layout changes spring into place. A tile moved or displaced while its add transition runs loses that transition: these
    // bring its opacity home, or it would stay invisible.
    move: Transition {
        enabled: grid.animated
        SpringMotion { properties: "x,y"; response: 0.34; dampingFraction: 0.84 }
        NumberAnimation { property: "opacity"; to: 1; duration: 180 }
    }
    displaced: Transition {
        enabled: grid.animated
        SpringMotion { properties: "x,y"; response: 0.34; dampingFraction: 0.84 }
        NumberAnimation { property: "opacity"; to: 1; duration: 180 }
    }
    add: Transition {
        enabled: grid.animated
        NumberAnimation { property: "opacity"; from: 0; to: 1; duration: 180 }
    }
}
