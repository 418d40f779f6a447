import QtQuick
import QtQuick.Dialogs

// The save or open dialog of a layout backup, made only while the organiser asks for a file.
Item {
    id: host
    property QtObject files: null
    property var tr: key => key
    property bool saving: false
    readonly property alias dialog: dialog

    // Set up in full before the dialog opens: it takes its mode and title at that moment.
    onFilesChanged: {
        if (!files)
            return
        saving = files.request === "save"
        dialog.fileMode = saving ? FileDialog.SaveFile : FileDialog.OpenFile
        dialog.title = tr(saving ? "Export layout…" : "Import layout…")
        if (saving)
            dialog.currentFolder = files.suggestedFile.toString().replace(/\/[^\/]*$/, "")
        dialog.open()
        // Offers the name where the dialog supports it; an empty name gets it from the chooser.
        if (saving)
            dialog.selectedFile = files.suggestedFile
    }

    FileDialog {
        id: dialog
        objectName: host.saving ? "backup-save-dialog" : "backup-open-dialog"
        nameFilters: ["JSON (*.json)"]
        defaultSuffix: "json"
        // The answer ends the request, which unloads this host: let the dialog finish first.
        onAccepted: { const file = selectedFile; Qt.callLater(() => host.files.answer(file)) }
        onRejected: Qt.callLater(() => host.files.cancel())
    }
}
