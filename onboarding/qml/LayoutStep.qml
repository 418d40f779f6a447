pragma ComponentBehavior: Bound
import QtQuick
import Orbitdeck.Views

// The last page: the layout to start from. Only remembered here; "Get Started" acts on it.
Column {
    id: page
    required property color accent
    required property color ink
    required property GuideText texts
    required property bool reduceMotion
    required property string choice
    required property bool launchpadAvailable

    signal picked(string value)

    spacing: 14

    StepHeader {
        width: parent.width
        symbol: "square.grid.2x2.fill"
        title: page.texts.tr("Start with your layout")
        subtitle: page.texts.tr("You can always reorganize later, and ⌘Z undoes it.")
        accent: page.accent
        ink: page.ink
    }
    Repeater {
        model: ListModel {
            ListElement {
                choice: "launchpad"; symbol: "square.and.arrow.down"; title: "Import from Launchpad"
                detail: "Bring over your pages and folders exactly as they are."
            }
            ListElement {
                choice: "tidy"; symbol: "wand.and.stars"; title: "Tidy up for me"
                detail: "Sort apps by name and gather system tools in “Other”."
            }
            ListElement {
                choice: "keep"; symbol: "square.grid.3x3"; title: "Keep the current layout"
                detail: "Start with all your apps in one grid."
            }
        }
        OptionCard {
            id: option
            required property string choice
            required property string symbol
            required property string title
            required property string detail
            readonly property bool unavailable: choice === "launchpad" && !page.launchpadAvailable
            width: page.width
            implicitHeight: 54
            selected: page.choice === option.choice
            disabled: option.unavailable
            accent: page.accent
            ink: page.ink
            reduceMotion: page.reduceMotion
            onChosen: page.picked(option.choice)
            Item {
                width: parent.width
                height: 34
                Rectangle {
                    id: tile
                    width: 34; height: 34; radius: 9
                    color: Qt.rgba(page.accent.r, page.accent.g, page.accent.b, 0.14)
                    Symbol { anchors.centerIn: parent; name: option.symbol; size: 15; color: page.accent }
                }
                Column {
                    anchors { left: tile.right; leftMargin: 12; right: mark.left; rightMargin: 12
                              verticalCenter: parent.verticalCenter }
                    spacing: 2
                    Text {
                        width: parent.width
                        text: page.texts.tr(option.title)
                        font.pixelSize: 13
                        font.weight: Font.DemiBold
                        color: page.ink
                        elide: Text.ElideRight
                    }
                    Text {
                        width: parent.width
                        text: page.texts.tr(option.unavailable ? "No Launchpad layout was found on this Mac." : option.detail)
                        font.pointSize: LibraryGridMath.fontPoints(11.5)
                        color: Qt.rgba(page.ink.r, page.ink.g, page.ink.b, 0.6)
                        elide: Text.ElideRight
                    }
                }
                Symbol {
                    id: mark
                    anchors { right: parent.right; verticalCenter: parent.verticalCenter }
                    size: 16
                    name: option.selected ? "checkmark.circle.fill" : "circle"
                    color: option.selected ? page.accent : Qt.rgba(page.ink.r, page.ink.g, page.ink.b, 0.3)
                }
            }
        }
    }
}
