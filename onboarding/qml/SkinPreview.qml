import QtQuick
import Orbitdeck.Views

// A theme's own gradient, corner to corner, with its accent as a dot.
Canvas {
    id: preview
    property string skin: "night"
    readonly property color topColor: Skin.gradientTop(skin)
    readonly property color bottomColor: Skin.gradientBottom(skin)
    readonly property color accent: Skin.accent(skin)

    height: 58
    onSkinChanged: requestPaint()
    onWidthChanged: requestPaint()
    onPaint: {
        const ctx = getContext("2d")
        ctx.reset()
        const fill = ctx.createLinearGradient(width, 0, 0, height)
        fill.addColorStop(0, topColor)
        fill.addColorStop(1, bottomColor)
        ctx.fillStyle = fill
        ctx.beginPath()
        ctx.roundedRect(0, 0, width, height, 8, 8)
        ctx.fill()
    }

    Rectangle {
        width: 10; height: 10; radius: 5
        anchors { right: parent.right; bottom: parent.bottom; margins: 7 }
        color: preview.accent
    }
}
