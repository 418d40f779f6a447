pragma ComponentBehavior: Bound
import QtQuick
import Orbitdeck.State
import Orbitdeck.Views

// The sheet's left column: the app's icon and name, one button per tab and the version line.
Rectangle {
    id: sidebar
    property SheetTheme theme
    property int tab
    property string versionLine
    property int appIcon: Setting.AppIconStyle.midnight
    signal tabChosen(int tab)

    // Tabs in the order the sidebar lists them.
    readonly property var tabs: [
        { tab: Setting.LibraryAppearanceTab.general, name: "general", title: "General", symbol: "gearshape", color: "#8e8e93" },
        { tab: Setting.LibraryAppearanceTab.shortcuts, name: "shortcuts", title: "Shortcuts", symbol: "command", color: "#ff9500" },
        { tab: Setting.LibraryAppearanceTab.grid, name: "grid", title: "Grid", symbol: "square.grid.3x3", color: "#007aff" },
        { tab: Setting.LibraryAppearanceTab.appearance, name: "appearance", title: "Appearance", symbol: "circle.lefthalf.filled", color: "#5856d6" },
        { tab: Setting.LibraryAppearanceTab.organize, name: "organize", title: "Organize", symbol: "arrow.up.arrow.down", color: "#30b0c7" }
    ]

    width: 214
    color: theme.primaryAt(0.035)

    Column {
        anchors { fill: parent; margins: 12 }
        spacing: 3

        Row {
            x: 8
            topPadding: 6
            bottomPadding: 16
            spacing: 10
            Image {
                width: 34
                height: 34
                sourceSize { width: 68; height: 68 }
                objectName: "settings-sidebar-icon"
                source: Skin.appIcon(sidebar.appIcon)
                smooth: true
                mipmap: true
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: "Orbitdeck"
                font.pixelSize: 14
                font.weight: Font.DemiBold
                color: sidebar.theme.primary
            }
        }
        Repeater {
            model: sidebar.tabs
            delegate: SidebarTabButton {
                id: tabButton
                required property var modelData
                theme: sidebar.theme
                name: tabButton.modelData.name
                title: tabButton.modelData.title
                symbol: tabButton.modelData.symbol
                tileColor: tabButton.modelData.color
                selected: sidebar.tab === tabButton.modelData.tab
                onChosen: sidebar.tabChosen(tabButton.modelData.tab)
            }
        }
    }
    Text {
        anchors { left: parent.left; bottom: parent.bottom; margins: 12; leftMargin: 20 }
        text: sidebar.versionLine
        font.pixelSize: 10
        color: sidebar.theme.tertiary
    }
}
