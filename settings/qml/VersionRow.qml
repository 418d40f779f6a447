import QtQuick
import Orbitdeck.State
import Orbitdeck.Views
import QtQuick.Controls.Basic

// The app's icon, name and version, and "Check for Updates…".
Item {
    id: row
    property SheetTheme theme
    property string versionText
    property bool canCheckForUpdates
    property int appIcon: Setting.AppIconStyle.midnight
    signal checkForUpdates()

    width: parent ? parent.width : 0
    implicitHeight: 4 + 30

    Image {
        id: icon
        objectName: "library-version-icon"
        x: 12
        y: 4
        width: 30
        height: 30
        sourceSize { width: 60; height: 60 }
        source: Skin.appIcon(row.appIcon)
        smooth: true
        mipmap: true
    }
    Column {
        anchors { left: icon.right; leftMargin: 10; verticalCenter: icon.verticalCenter }
        spacing: 1
        Text {
            text: "Orbitdeck"
            font.pixelSize: 13
            font.weight: Font.DemiBold
            color: row.theme.primary
        }
        Text {
            objectName: "library-version"
            text: row.versionText
            font.pixelSize: 11
            color: row.theme.secondary
        }
    }
    Button {
        id: check
        objectName: "library-check-updates"
        anchors { right: parent.right; rightMargin: 12; verticalCenter: icon.verticalCenter }
        enabled: row.canCheckForUpdates
        text: row.theme.tr("Check for Updates…")
        font.pixelSize: 12
        implicitHeight: 22
        leftPadding: 10
        rightPadding: 10
        onClicked: row.checkForUpdates()
        contentItem: Text {
            text: check.text
            font: check.font
            color: row.theme.primary
            opacity: check.enabled ? 1 : 0.45
            verticalAlignment: Text.AlignVCenter
        }
        background: Rectangle {
            radius: 5
            color: row.theme.primaryAt(check.down ? 0.16 : 0.09)
            border.width: 0.5
            border.color: row.theme.primaryAt(0.12)
        }
    }
}
