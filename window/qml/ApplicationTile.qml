import QtQuick
import Orbitdeck.State
import Orbitdeck.Views

// One application: icon, name, hover and highlight, the delete badge while arranging. The tile is
// its face (plate, shadow, icon and the name, its child "application-label"): a tile holding
// its face would be one more item, and one more binding for each look passed on, per tile.
TileFace {
    id: tile
    property string appId
    property alias size: tile.iconSize
    property real tileHeight: 96
    property int effects: Setting.LibraryEffects.fluid
    property bool reduceMotion: false
    property bool deletable: false
    property bool hoverable: true
    property string deleteTooltip: "Move to Trash"
    property string deleteLabel: "Delete " + name
    readonly property string tooltipText: showsLabel && name.length < 14 ? "" : name

    signal deleteClicked()

    objectName: "application-result-" + appId
    height: tileHeight
    compact: tileHeight < 65
    accent: Skin.accent("night")
    // Not while the page moves (hoverable off): the handler stays on, as turning 35 of them off
    // and on costs more than the frame.
    hovered: hover.hovered && hoverable
    lifts: hovered && Skin.fluid(effects, reduceMotion)
    animates: Skin.animates(effects, reduceMotion)
    pressAnimates: Skin.fluid(effects, reduceMotion)
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
    // first press (the software renderer draws no effects). Its layer is made with it.
    property Component pressDim: null
    onPressedChanged: {
        if (pressed && !pressDim && GraphicsInfo.api !== GraphicsInfo.Software)
            pressDim = Qt.createComponent("PressDim.qml")
        if (pressDim) {
            layer.effect = pressDim
            layer.enabled = pressed
        }
    }
}
