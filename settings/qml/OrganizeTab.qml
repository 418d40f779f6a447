pragma ComponentBehavior: Bound
import QtQuick
import Orbitdeck.State
import Orbitdeck.Settings

// Organize: the sort order, one-shot reorganisations, layout backups and the hidden apps. The
// tab performs nothing itself: the window's organiser runs each action, and an action it cannot
// run shows disabled.
Column {
    id: page
    required property SettingsSheetModel model
    property SheetTheme theme
    // The sheet's theme, or a stand-in while there is none (before loading, during teardown).
    readonly property SheetTheme look: theme ? theme : fallbackTheme
    readonly property WindowSettings settings: model ? model.settings : null
    readonly property list<hiddenApp> hiddenApps: model ? model.hiddenApps : []

    spacing: 18

    SettingsCard {
        theme: page.look
        LabeledRow {
            theme: page.look
            title: "Sort apps by"
            SettingsPicker {
                objectName: "organize-sort"
                theme: page.look
                entries: EnumChoices.sortOrders
                value: page.settings ? page.settings.sort : Setting.SortOrder.manual
                onChosen: value => page.settings.sort = value
            }
        }
    }

    SectionHeading { theme: page.look; key: "Reorganize layout" }
    SettingsCard {
        theme: page.look
        OrganizeRow { model: page.model; theme: page.look; title: "Arrange by name"; symbol: "textformat.abc"; action: "sortByName" }
        OrganizeRow { model: page.model; theme: page.look; title: "Move folders to beginning"; symbol: "arrow.up.to.line"; action: "foldersFirst" }
        OrganizeRow {
            objectName: "organize-folders-last"
            model: page.model; theme: page.look; title: "Move folders to end"; symbol: "arrow.down.to.line"; action: "foldersLast"
        }
        OrganizeRow { model: page.model; theme: page.look; title: "Gather system tools in “Other”"; symbol: "folder.badge.gearshape"; action: "systemUtilities" }
        OrganizeRow {
            objectName: "organize-ungroup"
            model: page.model; theme: page.look; title: "Ungroup all folders"; symbol: "folder.badge.minus"; action: "ungroup"
            confirms: true
        }
    }

    SectionHeading { theme: page.look; key: "Backup" }
    SettingsCard {
        theme: page.look
        // The save and open panels come after the sheet has closed.
        OrganizeRow {
            objectName: "organize-export"
            model: page.model; theme: page.look; title: "Export layout…"; symbol: "square.and.arrow.up"; action: "exportLayout"
            closesSheet: true
        }
        OrganizeRow {
            objectName: "organize-import"
            model: page.model; theme: page.look; title: "Import layout…"; symbol: "square.and.arrow.down"; action: "importLayout"
            closesSheet: true
        }
    }

    SectionHeading {
        objectName: "organize-hidden-heading"
        visible: page.hiddenApps.length > 0
        theme: page.look
        key: "Hidden apps"
    }
    SettingsCard {
        objectName: "organize-hidden-card"
        visible: page.hiddenApps.length > 0
        theme: page.look
        Repeater {
            model: page.hiddenApps
            HiddenAppRow {
                id: hiddenRow
                required property hiddenApp modelData
                theme: page.look
                appID: modelData.id
                name: modelData.name
                onShowRequested: page.model.unhide(hiddenRow.appID)
            }
        }
        CardRow {
            SmallButton {
                objectName: "library-unhide-all"
                anchors.verticalCenter: parent.verticalCenter
                theme: page.look
                title: "Show all hidden apps"
                // One call for all of them, so one undo hides them all again.
                onClicked: page.model.unhide("")
            }
        }
    }

    SheetTheme { id: fallbackTheme }
}
