pragma ComponentBehavior: Bound
import QtQuick
import Orbitdeck.Views

// A selectable preview of one skin: its backdrop gradient (for "auto" a paper half and a night
// half), three colour squares and its name. `resolved` is the skin `option` shows as now.
Item {
    id: swatch
    property SheetTheme theme
    property string option: "night"
    property string resolved: option
    property bool selected
    signal activated()

    readonly property string title: option === "dusk" ? "Plum" : option === "paper" ? "Paper"
                                  : option === "auto" ? "Match macOS" : "Midnight"
    readonly property color optionAccent: Skin.accent(resolved)

    objectName: "skin-" + option
    implicitHeight: preview.height + 6 + label.implicitHeight
    Accessible.role: Accessible.Button
    Accessible.name: theme.tr(title)
    Accessible.description: selected ? theme.tr("Selected") : ""
    Accessible.selected: selected
    Accessible.onPressAction: activated()

    Item {
        id: preview
        width: parent.width
        height: 46

        // One gradient, or for "auto" a paper half and a night half: each half is rounded on
        // its outer side only, its inner corners squared by a strip of the same gradient.
        Row {
            anchors.fill: parent
            Repeater {
                model: swatch.option === "auto" ? ["paper", "night"] : [swatch.option]
                delegate: Item {
                    id: half
                    required property string modelData
                    required property int index
                    readonly property bool split: swatch.option === "auto"
                    width: preview.width / (half.split ? 2 : 1)
                    height: preview.height
                    Gradient {
                        id: fill
                        GradientStop { position: 0; color: Skin.gradientTop(half.modelData) }
                        GradientStop { position: 1; color: Skin.gradientBottom(half.modelData) }
                    }
                    Rectangle { anchors.fill: parent; radius: 9; gradient: fill }
                    Rectangle {
                        visible: half.split
                        width: 9
                        height: parent.height
                        x: half.index === 0 ? parent.width - width : 0
                        gradient: fill
                    }
                }
            }
        }
        Rectangle {
            anchors.fill: parent
            radius: 9
            color: "transparent"
            border.width: swatch.selected ? 2 : 0.5
            border.color: swatch.selected ? swatch.optionAccent : swatch.theme.primaryAt(0.12)
        }
        Row {
            anchors.centerIn: parent
            spacing: 5
            Repeater {
                model: [swatch.optionAccent, "#ff9500", "#007aff"]
                delegate: Rectangle {
                    required property color modelData
                    width: 14
                    height: 14
                    radius: 4
                    color: modelData
                    opacity: 0.9
                }
            }
        }
    }
    Text {
        id: label
        anchors { top: preview.bottom; topMargin: 6; horizontalCenter: parent.horizontalCenter }
        width: Math.min(implicitWidth, parent.width)
        text: swatch.theme.tr(swatch.title)
        font.pixelSize: 11
        font.weight: swatch.selected ? Font.DemiBold : Font.Normal
        color: swatch.theme.primary
        elide: Text.ElideRight
        maximumLineCount: 1
    }
    MouseArea { anchors.fill: parent; onClicked: swatch.activated() }
}
