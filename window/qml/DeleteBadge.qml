import QtQuick
import Orbitdeck.Views

// The small black circle with a cross on a tile's icon corner while arranging.
Item {
    id: badge
    property string appId
    property string tooltip: "Move to Trash"
    property string label

    signal clicked()

    objectName: "application-delete-" + appId
    width: 20
    height: 20
    z: 2
    scale: visible ? 1 : 0.00001
    Accessible.name: label
    Accessible.role: Accessible.Button

    HoverHandler { id: hover }
    LazyToolTip { shown: hover.hovered; text: badge.tooltip }
    // Its shadow, disc, ring and cross as one picture shared by every badge: the software
    // renderer draws a jiggling badge's rounded rectangles resampled and antialiased, over Qt's
    // fill threads, two for each tile in every frame.
    Image {
        x: -1
        width: 22
        height: 22
        // Drawn only once the badge shows: every tile has one.
        source: badge.visible ? "image://drawing/badges/delete" : ""
        sourceSize: LibraryGridMath.pixelSize(width, height)
        smooth: true
        cache: true
    }
    TapHandler { gesturePolicy: TapHandler.ReleaseWithinBounds; onTapped: badge.clicked() }
}
