pragma ComponentBehavior: Bound
import QtQuick
import Orbitdeck.State
import Orbitdeck.Views

// The second page: the global shortcut, written the moment it is picked.
Column {
    id: page
    required property color accent
    required property color ink
    required property GuideText texts
    required property bool reduceMotion
    required property int hotKey

    signal picked(int value)

    spacing: 16

    StepHeader {
        width: parent.width
        symbol: "keyboard"
        title: page.texts.tr("Pick a shortcut")
        subtitle: page.texts.tr("Show or hide Orbitdeck from any app.")
        accent: page.accent
        ink: page.ink
    }
    Grid {
        width: parent.width
        columns: 2
        columnSpacing: 10
        rowSpacing: 10
        Repeater {
            model: [[Setting.LibraryHotKey.off, "Off"], [Setting.LibraryHotKey.optionSpace, "⌥ Space"],
                    [Setting.LibraryHotKey.commandOptionSpace, "⌘⌥ Space"],
                    [Setting.LibraryHotKey.controlOptionSpace, "⌃⌥ Space"]]
            OptionCard {
                id: option
                required property var modelData
                width: (page.width - 10) / 2
                selected: page.hotKey === option.modelData[0]
                accent: page.accent
                ink: page.ink
                reduceMotion: page.reduceMotion
                onChosen: page.picked(option.modelData[0])
                Text {
                    width: parent.width
                    horizontalAlignment: Text.AlignHCenter
                    text: page.texts.tr(option.modelData[1])
                    font.pixelSize: 17
                    font.weight: Font.DemiBold
                    color: page.ink
                }
            }
        }
    }
    Text {
        width: parent.width
        wrapMode: Text.WordWrap
        text: page.texts.tr("If a shortcut is already used by another app, pick a different one. You can change it later in Settings → General.")
        font.pointSize: LibraryGridMath.fontPoints(11.5)
        color: Qt.rgba(page.ink.r, page.ink.g, page.ink.b, 0.6)
    }
}
