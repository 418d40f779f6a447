import QtQuick
import Orbitdeck.Views

// The running jiggle of one Wiggle: its two transforms and their endless swing.
QtObject {
    id: swing
    required property Wiggle wiggle
    readonly property Rotation turn: Rotation {
        origin.x: swing.wiggle.width / 2
        origin.y: swing.wiggle.height / 2
    }
    readonly property Translate lift: Translate {}

    readonly property SequentialAnimation motion: SequentialAnimation {
        // Starts tilted back, holds there for the delay, then swings forth and back forever.
        PropertyAction { target: swing.turn; property: "angle"; value: -swing.wiggle.timing.angle }
        PropertyAction { target: swing.lift; property: "y"; value: swing.wiggle.timing.lift }
        PauseAnimation { duration: swing.wiggle.timing.delay }
        SequentialAnimation {
            loops: Animation.Infinite
            ParallelAnimation {
                NumberAnimation { target: swing.turn; property: "angle"; to: swing.wiggle.timing.angle; duration: swing.wiggle.timing.duration; easing.type: Easing.BezierSpline; easing.bezierCurve: LibraryGridMath.easeInOutCurve() }
                NumberAnimation { target: swing.lift; property: "y"; to: -swing.wiggle.timing.lift; duration: swing.wiggle.timing.duration; easing.type: Easing.BezierSpline; easing.bezierCurve: LibraryGridMath.easeInOutCurve() }
            }
            ParallelAnimation {
                NumberAnimation { target: swing.turn; property: "angle"; to: -swing.wiggle.timing.angle; duration: swing.wiggle.timing.duration; easing.type: Easing.BezierSpline; easing.bezierCurve: LibraryGridMath.easeInOutCurve() }
                NumberAnimation { target: swing.lift; property: "y"; to: swing.wiggle.timing.lift; duration: swing.wiggle.timing.duration; easing.type: Easing.BezierSpline; easing.bezierCurve: LibraryGridMath.easeInOutCurve() }
            }
        }
    }
}
