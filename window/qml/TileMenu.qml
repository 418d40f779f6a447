pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Orbitdeck.State

// The context menu of one tile, built from the entries the state hands over when it opens
// (see window/menu_entry.h): actions, dividers, a line of text and submenus.
Menu {
    id: tileMenu
    property list<menuEntry> entries
    // Hands back the chosen entry's action and argument.
    signal chosen(int action, string argument)

    objectName: "tile-menu"

    Component {
        id: actionItem
        MenuItem {
            property menuEntry entry
            objectName: entry.name
            text: entry.title
            enabled: entry.enabled
            onTriggered: tileMenu.chosen(entry.action, entry.argument)
            // The destructive entry in red, whichever palette role the style draws text with.
            Component.onCompleted: {
                if (entry.destructive) {
                    palette.windowText = "#d23a3a"
                    palette.text = "#d23a3a"
                    palette.buttonText = "#d23a3a"
                }
            }
        }
    }
    Component {
        id: textItem
        MenuItem {
            property menuEntry entry
            objectName: entry.name
            text: entry.title
            enabled: false
        }
    }
    Component {
        id: divider
        MenuSeparator {}
    }
    Component {
        id: subMenu
        Menu {
            property menuEntry entry
            objectName: entry.name
            title: entry.title
        }
    }

    // Entries are made inside the menu's list, a visual parent that keeps them until the menu
    // goes (the menu itself is no item); adding them moves them to their place.
    function fill(menu: Menu, list: list<menuEntry>) {
        for (const entry of list) {
            if (entry.isSeparator) {
                menu.addItem(divider.createObject(menu.contentItem) as Item)
            } else if (entry.isSubmenu) {
                const child = subMenu.createObject(menu, { entry: entry }) as Menu
                fill(child, entry.entries)
                menu.addMenu(child)
                // The entry that opens the submenu carries the name, for tests and the report.
                menu.itemAt(menu.count - 1).objectName = entry.name
            } else if (entry.isText) {
                menu.addItem(textItem.createObject(menu.contentItem, { entry: entry }) as Item)
            } else {
                menu.addItem(actionItem.createObject(menu.contentItem, { entry: entry }) as Item)
            }
        }
    }

    // Made anew for each list: a list given at creation would not reach a list property.
    function refill() {
        while (count > 0)
            removeItem(itemAt(0))
        fill(tileMenu, entries)
    }
    onEntriesChanged: refill()
    Component.onCompleted: refill()
}
