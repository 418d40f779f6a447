import QtQuick

// A round 33 x 33 toolbar button with a symbol on glass.
Item {
    id: button
    property string symbol
    property string label
    property string tooltip
    property string skin: "night"
    signal clicked()

    width: 33
    height: 33
    Accessible.name: label
    Accessible.role: Accessible.Button

    HoverHandler { id: hover }
    LazyToolTip { shown: hover.hovered; text: button.tooltip }
    GlassCapsule {
        anchors.fill: parent
        skin: button.skin
        opacity: tap.pressed ? 0.7 : hover.hovered ? 1 : 0.85
    }
    Symbol {
        anchors.centerIn: parent
        name: button.symbol
        size: 15
        color: Skin.ink(button.skin)
    }
    TapHandler { gesturePolicy: TapHandler.ReleaseWithinBounds; id: tap; onTapped: button.clicked() }
}
