pragma ComponentBehavior: Bound
import QtQuick
import Orbitdeck.Views

// The first page: the app's icon, a greeting and three things worth knowing.
Column {
    id: page
    required property color accent
    required property color ink
    required property GuideText texts
    required property int appIcon
    readonly property color secondary: Qt.rgba(ink.r, ink.g, ink.b, 0.6)

    spacing: 14

    Item {
        width: 108; height: 108
        anchors.horizontalCenter: parent.horizontalCenter
        // The accent glow under the icon, painted once in software: no shader to build.
        Canvas {
            readonly property real spread: 40
            x: -spread; y: -spread
            width: 108 + 2 * spread; height: 108 + 2 * spread
            readonly property color glow: Qt.rgba(page.accent.r, page.accent.g, page.accent.b, 0.35)
            onGlowChanged: requestPaint()
            onPaint: {
                const ctx = getContext("2d")
                ctx.reset()
                ctx.shadowColor = glow
                ctx.shadowBlur = 24
                ctx.shadowOffsetY = 8
                ctx.fillStyle = glow
                ctx.beginPath()
                ctx.roundedRect(spread + 6, spread + 6, 96, 96, 22, 22)
                ctx.fill()
            }
        }
        Image {
            anchors.fill: parent
            objectName: "welcome-icon"
            source: Skin.appIcon(page.appIcon)
            sourceSize { width: 216; height: 216 }
            smooth: true
            mipmap: true
        }
    }
    Text {
        width: parent.width
        horizontalAlignment: Text.AlignHCenter
        text: page.texts.tr("Welcome to Orbitdeck")
        font.pixelSize: 26
        font.bold: true
        color: page.ink
    }
    Text {
        width: parent.width
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.WordWrap
        text: page.texts.tr("Your apps, one keystroke away. Let’s set things up in under a minute.")
        font.pixelSize: 13
        color: page.secondary
    }
    Column {
        id: points
        anchors.horizontalCenter: parent.horizontalCenter
        width: Math.min(400, parent.width)
        topPadding: 10
        spacing: 11
        Repeater {
            model: [
                ["bolt.fill", "Instant launch",
                 "Press your shortcut, type a few letters (pinyin works too), hit Return."],
                ["square.grid.3x3.fill", "Launchpad-style folders",
                 "Long-press an icon, then drag it onto another to make a folder."],
                ["arrow.uturn.backward", "Nothing is final",
                 "⌘Z undoes moves, hiding and even uninstalling."],
            ]
            Row {
                id: point
                required property var modelData
                width: points.width
                spacing: 12
                Rectangle {
                    width: 30; height: 30; radius: 8
                    color: Qt.rgba(page.accent.r, page.accent.g, page.accent.b, 0.14)
                    Symbol { anchors.centerIn: parent; name: point.modelData[0]; size: 13; color: page.accent }
                }
                Column {
                    width: parent.width - 42
                    spacing: 2
                    Text {
                        width: parent.width
                        text: page.texts.tr(point.modelData[1])
                        font.pixelSize: 13
                        font.weight: Font.DemiBold
                        color: page.ink
                    }
                    Text {
                        width: parent.width
                        wrapMode: Text.WordWrap
                        text: page.texts.tr(point.modelData[2])
                        font.pixelSize: 12
                        color: page.secondary
                    }
                }
            }
        }
    }
}
