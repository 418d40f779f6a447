import QtQuick
import Orbitdeck.State
import QtTest
import Orbitdeck.Settings

// The Organize tab over the headless window, whose organiser records what it is asked to run.
Item {
    id: root
    width: 520
    height: 900

    Component { id: modelComponent; SettingsSheetModel {} }
    // Outlives every page, so no page sees its theme go away.
    SheetTheme { id: sharedTheme }
    Component { id: tabComponent; OrganizeTab {} }

    TestCase {
        name: "OrganizeTab"
        when: windowShown

        function init() { testSetup.reset() }
        // A tab over the window, or over no window at all (nothing to organise).
        function makeTab(window) {
            const model = createTemporaryObject(modelComponent, root, { window: window })
            const tab = createTemporaryObject(tabComponent, root, {
                model: model, theme: sharedTheme, width: 520 })
            return { model: model, tab: tab }
        }
        function rowOf(tab, title) {
            const found = []
            const visit = item => {
                if (item.title === title && item.action !== undefined)
                    found.push(item)
                for (let i = 0; i < item.children.length; ++i)
                    visit(item.children[i])
            }
            visit(tab)
            return found[0]
        }

        function test_actions_go_to_the_organiser_and_ungroup_asks_first() {
            const { model, tab } = makeTab(testWin)
            mouseClick(rowOf(tab, "Arrange by name"))
            mouseClick(findChild(tab, "organize-folders-last"))
            compare(testOrganizer.calls, ["organize:sortByName", "organize:foldersLast"])
            verify(!model.canOrganize("no such action"))

            mouseClick(rowOf(tab, "Ungroup all folders"))
            verify(model.confirmUngroup, "the sheet's confirmation is presented")
            compare(testOrganizer.calls.length, 2, "nothing is ungrouped before the confirmation")

            verify(testWin.lifecycle.appearanceOpen)
            mouseClick(findChild(tab, "organize-export"))
            compare(testOrganizer.calls.slice(2), ["organize:exportLayout"])
            verify(!testWin.lifecycle.appearanceOpen, "a backup closes the sheet")
        }

        function test_actions_the_window_cannot_run_are_disabled() {
            testOrganizer.refused = ["exportLayout", "importLayout"]
            const { model, tab } = makeTab(testWin)
            const exportRow = findChild(tab, "organize-export")
            verify(!exportRow.enabled)
            verify(!findChild(tab, "organize-import").enabled)
            verify(rowOf(tab, "Group macOS utilities").enabled)
            mouseClick(exportRow)
            compare(testOrganizer.calls, [])
            verify(testWin.lifecycle.appearanceOpen, "a disabled row neither acts nor closes the sheet")
        }

        function test_without_an_organiser_nothing_runs() {
            const { model, tab } = makeTab(null)
            verify(!rowOf(tab, "Arrange by name").enabled, "no organiser: nothing to run")
            mouseClick(rowOf(tab, "Ungroup all folders"))
            verify(!model.confirmUngroup)
        }

        function test_hidden_apps_section_follows_the_list() {
            const { model, tab } = makeTab(testWin)
            verify(!findChild(tab, "organize-hidden-heading").visible)
            verify(!findChild(tab, "organize-hidden-card").visible)

            testSetup.hide(["com.example.b", "com.example.z"])
            verify(findChild(tab, "organize-hidden-heading").visible)
            verify(findChild(tab, "hidden-app-bundle:com.example.b"))
            mouseClick(findChild(tab, "hidden-app-show-bundle:com.example.z"))
            mouseClick(findChild(tab, "library-unhide-all"))
            compare(testOrganizer.calls, ["unhide:bundle:com.example.z", "unhide:"],
                    "show all is one call for every application")

            testSetup.hide([])
            verify(!findChild(tab, "organize-hidden-card").visible, "the last one shown removes it")
        }

        function test_sort_picker_lists_the_orders() {
            const { model, tab } = makeTab(testWin)
            const sort = findChild(tab, "organize-sort")
            compare(sort.model, ["Manual", "Name A–Z", "Name Z–A", "Date added", "Last opened",
                                 "Most used"])
            sort.activated(4)
            compare(model.settings.sort, Setting.SortOrder.recent)
            model.settings.sort = Setting.SortOrder.manual
            compare(sort.currentIndex, 0, "an organise action's manual order shows at once")
        }
    }
}
