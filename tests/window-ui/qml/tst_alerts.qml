import QtQuick
import QtTest
import Orbitdeck.Views
import Orbitdeck.State

Item {
    id: root
    width: 600
    height: 500

    Component {
        id: alertComponent
        LibraryAlert { anchors.fill: parent; objectName: "uninstall-alert" }
    }
    Component {
        id: dialogComponent
        BackupFileDialog { anchors.fill: parent }
    }
    Component {
        id: signalSpyComponent
        SignalSpy {}
    }
    Component {
        id: layerComponent
        AlertsLayer {
            anchors.fill: parent
            texts: TextLookup { function t(key: string): string { return "[" + key + "]" } }
            uninstallCandidate: fakeWin.commands.uninstalling.candidate
            confirmation: () => fakeWin.commands.uninstalling.confirmation()
            errorTitle: fakeWin.lifecycle.errorTitle
            uninstallError: fakeWin.lifecycle.uninstallError
            failedApp: fakeWin.lifecycle.failedApp
            onUninstallAnswered: button => fakeWin.commands.uninstalling.choose(button)
            onErrorDismissed: fakeWin.lifecycle.uninstallError = ""
            onFailedOpenDismissed: fakeWin.lifecycle.failedApp = ""
        }
    }
    // The window state the alerts read: an uninstall candidate, an error with its title, an
    // application that failed to open.
    QtObject {
        id: fakeWin
        property QtObject lifecycle: QtObject {
            property string uninstallError: ""
            property string errorTitle: ""
            property string failedApp: ""
        }
        property QtObject commands: QtObject {
            property QtObject uninstalling: QtObject {
                property string candidate: ""
                property var choices: []
                function confirmation() {
                    return { title: "Move “Notes” to the Trash?", message: "",
                             buttons: [{ name: "trash", title: "Move to Trash", destructive: true },
                                       { name: "cancel", title: "Cancel", cancel: true }] }
                }
                function choose(name) { choices.push(name); candidate = "" }
            }
        }
    }
    TestCase {
        name: "Alerts"
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

        function confirmation() {
            return createTemporaryObject(alertComponent, root, {
                title: "Move “Notes” to the Trash?", message: "The app will be moved.",
                buttons: [{ name: "leftovers", title: "Move App and Leftovers to Trash", role: "destructive" },
                          { name: "appOnly", title: "Move App Only", role: "" },
                          { name: "cancel", title: "Cancel", role: "cancel" }] })
        }

        function test_buttonsKeepTheirOrderAndTheSafeOneIsTheDefault() {
            const alert = confirmation()
            const spy = createTemporaryObject(signalSpyComponent, root,
                                              {target: alert, signalName: "chosen"})
            const leftovers = findChild(alert, "uninstall-alert-leftovers")
            const appOnly = findChild(alert, "uninstall-alert-appOnly")
            const cancel = findChild(alert, "uninstall-alert-cancel")
            // Read left to right, Cancel last at the right edge.
            tryVerify(() => leftovers.x < appOnly.x && appOnly.x < cancel.x)
            compare(alert.defaultButton, "cancel")
            verify(cancel.isDefault)
            verify(!leftovers.isDefault)
            compare(findChild(alert, "uninstall-alert-title").text, "Move “Notes” to the Trash?")
            mouseClick(appOnly)
            compare(spy.count, 1)
            compare(spy.signalArguments[0][0], "appOnly")
            // It answers once: a second click or key does nothing.
            mouseClick(leftovers)
            keyClick(Qt.Key_Return)
            compare(spy.count, 1)
        }

        function test_escapeCancelsAndReturnChoosesTheDefault() {
            const cases = [[Qt.Key_Escape, "cancel"], [Qt.Key_Return, "cancel"],
                           [Qt.Key_Enter, "cancel"]]
            for (const [key, expected] of cases) {
                const alert = confirmation()
                const spy = createTemporaryObject(signalSpyComponent, root,
                                                  {target: alert, signalName: "chosen"})
                tryVerify(() => alert.activeFocus)
                keyClick(key)
                compare(spy.count, 1, "key " + key)
                compare(spy.signalArguments[0][0], expected)
            }
            // A named default (not the cancel button) is what Return chooses.
            const alert = confirmation()
            alert.defaultButton = "appOnly"
            const spy = createTemporaryObject(signalSpyComponent, root,
                                              {target: alert, signalName: "chosen"})
            tryVerify(() => alert.activeFocus)
            keyClick(Qt.Key_Return)
            compare(spy.signalArguments[0][0], "appOnly")
        }

        function test_oneButtonAlertAnswersToBothKeys() {
            for (const key of [Qt.Key_Escape, Qt.Key_Return]) {
                const alert = createTemporaryObject(alertComponent, root, {
                    title: "Couldn’t import the layout", message: "This file isn’t a Orbitdeck layout backup.",
                    buttons: [{ name: "ok", title: "OK", role: "cancel" }] })
                const spy = createTemporaryObject(signalSpyComponent, root,
                                                  {target: alert, signalName: "chosen"})
                tryVerify(() => alert.activeFocus)
                keyClick(key)
                compare(spy.count, 1)
                compare(spy.signalArguments[0][0], "ok")
            }
        }

        function test_alertsComeOneAtATimeEachWithItsOwnTitle() {
            const lifecycle = fakeWin.lifecycle
            const uninstalling = fakeWin.commands.uninstalling
            uninstalling.choices = []
            const layer = createTemporaryObject(layerComponent, root)
            const closed = createTemporaryObject(signalSpyComponent, root,
                                                 {target: layer, signalName: "closed"})
            // All three asked for at once: the confirmation first, then the error, then the
            // failed launch, never two together.
            lifecycle.failedApp = "Notes"
            lifecycle.errorTitle = "Couldn’t import the layout"
            lifecycle.uninstallError = "This file isn’t a Orbitdeck layout backup."
            uninstalling.candidate = "com.notes"
            const shown = () => ["uninstall-alert-panel", "error-alert-panel", "open-failure-alert-panel"]
                                .filter(name => findChild(layer, name) !== null)
            tryCompare(layer, "showing", "confirm")
            compare(shown(), ["uninstall-alert-panel"])
            keyClick(Qt.Key_Return)
            tryCompare(layer, "showing", "error")
            compare(uninstalling.choices, ["cancel"])
            compare(shown(), ["error-alert-panel"])
            compare(findChild(layer, "error-alert-title").text, "[Couldn’t import the layout]")
            compare(findChild(layer, "error-alert-message").text,
                    "This file isn’t a Orbitdeck layout backup.")
            keyClick(Qt.Key_Escape)
            tryCompare(layer, "showing", "failedOpen")
            compare(lifecycle.uninstallError, "")
            compare(shown(), ["open-failure-alert-panel"])
            compare(findChild(layer, "open-failure-alert-title").text, "[Couldn’t open application]")
            compare(findChild(layer, "open-failure-alert-message").text, "Notes")
            compare(closed.count, 0)
            mouseClick(findChild(layer, "open-failure-alert-ok"))
            tryCompare(layer, "open", false)
            compare(lifecycle.failedApp, "")
            compare(closed.count, 1)
        }

        function openDialog(request) {
            testFiles.ask(request, "Orbitdeck Layout 2026-05-04.json", "file://" + ORBITDECK_TEMP)
            const host = createTemporaryObject(dialogComponent, root)
            host.files = testFiles
            return host
        }

        function test_saveDialogOffersTheNameAndExports() {
            const host = openDialog(FileRequest.Kind.save)
            compare(host.saving, true)
            compare(findChild(host, "backup-dialog-title").text, "Export")
            compare(findChild(host, "backup-export").text, "Export")
            tryVerify(() => host.nameField.activeFocus)
            compare(host.nameField.text, "Orbitdeck Layout 2026-05-04.json")
            // The name without its suffix is selected, so typing replaces it.
            compare(host.nameField.selectedText, "Orbitdeck Layout 2026-05-04")
            keyClick(Qt.Key_M)
            keyClick(Qt.Key_Y)
            compare(host.nameField.text, "my.json")
            keyClick(Qt.Key_Return)
            tryVerify(() => testFiles.answers.length === 1)
            compare(testFiles.answers[0], ORBITDECK_TEMP + "/my.json")
        }

        function test_saveWithoutANameWritesNothing() {
            const host = openDialog(FileRequest.Kind.save)
            tryVerify(() => host.nameField.activeFocus)
            host.nameField.selectAll()
            keyClick(Qt.Key_Space)
            compare(host.nameField.text, " ")
            verify(!findChild(host, "backup-export").enabled)
            keyClick(Qt.Key_Return)
            keyClick(Qt.Key_Enter)
            // The dialog answers once: had Return saved, Escape could no longer cancel.
            keyClick(Qt.Key_Escape)
            tryVerify(() => testFiles.answers.length === 1)
            compare(testFiles.answers, ["cancel"])
        }

        function test_saveOverAnExistingFileAsksFirst() {
            const host = openDialog(FileRequest.Kind.save)
            testFiles.existing = [ORBITDECK_TEMP + "/Orbitdeck Layout 2026-05-04.json"]
            tryVerify(() => host.nameField.activeFocus)
            mouseClick(findChild(host, "backup-export"))
            const ask = findChild(host, "backup-replace-alert")
            tryVerify(() => ask.visible && ask.activeFocus)
            compare(testFiles.answers.length, 0)
            // Return is the safe choice: back to the name, nothing written.
            keyClick(Qt.Key_Return)
            tryVerify(() => !ask.visible && host.nameField.activeFocus)
            compare(testFiles.answers.length, 0)
            keyClick(Qt.Key_Return)
            tryVerify(() => ask.visible)
            mouseClick(findChild(host, "backup-replace-alert-replace"))
            tryVerify(() => testFiles.answers.length === 1)
            compare(testFiles.answers[0], ORBITDECK_TEMP + "/Orbitdeck Layout 2026-05-04.json")
        }

        function test_escapeCancelsEitherDialog() {
            for (const request of [FileRequest.Kind.save, FileRequest.Kind.open]) {
                const host = openDialog(request)
                compare(findChild(host, request === FileRequest.Kind.save ? "backup-save-dialog"
                                                           : "backup-open-dialog").visible, true)
                tryVerify(() => host.activeFocus)
                keyClick(Qt.Key_Escape)
                tryVerify(() => testFiles.answers.length === 1)
                compare(testFiles.answers[0], "cancel")
            }
        }

        function test_openDialogWalksTheListWithTheArrowKeys() {
            const host = openDialog(FileRequest.Kind.open)
            tryVerify(() => host.activeFocus && findChild(host, "backup-entry-sub") !== null
                            && findChild(host, "backup-entry-backup.json") !== null)
            // Nothing is chosen until a key is pressed: Return alone neither opens nor enters.
            keyClick(Qt.Key_Return)
            compare(findChild(host, "backup-folder").text, ORBITDECK_TEMP)
            compare(testFiles.answers.length, 0)
            // Folders come first: Down reaches the subfolder, Return opens it.
            keyClick(Qt.Key_Down)
            compare(host.picked, "")
            keyClick(Qt.Key_Return)
            tryCompare(findChild(host, "backup-folder"), "text", ORBITDECK_TEMP + "/sub")
            tryVerify(() => findChild(host, "backup-entry-backup.json") === null)
            mouseClick(findChild(host, "backup-folder-up"))
            tryVerify(() => findChild(host, "backup-entry-backup.json") !== null)
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Down)
            compare(host.picked, ORBITDECK_TEMP + "/backup.json")
            verify(findChild(host, "backup-open").enabled)
            keyClick(Qt.Key_Up)
            compare(host.picked, "")
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Return)
            tryVerify(() => testFiles.answers.length === 1)
            compare(testFiles.answers[0], ORBITDECK_TEMP + "/backup.json")
        }

        function test_openDialogOpensThePickedFile() {
            const host = openDialog(FileRequest.Kind.open)
            compare(findChild(host, "backup-dialog-title").text, "Import layout…")
            const open = findChild(host, "backup-open")
            verify(!open.enabled)
            let entry = null
            tryVerify(() => (entry = findChild(host, "backup-entry-backup.json")) !== null)
            // Only folders and JSON files are listed.
            verify(findChild(host, "backup-entry-notes.txt") === null)
            tryVerify(() => findChild(host, "backup-entry-sub") !== null)
            // A folder opens on a click, and the up button goes back.
            mouseClick(findChild(host, "backup-entry-sub"))
            tryCompare(findChild(host, "backup-folder"), "text", ORBITDECK_TEMP + "/sub")
            tryVerify(() => findChild(host, "backup-entry-backup.json") === null)
            mouseClick(findChild(host, "backup-folder-up"))
            tryCompare(findChild(host, "backup-folder"), "text", ORBITDECK_TEMP)
            tryVerify(() => (entry = findChild(host, "backup-entry-backup.json")) !== null)
            mouseClick(entry)
            verify(open.enabled)
            mouseClick(open)
            tryVerify(() => testFiles.answers.length === 1)
            compare(testFiles.answers[0], ORBITDECK_TEMP + "/backup.json")
        }
    }
}
