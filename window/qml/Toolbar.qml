import QtQuick
import QtQuick.Controls

// The trailing buttons of the top bar: "Done" while arranging, settings, full screen.
Row {
    id: toolbar
    property bool arranging: false
    property bool fullScreen: false
    property string skin: "night"
    property var tr: key => key

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
    Button {
        objectName: "library-arrange-done"
        visible: toolbar.arranging
        anchors.verticalCenter: parent.verticalCenter
        text: toolbar.tr("Done")
        font.pixelSize: 13
        font.weight: Font.DemiBold
        padding: 6
        leftPadding: 14
        rightPadding: 14
        contentItem: Text {
            text: parent.text
            font: parent.font
            color: toolbar.skin === "paper" ? "white" : Qt.rgba(0.05, 0.08, 0.12, 1)
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }
        background: Rectangle {
            radius: height / 2
            color: Skin.accent(toolbar.skin)
            opacity: parent.down ? 0.8 : 1
        }
        onClicked: toolbar.doneClicked()
    }
}
