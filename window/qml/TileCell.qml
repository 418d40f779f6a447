import QtQuick

// One cell of the grid: the tile, its highlight, selection badge, drop ring, dimming while
// dragged, wiggle while arranging, and the click and long-press gestures.
Item {
    id: cell
    // The item: kind is "application", "folder" or "placeholder".
    property string kind: "application"
    property string itemId
    property string name
    property url iconSource
    property var previewIcons: []
    // How much interaction the tile gets: none, a search hit, or the full cell.
    property bool interactive: true
    property bool searching: false
    property bool highlighted: false
    property bool multiSelected: false
    property bool dropTarget: false
    property bool folderSelected: false
    property bool dragging: false
    property bool arranging: false
    property bool deletable: false
    // The jiggle's motion (Wiggle.timing), given by the live drag.
    property var wiggleTiming: null
    // Looks.
    property real cellHeight: 96
    property real iconSize: 62
    property bool showsLabel: true
    property bool folderLabels: true
    property string skin: "night"
    property string effects: "fluid"
    property bool reduceMotion: false
    property string deleteTooltip: "Move to Trash"
    property string deleteLabel: "Delete " + name
    readonly property bool full: interactive && !searching
    readonly property bool wiggling: wiggle.active
    readonly property color accent: Skin.accent(skin)
    readonly property color ink: Skin.ink(skin)

    signal tapped(int modifiers)
    signal longPressed()
    signal deleteRequested()
    signal contextMenuRequested(real x, real y)

    height: cellHeight
    opacity: full && dragging ? 0.3 : 1

    Item {
        id: body
        anchors.fill: parent
        scale: cell.full && cell.dropTarget ? 1.08 : 1
        Behavior on scale {
            enabled: Skin.fluid(cell.effects, cell.reduceMotion)
            NumberAnimation { duration: 180; easing.type: Easing.OutCubic }
        }

        Wiggle {
            id: wiggle
            anchors.fill: parent
            active: cell.full && cell.arranging && !cell.dragging
                    && Skin.animates(cell.effects, cell.reduceMotion)
            timing: cell.wiggleTiming

            // Only the kind of tile the item is gets made.
            Loader {
                width: parent.width
                sourceComponent: cell.kind === "folder" ? folderTile : applicationTile
            }
        }
        // Made at the first multi-selection of the tile, then kept for its fade.
        Loader {
            anchors.top: parent.top
            anchors.right: parent.right
            anchors.margins: 6
            active: cell.full && cell.multiSelected || item !== null
            sourceComponent: Component {
                SelectionBadge {
                    // Shown only once made, so it grows in as it always did.
                    property bool made: false
                    shown: made && cell.full && cell.multiSelected
                    accent: cell.accent
                    Component.onCompleted: made = true
                }
            }
        }
    }

    DropRing {
        anchors.fill: parent
        visible: cell.full && (cell.dropTarget || cell.folderSelected)
        strong: cell.dropTarget
        accent: cell.accent
    }

    MouseArea {
        id: press
        anchors.fill: parent
        z: -1
        acceptedButtons: Qt.LeftButton | Qt.RightButton
        pressAndHoldInterval: 450
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
            if (cell.full && mouse.button === Qt.LeftButton)
                cell.longPressed()
        }
    }

    Component {
        id: applicationTile
        ApplicationTile {
            width: wiggle.width
            appId: cell.itemId
            name: cell.name
            iconSource: cell.iconSource
            size: cell.iconSize
            tileHeight: cell.cellHeight
            showsLabel: cell.showsLabel
            effects: cell.reduceMotion ? "off" : cell.effects
            reduceMotion: cell.reduceMotion
            ink: cell.ink
            accent: cell.accent
            highlighted: cell.highlighted
            deletable: cell.full && cell.deletable && cell.arranging
            pressed: press.pressed
            deleteTooltip: cell.deleteTooltip
            deleteLabel: cell.deleteLabel
            onDeleteClicked: cell.deleteRequested()
        }
    }
    Component {
        id: folderTile
        FolderTile {
            width: wiggle.width
            folderId: cell.itemId
            name: cell.name
            previewIcons: cell.previewIcons
            size: cell.iconSize
            tileHeight: cell.cellHeight
            showsLabel: cell.folderLabels
            ink: cell.ink
            pressed: press.pressed
            pressAnimates: Skin.fluid(cell.effects, cell.reduceMotion)
        }
    }
}
