import QtQuick

// A card row with its title on the left and its control on the right.
CardRow {
    id: row
    property SheetTheme theme
    property string title
    default property alias control: slot.data

    contentHeight: Math.max(22, slot.height)

    Text {
        anchors { left: parent.left; verticalCenter: parent.verticalCenter }
        width: Math.max(0, row.width - slot.width - 18)
        text: row.theme.tr(row.title)
        font.pixelSize: 13
        color: row.enabled ? row.theme.primary : row.theme.tertiary
        elide: Text.ElideRight
    }
    Item {
        id: slot
        anchors { right: parent.right; verticalCenter: parent.verticalCenter }
        width: childrenRect.width
        height: childrenRect.height
    }
}
