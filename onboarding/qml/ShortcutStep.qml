import QtQuick
import Orbitdeck.State

// The second page: the global shortcut, written the moment it is picked.
Column {
    id: page
    property color accent
    property color ink
    property var tr: key => key
    property bool reduceMotion: false
    property int hotKey: Setting.LibraryHotKey.optionSpace

    signal picked(int value)

    spacing: 16

    StepHeader {
        width: parent.width
        symbol: "keyboard"
        title: page.tr("Pick a shortcut")
        subtitle: page.tr("Show or hide Orbitdeck from any app.")
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
                required property var modelData
                width: (page.width - 10) / 2
                selected: page.hotKey === modelData[0]
                accent: page.accent
                ink: page.ink
                reduceMotion: page.reduceMotion
                onChosen: page.picked(modelData[0])
                Text {
                    width: parent.width
                    horizontalAlignment: Text.AlignHCenter
                    text: page.tr(modelData[1])
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
        text: page.tr("If a shortcut is already used by another app, pick a different one. You can change it later in Settings → General.")
        font.pixelSize: 12
        color: Qt.rgba(page.ink.r, page.ink.g, page.ink.b, 0.6)
    }
}
