pragma ComponentBehavior: Bound
import QtQuick

// While the library loads: a spinner in the middle of the area, twelve fading spokes turning,
// drawn in the skin's ink.
Item {
    id: loading
    property string label: "Finding applications"
    property string skin: "night"

    Item {
        id: spinner
        objectName: "library-loading"
        width: 28
        height: 28
        anchors.centerIn: parent
        Accessible.role: Accessible.Indicator
        Accessible.name: loading.label

        Repeater {
            model: 12
            Rectangle {
                id: tick
                required property int index
                x: (spinner.width - width) / 2
                y: 0
                width: 2.5
                height: 8
                radius: width / 2
                color: Skin.ink(loading.skin)
                opacity: 1 - index / 14
                transform: Rotation {
                    origin.x: 1.25
                    origin.y: spinner.height / 2
                    angle: -tick.index * 30
                }
            }
        }
        RotationAnimator on rotation {
            running: loading.visible
            from: 0
            to: 360
            duration: 1000
            loops: Animation.Infinite
        }
    }
}
