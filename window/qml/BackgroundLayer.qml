import QtQuick

// The clear layer behind the grid: a click on empty space, and the background menu.
MouseArea {
    id: catcher
    property bool arranging: false
    property bool searching: false
    property bool fullScreen: false
    property string sort: "manual"
    property bool labels: true
    property var tr: key => key
    readonly property bool menuOpen: menu.opened

    signal tapped()
    signal done()
    signal editLayout()
    signal sortChosen(string sort)
    signal labelsToggled(bool on)
    signal fullScreenToggled()
    signal settingsChosen()
    signal refreshChosen()
    signal restartChosen()
    signal closeChosen()

    acceptedButtons: Qt.LeftButton | Qt.RightButton
    Accessible.ignored: true
    onClicked: mouse => {
        if (mouse.button === Qt.RightButton)
            menu.popup()
        else
            catcher.tapped()
    }

    BackgroundMenu {
        id: menu
        arranging: catcher.arranging
        searching: catcher.searching
        fullScreen: catcher.fullScreen
        sort: catcher.sort
        labels: catcher.labels
        tr: catcher.tr
        onDone: catcher.done()
        onEditLayout: catcher.editLayout()
        onSortChosen: sort => catcher.sortChosen(sort)
        onLabelsToggled: on => catcher.labelsToggled(on)
        onFullScreenToggled: catcher.fullScreenToggled()
        onSettingsChosen: catcher.settingsChosen()
        onRefreshChosen: catcher.refreshChosen()
        onRestartChosen: catcher.restartChosen()
        onCloseChosen: catcher.closeChosen()
    }
}
