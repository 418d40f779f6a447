import QtQuick
import QtTest
import Orbitdeck.Views

Item {
    width: 400
    height: 400

    BackgroundMenu { id: menu }
    // German tables for the two texts of the refresh entry.
    TextLookup {
        id: german
        function t(key: string): string {
            return ({"⌘R": "Strg+R", "Refresh": "Aktualisieren"})[key] || key
        }
    }

    TestCase {
        name: "BackgroundMenu"
        when: windowShown

        function findChild(item, name) {
            for (let i = 0; i < item.children.length; ++i) {
                if (item.children[i].objectName === name)
                    return item.children[i]
            }
            return null
        }

        function entries() {
            const out = []
            for (let i = 0; i < menu.count; ++i) {
                const item = menu.itemAt(i)
                out.push(item.text !== undefined && item.text !== "" ? item.text
                         : item.subMenu ? item.subMenu.title : "—")
            }
            return out
        }

        function test_entriesInOrder() {
            menu.arranging = false
            menu.fullScreen = false
            compare(entries(), ["Edit Layout", "Sort apps by", "Show app names", "—",
                                "Enter full screen", "Settings…", "—", "Refresh",
                                "Restart Orbitdeck", "—", "Close Orbitdeck"])
            menu.arranging = true
            menu.fullScreen = true
            compare(menu.itemAt(0).text, "Done")
            compare(menu.itemAt(4).text, "Exit full screen")
        }

        function test_refreshShowsTheKeysOfTheInterfaceLanguageAtTheTrailingEdge() {
            menu.texts = german
            const refresh = menu.itemAt(7)
            compare(refresh.text, "Aktualisieren")
            compare(refresh.shortcutText, "Strg+R")
            menu.open()
            tryVerify(() => menu.opened)
            const keys = findChild(refresh.contentItem, "library-menu-refresh-keys")
            compare(keys.text, "Strg+R")
            // Right-aligned in the entry, clear of the title, whatever the title's length.
            tryCompare(keys, "x", refresh.contentItem.width - keys.width)
            verify(keys.x > refresh.contentItem.children[0].implicitWidth)
            menu.close()
            menu.texts = null
        }

        function test_editLayoutIsDisabledWhileSearchingButDoneIsNot() {
            menu.arranging = false
            menu.searching = true
            verify(!menu.itemAt(0).enabled)
            menu.arranging = true
            verify(menu.itemAt(0).enabled)
            menu.searching = false
        }

        function test_sortEntries() {
            const sort = menu.itemAt(1).subMenu
            const titles = []
            for (let i = 0; i < sort.count; ++i)
                titles.push(sort.itemAt(i).text)
            compare(titles, ["Manual", "Name A–Z", "Name Z–A", "Date added", "Last opened", "Most used"])
        }
    }
}
