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
            model: ListModel {
                ListElement { skin: Setting.LibrarySkin.night; title: "Midnight" }
                ListElement { skin: Setting.LibrarySkin.dusk; title: "Plum" }
                ListElement { skin: Setting.LibrarySkin.paper; title: "Paper" }
                ListElement { skin: Setting.LibrarySkin.automatic; title: "Match macOS" }
            }
            OptionCard {
                id: skinOption
                required property int skin
                required property string title
                width: (page.width - 30) / 4
                implicitHeight: Math.max(54, swatch.height + 20)
                selected: page.skin === skinOption.skin
                accent: page.accent
                ink: page.ink
                reduceMotion: page.reduceMotion
                onChosen: page.skinPicked(skinOption.skin)
                Column {
                    id: swatch
                    width: parent.width
                    spacing: 8
                    SkinPreview {
                        width: parent.width
                        skin: ViewServices.resolvedSkin(skinOption.skin, ViewServices.desktopRevision)
                    }
                    Text {
                        width: parent.width
                        horizontalAlignment: Text.AlignHCenter
                        elide: Text.ElideRight
                        text: page.texts.tr(skinOption.title)
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
            model: ListModel {
                ListElement { mode: Setting.LibraryStartup.fullscreen; symbol: "rectangle.inset.filled"; title: "Full screen" }
                ListElement { mode: Setting.LibraryStartup.window; symbol: "macwindow"; title: "Window" }
            }
            OptionCard {
                id: modeOption
                required property int mode
                required property string symbol
                required property string title
                width: (page.width - 10) / 2
                selected: page.startMode === modeOption.mode
                accent: page.accent
                ink: page.ink
                reduceMotion: page.reduceMotion
                onChosen: page.startModePicked(modeOption.mode)
                Item {
                    width: parent.width
                    height: modeRow.height
                    Row {
                        id: modeRow
                        anchors.horizontalCenter: parent.horizontalCenter
                        spacing: 10
                        Symbol {
                            anchors.verticalCenter: parent.verticalCenter
                            name: modeOption.symbol; size: 17; color: page.accent
                        }
                        Text {
                            anchors.verticalCenter: parent.verticalCenter
                            text: page.texts.tr(modeOption.title)
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
