import QtQuick
import Orbitdeck.State
import Orbitdeck.Views

// The visible frame of the launcher: backdrop, top bar, the loading, empty or grid state,
// the background menu and the toast.
Item {
    id: root
    property string skin: "night"            // resolved
    property int effects: Setting.LibraryEffects.fluid
    property bool reduceMotion: false
    property bool fullScreen: false
    property int appIcon: Setting.AppIconStyle.midnight     // the chosen app icon style
    property bool loaded: false
    property TileListModel tiles             // every visible item
    property int itemCount: 0
    property int page: 0
    property string query: ""
    property bool searching: false
    // A software centre to search is installed.
    property bool canSearchAppStore: false
    property bool arranging: false
    property bool folderOpen: false
    property string toastText: ""
    property url wallpaper: ""
    property real wallpaperBlur: 12
    property bool scrolling: false
    property int customColumns: 0
    property int customRows: 0
    property real baseIconSize: 62
    property int sort: Setting.SortOrder.manual
    property bool labels: true
    // The zoom of the library as drawn.
    property real shownLibraryScale: 1
    // Moves the zoom to scale at once, eased in (the dismiss) or on a spring (the open).
    function moveLibraryScale(scale: real, motion: int) {
        scaleMotion.stop()
        if (motion === WindowLifecycle.ScaleMotion.none) {
            shownLibraryScale = scale
            return
        }
        scaleMotion.scaleFrom = shownLibraryScale
        scaleMotion.scaleTo = scale
        scaleMotion.spring = motion === WindowLifecycle.ScaleMotion.spring
        scaleMotion.restart()
    }
    // Folder open (1) or closed (0), eased over 0.28 s; the grid's blur, shrink and fading
    // follow it.
    property real folderAmount: folderOpen ? 1 : 0
    Behavior on folderAmount {
        NumberAnimation { duration: 280; easing.type: Easing.BezierSpline; easing.bezierCurve: [0, 0, 0.58, 1, 1, 1] }
    }
    property Component cell
    property bool takesPageDrops: false     // drops on the page dots, set by the arranging layer
    property TextLookup texts: null        // the interface language
    function tr(key: string): string { return texts ? texts.t(key) : key }
    readonly property alias search: topBar.search
    readonly property alias grid: gridArea
    readonly property bool menuOpen: backgroundLayer.menuOpen
    readonly property gridMetrics metrics: LibraryGridMath.metrics(gridArea.width, gridArea.height,
                                                           customColumns, customRows,
                                                           baseIconSize, scrolling)
    // The tiles of every grid view take their size from there.
    Binding { target: TileLooks; property: "metrics"; value: root.metrics }

    // The paged grid's page area; none while scrolling or searching.
    readonly property PagedGrid shownGrid: pagedLoader.item as PagedGrid
    readonly property Item pageArea: shownGrid ? shownGrid.pageArea : null
    function swipeMoved(travel: real) {
        if (shownGrid)
            shownGrid.swipeChanged(travel)
    }
    function swipeEnded(travel: real, velocity: real) {
        if (shownGrid)
            shownGrid.swipeEnded(travel, velocity)
    }
    // The blur behind an open folder, compiled on its first use: the graphical effects' module
    // costs the start of the window otherwise.
    property Component folderBlur: null
    onFolderOpenChanged: if (folderOpen && !folderBlur) folderBlur = Qt.createComponent("FolderBlur.qml")

    // The dismiss eases in over 0.16 s; the open settles as a spring of response 0.38 s and
    // damping fraction 0.9, followed along its own curve.
    NumberAnimation {
        id: scaleMotion
        property real scaleFrom: 1
        property real scaleTo: 1
        property bool spring: false
        property real progress: 0
        target: scaleMotion
        property: "progress"
        from: 0
        to: 1
        duration: spring ? 600 : 160
        easing.type: spring ? Easing.Linear : Easing.BezierSpline
        easing.bezierCurve: [0.42, 0, 1, 1, 1, 1]
        onProgressChanged: {
            const t = progress * duration / 1000
            // The spring's tail is cut at the end: the zoom rests exactly on its target.
            const eased = spring && progress < 1 ? LibraryGridMath.springProgress(t, 0.38, 0.9)
                                                 : progress
            root.shownLibraryScale = scaleFrom + (scaleTo - scaleFrom) * eased
        }
    }

    signal queryEdited(string text)
    signal submitted()
    signal doneClicked()
    signal settingsClicked()
    signal fullScreenClicked()
    signal backgroundClicked()
    signal editLayoutChosen()
    signal sortChosen(int sort)
    signal labelsToggled(bool on)
    signal refreshChosen()
    signal restartChosen()
    signal closeChosen()
    signal pageRequested(int target, int current, int count)
    signal pageSettled(int target)
    signal appStoreRequested()
    signal gridLaidOut(int columns, int capacity)
    // A tile dropped on a page's dot, while takesPageDrops.
    signal tileDropped(int page, DragEvent drop)

    onMetricsChanged: if (metrics.capacity > 0) gridLaidOut(metrics.columns, metrics.capacity)

    LibraryBackdrop {
        anchors.fill: parent
        skin: root.skin
        wallpaper: root.wallpaper
        wallpaperBlur: root.wallpaperBlur
    }

    Column {
        id: content
        anchors.fill: parent
        anchors.margins: root.fullScreen ? 20 : 0

        Item {
            id: header
            width: parent.width
            height: topBar.implicitHeight + (root.fullScreen ? 44 + 30 : 16 + 12)
            MouseArea {
                anchors.fill: parent
                onClicked: root.backgroundClicked()
            }
            TopBar {
                id: topBar
                anchors.fill: parent
                anchors.leftMargin: 22
                anchors.rightMargin: 22
                anchors.topMargin: root.fullScreen ? 44 : 16
                anchors.bottomMargin: root.fullScreen ? 30 : 12
                skin: root.skin
                fullScreen: root.fullScreen
                appIcon: root.appIcon
                arranging: root.arranging
                reduceMotion: root.reduceMotion
                query: root.query
                texts: root.texts
                onQueryEdited: text => root.queryEdited(text)
                onSubmitted: root.submitted()
                onDoneClicked: root.doneClicked()
                onSettingsClicked: root.settingsClicked()
                onFullScreenClicked: root.fullScreenClicked()
            }
        }

        Item {
            id: mainArea
            width: parent.width
            height: parent.height - header.height

            // Made only while the library loads. Its scan has usually ended before the views
            // are made, and its result waits in the event loop ahead of the call below:
            // a spinner made regardless would hold the first frame back for nothing.
            Loader {
                id: loadingState
                anchors.fill: parent
                property bool asked: false
                active: asked && !root.loaded
                source: "LoadingState.qml"
                Component.onCompleted: ViewServices.callLater(() => { loadingState.asked = true })
                onLoaded: {
                    const state = item as LoadingState
                    state.label = Qt.binding(() => root.tr("Finding applications"))
                    state.skin = Qt.binding(() => root.skin)
                }
            }
            // Made only when there is nothing to show.
            Loader {
                anchors.fill: parent
                active: root.loaded && root.itemCount === 0
                source: "EmptyState.qml"
                onLoaded: {
                    const empty = item as EmptyState
                    empty.objectName = "library-empty"
                    empty.title = Qt.binding(() => root.tr("No applications found"))
                    empty.description = Qt.binding(() => root.searching ? "\u201C" + root.query + "\u201D" : "")
                    empty.showsAction = Qt.binding(() => root.searching && root.canSearchAppStore)
                    empty.actionTitle = Qt.binding(() => root.tr("Search the App Store"))
                    empty.skin = Qt.binding(() => root.skin)
                    empty.actionClicked.connect(root.appStoreRequested)
                }
            }
            Item {
                id: gridArea
                objectName: "library-grid"
                anchors.fill: parent
                visible: root.loaded && root.itemCount > 0
                // Read by the blur: its share of the full radius.
                readonly property real blurAmount: root.folderAmount
                scale: root.shownLibraryScale * (Skin.fluid(root.effects, root.reduceMotion) ? 1 - 0.04 * root.folderAmount : 1)
                opacity: 1 - 0.45 * root.folderAmount
                layer.enabled: root.folderAmount > 0 && Skin.animates(root.effects, root.reduceMotion)
                layer.effect: root.folderBlur

                BackgroundLayer {
                    id: backgroundLayer
                    anchors.fill: parent
                    arranging: root.arranging
                    searching: root.searching
                    fullScreen: root.fullScreen
                    sort: root.sort
                    labels: root.labels
                    texts: root.texts
                    onTapped: root.backgroundClicked()
                    onDone: root.doneClicked()
                    onEditLayout: root.editLayoutChosen()
                    onSortChosen: sort => root.sortChosen(sort)
                    onLabelsToggled: on => root.labelsToggled(on)
                    onFullScreenToggled: root.fullScreenClicked()
                    onSettingsChosen: root.settingsClicked()
                    onRefreshChosen: root.refreshChosen()
                    onRestartChosen: root.restartChosen()
                    onCloseChosen: root.closeChosen()
                }
                Loader {
                    id: pagedLoader
                    anchors.fill: parent
                    active: !root.scrolling
                    Component.onCompleted: setSource("PagedMode.qml", {library: root})
                }
                // Scroll mode comes with the controls' scroll bar: loaded only when chosen.
                Loader {
                    anchors.fill: parent
                    active: root.scrolling
                    source: "ScrollMode.qml"
                    onLoaded: item.library = root
                }
            }
        }
    }

    // Made with the first message; it slides in from there.
    Loader {
        anchors.fill: parent
        active: root.toastText !== "" || item !== null
        source: "Toast.qml"
        onLoaded: {
            const toast = item as Toast
            toast.skin = Qt.binding(() => root.skin)
            toast.text = Qt.binding(() => root.toastText)
        }
    }
}
