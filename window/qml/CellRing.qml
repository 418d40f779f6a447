import QtQuick
import Orbitdeck.Views

// A grid cell's drop ring, made the first time the cell shows one.
DropRing {
    required property TileCell cell
    anchors.fill: parent
    visible: cell.full && (cell.dropTarget || cell.folderSelected)
    strong: cell.dropTarget
    accent: TileLooks.accent
}
