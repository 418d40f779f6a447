import QtQuick

// An organise action of the Organize tab, disabled while the window cannot run it.
SettingsActionRow {
    id: row
    property Item page
    property string action
    // Backups show a save or open panel, which comes after the sheet has closed.
    property bool closesSheet: false

    theme: page.look
    enabled: page.available(action)
    opacity: enabled ? 1 : 0.45
    onActivated: {
        if (action === "ungroup")
            return
        page.run(action)
        if (closesSheet)
            page.model.close()
    }
}
