import QtQuick
import QtQuick.Controls

// A failure reported with one "OK" button; closing it in any way dismisses it.
Dialog {
    id: alert
    property string message
    property string okTitle: "OK"
    signal dismissed()

    parent: Overlay.overlay
    anchors.centerIn: parent
    width: Math.min(400, parent ? parent.width - 40 : 400)
    modal: true
    closePolicy: Popup.CloseOnEscape

    Label {
        width: parent.width
        text: alert.message
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
    }
    footer: DialogButtonBox {
        Button {
            objectName: alert.objectName + "-ok"
            text: alert.okTitle
            DialogButtonBox.buttonRole: DialogButtonBox.RejectRole
        }
    }
    onClosed: alert.dismissed()
}
