import QtQuick
import Orbitdeck.State
import Orbitdeck.Views
import Orbitdeck.Onboarding

// What lies over the library, each made only while it shows: the arranging layer (folder panel,
// page-edge strips, drag proxy, tile menu and alerts) once the library is on screen, the settings
// sheet, the first-run guide and the backup file dialog. Each loads by name and binds to these
// overlays itself: a type named in this file would be read with it, at the start of the window,
// and these bring the controls, the folder model and the other modules' views.
Item {
    id: overlays
    property AmbergridWindow win: null
    property L lang: null
    property OnboardingPresenter onboarding: null
    property bool libraryShown: false
    property string skin: "night"
    property int effects: Setting.LibraryEffects.fluid
    property bool reduceMotion: false
    property TextLookup texts: null
    property Actions actions: null
    // The library view beneath.
    property LibraryRoot library: null
    readonly property WindowSettings settings: win ? win.settings : null

    // Told by the arranging layer once made: a tile menu or an alert of its own is up, and the
    // open folder's backdrop over the grid.
    property bool arrangingOpen: false
    property Item folderCover: null
    // A tile menu, an alert, the settings sheet or the file dialog takes its own keys.
    readonly property bool open: arrangingOpen
                                 || settingsSheet.status === Loader.Ready
                                 || backupDialog.status === Loader.Ready
    // A sheet or the file dialog went away.
    signal sheetClosed()

    Loader {
        id: arrangingLayer
        anchors.fill: parent
        active: overlays.libraryShown
        Component.onCompleted: setSource("ArrangingLayer.qml", { overlays: overlays })
    }
    // Made each time it opens.
    Loader {
        id: settingsSheet
        anchors.fill: parent
        active: overlays.win ? overlays.win.lifecycle.appearanceOpen : false
        Component.onCompleted: setSource("WindowSettingsSheet.qml", { overlays: overlays })
        onActiveChanged: if (!active) overlays.sheetClosed()
    }
    Loader {
        id: guideSheet
        anchors.fill: parent
        active: overlays.onboarding !== null && overlays.onboarding.guide !== null
        Component.onCompleted: setSource("WindowGuideSheet.qml", { overlays: overlays })
        onActiveChanged: if (!active) overlays.sheetClosed()
    }
    // While the organiser asks for a file.
    Loader {
        id: backupDialog
        anchors.fill: parent
        active: overlays.win !== null && overlays.win.files !== null
                && overlays.win.files.request !== FileRequest.Kind.none
        Component.onCompleted: setSource("WindowBackupDialog.qml", { overlays: overlays })
        onActiveChanged: if (!active) overlays.sheetClosed()
    }
}
