import QtQuick
import Orbitdeck.Settings
import Orbitdeck.State

// General: the display mode; language, browsing and the behaviour switches; the version.
Column {
    id: page
    required property SettingsSheetModel model
    property SheetTheme theme
    readonly property WindowSettings settings: model ? model.settings : null
    readonly property SheetSettings sheetSettings: model ? model.sheetSettings : null

    spacing: 18

    SectionHeading { theme: page.theme; key: "Window" }
    SettingsCard {
        theme: page.theme
        DisplayModeRow {
            theme: page.theme
            mode: page.settings ? page.settings.startMode : Setting.LibraryStartup.fullscreen
            onModeChosen: mode => page.model.changeMode(mode)
        }
    }

    SectionHeading { theme: page.theme; key: "Behaviour" }
    SettingsCard {
        theme: page.theme
        LabeledRow {
            theme: page.theme
            title: "Language"
            SettingsPicker {
                objectName: "library-language"
                theme: page.theme
                entries: page.model ? page.model.languageChoices : []
                value: page.settings ? page.settings.language : Setting.LibraryLanguage.system
                onChosen: value => page.settings.language = value
            }
        }
        LabeledRow {
            theme: page.theme
            title: "Browsing"
            SettingsPicker {
                objectName: "library-browsing"
                theme: page.theme
                entries: [{ value: Setting.LibraryBrowsing.pages, title: "Horizontal pages", titleIsKey: true },
                          { value: Setting.LibraryBrowsing.scroll, title: "Vertical scrolling", titleIsKey: true }]
                value: page.settings ? page.settings.browsing : Setting.LibraryBrowsing.pages
                onChosen: value => page.settings.browsing = value
            }
        }
        SettingsSwitch {
            objectName: "library-remember-page"
            theme: page.theme
            title: "Remember last page"
            // Scrolling has no pages to remember; the stored choice waits unchanged.
            enabled: page.settings ? page.settings.browsing !== Setting.LibraryBrowsing.scroll : true
            checked: page.settings ? page.settings.rememberPage : false
            onToggled: on => page.settings.rememberPage = on
        }
        SettingsSwitch {
            objectName: "library-click-to-close"
            theme: page.theme
            title: "Click empty space to close"
            checked: page.settings ? page.settings.clickToClose : true
            onToggled: on => page.settings.clickToClose = on
        }
        SettingsSwitch {
            objectName: "library-menu-bar"
            theme: page.theme
            title: "Show in menu bar"
            checked: page.sheetSettings ? page.sheetSettings.menuBarIcon : true
            onToggled: on => page.sheetSettings.menuBarIcon = on
        }
        SettingsSwitch {
            objectName: "library-open-at-login"
            theme: page.theme
            title: "Open at login"
            checked: page.model ? page.model.openAtLogin : false
            onToggled: on => page.model.setOpenAtLogin(on)
        }
        CardRow {
            objectName: "library-login-error"
            visible: page.model ? page.model.loginError !== "" : false
            contentHeight: loginError.implicitHeight
            Text {
                id: loginError
                width: parent.width
                text: page.model ? page.model.loginError : ""
                font.pixelSize: 11
                color: "#ff453a"
                wrapMode: Text.Wrap
            }
        }
        SettingsActionRow {
            objectName: "library-show-welcome"
            theme: page.theme
            title: "Show welcome guide"
            symbol: "sparkles"
            onActivated: page.model.organize("welcome")
        }
    }

    VersionRow {
        theme: page.theme
        versionText: page.model ? page.model.versionText : ""
        canCheckForUpdates: page.model ? page.model.canCheckForUpdates : false
        appIcon: page.model && page.model.settings ? page.model.settings.appIcon : Setting.AppIconStyle.midnight
        onCheckForUpdates: page.model.checkForUpdates()
    }
}
