import QtQuick
import Orbitdeck.State
import Orbitdeck.Views

// One cell of the grid: the tile, its highlight, selection badge, drop ring, dimming while
// dragged, wiggle while arranging, and the click and long-press gestures.
Item {
    id: cell
    // The item: kind is "application", "folder" or "placeholder"; key is the window's name for
    // it ("kind:itemId").
    property string kind: "application"
    property string itemId
    property string key
    property string name
    property alias iconSource: appTile.iconSource
    property list<string> previewIcons
    // How much interaction the tile gets: none, a search hit (TileLooks.searching), or the full
    // cell.
    property bool interactive: true
    property alias hoverable: appTile.hoverable
    property alias highlighted: appTile.highlighted
    property bool multiSelected: false
    property bool dropTarget: false
    property bool folderSelected: false
    property bool dragging: false
    property bool arranging: false
    property bool deletable: false
    // The jiggle's motion (Wiggle.timing), given by the live drag.
    property wiggleMotion wiggleTiming
    // Looks. Those the application tile shows are its own, as aliases: a property bound through
    // would be one more binding per tile. Those every tile shares are read from TileLooks.
    property alias cellHeight: appTile.tileHeight
    property alias iconSize: appTile.iconSize
    property alias deleteTooltip: appTile.deleteTooltip
    property alias deleteLabel: appTile.deleteLabel
    readonly property bool full: interactive && !TileLooks.searching
    readonly property bool wiggling: wiggle.active

    signal tapped(int modifiers)
    signal longPressed()
    signal deleteRequested()
    signal contextMenuRequested(real x, real y)
    // A left press, where a drag may start.
    signal pressStarted(point scenePosition)

    height: cellHeight
    opacity: full && dragging ? 0.3 : 1

    // What most cells never show is made on first use: the drop ring, the check mark and the
    // drop target's scale motion.
    readonly property bool ringShown: full && (dropTarget || folderSelected)
    readonly property bool badgeShown: full && multiSelected
    readonly property real dropScale: full && dropTarget ? 1.08 : 1
    property Item ring: null
    property Item badge: null
    property ScaleMotion scaleMotion: null
    onRingShownChanged: if (ringShown && !ring) ring = make("CellRing.qml", cell)
    onBadgeShownChanged: if (badgeShown && !badge) badge = make("CellSelectionBadge.qml", body)
    onDropScaleChanged: {
        // The binding's first value is no change to show.
        if (!scaleMotion && body.scale === dropScale)
            return
        if (!Skin.fluid(TileLooks.effects, TileLooks.reduceMotion)) {
            if (scaleMotion)
                scaleMotion.stop()
            body.scale = dropScale
            return
        }
        if (!scaleMotion)
            scaleMotion = Qt.createComponent("ScaleMotion.qml").createObject(body, { target: body }) as ScaleMotion
        scaleMotion.to = dropScale
        scaleMotion.restart()
    }
    Component.onCompleted: {
        // An expression, not a binding: each cell's would stay for nothing.
        press.acceptedButtons = Qt.LeftButton | Qt.RightButton
        body.scale = dropScale
        ringShownChanged()
        badgeShownChanged()
        kindChanged()
    }
    // A folder cell shows its folder tile, made when the cell first shows a folder.
    readonly property bool pressed: press.pressed
    property Item folderTile: null
    onKindChanged: {
        if (kind === "folder" && !folderTile)
            folderTile = make("CellFolderTile.qml", wiggle)
        else if (kind !== "folder" && folderTile) {
            folderTile.destroy()
            folderTile = null
        }
    }
    function make(file, parent) {
        return Qt.createComponent(file).createObject(parent, { cell: cell })
    }

    Item {
        id: body
        anchors.fill: parent

        Wiggle {
            id: wiggle
            anchors.fill: parent
            active: cell.full && cell.arranging && !cell.dragging
                    && Skin.animates(TileLooks.effects, TileLooks.reduceMotion)
            timing: cell.wiggleTiming

            ApplicationTile {
                id: appTile
                width: parent.width
                // A folder cell shows its folder tile instead.
                visible: cell.kind !== "folder"
                appId: visible ? cell.itemId : ""
                name: cell.name
                showsLabel: TileLooks.showsLabel
                effects: TileLooks.reduceMotion ? Setting.LibraryEffects.off : TileLooks.effects
                reduceMotion: TileLooks.reduceMotion
                ink: TileLooks.ink
                accent: TileLooks.accent
                deletable: visible && cell.full && cell.deletable && cell.arranging
                pressed: visible && press.pressed
                onDeleteClicked: cell.deleteRequested()
            }
        }
    }

    MouseArea {
        id: press
        anchors.fill: parent
        z: -1
        pressAndHoldInterval: 450
        // A press that travels more than 10 points is no long press.
        property point pressedAt
        property bool travelled: false
        onPressed: mouse => {
            pressedAt = Qt.point(mouse.x, mouse.y)
            travelled = false
            if (mouse.button === Qt.LeftButton)
                cell.pressStarted(mapToItem(null, mouse.x, mouse.y))
        }
        onPositionChanged: mouse => {
            if (Math.hypot(mouse.x - pressedAt.x, mouse.y - pressedAt.y) > 10)
                travelled = true
        }
        onClicked: mouse => {
            if (mouse.button === Qt.RightButton) {
                if (cell.full)
                    cell.contextMenuRequested(mouse.x, mouse.y)
                return
            }
            cell.tapped(mouse.modifiers)
        }
        onPressAndHold: mouse => {
            // The click that ends the press still arrives, so the state can swallow it.
            mouse.accepted = false
            // The event's own button is gone once the pointer moved: ask what is held.
            if (cell.full && !press.travelled && (press.pressedButtons & Qt.LeftButton))
                cell.longPressed()
        }
    }

}
