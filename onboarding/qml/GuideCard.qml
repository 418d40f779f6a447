import QtQuick
import Orbitdeck.Views

// The guide's fixed card: the skin's gradient, faint, over an opaque sheet material.
Rectangle {
    id: card
    property string skin: "night"
    readonly property color topColor: Skin.gradientTop(skin)
    readonly property color bottomColor: Skin.gradientBottom(skin)

    objectName: "onboarding-card"
    width: 560
    height: 480
    // Square and without a border of its own.
    color: skin === "paper" ? Qt.rgba(0.96, 0.96, 0.97, 1) : Qt.rgba(0.15, 0.16, 0.19, 1)

    Rectangle {
        anchors.fill: parent
        gradient: Gradient {
            GradientStop { position: 0; color: Qt.rgba(card.topColor.r, card.topColor.g, card.topColor.b, 0.35) }
            GradientStop { position: 1; color: Qt.rgba(card.bottomColor.r, card.bottomColor.g, card.bottomColor.b, 0.12) }
        }
    }
}
