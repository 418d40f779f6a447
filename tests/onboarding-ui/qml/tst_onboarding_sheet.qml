import QtQuick
import Orbitdeck.State
import QtTest
import Orbitdeck.Views

// The guide's sheet over real guides, whose finish the test setup records (the guide's own rules
// are unit-tested), and real window settings: what each page shows, what its cards write and what
// the keys do.
Item {
    id: root
    width: 800
    height: 600

    Loader {
        id: loader
        anchors.fill: parent
        active: false
        source: "qrc:/qt/qml/Orbitdeck/Onboarding/OnboardingSheet.qml"
        onLoaded: {
            item.guide = test.guide
            item.settings = testSettings
        }
    }

    TestCase {
        id: test
        name: "OnboardingSheet"
        when: windowShown

        property Item sheet: loader.item
        property QtObject guide: null

        function init() {
            testSetup.reset()
            testSettings.hotKey = Setting.LibraryHotKey.commandOptionSpace
            guide = testSetup.makeGuide(false)
            loader.active = true
            verify(loader.status === Loader.Ready)
            sheet.reduceMotion = false
            sheet.forceActiveFocus()
        }
        function cleanup() { loader.active = false }
        // Shows another showing of the guide in the same sheet.
        function showGuide(launchpadAvailable) {
            guide = testSetup.makeGuide(launchpadAvailable)
            sheet.guide = guide
        }

        function page(index) {
            const holder = findChild(sheet, "onboarding-step-" + index)
            tryCompare(holder, "opacity", 1)
            return holder.item
        }
        function goTo(index) {
            guide.go(true, index - guide.step)
            return page(index)
        }
        // The option cards of a page, in reading order.
        function cards(item) {
            const found = []
            const walk = parent => {
                for (let i = 0; i < parent.children.length; ++i) {
                    const child = parent.children[i]
                    if (child.chosen !== undefined && child.selected !== undefined)
                        found.push(child)
                    walk(child)
                }
            }
            walk(item)
            return found
        }
        function selected(item) { return cards(item).map(card => card.selected) }
        function texts(item) {
            const found = []
            const walk = parent => {
                for (let i = 0; i < parent.children.length; ++i) {
                    const child = parent.children[i]
                    if (child.text !== undefined && child.font !== undefined && child.visible)
                        found.push(child.text)
                    walk(child)
                }
            }
            walk(item)
            return found
        }

        function test_footerFollowsThePages() {
            page(0)
            compare(findChild(sheet, "onboarding-skip").text, "Skip")
            compare(findChild(sheet, "onboarding-continue").text, "Continue")
            mouseClick(findChild(sheet, "onboarding-continue"))
            compare(guide.step, 1)
            page(1)
            verify(findChild(sheet, "onboarding-skip") === null)
            compare(findChild(sheet, "onboarding-back").text, "Back")
            mouseClick(findChild(sheet, "onboarding-back"))
            compare(guide.step, 0)
            compare(guide.forward, false)
            page(0)
            mouseClick(findChild(sheet, "onboarding-skip"))
            compare(testSetup.finished, ["skip"])

            showGuide(false)
            goTo(3)
            verify(findChild(sheet, "onboarding-continue") === null)
            compare(findChild(sheet, "onboarding-finish").text, "Get Started")
            mouseClick(findChild(sheet, "onboarding-finish"))
            compare(testSetup.finished, ["skip", "keep"])
        }

        function test_returnGoesOnAndEscapeSkipsOnlyTheFirstPage() {
            keyClick(Qt.Key_Escape)
            compare(testSetup.finished, ["skip"])
            showGuide(false)
            keyClick(Qt.Key_Return)
            compare(guide.step, 1)
            keyClick(Qt.Key_Escape)
            compare(testSetup.finished, ["skip"])
            keyClick(Qt.Key_Enter)
            keyClick(Qt.Key_Return)
            compare(guide.step, 3)
            keyClick(Qt.Key_Return)
            compare(testSetup.finished, ["skip", "keep"])
        }

        function test_welcomePageHasNoOptions() {
            const welcome = page(0)
            compare(cards(welcome).length, 0)
            verify(texts(welcome).indexOf("Welcome to Orbitdeck") >= 0)
            verify(texts(welcome).indexOf("Nothing is final") >= 0)
        }

        // The first item under parent, depth first, that satisfies test.
        function first(parent, test) {
            for (let i = 0; i < parent.children.length; ++i) {
                const child = parent.children[i]
                if (test(child))
                    return child
                const found = first(child, test)
                if (found)
                    return found
            }
            return null
        }

        function test_theCardIsSquareAndItsSymbolsAndTextsKeepTheirSizes() {
            compare(findChild(sheet, "onboarding-card").radius, 0)
            const welcome = page(0)
            compare(first(welcome, item => item.name === "bolt.fill").size, 13)
            const shortcut = goTo(1)
            compare(first(shortcut, item => item.name === "keyboard").size, 20)
            const subtitle = first(shortcut, item => item.text === "Show or hide Orbitdeck from any app.")
            fuzzyCompare(subtitle.font.pointSize, LibraryGridMath.fontPoints(12.5), 0.01)
            const look = goTo(2)
            compare(first(look, item => item.name === "macwindow").size, 17)
            const layout = goTo(3)
            const detail = first(layout, item => item.text === "Start with all your apps in one grid.")
            fuzzyCompare(detail.font.pointSize, LibraryGridMath.fontPoints(11.5), 0.01)
        }

        function test_shortcutCardsShowAndWriteTheSetting() {
            const shortcut = goTo(1)
            compare(selected(shortcut), [false, false, true, false])
            mouseClick(cards(shortcut)[0])
            compare(testSettings.hotKey, Setting.LibraryHotKey.off)
            compare(selected(shortcut), [true, false, false, false])
            mouseClick(cards(shortcut)[3])
            compare(testSettings.hotKey, Setting.LibraryHotKey.controlOptionSpace)
        }

        function test_lookCardsWriteThemeAndModeAndRecolourTheGuide() {
            const look = goTo(2)
            const skins = cards(look).slice(0, 4)
            const modes = cards(look).slice(4)
            compare(skins.map(card => card.selected), [true, false, false, false])
            compare(modes.map(card => card.selected), [true, false])
            mouseClick(skins[2])
            compare(testSettings.skin, Setting.LibrarySkin.paper)
            compare(sheet.skin, "paper")
            compare(sheet.accent, Skin.accent("paper"))
            mouseClick(modes[1])
            compare(testSettings.startMode, Setting.LibraryStartup.window)
            verify(texts(look).indexOf("Match macOS") >= 0)
        }

        function test_importCardIsDimmedAndDeafWithoutADatabase() {
            const layout = goTo(3)
            const options = cards(layout)
            compare(options.map(card => card.selected), [false, false, true])
            verify(options[0].disabled)
            compare(options[0].opacity, 0.45)
            verify(texts(layout).indexOf("No Launchpad layout was found on this Mac.") >= 0)
            mouseClick(options[0])
            compare(guide.layoutChoice, "keep")
            mouseClick(options[1])
            compare(guide.layoutChoice, "tidy")
            compare(options.map(card => card.selected), [false, true, false])
        }

        function test_importCardWithADatabase() {
            showGuide(true)
            compare(guide.layoutChoice, "launchpad", "the import is the first choice when it can run")
            const layout = goTo(3)
            const options = cards(layout)
            verify(!options[0].disabled)
            compare(options.map(card => card.selected), [true, false, false])
            verify(texts(layout).indexOf("Bring over your pages and folders exactly as they are.") >= 0)
        }

        function test_cardScaleUnderReduceMotion() {
            const shortcut = goTo(1)
            tryCompare(cards(shortcut)[2], "scale", 1)
            compare(cards(shortcut)[0].scale, 0.99)
            sheet.reduceMotion = true
            tryCompare(cards(shortcut)[2], "scale", 0.99)
            compare(cards(shortcut).map(card => card.scale), [0.99, 0.99, 0.99, 0.99])
        }
    }
}
