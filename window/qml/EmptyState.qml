import QtQuick

// No applications to show; while searching, the query and the software centre's search.
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
        PillButton {
            objectName: "library-app-store-search"
            visible: empty.showsAction
            anchors.horizontalCenter: parent.horizontalCenter
            text: empty.actionTitle
            skin: empty.skin
            horizontalPadding: 16
            onClicked: empty.actionClicked()
        }
    }
}
