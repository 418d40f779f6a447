import QtQuick

// One application: icon, name, hover and highlight, the delete badge while arranging.
Item {
    id: tile
    property string appId
    property string name
    property url iconSource
    property real size: 62
    property real tileHeight: 96
    property bool showsLabel: true
    property string effects: "fluid"
    property bool reduceMotion: false
    property color ink: "white"
    property color accent: Skin.accent("night")
    property bool highlighted: false
    property bool deletable: false
    property bool pressed: false
    property string deleteTooltip: "Move to Trash"
    property string deleteLabel: "Delete " + name
    readonly property bool hovered: hover.hovered
    readonly property bool lifts: hovered && Skin.fluid(effects, reduceMotion)
    readonly property bool pressAnimates: Skin.fluid(effects, reduceMotion)

    signal deleteClicked()

    objectName: "application-result-" + appId
    height: tileHeight
    Accessible.name: name
    Accessible.role: Accessible.Button

    HoverHandler { id: hover }
    LazyToolTip { shown: tile.hovered; text: tile.tooltipText }
    readonly property string tooltipText: showsLabel && name.length < 14 ? "" : name

    // The pressed face is a little darker: one effect, on the pressed tile only, compiled at the
    // first press (the software renderer draws no effects).
    property Component pressDim: null
    onPressedChanged: {
        if (pressed && !pressDim && GraphicsInfo.api !== GraphicsInfo.Software)
            pressDim = Qt.createComponent("PressDim.qml")
    }

    Item {
        id: face
        anchors.fill: parent
        opacity: tile.pressed ? 0.86 : 1
        scale: tile.pressed && tile.pressAnimates ? 0.94 : 1
        layer.enabled: tile.pressed && tile.pressDim !== null
        layer.effect: tile.pressDim
        Behavior on scale {
            enabled: tile.pressAnimates
            NumberAnimation { duration: 220; easing.type: Easing.OutBack; easing.overshoot: 1.2 }
        }

        Rectangle {
            anchors.fill: parent
            radius: 15
            color: tile.highlighted ? Qt.rgba(tile.accent.r, tile.accent.g, tile.accent.b, 0.17)
                 : tile.hovered ? Qt.rgba(tile.ink.r, tile.ink.g, tile.ink.b, 0.09) : "transparent"
            border.width: tile.highlighted || tile.hovered ? 1 : 0
            border.color: tile.highlighted ? Qt.rgba(tile.accent.r, tile.accent.g, tile.accent.b, 0.4)
                        : Qt.rgba(tile.ink.r, tile.ink.g, tile.ink.b, 0.14)
            Behavior on color {
                enabled: Skin.animates(tile.effects, tile.reduceMotion)
                ColorAnimation { duration: 200 }
            }
        }

        Column {
            id: stack
            spacing: 3
            anchors.centerIn: parent
            width: parent.width - 10

            Item {
                id: iconBox
                width: tile.size
                height: tile.size
                anchors.horizontalCenter: parent.horizontalCenter
                scale: tile.lifts ? 1.07 : 1
                transform: Translate { y: tile.lifts ? -3 : 0 }
                Behavior on scale {
                    enabled: Skin.animates(tile.effects, tile.reduceMotion)
                    NumberAnimation { duration: 260; easing.type: Easing.OutBack; easing.overshoot: 1.1 }
                }

                // The soft shadow under the icon, one shared picture per size and hover state.
                Image {
                    readonly property real glow: tile.hovered ? 10 : 4
                    readonly property real plate: parent.width * 0.8
                    width: plate + 2 * glow
                    height: width
                    anchors.centerIn: parent
                    anchors.verticalCenterOffset: tile.hovered ? 5 : 2
                    source: "image://shadow/" + (plate * 0.22).toFixed(1) + "/" + glow
                    sourceSize: Qt.size(Math.ceil(width), Math.ceil(height))
                    opacity: tile.hovered ? 0.26 : 0.12
                    smooth: true
                    Accessible.ignored: true
                }
                Image {
                    anchors.fill: parent
                    source: tile.iconSource
                    sourceSize: Qt.size(Math.ceil(tile.size * Screen.devicePixelRatio),
                                        Math.ceil(tile.size * Screen.devicePixelRatio))
                    fillMode: Image.PreserveAspectFit
                    smooth: true
                    mipmap: true
                    antialiasing: true
                    Accessible.ignored: true
                }
            }

            Item {
                visible: tile.showsLabel
                width: parent.width
                height: label.implicitHeight
                Text {
                    id: label
                    objectName: "application-label"
                    width: parent.width
                    text: tile.name
                    textFormat: Text.PlainText
                    // 10.5 points has no whole pixel size: given in points at the logical 96 dpi.
                    font.pointSize: (tile.tileHeight < 65 ? 10.5 : 12) * 0.75
                    fontSizeMode: Text.HorizontalFit
                    minimumPointSize: font.pointSize * 0.85
                    elide: Text.ElideRight
                    maximumLineCount: 1
                    horizontalAlignment: Text.AlignHCenter
                    color: tile.ink
                    // The name's shadow, a point below, under white ink.
                    style: tile.ink.r === 1 && tile.ink.g === 1 && tile.ink.b === 1 ? Text.Raised : Text.Normal
                    styleColor: Qt.rgba(0, 0, 0, 0.45)
                }
            }
        }
    }

    // Made while arranging only: every tile would carry one otherwise.
    Loader {
        active: tile.deletable
        sourceComponent: Component {
            DeleteBadge {
                x: tile.width / 2 - tile.size / 2 - width / 2
                y: Math.max((tile.tileHeight - tile.size - (tile.showsLabel ? 16 : 0)) / 2, 0) - 6
                appId: tile.appId
                tooltip: tile.deleteTooltip
                label: tile.deleteLabel
                onClicked: tile.deleteClicked()
            }
        }
    }
}
