pragma ComponentBehavior: Bound
import QtQuick
import Orbitdeck.State
import Orbitdeck.Views

// One page view of the paged grid, in a holder the pages' motion moves: a grid view moved itself
// lays out again at every step, and that asks for one more frame each time. The view is made
// when `made`; a page given to it while hidden arrives a few milliseconds' worth of tiles a
// frame, each tile made as it comes so that the step's time counts it. Hidden means transparent
// and out of the page area, not invisible: the names of invisible tiles are drawn only once they
// show, in the frame that shows them.
Item {
    id: slot
    property int page: -1                  // the page held, -1 for none
    property bool made: false
    property bool current: false           // the page shown, taking input
    property bool shown: false             // on screen: the current page, a neighbour or leaving
    // A turn waits for its page: it fills faster. The frame after a step lays out and draws the
    // tiles the step bound, about as long again as the step.
    property bool awaited: false
    property TileListModel sourceModel
    property int capacity: 0
    property gridMetrics metrics
    property Component cell
    property bool animated: false
    property bool tilesHover: false
    // Holds every tile of its page: shows it without making or rebinding any.
    readonly property bool ready: made && page >= 0 && slice.settled

    readonly property PageView view: loader.item as PageView
    width: view ? view.width : 0
    height: view ? view.height : 0

    // Before the view: a view made with its rows fills in without an add animation.
    PageSliceModel {
        id: slice
        sourceModel: slot.sourceModel
        first: Math.max(slot.page, 0) * slot.capacity
        count: slot.made && slot.page >= 0 ? slot.capacity : 0
        stepBudget: slot.shown ? 0 : slot.awaited ? 5 : 2
        onRowAdded: if (slot.view) slot.view.forceLayout()
        onRowBound: row => { if (slot.view) ViewServices.polishNow(slot.view.itemAtIndex(row)) }
    }
    Loader {
        id: loader
        active: slot.made
        source: "PageView.qml"
        onLoaded: {
            const view = item as PageView
            view.objectName = Qt.binding(() => slot.current ? "library-page-grid" : "library-neighbour-page")
            view.metrics = Qt.binding(() => slot.metrics)
            view.cell = Qt.binding(() => slot.cell)
            view.animated = Qt.binding(() => slot.animated)
            view.tilesInteractive = Qt.binding(() => slot.current)
            view.tilesHover = Qt.binding(() => slot.tilesHover)
            view.Accessible.ignored = Qt.binding(() => !slot.current)
            view.model = slice
        }
    }
}
