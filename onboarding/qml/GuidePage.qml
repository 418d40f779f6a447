import QtQuick

// One page of the guide in its place: the arriving page slides in 44 points from the side it
// comes from and the leaving one out to the other, both fading; under reduce motion they fade.
Loader {
    id: holder
    property int page: 0
    property int step: 0
    property bool forward: true
    property bool reduceMotion: false
    readonly property bool current: page === step
    readonly property real shift: reduceMotion ? 0 : 44

    objectName: "onboarding-step-" + page
    active: current || opacity > 0
    visible: opacity > 0
    enabled: current
    opacity: 0
    x: forward ? -shift : shift

    states: State {
        name: "current"
        when: holder.current
        PropertyChanges { target: holder; opacity: 1; x: 0 }
    }
    transitions: [
        Transition {
            to: "current"
            SequentialAnimation {
                PropertyAction { target: holder; property: "x"; value: holder.forward ? holder.shift : -holder.shift }
                NumberAnimation { target: holder; properties: "x,opacity"; duration: 420; easing.type: Easing.OutCubic }
            }
        },
        Transition {
            from: "current"
            NumberAnimation { target: holder; properties: "x,opacity"; duration: 420; easing.type: Easing.OutCubic }
        }
    ]
}
