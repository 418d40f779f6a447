pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import Orbitdeck.Settings

// A menu-style picker over its entries; a title that is a key is looked up in the interface
// language, any other is shown as it stands. It shows `value` and asks through `chosen`; a value
// that is no entry shows as an empty choice.
ComboBox {
    id: picker
    property SheetTheme theme
    property list<pickerEntry> entries
    property int value
    signal chosen(int value)

    function titleOf(entry: pickerEntry): string { return entry.titleIsKey ? theme.tr(entry.title) : entry.title }
    function indexOfValue(v: int): int {
        for (let i = 0; i < entries.length; ++i)
            if (entries[i].value === v)
                return i
        return -1
    }

    model: {
        const titles = []
        for (const entry of entries)
            titles.push(titleOf(entry))
        return titles
    }
    // A new model resets the current index, so the shown entry is set again after it.
    readonly property int valueIndex: indexOfValue(value)
    onValueIndexChanged: currentIndex = valueIndex
    onCountChanged: reselect.restart()
    Component.onCompleted: currentIndex = valueIndex
    onActivated: index => chosen(entries[index].value)

    implicitHeight: 22
    implicitWidth: Math.max(90, contentWidth + 34)
    readonly property real contentWidth: measure.width
    font.pixelSize: 12
    opacity: enabled ? 1 : 0.45

    TextMetrics { id: measure; font: picker.font; text: picker.displayText }
    // Once the new model's entries are in.
    Timer { id: reselect; interval: 0; onTriggered: picker.currentIndex = picker.valueIndex }

    contentItem: Text {
        leftPadding: 9
        text: picker.displayText
        font: picker.font
        color: picker.theme.primary
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }
    indicator: Item {}
    background: Rectangle {
        radius: 5
        color: picker.theme.primaryAt(picker.down ? 0.16 : 0.09)
        border.width: 0.5
        border.color: picker.theme.primaryAt(0.12)
        Column {
            anchors { right: parent.right; rightMargin: 7; verticalCenter: parent.verticalCenter }
            spacing: -3
            Text { text: "▴"; font.pixelSize: 8; color: picker.theme.secondary }
            Text { text: "▾"; font.pixelSize: 8; color: picker.theme.secondary }
        }
    }
    delegate: ItemDelegate {
        id: entry
        required property int index
        required property string modelData
        width: ListView.view ? ListView.view.width : 0
        height: 24
        highlighted: picker.highlightedIndex === index
        // The check mark in a column of its own: titles padded with spaces to line up would
        // drift wherever a script's font draws the spaces at another width (Hangul).
        contentItem: Item {
            readonly property color ink: entry.highlighted ? "white" : picker.theme.primary
            Text {
                width: 16
                anchors.verticalCenter: parent.verticalCenter
                text: entry.index === picker.currentIndex ? "✓" : ""
                font.pixelSize: 12
                color: parent.ink
            }
            Text {
                objectName: "settings-picker-title"
                x: 16
                width: parent.width - x
                anchors.verticalCenter: parent.verticalCenter
                text: entry.modelData
                font.pixelSize: 12
                color: parent.ink
                elide: Text.ElideRight
            }
        }
        background: Rectangle {
            radius: 4
            color: entry.highlighted ? picker.theme.accentAt(picker.theme.dark ? 0.55 : 0.9) : "transparent"
        }
    }
    popup: Popup {
        y: picker.height + 2
        width: Math.max(picker.width, 160)
        implicitHeight: Math.min(contentItem.implicitHeight + 10, 320)
        padding: 5
        contentItem: ListView {
            clip: true
            implicitHeight: contentHeight
            model: picker.popup.visible ? picker.delegateModel : null
            currentIndex: picker.highlightedIndex
            boundsBehavior: Flickable.StopAtBounds
        }
        background: Rectangle {
            radius: 7
            color: picker.theme.popup
            border.width: 0.5
            border.color: picker.theme.primaryAt(0.18)
        }
    }
}
