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
        PropertyAction { target: swing.turn; property: "angle"; value: -swing.wiggle.angle }
        PropertyAction { target: swing.lift; property: "y"; value: swing.wiggle.rise }
        PauseAnimation { duration: swing.wiggle.delay }
        SequentialAnimation {
            loops: Animation.Infinite
            ParallelAnimation {
                NumberAnimation { target: swing.turn; property: "angle"; to: swing.wiggle.angle; duration: swing.wiggle.swing; easing.type: Easing.BezierSpline; easing.bezierCurve: LibraryGridMath.easeInOutCurve() }
                NumberAnimation { target: swing.lift; property: "y"; to: -swing.wiggle.rise; duration: swing.wiggle.swing; easing.type: Easing.BezierSpline; easing.bezierCurve: LibraryGridMath.easeInOutCurve() }
            }
            ParallelAnimation {
                NumberAnimation { target: swing.turn; property: "angle"; to: -swing.wiggle.angle; duration: swing.wiggle.swing; easing.type: Easing.BezierSpline; easing.bezierCurve: LibraryGridMath.easeInOutCurve() }
                NumberAnimation { target: swing.lift; property: "y"; to: swing.wiggle.rise; duration: swing.wiggle.swing; easing.type: Easing.BezierSpline; easing.bezierCurve: LibraryGridMath.easeInOutCurve() }
            }
        }
    }
}
