import QtQuick
import Orbitdeck.State
import QtQuick.Controls.Basic
import Orbitdeck.Views
import Orbitdeck.Settings

// Shortcuts: the global shortcut, a hot corner, pinch and the F4 key. The last three watch input
// meant for other applications; while one is on without that access, a notice asks for it.
Column {
    id: page
    required property SettingsSheetModel model
    property SheetTheme theme
    // The sheet's theme, or a stand-in while there is none (before loading, during teardown).
    readonly property SheetTheme look: theme ? theme : fallbackTheme
    readonly property WindowSettings settings: model ? model.settings : null
    readonly property SheetSettings triggers: model ? model.sheetSettings : null
    readonly property bool watchesInput: triggers !== null
                                         && (triggers.hotCorner !== Setting.HotCorner.off || triggers.pinchToOpen
                                             || triggers.f4Key)
    readonly property bool noticeShown: watchesInput && !(model && model.accessibilityGranted)

    spacing: 18

    SectionHeading { theme: page.look; key: "Open Orbitdeck with" }
    SettingsCard {
        theme: page.look
        LabeledRow {
            theme: page.look
            title: "Global shortcut"
            Column {
                spacing: 4
                SettingsPicker {
                    objectName: "library-hotkey"
                    anchors.right: parent.right
                    theme: page.look
                    entries: EnumChoices.hotKeys
                    value: page.settings ? page.settings.hotKey : Setting.LibraryHotKey.optionSpace
                    onChosen: value => page.settings.hotKey = value
                }
                // Another program holds the chord: pressing it will not reach the launcher.
                Text {
                    objectName: "library-hotkey-refused"
                    anchors.right: parent.right
                    visible: page.model ? page.model.hotKeyRefused : false
                    text: page.look.tr("In use by another program")
                    font.pixelSize: 11
                    color: page.look.warning
                }
            }
        }
        LabeledRow {
            theme: page.look
            title: "Hot corner"
            SettingsPicker {
                objectName: "library-hot-corner"
                theme: page.look
                entries: EnumChoices.hotCorners
                value: page.triggers ? page.triggers.hotCorner : Setting.HotCorner.off
                onChosen: value => page.triggers.hotCorner = value
            }
        }
        SettingsSwitch {
            objectName: "library-pinch"
            theme: page.look
            title: "Pinch with four fingers to open"
            checked: page.triggers ? page.triggers.pinchToOpen : false
            onToggled: on => page.triggers.pinchToOpen = on
        }
        SettingsSwitch {
            objectName: "library-f4"
            theme: page.look
            // F4 or XF86LaunchB, the key Apple keyboards mark for the launcher.
            title: "Open with F4 or the keyboard’s launcher key"
            checked: page.triggers ? page.triggers.f4Key : false
            onToggled: on => page.triggers.f4Key = on
        }
        CardRow {
            objectName: "shortcuts-permission-notice"
            visible: page.noticeShown
            contentHeight: notice.height
            PermissionNotice {
                id: notice
                width: parent.width
                theme: page.look
                // Nothing to prompt for here beyond asking again whether input may be watched.
                onAllowRequested: page.model.refreshAccessibility()
            }
        }
    }
    // What the session lets the triggers do (an X11 session asks for no permission).
    Text {
        objectName: "shortcuts-footnote"
        width: parent.width
        leftPadding: 12
        rightPadding: 12
        text: page.model ? page.look.tr(page.model.shortcutsFootnote) : ""
        font.pixelSize: 11
        color: page.look.secondary
        wrapMode: Text.Wrap
    }

    SheetTheme { id: fallbackTheme }
}
