import QtQuick
import Orbitdeck.State
import QtTest
import Orbitdeck.Settings
import Orbitdeck.State

// The settings sheet over a headless window: tabs, rows writing settings the window reads,
// cards and their separators.
Item {
    id: root
    width: 1040
    height: 680

    Component {
        id: sheetComponent
        SettingsSheet { anchors.fill: parent; win: testWin; lang: testLang }
    }

    TestCase {
        id: test
        name: "SettingsSheet"
        when: windowShown

        property var sheet: null

        function init() {
            testSetup.reset()
            sheet = createTemporaryObject(sheetComponent, root)
            verify(sheet)
        }
        function find(name) {
            const item = findChild(sheet, name)
            verify(item, "no item " + name)
            // Positioners place their children when the next frame is polished.
            for (let up = item.parent; up; up = up.parent)
                tryVerify(() => !isPolishScheduled(up))
            return item
        }
        function switchOf(name) { return find(name + "-switch") }
        function openTab(name) {
            mouseClick(find("settings-tab-" + name))
            tryCompare(sheet, "tab", Setting.LibraryAppearanceTab[name])
            tryVerify(() => sheet.page !== null && sheet.page.model !== null)
        }

        function test_opensOnTheStoredTabAndSwitchesTabs() {
            compare(sheet.tab, Setting.LibraryAppearanceTab.general)
            compare(find("settings-title").text, "General")
            openTab("grid")
            compare(find("settings-title").text, "Grid")
            compare(testSetup.stored("ambergrid.settingsTab"), "grid")
            verify(findChild(sheet, "library-columns"))
            // The tab the sheet was left on is the one the next sheet opens on.
            const again = createTemporaryObject(sheetComponent, root)
            compare(again.tab, Setting.LibraryAppearanceTab.grid)
            openTab("appearance")
            verify(find("skin-night").selected)
            openTab("general")
            verify(find("startup-fullscreen"))
        }

        function test_rowsWriteSettingsTheWindowReads() {
            const settings = testWin.settings
            mouseClick(switchOf("library-click-to-close"))
            compare(settings.clickToClose, false)
            compare(testSetup.stored("ambergrid.clickToClose"), false)

            mouseClick(switchOf("library-menu-bar"))
            compare(testSetup.stored("ambergrid.menuBarIcon"), false)

            openTab("appearance")
            mouseClick(find("skin-paper"))
            compare(settings.skin, Setting.LibrarySkin.paper)
            // The sheet follows its own skin setting at once.
            compare(sheet.theme.skin, "paper")
            verify(find("skin-paper").selected)
            verify(!find("skin-night").selected)

            mouseClick(find("effects-picker-off"))
            compare(settings.effects, Setting.LibraryEffects.off)
            compare(settings.motionAllowed, false)

            mouseClick(switchOf("appearance-wallpaper"))
            compare(settings.showWallpaper, false)
        }

        function test_doneAndDisplayModeCloseTheSheet() {
            mouseClick(find("settings-done"))
            compare(testWin.lifecycle.appearanceOpen, false)

            testWin.lifecycle.appearanceOpen = true
            // The mode already chosen still closes the sheet.
            mouseClick(find("startup-fullscreen"))
            compare(testWin.lifecycle.appearanceOpen, false)
            compare(testWin.settings.startMode, Setting.LibraryStartup.fullscreen)
        }

        function test_rememberPageAndRowsWaitWhileScrolling() {
            testWin.settings.rememberPage = true
            testWin.settings.browsing = Setting.LibraryBrowsing.scroll
            const remember = find("library-remember-page")
            verify(!remember.enabled)
            mouseClick(switchOf("library-remember-page"))
            compare(testWin.settings.rememberPage, true)
            testWin.settings.browsing = Setting.LibraryBrowsing.pages
            verify(remember.enabled)
            verify(remember.checked)

            testWin.settings.customRows = 6
            testWin.settings.browsing = Setting.LibraryBrowsing.scroll
            openTab("grid")
            const rows = find("library-rows")
            verify(!rows.enabled)
            compare(rows.currentText, "6")
        }

        function test_customIconSizeShowsTheSliderFromTheDensitySize() {
            testWin.settings.density = Setting.LibraryDensity.large
            openTab("grid")
            const slider = find("library-icon-size")
            verify(!slider.visible)
            mouseClick(switchOf("library-custom-icon-size"))
            compare(testWin.settings.customIconSize, 76)
            tryVerify(() => slider.visible)
            compare(slider.value, 76)
            mouseClick(switchOf("library-custom-icon-size"))
            compare(testWin.settings.customIconSize, 0)
            tryVerify(() => !slider.visible)
        }

        function test_cardsSeparateOnlyTheRowsShown() {
            const behaviour = find("library-login-error").parent.parent
            // language, browsing, remember, click to close, menu bar, login, welcome
            tryCompare(behaviour, "separatorCount", 6)
            testSetup.failLoginItem("No autostart folder")
            mouseClick(switchOf("library-open-at-login"))
            compare(sheet.model.loginError, "No autostart folder")
            verify(!switchOf("library-open-at-login").checked)
            tryCompare(behaviour, "separatorCount", 7)

            openTab("appearance")
            const wallpaperCard = find("appearance-wallpaper").parent.parent
            tryCompare(wallpaperCard, "separatorCount", 1)
            testWin.lifecycle.wallpaperUnavailable = true
            verify(find("appearance-wallpaper-unavailable").visible)
            tryCompare(wallpaperCard, "separatorCount", 2)
            // Without the wallpaper neither the blur nor the note shows; the blur is kept.
            testWin.settings.wallpaperBlur = 20
            testWin.settings.showWallpaper = false
            tryCompare(wallpaperCard, "separatorCount", 0)
            compare(testWin.settings.wallpaperBlur, 20)
        }

        function test_ungroupConfirmationTakesEscapeAndReturn() {
            // Escape and Return answer the confirmation (Return is the safe Cancel); the sheet
            // stays open and has the keys again.
            for (const key of [Qt.Key_Escape, Qt.Key_Return]) {
                sheet.model.confirmUngroup = true
                const panel = find("settings-ungroup-confirmation-panel")
                tryVerify(() => panel.parent.activeFocus)
                keyClick(key)
                tryVerify(() => !sheet.model.confirmUngroup)
                verify(testWin.lifecycle.appearanceOpen, "the sheet stays open")
                tryVerify(() => sheet.activeFocus)
            }
            // Escape with no confirmation closes the sheet, as before.
            keyClick(Qt.Key_Escape)
            verify(!testWin.lifecycle.appearanceOpen)
        }

        function test_chosenAppIconShowsAtOnceInTheSheet() {
            const sidebarIcon = find("settings-sidebar-icon")
            verify(sidebarIcon.source.toString().endsWith("AltIcon-midnight"))
            openTab("appearance")
            mouseClick(find("app-icon-sunset"))
            compare(testSetup.stored("ambergrid.appIcon"), "sunset")
            compare(sidebarIcon.source.toString(), "image://drawing/icons/AltIcon-sunset")
            openTab("general")
            compare(find("library-version-icon").source.toString(),
                    "image://drawing/icons/AltIcon-sunset")
        }

        function test_languageRelabelsTheOpenSheet() {
            compare(find("settings-done").text, "Done")
            testWin.settings.language = Setting.LibraryLanguage.german
            tryCompare(find("settings-done"), "text", "Fertig")
            compare(findChild(sheet, "settings-tab-grid").children[2].text, "Raster")
        }
    }
}
