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
    readonly property ListModel tabs: ListModel {
        ListElement { tab: Setting.LibraryAppearanceTab.general; name: "general"; title: "General"; symbol: "gearshape"; tileColor: "#8e8e93" }
        ListElement { tab: Setting.LibraryAppearanceTab.shortcuts; name: "shortcuts"; title: "Shortcuts"; symbol: "command"; tileColor: "#ff9500" }
        ListElement { tab: Setting.LibraryAppearanceTab.grid; name: "grid"; title: "Grid"; symbol: "square.grid.3x3"; tileColor: "#007aff" }
        ListElement { tab: Setting.LibraryAppearanceTab.appearance; name: "appearance"; title: "Appearance"; symbol: "circle.lefthalf.filled"; tileColor: "#5856d6" }
        ListElement { tab: Setting.LibraryAppearanceTab.organize; name: "organize"; title: "Organize"; symbol: "arrow.up.arrow.down"; tileColor: "#30b0c7" }
    }

    // The title of the tab, a table key.
    function titleOf(tab: int): string {
        for (let i = 0; i < tabs.count; ++i) {
            if (tabs.get(i).tab === tab)
                return tabs.get(i).title
        }
        return ""
    }

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
                required property int tab
                required name
                required title
                required symbol
                required tileColor
                theme: sidebar.theme
                selected: sidebar.tab === tabButton.tab
                onChosen: sidebar.tabChosen(tabButton.tab)
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
