import QtQuick

// One row of a settings card: the full width, at least 24 high, padded 8 above and below.
Item {
    id: row
    default property alias content: body.data
    // The height of what the row shows; rows taller than 24 grow the card.
    property real contentHeight: 24

    width: parent ? parent.width : 0
    implicitHeight: Math.max(24, contentHeight) + 16
    height: implicitHeight

    Item {
        id: body
        anchors { fill: parent; topMargin: 8; bottomMargin: 8 }
    }
}
