import QtQuick

// One hidden application: its name and "Show".
CardRow {
    id: row
    property SheetTheme theme
    property string appID
    property string name
    signal showRequested()

    objectName: "hidden-app-" + appID

    Text {
        anchors { left: parent.left; verticalCenter: parent.verticalCenter }
        width: Math.max(0, row.width - show.width - 10)
        text: row.name
        font.pixelSize: 13
        color: row.theme.primary
        elide: Text.ElideRight
        maximumLineCount: 1
    }
    SmallButton {
        id: show
        objectName: "hidden-app-show-" + row.appID
        anchors { right: parent.right; verticalCenter: parent.verticalCenter }
        theme: row.theme
        title: "Show"
        onClicked: row.showRequested()
    }
}
