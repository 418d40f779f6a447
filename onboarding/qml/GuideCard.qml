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
    radius: 12
    color: skin === "paper" ? Qt.rgba(0.96, 0.96, 0.97, 1) : Qt.rgba(0.15, 0.16, 0.19, 1)
    border.width: 0.5
    border.color: skin === "paper" ? Qt.rgba(0, 0, 0, 0.15) : Qt.rgba(1, 1, 1, 0.12)

    Rectangle {
        anchors.fill: parent
        radius: card.radius
        gradient: Gradient {
            GradientStop { position: 0; color: Qt.rgba(card.topColor.r, card.topColor.g, card.topColor.b, 0.35) }
            GradientStop { position: 1; color: Qt.rgba(card.bottomColor.r, card.bottomColor.g, card.bottomColor.b, 0.12) }
        }
    }
}
