pragma ComponentBehavior: Bound
import QtQuick
import Orbitdeck.State
import Orbitdeck.Views

// Under the paged grid: previous chevron, at most seven dots around the current page, next
// chevron, and an invisible status text for accessibility and automation.
Row {
    id: bar
    property int current: 0
    property int count: 1
    property string skin: "night"
    property bool reduceMotion: false
    property int effects: Setting.LibraryEffects.fluid
    property string pageLabelFormat: "Page %1"   // localised "Page %lld"
    // Takes tiles dropped on the dots (PageDot.takesDrops); none without arranging.
    property bool takesDrops: false
    readonly property color mark: Skin.ink(skin)
    readonly property int firstDot: LibraryGridMath.firstDot(current, count)
    readonly property int endDot: LibraryGridMath.endDot(current, count)

    signal pageRequested(int page)
    // A tile dropped on a page's dot (see PageDot.tileDropped).
    signal tileDropped(int page, DragEvent drop)

    spacing: 10
    height: 52
    leftPadding: 6
    rightPadding: 6
    opacity: 0.6

    Chevron {
        objectName: "library-page-previous"
        anchors.verticalCenter: parent.verticalCenter
        symbol: "chevron.left"
        label: "Previous page"
        color: bar.mark
        enabled: bar.current - 1 >= 0 && bar.current - 1 < bar.count
        onClicked: bar.pageRequested(bar.current - 1)
    }
    Row {
        anchors.verticalCenter: parent.verticalCenter
        // As many dots as can show, those past the range hidden: a model following the range
        // would make every dot anew at each page turn.
        Repeater {
            model: Math.min(bar.count, 7)
            PageDot {
                required property int index
                visible: index < bar.endDot - bar.firstDot
                page: bar.firstDot + index
                current: page === bar.current
                color: bar.mark
                animated: Skin.animates(bar.effects, bar.reduceMotion)
                label: bar.pageLabelFormat.arg(page + 1)
                takesDrops: bar.takesDrops
                onClicked: bar.pageRequested(page)
                onTileDropped: drop => bar.tileDropped(page, drop)
            }
        }
    }
    Chevron {
        objectName: "library-page-next"
        anchors.verticalCenter: parent.verticalCenter
        symbol: "chevron.right"
        label: "Next page"
        color: bar.mark
        enabled: bar.current + 1 >= 0 && bar.current + 1 < bar.count
        onClicked: bar.pageRequested(bar.current + 1)
    }
    Text {
        objectName: "library-page-status"
        width: 1
        height: 1
        opacity: 0
        font.pixelSize: 11
        text: (bar.current + 1) + " / " + bar.count
        Accessible.name: text
    }
}
