import QtQuick

// The arranging jiggle: +-1.3 degrees and +-0.4 points, its phase spread by a seed.
Item {
    id: wiggle
    property bool active: false
    property string seed
    readonly property int phase: {
        let h = 0
        for (let i = 0; i < seed.length; ++i)
            h = (h * 31 + seed.charCodeAt(i)) % 997
        return h
    }
    readonly property int period: 240 + phase % 60

    transform: [
        Rotation {
            id: turn
            origin.x: wiggle.width / 2
            origin.y: wiggle.height / 2
        },
        Translate { id: lift }
    ]

    // The animation exists only while the tile jiggles: most tiles never do.
    Loader {
        active: wiggle.active
        sourceComponent: Item {
            SequentialAnimation {
                running: true
                loops: Animation.Infinite
                PauseAnimation { duration: wiggle.phase % 120 }
                ParallelAnimation {
                    NumberAnimation { target: turn; property: "angle"; from: -1.3; to: 1.3; duration: wiggle.period; easing.type: Easing.InOutSine }
                    NumberAnimation { target: lift; property: "y"; from: 0.4; to: -0.4; duration: wiggle.period; easing.type: Easing.InOutSine }
                }
                ParallelAnimation {
                    NumberAnimation { target: turn; property: "angle"; from: 1.3; to: -1.3; duration: wiggle.period; easing.type: Easing.InOutSine }
                    NumberAnimation { target: lift; property: "y"; from: -0.4; to: 0.4; duration: wiggle.period; easing.type: Easing.InOutSine }
                }
            }
        }
        onActiveChanged: {
            if (!active) {
                turn.angle = 0
                lift.y = 0
            }
        }
    }
}
