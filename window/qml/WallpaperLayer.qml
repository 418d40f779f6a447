import QtQuick
import Qt5Compat.GraphicalEffects

// The desktop picture of a LibraryBackdrop: enlarged, desaturated, blurred and tinted per skin.
Item {
    id: wall
    property LibraryBackdrop backdrop: null
    readonly property bool ready: picture.status === Image.Ready
    Binding {
        target: wall.backdrop
        property: "wallpaperReady"
        value: wall.ready
        when: wall.backdrop !== null
    }
    readonly property real blurRadius: Math.max(backdrop ? backdrop.wallpaperBlur : 12, 1) * 2.2
    // FastBlur stops at 64: larger radii blur a reduced copy that is scaled back up.
    readonly property real blurScale: blurRadius > 64 ? 64 / blurRadius : 1

    Item {
        id: reduced
        width: parent.width * wall.blurScale
        height: parent.height * wall.blurScale
        anchors.centerIn: parent
        scale: 1 / wall.blurScale

        Image {
            id: picture
            anchors.fill: parent
            source: wall.backdrop ? wall.backdrop.wallpaper : ""
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
            radius: wall.blurRadius * wall.blurScale
            transparentBorder: false
        }
    }
    Rectangle {
        anchors.fill: parent
        color: Skin.tint(wall.backdrop ? wall.backdrop.skin : "night")
    }
}
