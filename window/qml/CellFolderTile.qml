import QtQuick

// A grid cell's folder tile, made when the cell shows a folder.
FolderTile {
    required property TileCell cell
    width: parent ? parent.width : 0
    folderId: cell.itemId
    name: cell.name
    previewIcons: cell.previewIcons
    size: cell.iconSize
    tileHeight: cell.cellHeight
    showsLabel: cell.folderLabels
    ink: cell.ink
    pressed: cell.pressed
    pressAnimates: Skin.fluid(cell.effects, cell.reduceMotion)
}
