import QtQuick
import Orbitdeck.Views

// The running jiggle of one Wiggle: its two transforms and their endless swing. The swing moves
// a phase from -1 (tilted back, lifted) to 1 and back; the software renderer draws a tilted tile
// by resampling all its pictures, so there the tilt takes five steps of the phase rather than a
// new angle in every frame, and each frame redraws about half the tiles instead of all of them.
QtObject {
    id: swing
    required property Wiggle wiggle
    property real phase: -1
    readonly property real steps: swing.wiggle.GraphicsInfo.api === GraphicsInfo.Software ? 2 : 0
    readonly property real shown: steps > 0 ? Math.round(phase * steps) / steps : phase
    readonly property Rotation turn: Rotation {
        origin.x: swing.wiggle.width / 2
        origin.y: swing.wiggle.height / 2
        angle: swing.shown * swing.wiggle.timing.angle
    }
    readonly property Translate lift: Translate { y: -swing.shown * swing.wiggle.timing.lift }

    readonly property SequentialAnimation motion: SequentialAnimation {
        // Starts tilted back, holds there for the delay, then swings forth and back forever.
        PropertyAction { target: swing; property: "phase"; value: -1 }
        PauseAnimation { duration: swing.wiggle.timing.delay }
        SequentialAnimation {
            loops: Animation.Infinite
            NumberAnimation { target: swing; property: "phase"; to: 1; duration: swing.wiggle.timing.duration; easing.type: Easing.BezierSpline; easing.bezierCurve: LibraryGridMath.easeInOutCurve() }
            NumberAnimation { target: swing; property: "phase"; to: -1; duration: swing.wiggle.timing.duration; easing.type: Easing.BezierSpline; easing.bezierCurve: LibraryGridMath.easeInOutCurve() }
        }
    }
}
