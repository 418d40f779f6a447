pragma ComponentBehavior: Bound
import QtQuick
import Orbitdeck.State

// "Display mode": a pill with "Full screen" and "Window". Either button asks for its mode, also
// the one already chosen, which closes the sheet and applies the mode again.
LabeledRow {
    id: row
    property int mode: Setting.LibraryStartup.fullscreen
    signal modeChosen(int mode)

    title: "Display mode"

    Rectangle {
        id: pill
        width: buttons.width + 4
        height: buttons.height + 4
        radius: height / 2
        color: row.theme.primaryAt(0.06)

        // The selected capsule slides between the buttons.
        Rectangle {
            readonly property Item target: buttons.children[row.mode === Setting.LibraryStartup.window ? 1 : 0] || null
            x: 2 + (target ? target.x : 0)
            y: 2
            width: target ? target.width : 0
            height: 22
            radius: 11
            color: row.theme.accentAt(0.22)
            Behavior on x { enabled: row.theme.motion; SpringAnimation { spring: 4; damping: 0.4; epsilon: 0.25 } }
            Behavior on width { enabled: row.theme.motion; SpringAnimation { spring: 4; damping: 0.4; epsilon: 0.25 } }
        }
        Row {
            id: buttons
            x: 2
            y: 2
            spacing: 2
            Repeater {
                model: [{ mode: "fullscreen", value: Setting.LibraryStartup.fullscreen, title: "Full screen" },
                        { mode: "window", value: Setting.LibraryStartup.window, title: "Window" }]
                delegate: Item {
                    id: modeButton
                    required property var modelData
                    readonly property bool selected: modelData.value === row.mode
                    objectName: "startup-" + modelData.mode
                    width: label.implicitWidth + 20
                    height: 22
                    Accessible.role: Accessible.Button
                    Accessible.name: label.text
                    Accessible.selected: selected
                    Accessible.onPressAction: row.modeChosen(modelData.value)
                    Text {
                        id: label
                        anchors.centerIn: parent
                        text: row.theme.tr(modeButton.modelData.title)
                        font.pixelSize: 12
                        font.weight: modeButton.selected ? Font.DemiBold : Font.Normal
                        color: row.theme.primary
                    }
                    MouseArea { anchors.fill: parent; onClicked: row.modeChosen(modeButton.modelData.value) }
                }
            }
        }
    }
}
