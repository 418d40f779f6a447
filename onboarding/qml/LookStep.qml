pragma ComponentBehavior: Bound
import QtQuick
import Orbitdeck.State
import Orbitdeck.Views

// The third page: the theme and the start mode, each written the moment it is picked. The
// window itself changes mode only once the guide has ended.
Column {
    id: page
    required property color accent
    required property color ink
    required property GuideText texts
    required property bool reduceMotion
    required property int skin
    required property int startMode

    signal skinPicked(int value)
    signal startModePicked(int value)

    spacing: 16

    StepHeader {
        width: parent.width
        symbol: "paintpalette.fill"
        title: page.texts.tr("Choose a look")
        subtitle: page.texts.tr("Pick a theme and how Orbitdeck opens.")
        accent: page.accent
        ink: page.ink
    }
    Row {
        width: parent.width
        spacing: 10
        Repeater {
            model: [[Setting.LibrarySkin.night, "Midnight"], [Setting.LibrarySkin.dusk, "Plum"],
                    [Setting.LibrarySkin.paper, "Paper"], [Setting.LibrarySkin.automatic, "Match macOS"]]
            OptionCard {
                id: skinOption
                required property var modelData
                width: (page.width - 30) / 4
                implicitHeight: Math.max(54, swatch.height + 20)
                selected: page.skin === skinOption.modelData[0]
                accent: page.accent
                ink: page.ink
                reduceMotion: page.reduceMotion
                onChosen: page.skinPicked(skinOption.modelData[0])
                Column {
                    id: swatch
                    width: parent.width
                    spacing: 8
                    SkinPreview {
                        width: parent.width
                        skin: ViewServices.resolvedSkin(skinOption.modelData[0], ViewServices.desktopRevision)
                    }
                    Text {
                        width: parent.width
                        horizontalAlignment: Text.AlignHCenter
                        elide: Text.ElideRight
                        text: page.texts.tr(skinOption.modelData[1])
                        font.pixelSize: 12
                        font.weight: Font.Medium
                        color: page.ink
                    }
                }
            }
        }
    }
    Row {
        width: parent.width
        spacing: 10
        Repeater {
            model: [[Setting.LibraryStartup.fullscreen, "rectangle.inset.filled", "Full screen"],
                    [Setting.LibraryStartup.window, "macwindow", "Window"]]
            OptionCard {
                id: modeOption
                required property var modelData
                width: (page.width - 10) / 2
                selected: page.startMode === modeOption.modelData[0]
                accent: page.accent
                ink: page.ink
                reduceMotion: page.reduceMotion
                onChosen: page.startModePicked(modeOption.modelData[0])
                Item {
                    width: parent.width
                    height: mode.height
                    Row {
                        id: mode
                        anchors.horizontalCenter: parent.horizontalCenter
                        spacing: 10
                        Symbol {
                            anchors.verticalCenter: parent.verticalCenter
                            name: modeOption.modelData[1]; size: 17; color: page.accent
                        }
                        Text {
                            anchors.verticalCenter: parent.verticalCenter
                            text: page.texts.tr(modeOption.modelData[2])
                            font.pixelSize: 13
                            font.weight: Font.DemiBold
                            color: page.ink
                        }
                    }
                }
            }
        }
    }
}
