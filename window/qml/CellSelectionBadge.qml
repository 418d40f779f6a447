import QtQuick
import Orbitdeck.Views

// A grid cell's check mark, made at the cell's first multi-selection and then kept for its fade.
SelectionBadge {
    required property TileCell cell
    // Shown only once made, so it grows in.
    property bool made: false
    anchors.top: parent.top
    anchors.right: parent.right
    anchors.margins: 6
    shown: made && cell.full && cell.multiSelected
    accent: TileLooks.accent
    Component.onCompleted: made = true
}
