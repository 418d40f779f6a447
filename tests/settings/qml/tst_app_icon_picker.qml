import QtQuick
import QtTest
import Orbitdeck.Settings

Item {
    id: root
    width: 480
    height: 300

    // Outlives every page, so no page sees its theme go away.
    SheetTheme { id: sharedTheme }
    Component { id: pickerComponent; AppIconPicker {} }
    Component { id: modelComponent; SettingsSheetModel { window: testWin } }

    TestCase {
        name: "AppIconPicker"
        when: windowShown

        function init() { testSetup.reset() }
        function makePicker() {
            return createTemporaryObject(pickerComponent, root, {
                model: createTemporaryObject(modelComponent, root),
                theme: sharedTheme })
        }

        function test_cells_in_order_with_images_and_the_stored_choice() {
            const picker = makePicker()
            const names = ["midnight", "light", "mint", "sunset", "graphite", "classic"]
            for (const name of names) {
                const cell = findChild(picker, "app-icon-" + name)
                verify(cell, name)
                verify(cell.image.length > 0, "every style has its image")
                compare(cell.selected, name === "midnight")
            }
            const first = findChild(picker, "app-icon-midnight")
            const fourth = findChild(picker, "app-icon-sunset")
            verify(fourth.y > first.y, "three columns")
            compare(findChild(picker, "app-icon-mint").y, first.y)
        }

        function test_choosing_stores_and_shows_the_icon_also_when_already_chosen() {
            const picker = makePicker()
            mouseClick(findChild(picker, "app-icon-sunset"))
            verify(findChild(picker, "app-icon-sunset").selected)
            verify(!findChild(picker, "app-icon-midnight").selected)
            verify(testSetup.iconShowsStyle("sunset"))

            testSetup.clearIcon()
            mouseClick(findChild(picker, "app-icon-sunset"))
            verify(testSetup.iconShowsStyle("sunset"), "the current style is applied again")

            mouseClick(findChild(picker, "app-icon-midnight"))
            verify(testSetup.iconShowsStyle("midnight"))
            verify(findChild(picker, "app-icon-midnight").selected)
        }
    }
}
