import QtQuick
import Orbitdeck.Views

// One page of the guide in its place, made when it arrives and gone once it has faded out: the
// arriving page slides in 44 points from the side it comes from and the leaving one out to the
// other, both fading; under reduce motion they fade.
Item {
    id: holder
    required property int page
    required property int step
    required property bool forward
    required property bool reduceMotion
    required property Component content
    readonly property bool current: page === step
    readonly property real shift: reduceMotion ? 0 : 44
    // The page's view while it is made.
    property Item item: null

    objectName: "onboarding-step-" + page
    width: parent ? parent.width : 0
    height: parent ? parent.height : 0
    visible: opacity > 0
    enabled: current
    opacity: 0
    x: forward ? -shift : shift

    // A repeater rather than a loader: it makes the page in the guide's own context.
    Repeater {
        model: holder.current || holder.opacity > 0 ? 1 : 0
        delegate: holder.content
        onItemAdded: (index, made) => {
            made.width = Qt.binding(() => holder.width)
            made.height = Qt.binding(() => holder.height)
            holder.item = made
        }
        onItemRemoved: (index, made) => {
            if (holder.item === made)
                holder.item = null
        }
    }

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
                SpringMotion { target: holder; properties: "x,opacity"; response: 0.42; dampingFraction: 0.88 }
            }
        },
        Transition {
            from: "current"
            SpringMotion { target: holder; properties: "x,opacity"; response: 0.42; dampingFraction: 0.88 }
        }
    ]
}
