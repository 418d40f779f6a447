import QtQuick

// One style of the app-icon picker: its image (when it has one) and its name, lit when chosen.
Item {
    id: cell
    property SheetTheme theme
    property color accent
    property int style
    property string name
    property string title
    property string image
    property bool selected
    signal chosen()

    objectName: "app-icon-" + name
    height: content.height + 16
    Accessible.role: Accessible.Button
    Accessible.name: theme.tr(title)
    Accessible.selected: selected
    Accessible.onPressAction: chosen()

    Rectangle {
        anchors.fill: parent
        radius: 12
        color: Qt.rgba(cell.accent.r, cell.accent.g, cell.accent.b, cell.selected ? 0.16 : 0)
        border.width: 1.5
        border.color: Qt.rgba(cell.accent.r, cell.accent.g, cell.accent.b, cell.selected ? 1 : 0)
        Behavior on color { enabled: cell.theme.motion; ColorAnimation { duration: 250; easing.type: Easing.OutBack } }
        Behavior on border.color { enabled: cell.theme.motion; ColorAnimation { duration: 250 } }
    }
    Column {
        id: content
        anchors.centerIn: parent
        spacing: 5
        Image {
            anchors.horizontalCenter: parent.horizontalCenter
            visible: cell.image !== ""
            width: 54
            height: 54
            source: cell.image
            sourceSize { width: 108; height: 108 }
            fillMode: Image.PreserveAspectFit
            smooth: true
            mipmap: true
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: cell.theme.tr(cell.title)
            font.pixelSize: 11
            font.weight: cell.selected ? Font.DemiBold : Font.Normal
            color: cell.theme.primary
            maximumLineCount: 1
        }
    }
    MouseArea {
        anchors.fill: parent
        onClicked: cell.chosen()
    }
}
