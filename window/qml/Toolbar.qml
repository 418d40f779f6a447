pragma ComponentBehavior: Bound
import QtQuick

// The trailing buttons of the top bar: "Done" while arranging, settings, full screen.
Row {
    id: toolbar
    property bool arranging: false
    property bool fullScreen: false
    property string skin: "night"
    property TextLookup texts: null        // the interface language
    function tr(key: string): string { return texts ? texts.t(key) : key }

    signal doneClicked()
    signal settingsClicked()
    signal fullScreenClicked()

    spacing: 5
    layoutDirection: Qt.RightToLeft

    GlassButton {
        objectName: "library-full-screen"
        symbol: toolbar.fullScreen ? "arrow.down.right.and.arrow.up.left" : "arrow.up.left.and.arrow.down.right"
        label: toolbar.tr(toolbar.fullScreen ? "Exit full screen" : "Enter full screen")
        tooltip: toolbar.tr("Enter or exit full screen")
        skin: toolbar.skin
        onClicked: toolbar.fullScreenClicked()
    }
    GlassButton {
        objectName: "library-appearance"
        symbol: "slider.horizontal.3"
        label: toolbar.tr("Settings")
        tooltip: toolbar.tr("Settings")
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
            done.text = Qt.binding(() => toolbar.tr("Done"))
            done.skin = Qt.binding(() => toolbar.skin)
            done.font.weight = Font.DemiBold
            done.verticalPadding = 6
            done.clicked.connect(toolbar.doneClicked)
        }
    }
}
