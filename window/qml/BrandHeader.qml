import QtQuick
import Orbitdeck.State
import Orbitdeck.Views

// The application's icon and name at the leading side of the top bar; on a glass capsule in
// full screen.
Item {
    id: brand
    property string title: "Orbitdeck"
    property string skin: "night"
    property bool fullScreen: false
    property int appIcon: Setting.AppIconStyle.midnight

    implicitWidth: row.implicitWidth + (fullScreen ? 18 : 0)
    implicitHeight: row.implicitHeight + (fullScreen ? 8 : 0)

    GlassCapsule {
        visible: brand.fullScreen
        width: brand.implicitWidth
        height: brand.implicitHeight
        anchors.verticalCenter: parent.verticalCenter
        skin: brand.skin
    }
    Row {
        id: row
        x: brand.fullScreen ? 6 : 0
        anchors.verticalCenter: parent.verticalCenter
        spacing: 7
        Image {
            width: 24
            height: 24
            objectName: "library-brand-icon"
            source: Skin.appIcon(brand.appIcon)
            sourceSize: LibraryGridMath.pixelSize(48, 48)
            smooth: true
            Accessible.ignored: true
        }
        Text {
            objectName: "library-brand-title"
            anchors.verticalCenter: parent.verticalCenter
            text: brand.title
            font.pixelSize: 13
            font.weight: Font.DemiBold
            color: Skin.inkAt(brand.skin, 0.85)
        }
    }
}
