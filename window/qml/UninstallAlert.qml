import QtQuick
import QtQuick.Controls

// Asks before an application goes to the Trash; the buttons come from the state, leftovers
// first when there are any, Cancel last.
Dialog {
    id: alert
    // {title, message, buttons: [{name, title, destructive, cancel}]}
    property var content: ({ title: "", message: "", buttons: [] })
    signal chosen(string button)
    signal dismissed()

    objectName: "uninstall-alert"
    parent: Overlay.overlay
    anchors.centerIn: parent
    width: Math.min(440, parent ? parent.width - 40 : 440)
    modal: true
    closePolicy: Popup.CloseOnEscape
    title: content.title
    property bool answered: false

    Label {
        objectName: "uninstall-alert-message"
        width: parent.width
        text: alert.content.message
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
    }

    footer: Row {
        spacing: 8
        padding: 12
        layoutDirection: Qt.RightToLeft
        Repeater {
            model: alert.content.buttons
            Button {
                required property var modelData
                objectName: "uninstall-alert-" + modelData.name
                text: modelData.title
                highlighted: modelData.destructive
                palette.buttonText: modelData.destructive ? "#d23a3a" : undefined
                onClicked: {
                    alert.answered = true
                    alert.close()
                    alert.chosen(modelData.name)
                }
            }
        }
    }

    onClosed: if (!answered) alert.dismissed()
}
