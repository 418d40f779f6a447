import QtQuick
import Orbitdeck.Views

// A row that runs an action: a tinted symbol tile, the title and a chevron. Hovering lights the
// row (6 beyond its content on each side) and the chevron; pressing dims and shrinks it a little.
CardRow {
    id: row
    property SheetTheme theme
    property string title
    property string symbol
    property color accent: theme.accent
    property bool hovered: area.containsMouse
    signal activated()

    contentHeight: 28
    Accessible.role: Accessible.Button
    Accessible.name: theme.tr(title)
    Accessible.onPressAction: activated()

    Item {
        id: face
        anchors.fill: parent
        opacity: area.pressed ? 0.7 : 1
        scale: area.pressed ? 0.985 : 1
        Behavior on opacity { enabled: row.theme.motion; NumberAnimation { duration: 100; easing.type: Easing.OutQuad } }
        Behavior on scale { enabled: row.theme.motion; NumberAnimation { duration: 100; easing.type: Easing.OutQuad } }

        Rectangle {
            anchors { fill: parent; leftMargin: -6; rightMargin: -6 }
            radius: 7
            color: row.theme.primaryAt(row.hovered ? 0.06 : 0)
            Behavior on color { enabled: row.theme.motion; ColorAnimation { duration: 120; easing.type: Easing.OutQuad } }
        }
        Rectangle {
            id: tile
            anchors.verticalCenter: parent.verticalCenter
            width: 22
            height: 22
            radius: 6
            color: Qt.rgba(row.accent.r, row.accent.g, row.accent.b, 0.14)
            Symbol {
                anchors.centerIn: parent
                name: row.symbol
                color: row.accent
                size: 12
            }
        }
        Text {
            anchors { left: tile.right; leftMargin: 10; right: chevron.left; rightMargin: 10
                      verticalCenter: parent.verticalCenter }
            text: row.theme.tr(row.title)
            font.pixelSize: 13
            color: row.theme.primary
            elide: Text.ElideRight
        }
        Symbol {
            id: chevron
            anchors { right: parent.right; verticalCenter: parent.verticalCenter }
            name: "chevron.right"
            size: 9
            color: row.theme.tertiary
            opacity: row.hovered ? 1 : 0.5
            Behavior on opacity { enabled: row.theme.motion; NumberAnimation { duration: 120; easing.type: Easing.OutQuad } }
        }
    }
    MouseArea {
        id: area
        anchors { fill: parent; leftMargin: -6; rightMargin: -6 }
        hoverEnabled: true
        onClicked: row.activated()
    }
}
