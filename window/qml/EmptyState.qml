import QtQuick
import QtQuick.Controls

// No applications to show; while searching, the query and the App Store search.
Item {
    id: empty
    property string title: "No applications found"
    property string description: ""          // the query in curly quotes, or nothing
    property string actionTitle: "Search the App Store"
    property bool showsAction: false
    property string skin: "night"
    signal actionClicked()

    Column {
        anchors.centerIn: parent
        spacing: 10
        width: Math.min(parent.width - 40, 420)

        Symbol {
            anchors.horizontalCenter: parent.horizontalCenter
            name: "magnifyingglass"
            size: 40
            color: Skin.inkAt(empty.skin, 0.55)
        }
        Text {
            objectName: "library-empty-title"
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            text: empty.title
            font.pixelSize: 20
            font.weight: Font.Bold
            color: Skin.ink(empty.skin)
            wrapMode: Text.Wrap
        }
        Text {
            objectName: "library-empty-query"
            visible: empty.description !== ""
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            text: empty.description
            textFormat: Text.PlainText
            font.pixelSize: 13
            color: Skin.inkAt(empty.skin, 0.6)
            wrapMode: Text.Wrap
        }
        Item { width: 1; height: 4; visible: empty.showsAction }
        Button {
            objectName: "library-app-store-search"
            visible: empty.showsAction
            anchors.horizontalCenter: parent.horizontalCenter
            text: empty.actionTitle
            font.pixelSize: 13
            leftPadding: 16
            rightPadding: 16
            contentItem: Text {
                text: parent.text
                font: parent.font
                color: empty.skin === "paper" ? "white" : Qt.rgba(0.05, 0.08, 0.12, 1)
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
            }
            background: Rectangle {
                radius: height / 2
                color: Skin.accent(empty.skin)
                opacity: parent.down ? 0.8 : 1
            }
            onClicked: empty.actionClicked()
        }
    }
}
