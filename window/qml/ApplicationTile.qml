import QtQuick
import Orbitdeck.State
import Orbitdeck.Views

// One application: icon, name, hover and highlight, the delete badge while arranging.
Item {
    id: tile
    property string appId
    // What the face shows is the face's own: a property of the tile bound to it would be one
    // more binding per tile.
    property alias name: face.name
    property alias iconSource: face.iconSource
    property alias size: face.iconSize
    property real tileHeight: 96
    property alias showsLabel: face.showsLabel
    property int effects: Setting.LibraryEffects.fluid
    property bool reduceMotion: false
    property alias ink: face.ink
    property color accent: Skin.accent("night")
    property alias highlighted: face.highlighted
    property bool deletable: false
    property alias pressed: face.pressed
    property bool hoverable: true
    property string deleteTooltip: "Move to Trash"
    property string deleteLabel: "Delete " + name
    // Not while the page moves (hoverable off): the handler stays on, as turning 35 of them off
    // and on costs more than the frame.
    readonly property bool hovered: hover.hovered && hoverable
    readonly property bool lifts: hovered && Skin.fluid(effects, reduceMotion)
    readonly property bool pressAnimates: Skin.fluid(effects, reduceMotion)
    readonly property string tooltipText: showsLabel && name.length < 14 ? "" : name

    signal deleteClicked()

    objectName: "application-result-" + appId
    height: tileHeight
    Accessible.name: name
    Accessible.role: Accessible.Button

    HoverHandler { id: hover }
    // The tool tip and the delete badge are made on first use: every tile would carry them.
    property Item toolTip: null
    property Item deleteBadge: null
    onHoveredChanged: {
        if (hovered && !toolTip)
            toolTip = Qt.createComponent("TileToolTip.qml").createObject(tile, { tile: tile })
    }
    onDeletableChanged: {
        if (deletable && !deleteBadge)
            deleteBadge = Qt.createComponent("TileDeleteBadge.qml").createObject(tile, { tile: tile })
        else if (!deletable && deleteBadge) {
            deleteBadge.destroy()
            deleteBadge = null
        }
    }
    Component.onCompleted: deletableChanged()

    // The pressed face is a little darker: one effect, on the pressed tile only, compiled at the
    // first press (the software renderer draws no effects).
    property Component pressDim: null
    onPressedChanged: {
        if (pressed && !pressDim && GraphicsInfo.api !== GraphicsInfo.Software)
            pressDim = Qt.createComponent("PressDim.qml")
    }

    // Plate, shadow, icon and name (its child "application-label"), hover lift and press look.
    TileFace {
        id: face
        anchors.fill: parent
        compact: tile.tileHeight < 65
        accent: tile.accent
        hovered: tile.hovered
        lifts: tile.lifts
        animates: Skin.animates(tile.effects, tile.reduceMotion)
        pressAnimates: tile.pressAnimates
        layer.enabled: tile.pressed && tile.pressDim !== null
        layer.effect: tile.pressDim
    }
}
