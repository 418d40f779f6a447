import QtQuick
import QtTest
import Orbitdeck.Views

Item {
    id: root
    width: 600
    height: 400

    Component {
        id: alertComponent
        ErrorAlert { anchors.fill: parent }
    }
    Component {
        id: dialogComponent
        BackupFileDialog { anchors.fill: parent }
    }
    // Stands in for the organiser's file chooser.
    QtObject {
        id: files
        property string request: "save"
        property url suggestedFile: "file:///tmp/Orbitdeck Layout 2026-05-04.json"
        property var answers: []
        function answer(file) { answers.push(file.toString()) }
        function cancel() { answers.push("cancel") }
    }

    TestCase {
        name: "ErrorAlert"
        when: windowShown

        function findChild(item, name) {
            if (!item)
                return null
            if (item.objectName === name)
                return item
            const children = item.children || []
            for (let i = 0; i < children.length; ++i) {
                const found = findChild(children[i], name)
                if (found)
                    return found
            }
            return null
        }

        function test_showsTheMessageUntilDismissed() {
            const host = createTemporaryObject(alertComponent, root,
                                               {message: "Files: permission denied",
                                                title: "Couldn’t move the app to the Trash"})
            const spy = createTemporaryObject(signalSpyComponent, root,
                                              {target: host, signalName: "dismissed"})
            const alert = host.dialog
            tryVerify(() => alert.opened)
            compare(alert.contentItem.text, "Files: permission denied")
            compare(alert.title, "Couldn’t move the app to the Trash")
            alert.accept()
            spy.wait(2000)
            compare(spy.count, 1)
        }

        function test_fileDialogOpensForTheRequestAndAnswersOnce() {
            files.answers = []
            const host = createTemporaryObject(dialogComponent, root)
            host.files = files
            verify(host.saving)
            const dialog = host.dialog
            compare(dialog.objectName, "backup-save-dialog")
            tryVerify(() => dialog.visible)
            compare(dialog.title, "Export layout…")
            dialog.reject()
            tryVerify(() => files.answers.length === 1)
            compare(files.answers[0], "cancel")
        }
    }
    Component {
        id: signalSpyComponent
        SignalSpy {}
    }
}
