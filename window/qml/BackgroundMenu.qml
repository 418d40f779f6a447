pragma ComponentBehavior: Bound
import QtQuick
import Orbitdeck.State
import QtQuick.Controls

// The context menu of the grid's empty space.
Menu {
    id: bgMenu
    property bool arranging: false
    property bool searching: false
    property bool fullScreen: false
    property int sort: Setting.SortOrder.manual
    property bool labels: true
    property TextLookup texts: null        // the interface language
    function tr(key: string): string { return texts ? texts.t(key) : key }

    signal done()
    signal editLayout()
    signal sortChosen(int sort)
    signal labelsToggled(bool on)
    signal fullScreenToggled()
    signal settingsChosen()
    signal refreshChosen()
    signal restartChosen()
    signal closeChosen()

    objectName: "library-background-menu"

    MenuItem {
        objectName: "library-menu-arrange"
        text: bgMenu.arranging ? bgMenu.tr("Done") : bgMenu.tr("Edit Layout")
        enabled: bgMenu.arranging || !bgMenu.searching
        onTriggered: bgMenu.arranging ? bgMenu.done() : bgMenu.editLayout()
    }
    Menu {
        id: sortMenu
        objectName: "library-menu-sort"
        title: bgMenu.tr("Sort apps by")
        Repeater {
            model: ListModel {
                ListElement { key: "manual"; title: "Manual"; order: Setting.SortOrder.manual }
                ListElement { key: "name"; title: "Name A–Z"; order: Setting.SortOrder.name }
                ListElement { key: "nameReverse"; title: "Name Z–A"; order: Setting.SortOrder.nameReverse }
                ListElement { key: "added"; title: "Date added"; order: Setting.SortOrder.added }
                ListElement { key: "recent"; title: "Last opened"; order: Setting.SortOrder.recent }
                ListElement { key: "frequency"; title: "Most used"; order: Setting.SortOrder.frequency }
            }
            MenuItem {
                required property string key
                required property string title
                required property int order
                objectName: "library-menu-sort-" + key
                text: bgMenu.tr(title)
                checkable: true
                checked: bgMenu.sort === order
                onTriggered: bgMenu.sortChosen(order)
            }
        }
    }
    MenuItem {
        objectName: "library-menu-labels"
        text: bgMenu.tr("Show app names")
        checkable: true
        checked: bgMenu.labels
        onTriggered: bgMenu.labelsToggled(checked)
    }
    MenuSeparator {}
    MenuItem {
        objectName: "library-menu-full-screen"
        text: bgMenu.fullScreen ? bgMenu.tr("Exit full screen") : bgMenu.tr("Enter full screen")
        onTriggered: bgMenu.fullScreenToggled()
    }
    MenuItem {
        objectName: "library-menu-settings"
        text: bgMenu.tr("Settings…")
        onTriggered: bgMenu.settingsChosen()
    }
    MenuSeparator {}
    MenuItem {
        id: refresh
        objectName: "library-menu-refresh"
        text: bgMenu.tr("Refresh")
        // The key text from the tables ("Ctrl+R", "Strg+R"), at the entry's trailing edge.
        readonly property string shortcutText: bgMenu.tr("⌘R")
        onTriggered: bgMenu.refreshChosen()
        contentItem: MenuKeysLabel {
            keysObjectName: "library-menu-refresh-keys"
            text: refresh.text
            keys: refresh.shortcutText
            font: refresh.font
            ink: refresh.highlighted ? refresh.palette.highlightedText : refresh.palette.windowText
        }
    }
    MenuItem {
        objectName: "library-menu-restart"
        text: bgMenu.tr("Restart Orbitdeck")
        onTriggered: bgMenu.restartChosen()
    }
    MenuSeparator {}
    MenuItem {
        objectName: "library-menu-close"
        text: bgMenu.tr("Close Orbitdeck")
        onTriggered: bgMenu.closeChosen()
    }
}
