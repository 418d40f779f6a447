import QtQuick

// A small on/off switch in the accent colour; it shows `checked` and asks through `toggled`.
Item {
    id: control
    property SheetTheme theme
    property bool checked
    signal toggled(bool on)

    implicitWidth: 26
    implicitHeight: 15
    opacity: enabled ? 1 : 0.45
    activeFocusOnTab: true
    Accessible.role: Accessible.CheckBox
    Accessible.checked: checked

    Rectangle {
        anchors.fill: parent
        radius: height / 2
        color: control.checked ? control.theme.accent : control.theme.primaryAt(0.18)
        Behavior on color { enabled: control.theme.motion; ColorAnimation { duration: 120 } }
    }
    Rectangle {
        width: parent.height - 2
        height: width
        radius: width / 2
        y: 1
        x: control.checked ? parent.width - width - 1 : 1
        color: "white"
        Behavior on x { enabled: control.theme.motion; NumberAnimation { duration: 120; easing.type: Easing.OutCubic } }
    }
    MouseArea {
        anchors.fill: parent
        anchors.margins: -4
        onClicked: control.toggled(!control.checked)
    }
    Keys.onSpacePressed: toggled(!checked)
}
