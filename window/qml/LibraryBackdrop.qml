import QtQuick
import Orbitdeck.Views

// The blurred, enlarged and tinted desktop picture, or the skin's gradient, under a vignette.
Item {
    id: backdrop
    property string skin: "night"          // resolved skin
    property url wallpaper: ""             // none: the gradient shows
    property real wallpaperBlur: 12
    // The gradient at the window's size, from the first input on.
    property bool sharp: ViewHost.inputSeen

    // Set by the picture's layer once its picture is in.
    property bool wallpaperReady: false
    readonly property bool hasWallpaper: String(wallpaper) !== "" && wallpaperLayer.item !== null
                                         && wallpaperReady

    clip: true
    Accessible.ignored: true

    // Opaque, so nothing beneath it is drawn.
    BackdropGradient {
        objectName: "library-backdrop-gradient"
        anchors.fill: parent
        visible: !backdrop.hasWallpaper
        topColor: Skin.gradientTop(backdrop.skin)
        bottomColor: Skin.gradientBottom(backdrop.skin)
        vignette: Skin.vignetteOpacity(backdrop.skin)
        sharp: backdrop.sharp
    }

    // The picture and its vignette, drawn once into a layer of the full size.
    Item {
        anchors.fill: parent
        visible: backdrop.hasWallpaper
        layer.enabled: visible
        layer.smooth: false

        // The picture's layer needs the graphical effects: made only when there is a picture.
        Loader {
            id: wallpaperLayer
            anchors.fill: parent
            active: String(backdrop.wallpaper) !== ""
            source: "WallpaperLayer.qml"
            onLoaded: item.backdrop = backdrop
        }
        BackdropGradient {
            anchors.fill: parent
            visible: String(backdrop.wallpaper) !== ""
            vignetteOnly: true
            vignette: Skin.vignetteOpacity(backdrop.skin)
        }
    }
}
