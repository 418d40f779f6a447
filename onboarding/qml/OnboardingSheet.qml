pragma ComponentBehavior: Bound
import QtQuick
import Orbitdeck.State
import Orbitdeck.Views
import Orbitdeck.Onboarding

// The first-run guide as a sheet over the window. Clicks beside the card do nothing: only the
// guide's own buttons end it. Return is the right-hand button, Escape "Skip" on the first page.
FocusScope {
    id: sheet
    property OnboardingView guide: null
    property WindowSettings settings: null
    // The window's lookup from a string-table key to its text.
    property var tr: key => key
    property bool reduceMotion: false
    // Whether the chosen global shortcut is held elsewhere, the offered ones that are, and a
    // Wayland session (where none can be held by the launcher).
    property bool hotKeyRefused: false
    property var takenHotKeys: []
    property bool waylandSession: false

    readonly property string skin: settings
                                   ? ViewServices.resolvedSkin(settings.skin, ViewServices.desktopRevision)
                                   : "night"
    readonly property color accent: Skin.accent(skin)
    readonly property color ink: Skin.ink(skin)
    readonly property int step: guide ? guide.step : 0
    readonly property bool forward: guide ? guide.forward : true

    GuideText { id: guideText; lookup: sheet.tr }

    objectName: "onboarding-sheet"
    focus: true
    Keys.onReturnPressed: if (guide) guide.defaultAction()
    Keys.onEnterPressed: if (guide) guide.defaultAction()
    Keys.onEscapePressed: if (guide) guide.cancelAction()

    Rectangle {
        anchors.fill: parent
        color: Qt.rgba(0, 0, 0, 0.32)
    }
    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.AllButtons
        hoverEnabled: true
        onWheel: wheel => wheel.accepted = true
    }

    GuideCard {
        id: card
        anchors.centerIn: parent
        skin: sheet.skin

        Item {
            id: stepArea
            anchors {
                left: parent.left; right: parent.right; top: parent.top; bottom: footer.top
                leftMargin: 36; rightMargin: 36; topMargin: 32
            }
            GuidePage { page: 0; step: sheet.step; forward: sheet.forward; reduceMotion: sheet.reduceMotion; content: welcome }
            GuidePage { page: 1; step: sheet.step; forward: sheet.forward; reduceMotion: sheet.reduceMotion; content: shortcut }
            GuidePage { page: 2; step: sheet.step; forward: sheet.forward; reduceMotion: sheet.reduceMotion; content: look }
            GuidePage { page: 3; step: sheet.step; forward: sheet.forward; reduceMotion: sheet.reduceMotion; content: layout }
        }

        GuideFooter {
            id: footer
            anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
            step: sheet.step
            steps: sheet.guide ? sheet.guide.steps : 4
            accent: sheet.accent
            ink: sheet.ink
            skin: sheet.skin
            reduceMotion: sheet.reduceMotion
            texts: guideText
            onSkip: sheet.guide.skip()
            onBack: sheet.guide.go(false, -1)
            onNext: sheet.guide.go(true, 1)
            onGetStarted: sheet.guide.getStarted()
        }
    }

    Component {
        id: welcome
        WelcomeStep {
            accent: sheet.accent
            ink: sheet.ink
            texts: guideText
            appIcon: sheet.settings ? sheet.settings.appIcon : Setting.AppIconStyle.midnight
        }
    }
    Component {
        id: shortcut
        ShortcutStep {
            accent: sheet.accent; ink: sheet.ink; texts: guideText; reduceMotion: sheet.reduceMotion
            hotKey: sheet.settings ? sheet.settings.hotKey : Setting.LibraryHotKey.optionSpace
            hotKeyRefused: sheet.hotKeyRefused
            takenHotKeys: sheet.takenHotKeys
            waylandSession: sheet.waylandSession
            onPicked: value => sheet.settings.hotKey = value
        }
    }
    Component {
        id: look
        LookStep {
            accent: sheet.accent; ink: sheet.ink; texts: guideText; reduceMotion: sheet.reduceMotion
            skin: sheet.settings ? sheet.settings.skin : Setting.LibrarySkin.night
            startMode: sheet.settings ? sheet.settings.startMode : Setting.LibraryStartup.fullscreen
            onSkinPicked: value => sheet.settings.skin = value
            onStartModePicked: value => sheet.settings.startMode = value
        }
    }
    Component {
        id: layout
        LayoutStep {
            accent: sheet.accent; ink: sheet.ink; texts: guideText; reduceMotion: sheet.reduceMotion
            choice: sheet.guide ? sheet.guide.layoutChoice : "keep"
            launchpadAvailable: sheet.guide ? sheet.guide.launchpadAvailable : false
            onPicked: value => sheet.guide.chooseLayout(value)
        }
    }

    Component.onCompleted: forceActiveFocus()
}
