import QtQuick
import Orbitdeck.State
import Orbitdeck.Views
import Orbitdeck.Arranging
import Orbitdeck.Onboarding

// What lies over the library, each made only while it shows: the arranging layer (folder panel,
// page-edge strips, drag proxy, tile menu and alerts) once the library is on screen, the settings
// sheet, the first-run guide and the backup file dialog. The arranging layer and the dialog are
// handed their data once loaded (a loader makes its item in a context of its own, where the ids
// of this file are not bound); the two sheets come with their modules' views, which would cost
// the start of the window, so they load by name and bind to these overlays themselves.
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

    readonly property ArrangingLayer arranging: arrangingLayer.item as ArrangingLayer
    // A tile menu, an alert, the settings sheet or the file dialog takes its own keys.
    readonly property bool open: (arranging !== null && arranging.overlayOpen)
                                 || settingsSheet.status === Loader.Ready
                                 || backupDialog.status === Loader.Ready
    // The open folder's backdrop over the grid.
    readonly property Item folderCover: arranging ? arranging.folderCover : null
    // A sheet or the file dialog went away.
    signal sheetClosed()

    Loader {
        id: arrangingLayer
        anchors.fill: parent
        active: overlays.libraryShown
        sourceComponent: Component { ArrangingLayer {} }
        onLoaded: {
            const layer = item as ArrangingLayer
            layer.win = overlays.win
            layer.skin = Qt.binding(() => overlays.skin)
            layer.effects = Qt.binding(() => overlays.effects)
            layer.reduceMotion = Qt.binding(() => overlays.reduceMotion)
            layer.texts = overlays.texts
            layer.actions = overlays.actions
            layer.library = overlays.library
        }
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
        sourceComponent: Component { BackupFileDialog {} }
        onLoaded: {
            const dialog = item as BackupFileDialog
            dialog.lang = overlays.lang
            dialog.skin = Qt.binding(() => overlays.skin)
            dialog.files = overlays.win.files
        }
        onActiveChanged: if (!active) overlays.sheetClosed()
    }
}
