import QtQuick

// An application tile's delete badge, made while the grid is arranged.
DeleteBadge {
    required property ApplicationTile tile
    x: tile.width / 2 - tile.size / 2 - width / 2
    y: Math.max((tile.tileHeight - tile.size - (tile.showsLabel ? 16 : 0)) / 2, 0) - 6
    appId: tile.appId
    tooltip: tile.deleteTooltip
    label: tile.deleteLabel
    onClicked: tile.deleteClicked()
}
