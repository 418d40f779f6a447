import QtQuick
import QtQuick.Controls

// Scroll mode: every visible item in one vertically scrolling grid.
PageView {
    id: scroller
    objectName: "library-scroll-grid"
    interactive: true
    flickableDirection: Flickable.VerticalFlick
    bottomMargin: 24
    clip: true
    ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }
}
