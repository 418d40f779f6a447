import QtQuick
import QtQuick.Controls.Basic

// A small slider in the accent colour. It shows `value` and reports moves through `moved`.
Slider {
    id: slider
    property SheetTheme theme
    signal movedTo(real position)

    implicitHeight: 18
    onMoved: movedTo(value)

    background: Rectangle {
        x: slider.leftPadding
        y: slider.topPadding + slider.availableHeight / 2 - height / 2
        width: slider.availableWidth
        height: 4
        radius: 2
        color: slider.theme.primaryAt(0.14)
        Rectangle {
            width: slider.visualPosition * parent.width
            height: parent.height
            radius: 2
            color: slider.theme.accent
        }
    }
    handle: Rectangle {
        x: slider.leftPadding + slider.visualPosition * (slider.availableWidth - width)
        y: slider.topPadding + slider.availableHeight / 2 - height / 2
        width: 14
        height: 14
        radius: 7
        color: slider.pressed ? "#e8e8e8" : "white"
        border.width: 0.5
        border.color: Qt.rgba(0, 0, 0, 0.25)
    }
}
