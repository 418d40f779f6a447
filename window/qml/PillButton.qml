import QtQuick

// A capsule button in the skin's accent colour with dark or white text ("Done", the App Store
// search). Plain Qt Quick, so the window starts without loading the controls.
Rectangle {
    id: button
    property string text
    property string skin: "night"
    property alias font: label.font
    property real horizontalPadding: 14
    property real verticalPadding: 4
    readonly property bool down: tap.pressed

    signal clicked()

    implicitWidth: label.implicitWidth + 2 * horizontalPadding
    implicitHeight: label.implicitHeight + 2 * verticalPadding
    radius: height / 2
    color: Qt.rgba(accent.r, accent.g, accent.b, down ? 0.8 : 1)
    readonly property color accent: Skin.accent(skin)
    Accessible.name: text
    Accessible.role: Accessible.Button
    Accessible.onPressAction: button.clicked()

    Text {
        id: label
        anchors.centerIn: parent
        text: button.text
        font.pixelSize: 13
        color: button.skin === "paper" ? "white" : Qt.rgba(0.05, 0.08, 0.12, 1)
    }
    TapHandler { id: tap; gesturePolicy: TapHandler.ReleaseWithinBounds; onTapped: button.clicked() }
}
