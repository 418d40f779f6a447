import QtQuick

// The ring of the tile a drag merges into (strong), or of a selected folder.
Rectangle {
    property bool strong: false
    property color accent
    radius: 15
    color: Qt.rgba(accent.r, accent.g, accent.b, strong ? 0.14 : 0.17)
    border.width: strong ? 1.5 : 1
    border.color: Qt.rgba(accent.r, accent.g, accent.b, strong ? 0.85 : 0.4)
}
