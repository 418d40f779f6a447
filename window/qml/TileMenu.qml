import QtQuick
import QtQuick.Controls

// The context menu of one tile, built from the entries the state hands over when it opens
// (see arranging/menu_entries.h): actions, dividers, a line of text and submenus.
Menu {
    id: tileMenu
    property var entries: []
    // Hands back the chosen entry's action and argument.
    signal chosen(int action, string argument)

    objectName: "tile-menu"

    Component {
        id: actionItem
        MenuItem {
            property var entry
            // The menu that hands the choice back (this file's root).
            property var owner
            objectName: entry.name
            text: entry.title
            enabled: entry.enabled
            onTriggered: owner.chosen(entry.action, entry.argument)
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
            property var entry
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
            property var entry
            objectName: entry.name
            title: entry.title
        }
    }

    // Entries are made inside the menu's list, a visual parent that keeps them until the menu
    // goes (the menu itself is no item); adding them moves them to their place.
    function fill(menu: Menu, list: var) {
        for (const entry of list) {
            if (entry.type === "separator") {
                menu.addItem(divider.createObject(menu.contentItem) as Item)
            } else if (entry.type === "submenu") {
                const child = subMenu.createObject(menu, { entry: entry }) as Menu
                fill(child, entry.entries)
                menu.addMenu(child)
                // The entry that opens the submenu carries the name, for tests and the report.
                menu.itemAt(menu.count - 1).objectName = entry.name
            } else if (entry.type === "text") {
                menu.addItem(textItem.createObject(menu.contentItem, { entry: entry }) as Item)
            } else {
                menu.addItem(actionItem.createObject(menu.contentItem, { entry: entry, owner: tileMenu }) as Item)
            }
        }
    }

    Component.onCompleted: fill(tileMenu, entries)
}
