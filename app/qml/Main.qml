pragma ComponentBehavior: Bound
import QtQuick
import Orbitdeck.State
import Orbitdeck.Views
import Orbitdeck.Arranging
import Orbitdeck.Onboarding

// The one launcher window. Binds the views to the window state `win` and forwards input to it;
// the arranging layer, the settings sheet and the first-run guide are laid over the library.
Window {
    id: window
    required property AmbergridWindow win
    required property L lang                          // the interface language (t, revision)
    // Keys, clicks and the tile menu; layout edits; the first-run guide.
    required property CommandLayer commands
    required property LayoutOperations layoutOps
    required property OnboardingPresenter onboarding
    readonly property LaunchFlow launchFlow: commands.launching  // launching and page turns
    property url wallpaperSource: wallpaper.source
    // The picture's file and the library's zoom as drawn, for the state report.
    readonly property string wallpaperPicture: wallpaper.path
    readonly property real libraryZoom: libraryRoot.shownLibraryScale
    readonly property WindowSettings settings: win ? win.settings : null
    readonly property SelectionState selection: win ? win.selection : null
    readonly property WindowLifecycle lifecycle: win ? win.lifecycle : null
    readonly property string skin: settings ? ViewServices.resolvedSkin(settings.skin, ViewServices.desktopRevision) : "night"
    readonly property int effects: settings ? settings.effects : Setting.LibraryEffects.fluid
    readonly property bool reduceMotion: settings ? settings.reduceMotion : false
    readonly property string query: win ? win.search.query : ""
    readonly property bool searching: win ? win.search.isSearching : false
    readonly property bool arranging: selection ? selection.arranging : false

    // Set by the executable once a frame has shown the loaded library: what that frame does not
    // need (drag and drop, the folder panel) is made only then, at once, before the next frame
    // or state report.
    readonly property bool libraryShown: ViewHost.libraryShown
    readonly property bool libraryLoaded: win ? win.library.loaded : false

    // An open menu, alert or the settings sheet takes its own keys (Escape closes it) before the
    // window's key handling; so does a tile menu or an alert of the arranging layer.
    readonly property bool menuOpen: libraryRoot.menuOpen || overlays.open
    // A closed popup leaves the keyboard focus nowhere useful: typing goes back to the search
    // field once nothing is open any more (a menu's choice may have opened an alert).
    onMenuOpenChanged: if (!menuOpen) ViewServices.callLater(restoreSearchFocus)
    function restoreSearchFocus() {
        if (!menuOpen)
            libraryRoot.search.focusField()
    }
    // Shown again: typing goes to the search field, whatever had the focus before the hide.
    onVisibleChanged: if (visible) restoreSearchFocus()
    // The executable's key monitor leaves the keys to an open menu; its swipe monitor turns the
    // pages of the grid, unless the folder backdrop covers it.
    Binding { target: ViewHost; property: "menuOpen"; value: window.menuOpen }
    Binding { target: ViewHost; property: "pageArea"; value: libraryRoot.pageArea }
    Binding {
        target: ViewHost
        property: "folderCover"
        value: overlays.folderCover
    }
    // What every tile shows alike, given to all of them here at once.
    Binding { target: TileLooks; property: "accent"; value: Skin.accent(window.skin) }
    Binding { target: TileLooks; property: "ink"; value: Skin.ink(window.skin) }
    Binding { target: TileLooks; property: "effects"; value: window.effects }
    Binding { target: TileLooks; property: "reduceMotion"; value: window.reduceMotion }
    Binding { target: TileLooks; property: "showsLabel"; value: window.settings ? window.settings.labels : true }
    Binding { target: TileLooks; property: "folderLabels"; value: window.settings ? window.settings.folderLabels : true }
    Binding { target: TileLooks; property: "searching"; value: window.searching }
    Binding { target: TileLooks; property: "takesDrags"; value: window.libraryShown }
    Connections {
        target: ViewHost
        function onSwipeMoved(travel: real) { libraryRoot.swipeMoved(travel) }
        function onSwipeEnded(travel: real, velocity: real) { libraryRoot.swipeEnded(travel, velocity) }
    }

    TextLookup { id: windowTexts; lang: window.lang }

    title: windowTexts.t("Orbitdeck")
    width: 1040
    height: 680
    minimumWidth: 760
    minimumHeight: 600
    color: "black"

    Actions {
        id: windowActions
        win: window.win
        launchFlow: window.launchFlow
        commands: window.commands
        layoutOps: window.layoutOps
    }

    // Looked up once the grid is on screen: finding and shrinking the picture takes longer than
    // the first frame, and its helper processes would only slow that frame down.
    DesktopWallpaperImage {
        id: wallpaper
        window: window      // its screen and workspace choose the picture
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
        appIcon: window.settings ? window.settings.appIcon : Setting.AppIconStyle.midnight
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
        texts: windowTexts
        cell: Component {
            LibraryCell {
                actions: windowActions
                win: window.win
                texts: windowTexts
            }
        }

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

    WindowOverlays {
        id: overlays
        anchors.fill: parent
        win: window.win
        lang: window.lang
        onboarding: window.onboarding
        libraryShown: window.libraryShown
        skin: window.skin
        effects: window.effects
        reduceMotion: window.reduceMotion
        texts: windowTexts
        actions: windowActions
        library: libraryRoot
        onSheetClosed: libraryRoot.search.focusField()
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
        if (window.win)
            window.win.windowDidAppear()
    }
}
