import QtQuick
import Orbitdeck.Views

// One tab of the sidebar: a coloured symbol tile and the title; the selected one is tinted.
Item {
    id: button
    property SheetTheme theme
    // The tab's stored name, which names the button.
    property string name
    property string title
    property string symbol
    property color tileColor
    property bool selected
    signal chosen()

    objectName: "settings-tab-" + name
    width: parent ? parent.width : 0
    height: 32
    Accessible.role: Accessible.PageTab
    Accessible.name: theme.tr(title)
    Accessible.selected: selected
    Accessible.onPressAction: chosen()

    Rectangle {
        anchors.fill: parent
        radius: 8
        color: button.selected ? button.theme.accentAt(0.2) : "transparent"
    }
    Rectangle {
        id: tile
        x: 8
        anchors.verticalCenter: parent.verticalCenter
        width: 22
        height: 22
        radius: 6
        gradient: Gradient {
            GradientStop { position: 0; color: Qt.lighter(button.tileColor, 1.25) }
            GradientStop { position: 1; color: button.tileColor }
        }
        Symbol {
            anchors.centerIn: parent
            name: button.symbol
            color: "white"
            size: 13
        }
    }
    Text {
        anchors { left: tile.right; leftMargin: 10; right: parent.right; rightMargin: 8
                  verticalCenter: parent.verticalCenter }
        text: button.theme.tr(button.title)
        font.pixelSize: 13
        font.weight: button.selected ? Font.DemiBold : Font.Normal
        color: button.theme.primary
        elide: Text.ElideRight
    }
    MouseArea { anchors.fill: parent; onClicked: button.chosen() }
}
