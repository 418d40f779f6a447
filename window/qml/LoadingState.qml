import QtQuick
import QtQuick.Controls

// While the library loads: a spinner in the middle of the area.
Item {
    property string label: "Finding applications"
    property string skin: "night"
    BusyIndicator {
        objectName: "library-loading"
        anchors.centerIn: parent
        running: parent.visible
        palette.dark: Skin.ink(parent.skin)
        Accessible.name: parent.label
    }
}
