pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import Qt.labs.folderlistmodel
import Orbitdeck.State
import Orbitdeck.Views

// The save or open dialog of a layout backup, made only while the organiser asks for a file,
// drawn in the skin: the folder's subfolders and JSON files, a name to save under, "New Folder",
// and the answer. Both start in the organiser's start folder. Saving over a file asks first.
FocusScope {
    id: host
    property FileRequest files: null
    property L lang: null
    property string skin: "night"
    readonly property bool saving: files !== null && files.request === FileRequest.Kind.save
    property url folder: files ? files.startFolder : ""
    // Open: the file picked in the list. Save: the file waiting for the replace answer.
    property string picked: ""
    property string replacing: ""
    property bool answered: false
    readonly property alias nameField: nameField

    readonly property bool dark: skin !== "paper"
    readonly property color ink: dark ? "white" : "black"
    function inkAt(opacity) { return Qt.rgba(ink.r, ink.g, ink.b, opacity) }
    function tr(key: string): string { return lang ? lang.t(key, lang.revision) : key }
    function format(key, args) { return lang ? lang.format(key, args, lang.revision) : key }

    // The answer ends the request, which unloads this dialog: sent after the current event.
    function finish(path) {
        if (answered)
            return
        answered = true
        ViewServices.callLater(() => path === "" ? host.files.cancel() : host.files.answer(path))
    }
    function accept() {
        if (!saving) {
            if (picked !== "")
                finish(picked)
            else if (list.currentIndex >= 0 && entries.isFolder(list.currentIndex))
                enter(entries.get(list.currentIndex, "fileUrl"))
            return
        }
        // Like the Export button, Return does nothing without a name.
        if (nameField.text.trim() === "")
            return
        const path = files.savePath(String(folder), nameField.text)
        if (path === "")
            return
        if (files.exists(path))
            replacing = path
        else
            finish(path)
    }
    function enter(url) {
        folder = url
        picked = ""
        list.currentIndex = -1
    }
    // The arrow keys walk the list of the open dialog: a file is picked, a folder opens on Return.
    function step(by) {
        if (saving || entries.count === 0)
            return
        const next = Math.max(0, Math.min(entries.count - 1, list.currentIndex + by))
        list.currentIndex = next
        list.positionViewAtIndex(next, ListView.Contain)
        picked = entries.isFolder(next) ? "" : entries.get(next, "filePath")
    }
    function focusName() {
        if (saving) {
            nameField.forceActiveFocus()
            // The name without its suffix is selected, ready to be typed over.
            const dot = nameField.text.toLowerCase().lastIndexOf(".json")
            nameField.select(0, dot > 0 ? dot : nameField.text.length)
        } else {
            host.forceActiveFocus()
        }
    }

    focus: true
    Keys.onEscapePressed: finish("")
    Keys.onReturnPressed: accept()
    Keys.onEnterPressed: accept()
    Keys.onUpPressed: step(-1)
    Keys.onDownPressed: step(1)
    Keys.onPressed: event => event.accepted = true
    // The request comes after the dialog is made: the name is there to select only then.
    onFilesChanged: ViewServices.callLater(focusName)
    Component.onCompleted: focusName()

    FolderListModel {
        id: entries
        folder: host.folder
        nameFilters: ["*.json"]
        caseSensitive: false
        showDirsFirst: true
        showDotAndDotDot: false
        showHidden: false
        sortCaseSensitive: false
    }

    Rectangle {
        anchors.fill: parent
        color: Qt.rgba(0, 0, 0, host.dark ? 0.45 : 0.25)
        MouseArea {
            anchors.fill: parent
            hoverEnabled: true
            acceptedButtons: Qt.AllButtons
            onWheel: wheel => wheel.accepted = true
        }
    }

    Rectangle {
        id: panel
        objectName: host.saving ? "backup-save-dialog" : "backup-open-dialog"
        anchors.centerIn: parent
        width: 520
        height: 440
        scale: Math.min(1, (host.width - 16) / width, (host.height - 16) / height)
        radius: 12
        color: Skin.panel(host.skin)
        border.width: 0.5
        border.color: host.inkAt(0.15)
        Accessible.role: Accessible.Dialog
        Accessible.name: title.text

        Text {
            id: title
            objectName: "backup-dialog-title"
            x: 20
            y: 18
            text: host.saving ? host.tr("Export") : host.tr("Import layout…")
            font.pixelSize: 15
            font.bold: true
            color: host.ink
        }

        Row {
            id: nameRow
            visible: host.saving
            anchors { left: parent.left; right: parent.right; top: title.bottom; margins: 20; topMargin: 14 }
            height: visible ? 28 : 0
            spacing: 10
            Text {
                id: nameLabel
                anchors.verticalCenter: parent.verticalCenter
                text: host.tr("Name")
                font.pixelSize: 12
                color: host.inkAt(0.7)
            }
            TextField {
                id: nameField
                objectName: "backup-file-name"
                width: nameRow.width - nameLabel.width - nameRow.spacing
                height: 28
                text: host.files ? host.files.suggestedName : ""
                font.pixelSize: 12
                color: host.ink
                selectionColor: Skin.accent(host.skin)
                selectedTextColor: Skin.onAccent(host.skin)
                leftPadding: 8
                background: Rectangle {
                    radius: 6
                    color: Skin.raised(host.skin)
                    border.width: nameField.activeFocus ? 1.5 : 0.5
                    border.color: nameField.activeFocus ? Skin.accent(host.skin) : host.inkAt(0.15)
                }
                Keys.onReturnPressed: host.accept()
                Keys.onEnterPressed: host.accept()
                Keys.onEscapePressed: host.finish("")
            }
        }

        Row {
            id: folderRow
            anchors { left: parent.left; right: parent.right; top: nameRow.bottom; margins: 20; topMargin: 12 }
            height: 24
            spacing: 6
            Button {
                id: up
                objectName: "backup-folder-up"
                width: 24
                height: 24
                focusPolicy: Qt.NoFocus
                enabled: String(entries.parentFolder) !== ""
                opacity: enabled ? 1 : 0.4
                onClicked: host.enter(entries.parentFolder)
                contentItem: Symbol { name: "chevron.left"; size: 12; color: host.ink }
                background: Rectangle { radius: 6; color: host.inkAt(up.down ? 0.16 : 0.08) }
            }
            Text {
                objectName: "backup-folder"
                width: folderRow.width - up.width - folderRow.spacing
                anchors.verticalCenter: parent.verticalCenter
                text: decodeURIComponent(String(host.folder).replace(/^file:\/\//, ""))
                elide: Text.ElideMiddle
                font.pixelSize: 12
                color: host.inkAt(0.7)
            }
        }

        Rectangle {
            id: listFrame
            anchors { left: parent.left; right: parent.right; top: folderRow.bottom; bottom: buttons.top
                      margins: 20; topMargin: 8; bottomMargin: 14 }
            radius: 8
            color: host.inkAt(0.045)
            border.width: 0.5
            border.color: host.inkAt(0.08)
            clip: true
            ListView {
                id: list
                anchors.fill: parent
                anchors.margins: 4
                model: entries
                // Nothing is current until the keys or the pointer choose.
                currentIndex: -1
                boundsBehavior: Flickable.StopAtBounds
                ScrollBar.vertical: ScrollBar {}
                delegate: Rectangle {
                    id: entry
                    required property int index
                    required property string fileName
                    required property string filePath
                    required property url fileUrl
                    required property bool fileIsDir
                    readonly property bool current: !fileIsDir && (host.saving ? nameField.text === fileName
                                                                                : host.picked === filePath)
                    objectName: "backup-entry-" + fileName
                    width: list.width
                    height: 26
                    radius: 5
                    color: current ? Skin.accent(host.skin)
                                   : fileIsDir && ListView.isCurrentItem ? host.inkAt(0.12)
                                   : hover.containsMouse ? host.inkAt(0.06) : "transparent"
                    Text {
                        anchors { left: parent.left; right: chevron.left; leftMargin: 8; rightMargin: 6
                                  verticalCenter: parent.verticalCenter }
                        text: entry.fileName
                        elide: Text.ElideMiddle
                        font.pixelSize: 12
                        font.bold: entry.fileIsDir
                        color: entry.current ? Skin.onAccent(host.skin) : host.ink
                    }
                    Symbol {
                        id: chevron
                        anchors { right: parent.right; rightMargin: 8; verticalCenter: parent.verticalCenter }
                        name: "chevron.right"
                        size: 10
                        visible: entry.fileIsDir
                        color: host.inkAt(0.5)
                    }
                    MouseArea {
                        id: hover
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: {
                            if (entry.fileIsDir) {
                                host.enter(entry.fileUrl)
                            } else if (host.saving) {
                                nameField.text = entry.fileName
                                host.focusName()
                            } else {
                                host.picked = entry.filePath
                                list.currentIndex = entry.index
                            }
                        }
                        onDoubleClicked: if (!entry.fileIsDir) host.accept()
                    }
                }
            }
        }

        Row {
            id: buttons
            anchors { left: parent.left; right: parent.right; bottom: parent.bottom; margins: 20 }
            height: 26
            layoutDirection: Qt.RightToLeft
            spacing: 8
            SkinButton {
                objectName: host.saving ? "backup-export" : "backup-open"
                skin: host.skin
                text: host.saving ? host.tr("Export") : host.tr("Open")
                prominent: true
                enabled: host.saving ? nameField.text.trim() !== "" : host.picked !== ""
                onClicked: host.accept()
            }
            SkinButton {
                objectName: "backup-cancel"
                skin: host.skin
                text: host.tr("Cancel")
                onClicked: host.finish("")
            }
        }
        SkinButton {
            objectName: "backup-new-folder"
            skin: host.skin
            anchors { left: parent.left; bottom: parent.bottom; margins: 20 }
            visible: host.saving
            text: host.tr("New Folder")
            onClicked: {
                const made = host.files.makeFolder(String(host.folder), host.tr("New Folder"))
                if (String(made) !== "")
                    host.enter(made)
            }
        }
    }

    LibraryAlert {
        objectName: "backup-replace-alert"
        anchors.fill: parent
        visible: host.replacing !== ""
        enabled: visible
        skin: host.skin
        title: host.format("“%@” already exists. Do you want to replace it?",
                           [host.replacing.replace(/^.*\//, "")])
        message: host.tr("A file with the same name already exists. Replacing it will overwrite its contents.")
        buttons: [{name: "replace", title: host.tr("Replace"), role: "destructive"},
                  {name: "cancel", title: host.tr("Cancel"), role: "cancel"}]
        focus: visible
        onVisibleChanged: if (visible) { answered = false; forceActiveFocus() }
        onChosen: name => {
            const path = host.replacing
            host.replacing = ""
            if (name === "replace")
                host.finish(path)
            else
                host.focusName()
        }
    }
}
