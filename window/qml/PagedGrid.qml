pragma ComponentBehavior: Bound
import QtQuick
import Orbitdeck.State
import Orbitdeck.Views

// Pages mode: the current page (and its neighbour while a swipe is under way) over the page
// bar. Swipes track the finger with fluid motion and settle with a spring; page changes slide
// in from the side they come from, only with fluid motion.
Item {
    id: paged
    property TileListModel model           // every visible item of the library
    property int itemCount: 0
    property int page: 0                   // the page asked for
    property gridMetrics metrics
    property Component cell
    property string skin: "night"
    property int effects: Setting.LibraryEffects.fluid
    property bool reduceMotion: false
    property bool searching: false
    property string pageLabelFormat: "Page %1"
    property bool takesPageDrops: false    // drops on the page dots (PageDot.takesDrops)

    readonly property int capacity: metrics.capacity
    readonly property int shownPageCount: LibraryGridMath.shownPageCount(itemCount, capacity)
    readonly property int currentPage: LibraryGridMath.currentPage(page, shownPageCount)
    readonly property bool fluid: Skin.fluid(effects, reduceMotion)
    property real swipeOffset: 0
    property bool settlingSwipe: false
    property real slide: 0                 // offset of a page change's slide, 0 at rest
    property int previousPage: 0
    property int leftPage: 0               // the page a turn leaves, fading out (else the page shown)
    readonly property int neighbourPage: swipeOffset < 0 ? currentPage + 1 : currentPage - 1
    readonly property bool showsNeighbour: swipeOffset !== 0 && neighbourPage >= 0
                                           && neighbourPage < shownPageCount

    // Asks for a page change that animates (through the state's page turn).
    signal pageRequested(int target, int current, int count)
    // A finished swipe has settled on this page: set it without a second animation.
    signal pageSettled(int target)
    // A tile dropped on a page's dot.
    signal tileDropped(int page, DragEvent drop)

    clip: true

    // A page beyond the last one after the capacity changed is pulled back. Not before the
    // tiles arrive: the window is laid out before the library loads, and the remembered page
    // would be pulled back to the only page an empty grid has. After the change, not during
    // it: the capacity may change while the current page is being worked out.
    onCapacityChanged: ViewServices.callLater(pullBack)
    function pullBack() {
        if (itemCount > 0 && page !== currentPage)
            pageSettled(currentPage)
    }

    // A page turn replaces the tiles of the current grid: they come with the page, not each with
    // its own add or move animation (35 of them in the turn's first frames). Until the frame that
    // laid them out has been drawn.
    property bool turningPage: false
    Connections {
        target: paged.turningPage ? paged.Window.window : null
        function onFrameSwapped() { paged.turningPage = false }
    }

    onCurrentPageChanged: {
        turningPage = true
        const from = previousPage
        previousPage = currentPage
        if (settlingSwipe || !fluid || from === currentPage) {
            slide = 0
            return
        }
        leftPage = from
        slide = currentPage > from ? width : -width
        slideIn.restart()
    }

    function swipeChanged(translation) {
        if (!fluid || settlingSwipe)
            return
        swipeOffset = LibraryGridMath.trackedOffset(translation, currentPage, shownPageCount, width)
    }

    function swipeEnded(translation, velocity) {
        if (settlingSwipe)
            return
        const target = LibraryGridMath.swipeTarget(translation, velocity, currentPage,
                                                   shownPageCount, width)
        if (!fluid || swipeOffset === 0) {
            swipeOffset = 0
            paged.pageRequested(target, currentPage, shownPageCount)
            return
        }
        settlingSwipe = true
        settle.to = target === currentPage ? 0 : (target > currentPage ? -width : width)
        settle.destination = target
        settle.restart()
    }

    SpringMotion {
        id: settle
        property int destination
        target: paged
        property: "swipeOffset"
        response: 0.36
        dampingFraction: 0.92
        onFinished: {
            paged.pageSettled(destination)
            paged.swipeOffset = 0
            paged.settlingSwipe = false
        }
    }
    SpringMotion {
        id: slideIn
        target: paged
        property: "slide"
        to: 0
        response: 0.42
        dampingFraction: 0.9
        // The spare view takes the shown page once the slide is over: the next turn leaves it,
        // and finds it there.
        onFinished: paged.leftPage = paged.currentPage
    }

    // Where a swipe turns the pages.
    readonly property Item pageArea: area

    Item {
        id: area
        objectName: "library-page-area"
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: bar.top
        clip: true

        // The page beside the shown one: the neighbour a swipe pulls in, or the page a turn leaves,
        // fading out. One view serves both, as they never show together; it is made once the
        // library is on screen, so swipes and turns only rebind its tiles, never make them.
        readonly property bool spareShown: paged.showsNeighbour || paged.slide !== 0
        PageSliceModel {
            id: spare
            sourceModel: paged.model
            first: (paged.showsNeighbour ? paged.neighbourPage : paged.leftPage) * paged.capacity
            count: spareView.active ? paged.capacity : 0
        }
        Loader {
            id: spareView
            anchors.top: parent.top
            x: (area.width - width) / 2 + (paged.showsNeighbour
                ? (paged.neighbourPage > paged.currentPage ? area.width : -area.width) + paged.swipeOffset
                : paged.slide + (paged.slide > 0 ? -area.width : area.width))
            active: ViewHost.libraryShown || area.spareShown || item !== null
            visible: area.spareShown
            opacity: paged.showsNeighbour || area.width <= 0 ? 1 : Math.abs(paged.slide) / area.width
            source: "PageView.qml"
            onLoaded: {
                const view = item as PageView
                view.objectName = "library-neighbour-page"
                view.metrics = Qt.binding(() => paged.metrics)
                view.cell = Qt.binding(() => paged.cell)
                view.tilesInteractive = false
                view.animated = false
                view.Accessible.ignored = true
                view.model = spare
            }
        }
        // Moved through a holder: a grid view moved itself lays out again at every step, and that
        // asks for one more frame each time.
        Item {
            anchors.top: parent.top
            x: (area.width - width) / 2 + paged.swipeOffset + paged.slide
            width: currentView.width
            height: currentView.height
            opacity: area.width > 0 ? 1 - Math.abs(paged.slide) / area.width : 1

            PageView {
                id: currentView
                objectName: "library-page-grid"
                metrics: paged.metrics
                cell: paged.cell
                animated: Skin.animates(paged.effects, paged.reduceMotion) && !paged.turningPage
                tilesHover: paged.slide === 0 && paged.swipeOffset === 0
                model: PageSliceModel {
                    sourceModel: paged.model
                    first: paged.currentPage * paged.capacity
                    count: paged.capacity
                }
            }
        }
    }

    PageBar {
        id: bar
        anchors.bottom: parent.bottom
        anchors.horizontalCenter: parent.horizontalCenter
        current: paged.currentPage
        count: paged.shownPageCount
        skin: paged.skin
        effects: paged.effects
        reduceMotion: paged.reduceMotion
        pageLabelFormat: paged.pageLabelFormat
        takesDrops: paged.takesPageDrops
        onPageRequested: target => paged.pageRequested(target, currentPage, shownPageCount)
        onTileDropped: (page, drop) => paged.tileDropped(page, drop)
    }
}
