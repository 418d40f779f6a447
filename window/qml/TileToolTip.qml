import QtQuick

// An application tile's tool tip (its full name), made on the tile's first hover.
LazyToolTip {
    required property ApplicationTile tile
    shown: tile.hovered
    text: tile.tooltipText
}
