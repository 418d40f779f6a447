import QtQuick
import QtQuick.Controls.Basic

// A small bordered push button inside a card row, titled by a string-table key.
Button {
    id: button
    property SheetTheme theme
    property string title

    text: theme.tr(title)
    font.pixelSize: 11
    implicitHeight: 20
    leftPadding: 9
    rightPadding: 9
    opacity: enabled ? 1 : 0.45
    Accessible.name: text

    contentItem: Text {
        text: button.text
        font: button.font
        color: button.theme.primary
        verticalAlignment: Text.AlignVCenter
        horizontalAlignment: Text.AlignHCenter
    }
    background: Rectangle {
        radius: 5
        color: button.theme.primaryAt(button.down ? 0.16 : 0.09)
        border.width: 0.5
        border.color: button.theme.primaryAt(0.12)
    }
}
