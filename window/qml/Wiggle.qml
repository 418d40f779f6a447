import QtQuick

// The arranging jiggle: the tile tilts and lifts one way, then swings to the other side and back
// for as long as it is active. Its motion comes from the live drag (LiveDrag.wiggleTiming): a
// swing's duration and the delay before the first one differ per tile, so the grid does not
// move in lockstep. Without a timing the tile stays still.
Item {
    id: wiggle
    property bool active: false
    // {duration, delay} in milliseconds, {angle} in degrees, {lift} in points.
    property var timing: null
    readonly property bool swinging: active && timing !== null
    readonly property real angle: timing ? timing.angle : 0
    readonly property real rise: timing ? timing.lift : 0
    readonly property int swing: timing ? timing.duration : 0
    readonly property int delay: timing ? timing.delay : 0

    // The common ease-in-out curve.
    readonly property var easeInOut: [0.42, 0, 0.58, 1, 1, 1]

    transform: [
        Rotation {
            id: turn
            origin.x: wiggle.width / 2
            origin.y: wiggle.height / 2
        },
        Translate { id: lift }
    ]

    // The animation exists only while the tile jiggles: most tiles never do. It is started and
    // stopped here, in order: a loader's own deactivation leaves a running animation ticking
    // until the loader gets round to deleting it, which could tilt a levelled tile again.
    onSwingingChanged: {
        if (swinging) {
            swingLoader.active = true
            return
        }
        if (swingLoader.item)
            swingLoader.item.swing.stop()
        swingLoader.active = false
        turn.angle = 0
        lift.y = 0
    }
    Component.onCompleted: swingLoader.active = swinging

    Loader {
        id: swingLoader
        active: false
        sourceComponent: Item {
            readonly property alias swing: swingAnimation
            SequentialAnimation {
                id: swingAnimation
                running: true
                // Starts tilted back, holds there for the delay, then swings forth and back forever.
                PropertyAction { target: turn; property: "angle"; value: -wiggle.angle }
                PropertyAction { target: lift; property: "y"; value: wiggle.rise }
                PauseAnimation { duration: wiggle.delay }
                SequentialAnimation {
                    loops: Animation.Infinite
                    ParallelAnimation {
                        NumberAnimation { target: turn; property: "angle"; to: wiggle.angle; duration: wiggle.swing; easing.type: Easing.BezierSpline; easing.bezierCurve: wiggle.easeInOut }
                        NumberAnimation { target: lift; property: "y"; to: -wiggle.rise; duration: wiggle.swing; easing.type: Easing.BezierSpline; easing.bezierCurve: wiggle.easeInOut }
                    }
                    ParallelAnimation {
                        NumberAnimation { target: turn; property: "angle"; to: -wiggle.angle; duration: wiggle.swing; easing.type: Easing.BezierSpline; easing.bezierCurve: wiggle.easeInOut }
                        NumberAnimation { target: lift; property: "y"; to: wiggle.rise; duration: wiggle.swing; easing.type: Easing.BezierSpline; easing.bezierCurve: wiggle.easeInOut }
                    }
                }
            }
        }
    }
}
