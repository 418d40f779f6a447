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
    // The chosen shortcut is held by another program; takenHotKeys lists every offered one
    // that is; on Wayland no program may take a global shortcut at all.
    property bool hotKeyRefused: false
    property list<int> takenHotKeys
    property bool waylandSession: false

    readonly property ListModel choices: ListModel {
        ListElement { value: Setting.LibraryHotKey.off; title: "Off" }
        ListElement { value: Setting.LibraryHotKey.optionSpace; title: "⌥ Space" }
        ListElement { value: Setting.LibraryHotKey.commandOptionSpace; title: "⌘⌥ Space" }
        ListElement { value: Setting.LibraryHotKey.controlOptionSpace; title: "⌃⌥ Space" }
    }
    readonly property color warning: page.ink.r > 0.5 ? Qt.rgba(1.0, 0.62, 0.3, 1) : Qt.rgba(0.78, 0.33, 0.0, 1)
    readonly property bool everyChordTaken: page.takenHotKeys.length >= page.choices.count - 1
    readonly property string chosenTitle: {
        for (let i = 0; i < page.choices.count; ++i) {
            if (page.choices.get(i).value === page.hotKey)
                return page.texts.tr(page.choices.get(i).title)
        }
        return ""
    }

    signal picked(int value)

    function taken(value: int): bool {
        if (value === Setting.LibraryHotKey.off)
            return false
        for (const taken of page.takenHotKeys) {
            if (taken === value)
                return true
        }
        return false
    }

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
            model: page.choices
            OptionCard {
                id: option
                required property int value
                required property string title
                width: (page.width - 10) / 2
                selected: page.hotKey === option.value
                accent: page.accent
                ink: page.ink
                reduceMotion: page.reduceMotion
                onChosen: page.picked(option.value)
                Column {
                    width: parent.width
                    Text {
                        width: parent.width
                        horizontalAlignment: Text.AlignHCenter
                        text: page.texts.tr(option.title)
                        font.pixelSize: 17
                        font.weight: Font.DemiBold
                        color: page.ink
                    }
                    Text {
                        width: parent.width
                        visible: page.taken(option.value)
                        horizontalAlignment: Text.AlignHCenter
                        text: page.texts.tr("In use by another program")
                        font.pixelSize: 11
                        color: page.warning
                        elide: Text.ElideRight
                    }
                }
            }
        }
    }
    // The chosen chord never reaches the launcher; the other cards stay one click away.
    Text {
        objectName: "onboarding-hotkey-refused"
        width: parent.width
        visible: page.hotKeyRefused && page.hotKey !== Setting.LibraryHotKey.off
        wrapMode: Text.WordWrap
        text: page.texts.tr("%@ is in use by another program: pick another shortcut.")
                  .replace(/%(1\$)?@/, page.chosenTitle)
        font.pixelSize: 12
        font.weight: Font.DemiBold
        color: page.warning
    }
    // No offered chord can be had: the desktop's own shortcut settings can run the launcher.
    Text {
        objectName: "onboarding-hotkey-bind"
        width: parent.width
        visible: page.waylandSession || page.everyChordTaken
        wrapMode: Text.WordWrap
        text: page.waylandSession
              ? page.texts.tr("On Wayland the desktop keeps global shortcuts and the screen’s corners to itself: bind “orbitdeck --toggle” to a key in the desktop’s keyboard settings to open Orbitdeck from anywhere.")
              : page.texts.tr("Every shortcut offered here is in use. Bind “orbitdeck --toggle” to a key in the desktop’s keyboard settings instead.")
        font.pixelSize: 12
        color: page.warning
    }
    Text {
        width: parent.width
        wrapMode: Text.WordWrap
        text: page.texts.tr("If a shortcut is already used by another app, pick a different one. You can change it later in Settings → Shortcuts.")
        font.pointSize: LibraryGridMath.fontPoints(11.5)
        color: Qt.rgba(page.ink.r, page.ink.g, page.ink.b, 0.6)
    }
}
