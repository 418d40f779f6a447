import QtQuick
import Orbitdeck.Settings
import Orbitdeck.State

// Grid: columns, rows per page and a custom icon size.
Column {
    id: page
    required property SettingsSheetModel model
    property SheetTheme theme
    readonly property WindowSettings settings: model ? model.settings : null
    readonly property int iconSize: settings ? settings.customIconSize : 0

    spacing: 18

    SettingsCard {
        theme: page.theme
        LabeledRow {
            theme: page.theme
            title: "Columns"
            SettingsPicker {
                objectName: "library-columns"
                theme: page.theme
                entries: page.model ? page.model.columnChoices : []
                value: page.settings ? page.settings.customColumns : 0
                onChosen: value => page.settings.customColumns = value
            }
        }
        LabeledRow {
            theme: page.theme
            title: "Rows per page"
            // Scrolling has no pages; the stored rows wait unchanged.
            enabled: page.settings ? page.settings.browsing !== Setting.LibraryBrowsing.scroll : true
            SettingsPicker {
                objectName: "library-rows"
                theme: page.theme
                entries: page.model ? page.model.rowChoices : []
                value: page.settings ? page.settings.customRows : 0
                onChosen: value => page.settings.customRows = value
            }
        }
        SettingsSwitch {
            objectName: "library-custom-icon-size"
            theme: page.theme
            title: "Custom icon size"
            checked: page.iconSize > 0
            onToggled: on => page.model.setCustomIconSize(on)
        }
        CardRow {
            visible: page.iconSize >= 1
            Row {
                anchors.verticalCenter: parent.verticalCenter
                width: parent.width
                spacing: 8
                SettingsSlider {
                    objectName: "library-icon-size"
                    anchors.verticalCenter: parent.verticalCenter
                    width: parent.width - sizeText.width - 8
                    theme: page.theme
                    Accessible.name: page.theme.tr("Icon size")
                    from: 32
                    to: 112
                    stepSize: 1
                    value: page.iconSize
                    onMovedTo: position => page.model.setIconSizeFromSlider(position)
                }
                Text {
                    id: sizeText
                    anchors.verticalCenter: parent.verticalCenter
                    text: page.theme.format("%lld pt", [page.iconSize])
                    font.pixelSize: 11
                    color: page.theme.secondary
                }
            }
        }
    }
    Text {
        leftPadding: 9
        topPadding: 3
        text: page.theme.tr("Dense grids scale to fit the available space.")
        font.pixelSize: 11
        color: page.theme.secondary
    }
}
