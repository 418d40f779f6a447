pragma ComponentBehavior: Bound
import QtQuick
import Orbitdeck.Settings
import Orbitdeck.State
import Orbitdeck.Views

// Appearance: the app's icon, the theme, motion and names, and the wallpaper.
Column {
    id: page
    required property SettingsSheetModel model
    property SheetTheme theme
    readonly property WindowSettings settings: model ? model.settings : null

    spacing: 9

    SectionHeading { theme: page.theme; key: "App icon" }
    SettingsCard {
        id: iconCard
        theme: page.theme
        CardRow {
            contentHeight: iconPicker.implicitHeight
            AppIconPicker {
                id: iconPicker
                model: page.model
                theme: page.theme
            }
        }
    }

    SectionHeading { theme: page.theme; key: "Theme" }
    SettingsCard {
        theme: page.theme
        CardRow {
            contentHeight: swatches.height + 8
            Row {
                id: swatches
                y: 4
                width: parent.width
                spacing: 10
                Repeater {
                    model: ListModel {
                        ListElement { option: "night"; skin: Setting.LibrarySkin.night }
                        ListElement { option: "dusk"; skin: Setting.LibrarySkin.dusk }
                        ListElement { option: "paper"; skin: Setting.LibrarySkin.paper }
                        ListElement { option: "auto"; skin: Setting.LibrarySkin.automatic }
                    }
                    delegate: ThemeSwatch {
                        id: swatch
                        required option
                        required property int skin
                        width: (swatches.width - 30) / 4
                        theme: page.theme
                        resolved: ViewServices.resolvedSkin(skin, ViewServices.desktopRevision)
                        selected: page.settings ? page.settings.skin === skin : false
                        onActivated: page.settings.skin = swatch.skin
                    }
                }
            }
        }
    }

    SettingsCard {
        theme: page.theme
        LabeledRow {
            theme: page.theme
            title: "Motion"
            SegmentedPicker {
                objectName: "effects-picker"
                width: 210
                theme: page.theme
                entries: EnumChoices.effects
                value: page.settings ? page.settings.effects : Setting.LibraryEffects.fluid
                onChosen: value => page.settings.effects = value
            }
        }
        SettingsSwitch {
            theme: page.theme
            title: "Show app names"
            checked: page.settings ? page.settings.labels : true
            onToggled: on => page.settings.labels = on
        }
        SettingsSwitch {
            theme: page.theme
            title: "Show folder names"
            checked: page.settings ? page.settings.folderLabels : true
            onToggled: on => page.settings.folderLabels = on
        }
    }

    SettingsCard {
        theme: page.theme
        SettingsSwitch {
            objectName: "appearance-wallpaper"
            theme: page.theme
            title: "Use desktop wallpaper"
            checked: page.settings ? page.settings.showWallpaper : true
            onToggled: on => page.settings.showWallpaper = on
        }
        LabeledRow {
            theme: page.theme
            title: "Wallpaper blur"
            visible: page.settings ? page.settings.showWallpaper : true
            SettingsSlider {
                objectName: "appearance-wallpaper-blur"
                width: 220
                theme: page.theme
                from: 0
                to: 36
                value: page.settings ? page.settings.wallpaperBlur : 12
                onMovedTo: position => page.settings.wallpaperBlur = position
            }
        }
        CardRow {
            visible: (page.settings ? page.settings.showWallpaper : true)
                     && (page.model ? page.model.wallpaperUnavailable : false)
            contentHeight: note.implicitHeight
            Text {
                id: note
                objectName: "appearance-wallpaper-unavailable"
                width: parent.width
                text: page.theme.tr("The desktop wallpaper is unavailable. The selected skin is shown.")
                font.pixelSize: 11
                color: page.theme.secondary
                wrapMode: Text.Wrap
            }
        }
    }
}
