import QtQuick

// A menu entry's title with its key text at the trailing edge, in the entry's ink.
Item {
    id: entry
    property string text
    property string keys
    property font font
    property color ink
    // Names the key text for the tests that find it.
    property alias keysObjectName: keyText.objectName

    implicitWidth: title.implicitWidth + 24 + keyText.implicitWidth
    implicitHeight: Math.max(title.implicitHeight, keyText.implicitHeight)
    Text {
        id: title
        anchors.verticalCenter: parent.verticalCenter
        text: entry.text
        font: entry.font
        color: entry.ink
    }
    Text {
        id: keyText
        anchors { right: parent.right; verticalCenter: parent.verticalCenter }
        text: entry.keys
        font: entry.font
        color: entry.ink
        opacity: 0.6
    }
}
