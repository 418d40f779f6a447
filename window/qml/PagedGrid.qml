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
    // The page on screen: behind currentPage while a turn waits for a view to fill off screen.
    property int shownPage: 0
    readonly property bool turnWaits: shownPage !== currentPage
    property int leftPage: 0               // the page a turn leaves, fading out (else the page shown)
    property bool crossFades: true         // the page arriving fades in over the one leaving
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

    // A page not yet held by a view fills one off screen, a few tiles a frame, and slides in once
    // it is whole: a few frames later, where binding it at once would hold up one frame for all
    // its tiles.
    onCurrentPageChanged: {
        const from = shownPage
        const slides = !settlingSwipe && fluid && from !== currentPage
        if (!slides || !neighboursMade || slotReady(currentPage) || !fillOffScreen())
            showCurrent(from, slides)
    }
    Component.onCompleted: shownPage = currentPage
    function showCurrent(from: int, slides: bool) {
        turningPage = true
        bringCurrent(from, slides)
        shownPage = currentPage
        if (!slides) {
            slide = 0
            return
        }
        leftPage = from
        // A page bound in place has no page leaving to fade against: it only slides.
        crossFades = slotHolding(from) !== null
        slide = currentPage > from ? width : -width
        slideIn.restart()
    }
    // Gives the page asked for to a view off screen (rather one filling it already, else one
    // beside no page), unless only the shown view is there.
    function fillOffScreen(): bool {
        let chosen = null
        for (let i = 0; i < slots.count; ++i) {
            const candidate = slotAt(i)
            if (candidate.page === shownPage)
                continue
            if (candidate.page === currentPage) {
                chosen = candidate
                break
            }
            if (!chosen || besideCurrent(chosen.page))
                chosen = candidate
        }
        if (chosen)
            chosen.page = currentPage
        return chosen !== null
    }
    function slotReady(page: int): bool {
        const held = slotHolding(page)
        return held !== null && held.ready
    }
    // A view has all its tiles: the turn waiting for it slides, else the next neighbour fills.
    function viewReady() {
        if (turnWaits && slotReady(currentPage))
            showCurrent(shownPage, fluid)
        else
            fillNeighbours()
    }

    // The page views: the shown page and, once the window has had input, the pages on either side
    // of it, so that a swipe or turn finds its page bound and only moves views. A turn elsewhere
    // binds the page in place; the views beside it are given their pages once the pages rest.
    property bool neighboursMade: false
    readonly property bool wantsNeighbours: fluid && ViewHost.libraryShown && ViewHost.inputSeen
    readonly property bool moving: slide !== 0 || settlingSwipe || swipeOffset !== 0
    onWantsNeighboursChanged: if (wantsNeighbours) makeNeighbours()
    onMovingChanged: if (!moving) fillNeighbours()
    onShownPageCountChanged: ViewServices.callLater(fillNeighbours)

    function slotAt(index: int): PageSlot { return slots.itemAt(index) as PageSlot }
    function slotHolding(page: int): PageSlot {
        for (let i = 0; i < slots.count; ++i) {
            const held = slotAt(i)
            if (held && held.made && held.page === page)
                return held
        }
        return null
    }
    function besideCurrent(page: int): bool {
        return page >= 0 && Math.abs(page - currentPage) === 1
    }
    function makeNeighbours() {
        if (neighboursMade)
            return
        // The first view followed the shown page until now: from here on pages are given.
        for (let i = 0; i < slots.count; ++i)
            slotAt(i).page = slotAt(i).page
        neighboursMade = true
        fillNeighbours()
    }
    // The page arriving, in a view other than the one leaving when that stays on screen. A view
    // still filling in would make its missing tiles all in this frame: rather the view leaving
    // rebinds in place then, without the fade.
    function bringCurrent(from: int, keepLeaving: bool) {
        if (!neighboursMade)
            return
        const held = slotHolding(currentPage)
        if (held && held.ready)
            return
        let chosen = null
        for (let i = 0; i < slots.count; ++i) {
            const candidate = slotAt(i)
            if (!candidate.ready || (keepLeaving && candidate.page === from))
                continue
            // Rather one that holds no page beside the new one.
            if (!besideCurrent(candidate.page)) {
                chosen = candidate
                break
            }
            chosen = chosen ?? candidate
        }
        chosen = chosen ?? slotHolding(from) ?? held ?? slotAt(0)
        if (held && held !== chosen)
            held.page = -1
        chosen.page = currentPage
    }
    // The pages beside the shown one go to the views off screen, one view at a time (the next
    // once this one is ready); not while pages move.
    function fillNeighbours() {
        if (!neighboursMade || moving || turnWaits)
            return
        let wanted = -1
        for (const page of [currentPage + 1, currentPage - 1]) {
            if (wanted < 0 && page >= 0 && page < shownPageCount && !slotHolding(page))
                wanted = page
        }
        let spare = null
        for (let i = 0; i < slots.count; ++i) {
            const candidate = slotAt(i)
            if (candidate.current || candidate.shown)
                continue
            const beside = besideCurrent(candidate.page)
            if (beside && !candidate.ready)
                return
            if (!beside)
                spare = spare ?? candidate
        }
        if (spare && wanted >= 0)
            spare.page = wanted
    }
    // The neighbour a swipe pulls in, bound now if it is not yet.
    function bringNeighbour() {
        if (!showsNeighbour || !neighboursMade || slotHolding(neighbourPage))
            return
        for (let i = 0; i < slots.count; ++i) {
            const spare = slotAt(i)
            if (!spare.current && !spare.shown) {
                spare.page = neighbourPage
                return
            }
        }
    }

    function swipeChanged(translation) {
        if (!fluid || settlingSwipe || turnWaits)
            return
        swipeOffset = LibraryGridMath.trackedOffset(translation, currentPage, shownPageCount, width)
        bringNeighbour()
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
        // The page left is off screen once the slide is over.
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

        Repeater {
            id: slots
            model: 3
            PageSlot {
                id: slot
                required property int index
                readonly property bool neighbour: paged.showsNeighbour && page === paged.neighbourPage
                readonly property bool leaving: paged.slide !== 0 && page === paged.leftPage && !current
                page: index === 0 ? paged.currentPage : -1
                made: index === 0 || paged.neighboursMade
                current: page === paged.shownPage
                shown: current || neighbour || leaving
                awaited: paged.turnWaits && page === paged.currentPage
                anchors.top: parent.top
                x: (area.width - width) / 2 + (current ? paged.swipeOffset + paged.slide
                    : neighbour ? (page > paged.currentPage ? area.width : -area.width) + paged.swipeOffset
                    : leaving ? paged.slide + (paged.slide > 0 ? -area.width : area.width)
                    : -2 * area.width)
                opacity: !shown ? 0
                         : area.width <= 0 || neighbour ? 1
                         : current ? (paged.crossFades ? 1 - Math.abs(paged.slide) / area.width : 1)
                         : Math.abs(paged.slide) / area.width
                sourceModel: paged.model
                capacity: paged.capacity
                metrics: paged.metrics
                cell: paged.cell
                animated: current && Skin.animates(paged.effects, paged.reduceMotion) && !paged.turningPage
                tilesHover: current && paged.slide === 0 && paged.swipeOffset === 0
                onReadyChanged: if (ready) paged.viewReady()
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
