import QtQuick
import QtQuick.Controls

// The window's error alert: shows the error text until OK clears it.
Item {
    id: host
    property string message: ""
    property string title: ""
    property var tr: key => key
    readonly property alias dialog: alert
    signal dismissed()

    Dialog {
        id: alert
        objectName: "library-error-alert"
        parent: host
        title: host.title
        anchors.centerIn: parent
        modal: true
        closePolicy: Popup.CloseOnEscape
        width: Math.min(420, host.width - 80)
        standardButtons: Dialog.Ok
        contentItem: Label {
            objectName: "library-error-alert-text"
            text: host.message
            wrapMode: Text.Wrap
        }
        onClosed: host.dismissed()
        Component.onCompleted: open()
    }
}
