pragma ComponentBehavior: Bound
import QtQuick

// The trailing buttons of the top bar: "Done" while arranging, settings, full screen.
Row {
    id: toolbar
    property bool arranging: false
    property bool fullScreen: false
    property string skin: "night"
    property var tr: key => key
    function translated(key: string): string { return tr(key) }

    signal doneClicked()
    signal settingsClicked()
    signal fullScreenClicked()

    spacing: 5
    layoutDirection: Qt.RightToLeft

    GlassButton {
        objectName: "library-full-screen"
        symbol: toolbar.fullScreen ? "arrow.down.right.and.arrow.up.left" : "arrow.up.left.and.arrow.down.right"
        label: toolbar.translated(toolbar.fullScreen ? "Exit full screen" : "Enter full screen")
        tooltip: toolbar.translated("Enter or exit full screen")
        skin: toolbar.skin
        onClicked: toolbar.fullScreenClicked()
    }
    GlassButton {
        objectName: "library-appearance"
        symbol: "slider.horizontal.3"
        label: toolbar.translated("Settings")
        tooltip: toolbar.translated("Settings")
        skin: toolbar.skin
        onClicked: toolbar.settingsClicked()
    }
    // Made the first time arranging starts.
    Loader {
        active: toolbar.arranging || item !== null
        visible: toolbar.arranging
        anchors.verticalCenter: parent.verticalCenter
        source: "PillButton.qml"
        onLoaded: {
            const done = item as PillButton
            done.objectName = "library-arrange-done"
            done.text = Qt.binding(() => toolbar.translated("Done"))
            done.skin = Qt.binding(() => toolbar.skin)
            done.font.weight = Font.DemiBold
            done.verticalPadding = 6
            done.clicked.connect(toolbar.doneClicked)
        }
    }
}
