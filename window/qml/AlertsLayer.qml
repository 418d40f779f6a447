import QtQuick

// The window's three alerts, each made only while the state asks for it: the uninstall
// confirmation, a failed move to the Trash and an application that failed to open.
Item {
    id: alerts
    property QtObject win: null
    property var tr: key => key
    readonly property QtObject lifecycle: win ? win.lifecycle : null
    readonly property QtObject uninstall: win && win.commands ? win.commands.uninstalling : null
    readonly property bool open: confirm.active || failedMove.active || failedOpen.active

    Loader {
        id: confirm
        active: alerts.uninstall !== null && alerts.uninstall.candidate !== ""
        sourceComponent: UninstallAlert {
            content: alerts.uninstall.confirmation()
            // Later: the choice takes the alert away, which must not happen inside its handler.
            onChosen: button => Qt.callLater(() => alerts.uninstall.choose(button))
            onDismissed: Qt.callLater(() => alerts.uninstall.dismiss())
            Component.onCompleted: open()
        }
    }
    Loader {
        id: failedMove
        active: alerts.lifecycle !== null && alerts.lifecycle.uninstallError !== ""
        sourceComponent: MessageAlert {
            objectName: "uninstall-error-alert"
            title: alerts.tr("Couldn’t move the app to the Trash")
            message: alerts.lifecycle.uninstallError
            okTitle: alerts.tr("OK")
            onDismissed: Qt.callLater(() => { alerts.lifecycle.uninstallError = "" })
            Component.onCompleted: open()
        }
    }
    Loader {
        id: failedOpen
        active: alerts.lifecycle !== null && alerts.lifecycle.failedApp !== ""
        sourceComponent: MessageAlert {
            objectName: "open-failure-alert"
            title: alerts.tr("Couldn’t open application")
            message: alerts.lifecycle.failedApp
            okTitle: alerts.tr("OK")
            onDismissed: Qt.callLater(() => { alerts.lifecycle.failedApp = "" })
            Component.onCompleted: open()
        }
    }
}
