import QtQuick

// The window's alerts, one at a time: the uninstall confirmation, then the error alert (its
// title names the failure that set it), then an application that failed to open. Each is made
// only while the state asks for it; when the last one goes, `closed` is sent.
Item {
    id: alerts
    property QtObject win: null
    property var tr: key => key
    property string skin: "night"
    readonly property QtObject lifecycle: win ? win.lifecycle : null
    readonly property QtObject uninstall: win && win.commands ? win.commands.uninstalling : null
    readonly property string showing: uninstall !== null && uninstall.candidate !== "" ? "confirm"
                                    : lifecycle !== null && lifecycle.uninstallError !== "" ? "error"
                                    : lifecycle !== null && lifecycle.failedApp !== "" ? "failedOpen"
                                    : ""
    readonly property bool open: showing !== ""
    signal closed()

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
            readonly property var content: alerts.uninstall.confirmation()
            skin: alerts.skin
            title: content.title
            message: content.message
            buttons: content.buttons.map(button => ({
                name: button.name, title: button.title,
                role: button.cancel ? "cancel" : button.destructive ? "destructive" : ""
            }))
            // Later: the choice takes the alert away, which must not happen inside its handler.
            onChosen: name => Qt.callLater(() => alerts.uninstall.choose(name))
        }
    }
    Component {
        id: failure
        LibraryAlert {
            objectName: "error-alert"
            skin: alerts.skin
            title: alerts.tr(alerts.lifecycle.errorTitle)
            message: alerts.lifecycle.uninstallError
            buttons: [{name: "ok", title: alerts.tr("OK"), role: "cancel"}]
            onChosen: Qt.callLater(() => { alerts.lifecycle.uninstallError = "" })
        }
    }
    Component {
        id: failedOpen
        LibraryAlert {
            objectName: "open-failure-alert"
            skin: alerts.skin
            title: alerts.tr("Couldn’t open application")
            message: alerts.lifecycle.failedApp
            buttons: [{name: "ok", title: alerts.tr("OK"), role: "cancel"}]
            onChosen: Qt.callLater(() => { alerts.lifecycle.failedApp = "" })
        }
    }
}
