import QtQuick
import Orbitdeck.State

// The arranging jiggle: the tile tilts and lifts one way, then swings to the other side and back
// for as long as it is active. Its motion comes from the live drag (LiveDrag.wiggleTiming): a
// swing's duration and the delay before the first one differ per tile, so the grid does not
// move in lockstep. Without a timing the tile stays still.
Item {
    id: wiggle
    property bool active: false
    property wiggleMotion timing
    readonly property bool swinging: active && timing.duration > 0
    // The swing (WiggleSwing) and its two transforms exist only while the tile jiggles: most
    // tiles never do. Stopped and levelled here, in order, in the change that ends the jiggle.
    // Untyped: WiggleSwing's own type names this one.
    property var running: null

    onSwingingChanged: {
        if (swinging) {
            if (!running) {
                running = Qt.createComponent("WiggleSwing.qml").createObject(wiggle, { wiggle: wiggle })
                transform = [running.turn, running.lift]
            }
            running.motion.start()
            return
        }
        if (!running)
            return
        running.motion.stop()
        transform = []
        running.destroy()
        running = null
    }
    Component.onCompleted: if (swinging) swingingChanged()
}
