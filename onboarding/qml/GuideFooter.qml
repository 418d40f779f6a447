pragma ComponentBehavior: Bound
import QtQuick
import Orbitdeck.Views

// Page dots on the left; "Skip" or "Back", then "Continue" or "Get Started" on the right.
Item {
    id: footer
    required property int step
    required property int steps
    required property color accent
    required property color ink
    required property string skin
    required property bool reduceMotion
    required property GuideText texts
    readonly property bool last: step >= steps - 1

    signal skip()
    signal back()
    signal next()
    signal getStarted()

    implicitHeight: row.implicitHeight + 36

    Row {
        id: dots
        anchors { left: parent.left; leftMargin: 24; verticalCenter: parent.verticalCenter }
        spacing: 6
        Repeater {
            model: footer.steps
            Rectangle {
                id: dot
                required property int index
                readonly property bool current: index === footer.step
                width: current ? 18 : 6
                height: 6
                radius: 3
                color: dot.current ? footer.accent : Qt.rgba(footer.ink.r, footer.ink.g, footer.ink.b, 0.18)
                Behavior on width {
                    enabled: !footer.reduceMotion
                    SpringMotion { response: 0.42; dampingFraction: 0.88 }
                }
                Behavior on color { ColorAnimation { duration: footer.reduceMotion ? 0 : 350 } }
            }
        }
    }

    Row {
        id: row
        anchors { right: parent.right; rightMargin: 24; verticalCenter: parent.verticalCenter }
        spacing: 10
        GuideButton {
            objectName: footer.step === 0 ? "onboarding-skip" : "onboarding-back"
            text: footer.step === 0 ? footer.texts.tr("Skip") : footer.texts.tr("Back")
            kind: footer.step === 0 ? "plain" : "standard"
            accent: footer.accent; ink: footer.ink; skin: footer.skin
            onClicked: footer.step === 0 ? footer.skip() : footer.back()
        }
        GuideButton {
            objectName: footer.last ? "onboarding-finish" : "onboarding-continue"
            text: footer.last ? footer.texts.tr("Get Started") : footer.texts.tr("Continue")
            kind: "prominent"
            accent: footer.accent; ink: footer.ink; skin: footer.skin
            onClicked: footer.last ? footer.getStarted() : footer.next()
        }
    }
}
