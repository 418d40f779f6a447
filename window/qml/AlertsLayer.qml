pragma ComponentBehavior: Bound
import QtQuick

// The window's alerts, one at a time: the uninstall confirmation, then the error alert (its
// title names the failure that set it), then an application that failed to open. Each is made
// only while the state asks for it; when the last one goes, `closed` is sent. The answers go
// back as signals.
Item {
    id: alerts
    property TextLookup texts: null        // the interface language
    function tr(key: string): string { return texts ? texts.t(key) : key }
    property string skin: "night"
    // The application asked to go to the Trash, and the confirmation's content for it
    // ({title, message, buttons}), asked for when the alert is made.
    property string uninstallCandidate: ""
    property var confirmation: () => ({ title: "", message: "", buttons: [] })
    property string errorTitle: ""
    property string uninstallError: ""
    property string failedApp: ""
    readonly property string showing: uninstallCandidate !== "" ? "confirm"
                                    : uninstallError !== "" ? "error"
                                    : failedApp !== "" ? "failedOpen"
                                    : ""
    readonly property bool open: showing !== ""
    signal closed()
    signal uninstallAnswered(string button)
    signal errorDismissed()
    signal failedOpenDismissed()

    onOpenChanged: if (!open) closed()

    // Each alert is made by a loader of its own while it shows, and filled in once made.
    Loader {
        anchors.fill: parent
        active: alerts.showing === "confirm"
        source: "LibraryAlert.qml"
        onLoaded: {
            const alert = item as LibraryAlert
            const content = alerts.confirmation()
            alert.objectName = "uninstall-alert"
            alert.skin = Qt.binding(() => alerts.skin)
            alert.title = content.title
            alert.message = content.message
            alert.buttons = content.buttons.map(button => ({
                name: button.name, title: button.title,
                role: button.cancel ? "cancel" : button.destructive ? "destructive" : ""
            }))
            // Later: the choice takes the alert away, which must not happen inside its handler.
            alert.chosen.connect(name => Qt.callLater(() => alerts.uninstallAnswered(name)))
        }
    }
    Loader {
        anchors.fill: parent
        active: alerts.showing === "error"
        source: "LibraryAlert.qml"
        onLoaded: {
            const alert = item as LibraryAlert
            alert.objectName = "error-alert"
            alert.skin = Qt.binding(() => alerts.skin)
            alert.title = Qt.binding(() => alerts.tr(alerts.errorTitle))
            alert.message = Qt.binding(() => alerts.uninstallError)
            alert.buttons = Qt.binding(() => [{name: "ok", title: alerts.tr("OK"), role: "cancel"}])
            alert.chosen.connect(() => Qt.callLater(() => alerts.errorDismissed()))
        }
    }
    Loader {
        anchors.fill: parent
        active: alerts.showing === "failedOpen"
        source: "LibraryAlert.qml"
        onLoaded: {
            const alert = item as LibraryAlert
            alert.objectName = "open-failure-alert"
            alert.skin = Qt.binding(() => alerts.skin)
            alert.title = Qt.binding(() => alerts.tr("Couldn’t open application"))
            alert.message = Qt.binding(() => alerts.failedApp)
            alert.buttons = Qt.binding(() => [{name: "ok", title: alerts.tr("OK"), role: "cancel"}])
            alert.chosen.connect(() => Qt.callLater(() => alerts.failedOpenDismissed()))
        }
    }
}
