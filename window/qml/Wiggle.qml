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

    // Inactive: level at once, which also ends the swing.
    onSwingingChanged: {
        if (swinging)
            return
        turn.angle = 0
        lift.y = 0
    }

    // The animation exists only while the tile jiggles: most tiles never do.
    Loader {
        active: wiggle.swinging
        sourceComponent: Item {
            SequentialAnimation {
                // Stops in the same change that levels the tile; the loader removes it later.
                running: wiggle.swinging
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
