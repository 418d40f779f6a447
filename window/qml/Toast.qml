import QtQuick

// One short message at the bottom of the window; a new one replaces it. Its text is final.
Item {
    id: toast
    property string text: ""
    property string skin: "night"
    readonly property bool shown: text !== ""

    anchors.fill: parent

    Item {
        id: capsule
        objectName: "library-toast"
        width: label.implicitWidth + 28
        height: label.implicitHeight + 16
        anchors.horizontalCenter: parent.horizontalCenter
        y: toast.shown ? parent.height - 64 - height : parent.height
        opacity: toast.shown ? 1 : 0
        visible: opacity > 0
        Behavior on y { NumberAnimation { duration: toast.shown ? 180 : 200; easing.type: toast.shown ? Easing.OutQuad : Easing.InQuad } }
        Behavior on opacity { NumberAnimation { duration: toast.shown ? 180 : 200 } }

        GlassCapsule {
            anchors.fill: parent
            skin: toast.skin
        }
        Text {
            id: label
            objectName: "library-toast-text"
            anchors.centerIn: parent
            text: lastText
            property string lastText: ""
            font.pixelSize: 12
            font.weight: Font.Medium
            color: Skin.ink(toast.skin)
            Connections {
                target: toast
                function onTextChanged() {
                    if (toast.text !== "")
                        label.lastText = toast.text
                }
            }
        }
    }
}
