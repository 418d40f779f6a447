import QtQuick
import Orbitdeck.Views

// The symbol tile, title and subtitle at the top of the choosing pages.
Item {
    id: header
    property string symbol
    property string title
    property string subtitle
    property color accent
    property color ink

    implicitWidth: row.implicitWidth
    implicitHeight: row.implicitHeight + 4

    Row {
        id: row
        width: header.width
        spacing: 14
        Rectangle {
            width: 46; height: 46; radius: 12
            anchors.verticalCenter: parent.verticalCenter
            color: Qt.rgba(header.accent.r, header.accent.g, header.accent.b, 0.15)
            Symbol { anchors.centerIn: parent; name: header.symbol; size: 20; color: header.accent }
        }
        Column {
            anchors.verticalCenter: parent.verticalCenter
            width: header.width - 60
            spacing: 3
            Text {
                width: parent.width
                text: header.title
                font.pixelSize: 21
                font.bold: true
                color: header.ink
                elide: Text.ElideRight
            }
            Text {
                width: parent.width
                text: header.subtitle
                font.pointSize: LibraryGridMath.fontPoints(12.5)
                color: Qt.rgba(header.ink.r, header.ink.g, header.ink.b, 0.6)
                wrapMode: Text.WordWrap
            }
        }
    }
}
