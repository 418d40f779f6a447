import QtQuick
import Orbitdeck.State
import QtTest
import Orbitdeck.Settings
import Orbitdeck.State

// The Shortcuts tab over the headless window, with a stand-in for the system's accessibility
// trust.
Item {
    id: root
    width: 520
    height: 600

    Component { id: modelComponent; SettingsSheetModel { window: testWin } }
    // Outlives every page, so no page sees its theme go away.
    SheetTheme { id: sharedTheme }
    Component { id: tabComponent; ShortcutsTab {} }

    TestCase {
        name: "ShortcutsTab"
        when: windowShown

        function init() { testSetup.reset() }
        function makeTab() {
            const model = createTemporaryObject(modelComponent, root)
            const tab = createTemporaryObject(tabComponent, root, {
                model: model, theme: sharedTheme, width: 520 })
            return { model: model, tab: tab }
        }
        function notice(tab) { return findChild(tab, "shortcuts-permission-notice") }

        function test_notice_follows_the_input_triggers_and_the_access() {
            const { model, tab } = makeTab()
            verify(!notice(tab).visible, "the global shortcut alone needs no access")

            model.sheetSettings.hotCorner = Setting.HotCorner.bottomRight
            verify(notice(tab).visible, "a corner without access shows it at once")
            model.sheetSettings.hotCorner = Setting.HotCorner.off
            model.sheetSettings.f4Key = true
            verify(notice(tab).visible)
            model.sheetSettings.f4Key = false
            model.sheetSettings.pinchToOpen = true
            verify(notice(tab).visible)
            testSetup.trustAccessibility(true)
            model.refreshAccessibility()
            verify(!notice(tab).visible, "access seen on return removes it")
            testSetup.trustAccessibility(false)
            model.refreshAccessibility()
            model.sheetSettings.pinchToOpen = false
            verify(!notice(tab).visible, "all triggers off removes it")
        }

        function test_allow_asks_again_every_time() {
            const { model, tab } = makeTab()
            model.sheetSettings.hotCorner = Setting.HotCorner.topLeft
            const allow = findChild(tab, "shortcuts-allow-accessibility")
            mouseClick(allow)
            verify(notice(tab).visible, "still no access")
            testSetup.trustAccessibility(true)
            mouseClick(allow)
            verify(model.accessibilityGranted)
            verify(!notice(tab).visible)
        }

        function test_controls_store_their_settings() {
            const { model, tab } = makeTab()
            const pinch = findChild(tab, "library-pinch-switch")
            mouseClick(pinch)
            verify(model.sheetSettings.pinchToOpen)
            mouseClick(findChild(tab, "library-f4-switch"))
            verify(model.sheetSettings.f4Key)
            mouseClick(pinch)
            verify(!model.sheetSettings.pinchToOpen)

            const hotKey = findChild(tab, "library-hotkey")
            compare(hotKey.model, ["Off", "⌥ Space", "⌘⌥ Space", "⌃⌥ Space"])
            compare(hotKey.currentIndex, 1)
            hotKey.activated(3)
            compare(model.settings.hotKey, Setting.LibraryHotKey.controlOptionSpace)
            compare(hotKey.currentIndex, 3)

            const corner = findChild(tab, "library-hot-corner")
            compare(corner.model.length, 5)
            corner.activated(2)
            compare(model.sheetSettings.hotCorner, Setting.HotCorner.topRight)
        }
    }
}
