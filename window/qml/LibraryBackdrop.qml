import QtQuick
import QtQuick.Shapes as Shapes
import Orbitdeck.Views

// The blurred, enlarged and tinted desktop picture, or the skin's gradient, under a vignette.
Item {
    id: backdrop
    property string skin: "night"          // resolved skin
    property url wallpaper: ""             // none: the gradient shows
    property real wallpaperBlur: 12

    // Set by the picture's layer once its picture is in.
    property bool wallpaperReady: false
    readonly property bool hasWallpaper: String(wallpaper) !== "" && wallpaperLayer.item !== null
                                         && wallpaperReady

    clip: true
    layer.enabled: true
    // The gradient and the vignette are smooth: drawn at a quarter of the size and scaled up
    // they look the same, in a sixteenth of the memory. Scaled without filtering (within two
    // levels of the filtered look): the software renderer scales it again in every moving frame.
    // A picture keeps the full size.
    layer.smooth: false
    layer.textureSize: hasWallpaper ? LibraryGridMath.pixelSize(0, 0)
                                    : LibraryGridMath.pixelSize(width / 4, height / 4)
    Accessible.ignored: true

    // The picture's layer needs the graphical effects: made only when there is a picture.
    Loader {
        id: wallpaperLayer
        anchors.fill: parent
        active: String(backdrop.wallpaper) !== ""
        visible: backdrop.hasWallpaper
        source: "WallpaperLayer.qml"
        onLoaded: item.backdrop = backdrop
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
