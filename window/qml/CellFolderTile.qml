import QtQuick
import Orbitdeck.Views

// A grid cell's folder tile, made when the cell shows a folder.
FolderTile {
    required property TileCell cell
    width: parent ? parent.width : 0
    folderId: cell.itemId
    name: cell.name
    previewIcons: cell.previewIcons
    size: cell.iconSize
    tileHeight: cell.cellHeight
    showsLabel: TileLooks.folderLabels
    ink: TileLooks.ink
    pressed: cell.pressed
    pressAnimates: Skin.fluid(TileLooks.effects, TileLooks.reduceMotion)
}
