import QtQuick
import Orbitdeck.Views

// A number animation that follows a spring of the given response (seconds) and damping
// fraction, over the time the spring takes to settle.
NumberAnimation {
    property real response: 0.34
    property real dampingFraction: 0.84
    duration: LibraryGridMath.springDuration(response, dampingFraction)
    easing.type: Easing.BezierSpline
    easing.bezierCurve: LibraryGridMath.springCurve(response, dampingFraction)
}
