import QtQuick
import QtTest
import Orbitdeck.Views

Item {
    id: root
    width: 500
    height: 500

    Component { id: menuMaker; TileMenu {} }
    SignalSpy { id: chosenSpy; signalName: "chosen" }

    // Menu actions travel as numbers; each entry here gets its own.
    property int nextAction: 0
    function action(name, title, argument, enabled, destructive) {
        return menuEntries.action(name, title, nextAction++, argument || "", enabled !== false,
                                  !!destructive)
    }

    TestCase {
        name: "TileMenu"
        when: windowShown

        function rows(menu) {
            const out = []
            for (let i = 0; i < menu.count; ++i) {
                const item = menu.itemAt(i)
                if (item.subMenu)
                    out.push(item.subMenu.title + ">" + rows(item.subMenu).join("|"))
                else
                    out.push(item.text ? item.text + (item.enabled ? "" : " (off)") : "—")
            }
            return out
        }

        function test_entriesInOrderWithTheirStates() {
            const menu = createTemporaryObject(menuMaker, root)
            menu.entries = [
                menuEntries.text("count", "3 apps selected"),
                action("newFolder", "New Folder with Selection", "", false),
                menuEntries.submenu("folders", "Move to Folder",
                                    [action("f1", "Games", "f1"), action("f2", "Work", "f2")]),
                action("hide", "Hide Selected Apps"),
                menuEntries.separator(),
                action("trash", "Move to Trash…", "", true, true)
            ]
            compare(rows(menu), ["3 apps selected (off)", "New Folder with Selection (off)",
                                 "Move to Folder>Games|Work", "Hide Selected Apps", "—",
                                 "Move to Trash…"])
            compare(menu.itemAt(5).objectName, "trash")
            compare(menu.itemAt(2).objectName, "folders")
        }

        function test_choosingAnEntryHandsBackItsActionAndArgument() {
            const open = action("open", "Open")
            const move = action("moveToFolder", "Games", "f1")
            const menu = createTemporaryObject(menuMaker, root)
            menu.entries = [
                open, menuEntries.submenu("folders", "Move to Folder", [move])
            ]
            chosenSpy.target = menu
            chosenSpy.clear()
            menu.itemAt(1).subMenu.itemAt(0).triggered()
            compare(chosenSpy.count, 1)
            compare(chosenSpy.signalArguments[0][0], move.action)
            compare(chosenSpy.signalArguments[0][1], "f1")
        }
    }
}
