import QtQuick
import Orbitdeck.Settings

// An organise action of the Organize tab, disabled while the window cannot run it.
SettingsActionRow {
    id: row
    required property SettingsSheetModel model
    required property string action
    // Backups show a save or open panel, which comes after the sheet has closed.
    property bool closesSheet: false
    // Asks first: the sheet's confirmation runs it.
    property bool confirms: false

    enabled: !!model && model.hasOrganizer && model.canOrganize(action)
    opacity: enabled ? 1 : 0.45
    onActivated: {
        if (!enabled)
            return
        if (confirms) {
            model.confirmUngroup = true
            return
        }
        model.organize(action)
        if (closesSheet)
            model.close()
    }
}
