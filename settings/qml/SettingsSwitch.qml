import QtQuick

// An on/off setting: its title on the left and a small switch on the right. The switch shows
// `checked`; a click reports the new position through `toggled` and leaves storing to the caller.
CardRow {
    id: row
    property SheetTheme theme
    property string title
    property bool checked
    signal toggled(bool on)

    Text {
        anchors { left: parent.left; verticalCenter: parent.verticalCenter }
        width: Math.max(0, row.width - toggle.width - 18)
        text: row.theme.tr(row.title)
        font.pixelSize: 13
        color: row.enabled ? row.theme.primary : row.theme.tertiary
        elide: Text.ElideRight
    }
    MiniSwitch {
        id: toggle
        objectName: row.objectName ? row.objectName + "-switch" : ""
        anchors { right: parent.right; verticalCenter: parent.verticalCenter }
        theme: row.theme
        checked: row.checked
        onToggled: on => row.toggled(on)
    }
}
