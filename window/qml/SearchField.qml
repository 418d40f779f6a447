pragma ComponentBehavior: Bound
import QtQuick

// The capsule search box: edits the query, takes the focus on a click, hands Return on.
Item {
    id: field
    property string query: ""
    property bool compact: false
    property string placeholder: "Search"
    property string clearLabel: "Clear search"
    property bool light: false
    property bool reduceMotion: false
    readonly property bool focused: input.activeFocus
    readonly property bool active: focused || query.length > 0
    readonly property bool hovered: hover.hovered
    readonly property color base: light ? "black" : "white"
    readonly property alias input: input

    signal edited(string text)
    signal submitted()

    function focusField() { input.forceActiveFocus() }

    width: compact ? 230 : 240
    height: 28

    HoverHandler { id: hover }
    TapHandler { gesturePolicy: TapHandler.ReleaseWithinBounds; onTapped: input.forceActiveFocus() }

    Rectangle {
        id: shadowSource
        anchors.fill: parent
        anchors.topMargin: 2
        anchors.bottomMargin: -2
        radius: height / 2
        color: Qt.rgba(0, 0, 0, field.light ? 0.06 : 0.18)
        opacity: 0.6
    }
    Rectangle {
        id: fill
        anchors.fill: parent
        radius: height / 2
        color: Qt.rgba(field.base.r, field.base.g, field.base.b,
                       field.active ? (field.light ? 0.10 : 0.22)
                                    : field.hovered ? (field.light ? 0.08 : 0.18)
                                                    : (field.light ? 0.06 : 0.14))
        border.width: 0.5
        border.color: Qt.rgba(field.base.r, field.base.g, field.base.b, field.active ? 0.22 : 0.12)
    }

    Row {
        id: placeholderRow
        spacing: 5
        anchors.verticalCenter: parent.verticalCenter
        x: field.active ? 10 : (field.width - width) / 2
        opacity: 0.55
        Behavior on x {
            enabled: !field.reduceMotion
            SpringMotion { response: 0.32; dampingFraction: 0.86 }
        }
        Symbol {
            name: "magnifyingglass"
            size: 12
            color: field.base
            anchors.verticalCenter: parent.verticalCenter
        }
        Text {
            text: field.placeholder
            font.pixelSize: 13
            color: field.base
            opacity: field.query.length === 0 ? 1 : 0
            visible: opacity > 0
            anchors.verticalCenter: parent.verticalCenter
            Behavior on opacity {
                enabled: !field.reduceMotion
                NumberAnimation { duration: 150; easing.type: Easing.OutQuad }
            }
        }
    }

    TextInput {
        id: input
        objectName: "application-search"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.leftMargin: 28
        anchors.rightMargin: field.query.length > 0 ? 26 : 10
        anchors.verticalCenter: parent.verticalCenter
        text: field.query
        font.pixelSize: 13
        color: field.light ? "black" : "white"
        selectionColor: field.light ? palette.highlight : Qt.rgba(1, 1, 1, 0.35)
        selectedTextColor: color
        cursorDelegate: Rectangle { width: 1.5; color: field.light ? "#0a64d8" : "white" }
        clip: true
        selectByMouse: true
        Accessible.name: field.placeholder
        onTextEdited: field.edited(text)
        onAccepted: field.submitted()
    }

    Item {
        id: clearButton
        objectName: "application-search-clear"
        width: 22
        height: 22
        anchors.right: parent.right
        anchors.rightMargin: 4
        anchors.verticalCenter: parent.verticalCenter
        visible: scale > 0.81 || opacity > 0
        opacity: field.query.length > 0 ? 1 : 0
        scale: field.query.length > 0 ? 1 : 0.8
        enabled: field.query.length > 0
        Accessible.name: field.clearLabel
        Accessible.role: Accessible.Button
        Behavior on opacity { enabled: !field.reduceMotion; NumberAnimation { duration: 150 } }
        Behavior on scale { enabled: !field.reduceMotion; NumberAnimation { duration: 150 } }
        Symbol {
            anchors.centerIn: parent
            name: "xmark.circle.fill"
            size: 14
            color: field.base
            opacity: 0.55
        }
        TapHandler { gesturePolicy: TapHandler.ReleaseWithinBounds;
            onTapped: {
                field.edited("")
                input.forceActiveFocus()
            }
        }
    }
}
