import QtQuick
import Orbitdeck.State
import Orbitdeck.Views

// The one launcher window. Binds the views to the window state `win` and forwards input to it.
Window {
    id: window
    property QtObject win: null
    property QtObject launchFlow: null       // launching and page turns
    property QtObject lang: null              // the interface language (t, revision)
    property url wallpaperSource: wallpaper.source
    // The picture's file and the library's zoom as drawn, for the state report.
    readonly property string wallpaperPicture: wallpaper.path
    readonly property real libraryZoom: libraryRoot.shownLibraryScale
    readonly property QtObject settings: win ? win.settings : null
    readonly property QtObject selection: win ? win.selection : null
    readonly property QtObject lifecycle: win ? win.lifecycle : null
    readonly property string skin: settings ? ViewServices.resolvedSkin(settings.skin, ViewServices.desktopRevision) : "night"
    readonly property int effects: settings ? settings.effects : Setting.LibraryEffects.fluid
    readonly property bool reduceMotion: settings ? !!settings.reduceMotion : false
    readonly property string query: win ? win.search.query : ""
    readonly property bool searching: win ? win.search.isSearching : false
    readonly property bool arranging: selection ? selection.arranging : false

    // Set by the executable once a frame has shown the loaded library: what that frame does not
    // need (drag and drop, the folder panel) is made only then, at once, before the next frame
    // or state report.
    property bool libraryShown: false
    // True while the views load, before the window shows: symbols then decode off the main
    // thread, and are in by the first frame; later ones (a new name, a new view) draw at once.
    property bool loadingViews: true
    readonly property bool libraryLoaded: win ? win.library.loaded : false
    // One compiled drag-and-drop hook for every tile, when the arranging module is there.
    readonly property Component tileHooks: libraryShown && win && win.layoutOps
                                           ? Qt.createComponent("TileDragHooks.qml") : null

    // An open menu, alert or the settings sheet takes its own keys (Escape closes it) before the
    // window's key handling. The arranging layer sets its flag while a tile menu or an alert is up.
    property bool arrangingOverlayOpen: false
    readonly property bool menuOpen: libraryRoot.menuOpen || arrangingOverlayOpen
                                     || settingsSheet.status === Loader.Ready
                                     || backupDialog.status === Loader.Ready
    // A closed popup leaves the keyboard focus nowhere useful: typing goes back to the search
    // field once nothing is open any more (a menu's choice may have opened an alert).
    onMenuOpenChanged: if (!menuOpen) Qt.callLater(restoreSearchFocus)
    function restoreSearchFocus() {
        if (!menuOpen)
            libraryRoot.search.focusField()
    }
    // Shown again: typing goes to the search field, whatever had the focus before the hide.
    onVisibleChanged: if (visible) restoreSearchFocus()

    function tr(key) { return lang ? lang.t(key, lang.revision) : key }
    // The window's swipe monitor reports here.
    function swipeMoved(travel) { libraryRoot.swipeMoved(travel) }
    function swipeEnded(travel, velocity) { libraryRoot.swipeEnded(travel, velocity) }

    title: tr("Orbitdeck")
    width: 1040
    height: 680
    minimumWidth: 760
    minimumHeight: 600
    color: "black"

    Actions { id: windowActions; win: window.win; launchFlow: window.launchFlow }

    // Looked up once the grid is on screen: finding and shrinking the picture takes longer than
    // the first frame, and its helper processes would only slow that frame down.
    DesktopWallpaperImage {
        id: wallpaper
        enabled: window.libraryShown && (window.settings ? window.settings.showWallpaper : true)
        onImageChanged: if (window.lifecycle) window.lifecycle.wallpaperUnavailable = unavailable
    }
    Shortcut { sequence: "Ctrl+,"; onActivated: windowActions.openSettings() }
    Shortcut { sequence: "Ctrl+R"; onActivated: windowActions.refresh() }

    LibraryRoot {
        id: libraryRoot
        anchors.fill: parent
        skin: window.skin
        effects: window.effects
        reduceMotion: window.reduceMotion
        fullScreen: window.lifecycle ? window.lifecycle.isFullScreen : false
        appIcon: window.settings ? window.settings.appIcon : "midnight"
        loaded: window.win ? window.win.library.loaded : false
        tiles: window.win ? window.win.tiles : null
        itemCount: window.win ? window.win.tiles.count : 0
        page: window.win ? window.win.paging.page : 0
        query: window.query
        searching: window.searching
        canSearchAppStore: window.win ? window.win.canSearchAppStore : false
        arranging: window.arranging
        folderOpen: window.selection ? window.selection.openFolder !== "" : false
        toastText: window.win ? window.win.toasts.text : ""
        wallpaper: window.settings && window.settings.showWallpaper ? wallpaper.source : ""
        wallpaperBlur: window.settings ? window.settings.wallpaperBlur : 12
        scrolling: window.settings ? window.settings.browsing === Setting.LibraryBrowsing.scroll : false
        customColumns: window.settings ? window.settings.customColumns : 0
        customRows: window.settings ? window.settings.customRows : 0
        baseIconSize: window.settings ? window.settings.effectiveIconSize : 62
        sort: window.settings ? window.settings.sort : Setting.SortOrder.manual
        labels: window.settings ? window.settings.labels : true
        tr: key => window.tr(key)
        cell: Component { LibraryCell { actions: windowActions; root: window } }

        onQueryEdited: text => windowActions.setQuery(text)
        onSubmitted: windowActions.submitSearch()
        onDoneClicked: windowActions.stopArranging()
        onSettingsClicked: windowActions.openSettings()
        onFullScreenClicked: windowActions.toggleFullScreen()
        onBackgroundClicked: windowActions.backgroundClick()
        onEditLayoutChosen: windowActions.editLayout()
        onSortChosen: sort => windowActions.setSort(sort)
        onLabelsToggled: on => windowActions.setLabels(on)
        onRefreshChosen: windowActions.refresh()
        onRestartChosen: windowActions.restart()
        onCloseChosen: windowActions.dismiss()
        onPageRequested: (target, current, count) => windowActions.goToPage(target, current, count)
        onGridLaidOut: (columns, capacity) => windowActions.publishGrid(columns, capacity)
        onPageSettled: target => windowActions.settlePage(target)
        onAppStoreRequested: windowActions.searchAppStore()
    }

    // The folder panel, page-edge strips and drag proxy, when the arranging module is there.
    Loader {
        anchors.fill: parent
        active: window.libraryShown && window.win !== null && window.win.layoutOps !== null
        source: "ArrangingLayer.qml"
        onLoaded: {
            item.main = window
            item.library = libraryRoot
            item.actions = windowActions
        }
    }

    // The settings sheet, made each time it opens (its module is loaded only then).
    Loader {
        id: settingsSheet
        anchors.fill: parent
        active: window.lifecycle ? window.lifecycle.appearanceOpen : false
        source: "qrc:/qt/qml/Orbitdeck/Settings/SettingsSheet.qml"
        onLoaded: {
            item.lang = window.lang
            item.win = window.win
        }
        onActiveChanged: if (!active) libraryRoot.search.focusField()
    }

    // The first-run guide, made only while it shows.
    Loader {
        id: guideSheet
        readonly property QtObject guide: window.win && window.win.onboarding
                                          ? window.win.onboarding.guide : null
        anchors.fill: parent
        active: guide !== null
        source: "qrc:/qt/qml/Orbitdeck/Onboarding/OnboardingSheet.qml"
        onLoaded: {
            item.guide = Qt.binding(() => guideSheet.guide)
            item.settings = window.settings
            item.tr = key => window.tr(key)
            item.reduceMotion = Qt.binding(() => window.reduceMotion)
        }
        onActiveChanged: if (!active) libraryRoot.search.focusField()
    }
    // The backup file dialog, made only while the organiser asks for a file.
    Loader {
        id: backupDialog
        anchors.fill: parent
        active: window.win !== null && window.win.organizer !== null
                && window.win.organizer.files.request !== ""
        source: "BackupFileDialog.qml"
        onLoaded: {
            item.lang = window.lang
            item.skin = Qt.binding(() => window.skin)
            item.files = window.win.organizer.files
        }
        onActiveChanged: if (!active) libraryRoot.search.focusField()
    }

    Connections {
        target: window.win ? window.win.search : null
        function onSearchFocusedChanged() {
            if (window.win.search.searchFocused)
                libraryRoot.search.focusField()
        }
    }
    Connections {
        target: window.lifecycle
        function onWallpaperRefreshRequested() { wallpaper.refresh() }
        function onIconCacheClearRequested() { windowActions.clearIconCache() }
        // Scale and motion read together: two bindings on one signal update in no set order.
        function onLibraryScaleChanged() {
            libraryRoot.moveLibraryScale(window.lifecycle.libraryScale,
                                         window.lifecycle.libraryScaleMotion)
        }
    }
    Component.onCompleted: {
        wallpaper.refresh()
        libraryRoot.search.focusField()
        if (win)
            win.windowDidAppear()
    }
}
