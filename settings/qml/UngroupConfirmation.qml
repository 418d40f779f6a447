import QtQuick
import QtQuick.Controls.Basic

// "Ungroup all folders?" over the sheet: the destructive choice, or cancel. Either ends it.
Item {
    id: dialog
    property SheetTheme theme
    signal confirmed()
    signal cancelled()

    Rectangle {
        anchors.fill: parent
        color: Qt.rgba(0, 0, 0, 0.3)
        MouseArea { anchors.fill: parent; acceptedButtons: Qt.AllButtons }
    }
    Rectangle {
        objectName: "settings-ungroup-confirmation"
        anchors.centerIn: parent
        width: 300
        height: content.height + 36
        radius: 12
        color: dialog.theme.popup
        border.width: 0.5
        border.color: dialog.theme.primaryAt(0.15)
        Column {
            id: content
            x: 18
            y: 18
            width: parent.width - 36
            spacing: 10
            Text {
                width: parent.width
                text: dialog.theme.tr("Ungroup all folders?")
                font.pixelSize: 13
                font.bold: true
                color: dialog.theme.primary
                wrapMode: Text.Wrap
                horizontalAlignment: Text.AlignHCenter
            }
            Text {
                width: parent.width
                text: dialog.theme.tr("Apps will return to the main grid.")
                font.pixelSize: 11
                color: dialog.theme.secondary
                wrapMode: Text.Wrap
                horizontalAlignment: Text.AlignHCenter
            }
            Button {
                objectName: "settings-ungroup-confirm"
                width: parent.width
                text: dialog.theme.tr("Ungroup all folders")
                palette.buttonText: "#ff453a"
                onClicked: dialog.confirmed()
            }
            Button {
                objectName: "settings-ungroup-cancel"
                width: parent.width
                text: dialog.theme.tr("Cancel")
                onClicked: dialog.cancelled()
            }
        }
    }
    Keys.onEscapePressed: cancelled()
}
