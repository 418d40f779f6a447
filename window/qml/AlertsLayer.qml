import QtQuick

// The window's alerts, one at a time: the uninstall confirmation, then the error alert (its
// title names the failure that set it), then an application that failed to open. Each is made
// only while the state asks for it; when the last one goes, `closed` is sent. The answers go
// back as signals.
Item {
    id: alerts
    property var tr: key => key
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

    Loader {
        anchors.fill: parent
        sourceComponent: alerts.showing === "confirm" ? confirm
                       : alerts.showing === "error" ? failure
                       : alerts.showing === "failedOpen" ? failedOpen : null
    }

    Component {
        id: confirm
        LibraryAlert {
            objectName: "uninstall-alert"
            readonly property var content: alerts.confirmation()
            skin: alerts.skin
            title: content.title
            message: content.message
            buttons: content.buttons.map(button => ({
                name: button.name, title: button.title,
                role: button.cancel ? "cancel" : button.destructive ? "destructive" : ""
            }))
            // Later: the choice takes the alert away, which must not happen inside its handler.
            onChosen: name => Qt.callLater(() => alerts.uninstallAnswered(name))
        }
    }
    Component {
        id: failure
        LibraryAlert {
            objectName: "error-alert"
            skin: alerts.skin
            title: alerts.tr(alerts.errorTitle)
            message: alerts.uninstallError
            buttons: [{name: "ok", title: alerts.tr("OK"), role: "cancel"}]
            onChosen: Qt.callLater(() => alerts.errorDismissed())
        }
    }
    Component {
        id: failedOpen
        LibraryAlert {
            objectName: "open-failure-alert"
            skin: alerts.skin
            title: alerts.tr("Couldn’t open application")
            message: alerts.failedApp
            buttons: [{name: "ok", title: alerts.tr("OK"), role: "cancel"}]
            onChosen: Qt.callLater(() => alerts.failedOpenDismissed())
        }
    }
}
