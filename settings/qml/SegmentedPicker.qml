pragma ComponentBehavior: Bound
import QtQuick
import Orbitdeck.Settings

// A segmented choice over its entries (titles are table keys). It shows `value` and asks
// through `chosen`.
Rectangle {
    id: picker
    property SheetTheme theme
    property list<pickerEntry> entries
    property int value
    signal chosen(int value)

    implicitHeight: 22
    radius: 6
    color: theme.primaryAt(0.08)
    border.width: 0.5
    border.color: theme.primaryAt(0.1)

    Row {
        id: segments
        anchors { fill: parent; margins: 2 }
        Repeater {
            model: picker.entries
            delegate: Rectangle {
                id: segment
                required property pickerEntry modelData
                required property int index
                readonly property bool selected: modelData.value === picker.value
                objectName: picker.objectName ? picker.objectName + "-" + (modelData.name || modelData.value) : ""
                width: (picker.width - 4) / Math.max(1, picker.entries.length)
                height: segments.height
                radius: 4
                color: selected ? picker.theme.accentAt(picker.theme.dark ? 0.35 : 0.85) : "transparent"
                Accessible.role: Accessible.RadioButton
                Accessible.checked: selected
                Text {
                    anchors.centerIn: parent
                    text: picker.theme.tr(segment.modelData.title)
                    font.pixelSize: 12
                    font.weight: segment.selected ? Font.DemiBold : Font.Normal
                    color: segment.selected && !picker.theme.dark ? "white" : picker.theme.primary
                }
                MouseArea { anchors.fill: parent; onClicked: picker.chosen(segment.modelData.value) }
            }
        }
    }
}
