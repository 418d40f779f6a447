import QtQuick

// The open folder's title, editable in place; Return or leaving the field saves it.
Item {
    id: field
    property string title
    property color ink: "white"
    // Shown while the field is empty.
    property string placeholder: "Folder name"
    readonly property alias text: input.text
    signal saved(string text)

    objectName: "library-folder-name"
    // Lit while the title is being edited.
    readonly property bool highlighted: input.activeFocus
    implicitWidth: Math.min(Math.max(input.contentWidth + 40, 160), 460)
    implicitHeight: 44

    Rectangle {
        anchors.fill: parent
        radius: height / 2
        color: Qt.rgba(field.ink.r, field.ink.g, field.ink.b, input.activeFocus ? 0.14 : 0.0)
        Behavior on color { ColorAnimation { duration: 120 } }
    }
    // A click on the title edits it and never reaches the backdrop behind (which closes).
    MouseArea {
        anchors.fill: parent
        onPressed: input.forceActiveFocus()
    }
    Text {
        anchors.fill: input
        visible: input.text.length === 0
        verticalAlignment: Text.AlignVCenter
        horizontalAlignment: Text.AlignHCenter
        text: field.placeholder
        color: field.ink
        opacity: 0.45
        font: input.font
        elide: Text.ElideRight
    }
    TextInput {
        id: input
        objectName: "library-folder-name-input"
        anchors.fill: parent
        anchors.leftMargin: 18
        anchors.rightMargin: 18
        verticalAlignment: TextInput.AlignVCenter
        horizontalAlignment: TextInput.AlignHCenter
        color: field.ink
        selectionColor: Qt.rgba(1, 1, 1, 0.3)
        font.pixelSize: 26
        font.weight: Font.DemiBold
        clip: true
        text: field.title
        onAccepted: {
            field.saved(text)
            focus = false
        }
        onActiveFocusChanged: {
            if (!activeFocus && text !== field.title)
                field.saved(text)
        }
    }
    onTitleChanged: if (!input.activeFocus) input.text = title
}
