import QtQuick
import QtQuick.Shapes as Shapes
import Qt5Compat.GraphicalEffects

// The blurred, enlarged and tinted desktop picture, or the skin's gradient, under a vignette.
Item {
    id: backdrop
    property string skin: "night"          // resolved skin
    property url wallpaper: ""             // none: the gradient shows
    property real wallpaperBlur: 12

    readonly property bool hasWallpaper: wallpaper.toString() !== "" && picture.status === Image.Ready
    readonly property real blurRadius: Math.max(wallpaperBlur, 1) * 2.2
    // FastBlur stops at 64: larger radii blur a reduced copy that is scaled back up.
    readonly property real blurScale: blurRadius > 64 ? 64 / blurRadius : 1

    clip: true
    layer.enabled: true
    Accessible.ignored: true

    Item {
        id: wallpaperLayer
        anchors.fill: parent
        visible: backdrop.hasWallpaper

        Item {
            id: reduced
            width: parent.width * backdrop.blurScale
            height: parent.height * backdrop.blurScale
            anchors.centerIn: parent
            scale: 1 / backdrop.blurScale

            Image {
                id: picture
                anchors.fill: parent
                source: backdrop.wallpaper
                fillMode: Image.PreserveAspectCrop
                scale: 1.12
                visible: false
                asynchronous: false
                cache: false
            }
            HueSaturation {
                id: saturated
                anchors.fill: parent
                source: picture
                saturation: 0.1
                visible: false
            }
            FastBlur {
                anchors.fill: parent
                source: saturated
                radius: backdrop.blurRadius * backdrop.blurScale
                transparentBorder: false
            }
        }
        Rectangle {
            anchors.fill: parent
            color: Skin.tint(backdrop.skin)
        }
    }

    Rectangle {
        objectName: "library-backdrop-gradient"
        anchors.fill: parent
        visible: !backdrop.hasWallpaper
        gradient: Gradient {
            GradientStop { position: 0; color: Skin.gradientTop(backdrop.skin) }
            GradientStop { position: 1; color: Skin.gradientBottom(backdrop.skin) }
        }
    }

    // Clear within 0.35 x width of the centre, black at the vignette opacity from 0.8 x width.
    Shapes.Shape {
        anchors.fill: parent
        Shapes.ShapePath {
            strokeWidth: -1
            fillGradient: Shapes.RadialGradient {
                centerX: backdrop.width / 2
                centerY: backdrop.height / 2
                centerRadius: 0.8 * backdrop.width
                focalX: centerX
                focalY: centerY
                focalRadius: 0
                spread: Shapes.ShapeGradient.PadSpread
                GradientStop { position: 0; color: "transparent" }
                GradientStop { position: 0.35 / 0.8; color: "transparent" }
                GradientStop { position: 1; color: Qt.rgba(0, 0, 0, Skin.vignetteOpacity(backdrop.skin)) }
            }
            startX: 0; startY: 0
            PathLine { x: backdrop.width; y: 0 }
            PathLine { x: backdrop.width; y: backdrop.height }
            PathLine { x: 0; y: backdrop.height }
            PathLine { x: 0; y: 0 }
        }
    }
}
