pragma ComponentBehavior: Bound
import QtQuick

// A rounded panel stacking its rows with a thin separator between each shown row and the next.
// A row that is not visible takes no space and gets no separator.
Item {
    id: card
    property SheetTheme theme
    default property alias rows: stack.data

    width: parent ? parent.width : 0
    implicitHeight: stack.height + 4

    Rectangle {
        anchors.fill: parent
        radius: 12
        color: card.theme.primaryAt(0.045)
        border.width: 0.5
        border.color: card.theme.primaryAt(0.07)
    }

    Column {
        id: stack
        x: 14
        y: 2
        width: card.width - 28
        spacing: 0.5
        onPositioningComplete: separators.model = card.separatorPositions()
    }

    Repeater {
        id: separators
        Rectangle {
            required property real modelData
            x: 14
            y: 2 + modelData - 0.5
            width: card.width - 28
            height: 0.5
            color: card.theme.primaryAt(0.08)
        }
    }

    // Tops of every shown row after the first.
    function separatorPositions() {
        const tops = []
        let first = true
        for (let i = 0; i < stack.children.length; ++i) {
            const row = stack.children[i]
            if (!row.visible || row.height <= 0)
                continue
            if (!first)
                tops.push(row.y)
            first = false
        }
        return tops
    }
    // How many separators show (tests).
    readonly property int separatorCount: separators.count
}
