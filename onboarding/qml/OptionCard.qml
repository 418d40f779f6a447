import QtQuick
import Orbitdeck.Views

// A selectable card of the guide's pages: tinted and ringed in the accent while selected, dimmed
// and deaf to clicks while disabled. The whole card takes the click.
Item {
    id: card
    property bool selected: false
    property bool disabled: false
    property bool reduceMotion: false
    property color accent
    property color ink
    default property alias content: body.data
    readonly property bool checked: selected

    signal chosen()

    implicitHeight: Math.max(54, body.childrenRect.height)
    opacity: disabled ? 0.45 : 1
    scale: selected && !reduceMotion ? 1.0 : 0.99
    Accessible.role: Accessible.RadioButton
    Accessible.checked: selected

    Behavior on scale {
        enabled: !card.reduceMotion
        SpringMotion { response: 0.26; dampingFraction: 0.8 }
    }

    Rectangle {
        anchors.fill: parent
        radius: 12
        color: card.selected ? Qt.rgba(card.accent.r, card.accent.g, card.accent.b, 0.16)
                             : Qt.rgba(card.ink.r, card.ink.g, card.ink.b, 0.05)
        border.width: card.selected ? 1.5 : 0.5
        border.color: card.selected ? card.accent : Qt.rgba(card.ink.r, card.ink.g, card.ink.b, 0.10)
        Behavior on color { ColorAnimation { duration: card.reduceMotion ? 0 : 260 } }
    }
    Item {
        id: body
        x: 14
        width: card.width - 28
        height: childrenRect.height
        anchors.verticalCenter: parent.verticalCenter
    }
    TapHandler {
        enabled: !card.disabled
        gesturePolicy: TapHandler.ReleaseWithinBounds
        onTapped: card.chosen()
    }
}
