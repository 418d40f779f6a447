import QtQuick

// A page-turning chevron: the whole 30 x 30 square takes clicks.
Item {
    id: chevron
    property string symbol
    property string label
    property color color: "white"
    signal clicked()

    width: 30
    height: 30
    Accessible.name: label
    Accessible.role: Accessible.Button
    Symbol {
        anchors.centerIn: parent
        name: chevron.symbol
        size: 14
        color: chevron.color
        opacity: chevron.enabled ? 1 : 0.35
    }
    TapHandler { gesturePolicy: TapHandler.ReleaseWithinBounds; onTapped: chevron.clicked() }
}
