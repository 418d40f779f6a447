pragma ComponentBehavior: Bound
import QtQuick

// One alert over the window, drawn in the skin: a title, a message and its buttons in a row.
// Return chooses the default button, which is the safe one; Escape chooses the cancel button.
// Nothing below takes pointer input while it shows. It answers once.
FocusScope {
    id: alert
    property string skin: "night"
    property string title
    property string message
    // [{name, title, role}], in reading order; role is "cancel", "destructive" or "".
    property var buttons: []
    // The name of the button Return chooses; the cancel button when not given.
    property string defaultButton: cancelButton
    readonly property string cancelButton: {
        const cancel = buttons.find(button => button.role === "cancel")
        return cancel ? cancel.name : (buttons.length > 0 ? buttons[buttons.length - 1].name : "")
    }
    property bool answered: false
    signal chosen(string name)

    function choose(name) {
        if (answered || name === "")
            return
        answered = true
        chosen(name)
    }

    focus: true
    Component.onCompleted: if (visible) forceActiveFocus()
    Keys.onEscapePressed: choose(cancelButton)
    Keys.onReturnPressed: choose(defaultButton)
    Keys.onEnterPressed: choose(defaultButton)
    // Every other key stays here rather than reaching the grid or the search field below.
    Keys.onPressed: event => event.accepted = true

    readonly property bool dark: skin !== "paper"
    readonly property color ink: dark ? "white" : "black"
    function inkAt(opacity) { return Qt.rgba(ink.r, ink.g, ink.b, opacity) }

    Rectangle {
        anchors.fill: parent
        color: Qt.rgba(0, 0, 0, alert.dark ? 0.45 : 0.25)
        MouseArea {
            anchors.fill: parent
            hoverEnabled: true
            acceptedButtons: Qt.AllButtons
            onWheel: wheel => wheel.accepted = true
        }
    }
    Rectangle {
        objectName: alert.objectName + "-panel"
        anchors.centerIn: parent
        width: Math.min(380, alert.width - 40)
        height: content.height + 40
        radius: 12
        color: Skin.panel(alert.skin)
        border.width: 0.5
        border.color: alert.inkAt(0.15)
        Accessible.role: Accessible.AlertMessage
        Accessible.name: alert.title

        Column {
            id: content
            x: 20
            y: 20
            width: parent.width - 40
            spacing: 10
            Text {
                objectName: alert.objectName + "-title"
                width: parent.width
                text: alert.title
                visible: text !== ""
                font.pixelSize: 14
                font.bold: true
                color: alert.ink
                wrapMode: Text.Wrap
                textFormat: Text.PlainText
            }
            Text {
                objectName: alert.objectName + "-message"
                width: parent.width
                text: alert.message
                visible: text !== ""
                font.pixelSize: 12
                lineHeight: 1.15
                color: alert.inkAt(alert.dark ? 0.7 : 0.65)
                wrapMode: Text.Wrap
                textFormat: Text.PlainText
            }
            Item { width: 1; height: 4 }
            Flow {
                width: parent.width
                spacing: 8
                layoutDirection: Qt.RightToLeft
                Repeater {
                    // Right to left: the last button (the cancel one) at the right edge.
                    model: alert.buttons.slice().reverse()
                    SkinButton {
                        required property var modelData
                        readonly property bool isDefault: modelData.name === alert.defaultButton
                        objectName: alert.objectName + "-" + modelData.name
                        skin: alert.skin
                        text: modelData.title
                        prominent: isDefault
                        destructive: modelData.role === "destructive"
                        onClicked: alert.choose(modelData.name)
                    }
                }
            }
        }
    }
}
