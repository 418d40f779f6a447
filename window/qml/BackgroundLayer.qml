import QtQuick
import Orbitdeck.State

// The clear layer behind the grid: a click on empty space, and the background menu (made on
// the first right-click, so the window starts without the controls' module).
MouseArea {
    id: catcher
    property bool arranging: false
    property bool searching: false
    property bool fullScreen: false
    property int sort: Setting.SortOrder.manual
    property bool labels: true
    property TextLookup texts: null        // the interface language
    // Kept by the menu's host once it is made.
    property bool menuOpen: false
    signal menuRequested()

    signal tapped()
    signal done()
    signal editLayout()
    signal sortChosen(int sort)
    signal labelsToggled(bool on)
    signal fullScreenToggled()
    signal settingsChosen()
    signal refreshChosen()
    signal restartChosen()
    signal closeChosen()

    acceptedButtons: Qt.LeftButton | Qt.RightButton
    Accessible.ignored: true
    onClicked: mouse => {
        if (mouse.button === Qt.RightButton) {
            menu.active = true
            catcher.menuRequested()
        }
        else
            catcher.tapped()
    }

    Loader {
        id: menu
        active: false
        source: "BackgroundMenuHost.qml"
        onLoaded: item.owner = catcher
    }
}
