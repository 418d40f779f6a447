import QtQuick
import Orbitdeck.State
import QtTest
import Orbitdeck.Views

// The library's own motion: the zoom of the dismiss and of the open, and the grid easing back
// behind an open folder, each as the motion settings allow.
Item {
    width: 800
    height: 600

    LibraryRoot {
        id: library
        anchors.fill: parent
        loaded: true
        itemCount: 1
        tiles: null
    }

    TestCase {
        name: "LibraryMotion"
        when: windowShown

        function init() {
            library.folderOpen = false
            library.effects = Setting.LibraryEffects.fluid
            library.reduceMotion = false
            library.moveLibraryScale(1, WindowLifecycle.ScaleMotion.none)
            tryCompare(library, "folderAmount", 0)
        }

        function test_theZoomEasesInToTheDismissAndSettlesBackFromTheOpen() {
            library.moveLibraryScale(1.06, WindowLifecycle.ScaleMotion.easeIn)
            tryVerify(() => library.shownLibraryScale > 1 && library.shownLibraryScale < 1.06,
                      1000, "the dismiss zoom on its way")
            tryCompare(library, "shownLibraryScale", 1.06)
            library.moveLibraryScale(1, WindowLifecycle.ScaleMotion.none)
            compare(library.shownLibraryScale, 1, "the reset is at once")

            library.moveLibraryScale(1.08, WindowLifecycle.ScaleMotion.none)
            compare(library.shownLibraryScale, 1.08)
            library.moveLibraryScale(1, WindowLifecycle.ScaleMotion.spring)
            tryVerify(() => library.shownLibraryScale > 1 && library.shownLibraryScale < 1.08,
                      1000, "the open zoom on its way")
            tryCompare(library, "shownLibraryScale", 1)
            compare(library.grid.scale, 1)
        }

        function test_anOpenFolderEasesTheGridBackAsTheMotionSettingsAllow() {
            library.folderOpen = true
            tryVerify(() => library.folderAmount > 0 && library.folderAmount < 1, 1000,
                      "the folder easing open")
            tryCompare(library, "folderAmount", 1)
            compare(library.grid.opacity, 0.55)
            verify(Math.abs(library.grid.scale - 0.96) < 1e-9, "shrunk: " + library.grid.scale)
            verify(library.grid.layer.enabled, "blurred")

            // Reduced effects: blurred and faded, not shrunk; no effects: faded only.
            library.effects = Setting.LibraryEffects.reduced
            compare(library.grid.scale, 1)
            verify(library.grid.layer.enabled)
            library.effects = Setting.LibraryEffects.off
            verify(!library.grid.layer.enabled)
            compare(library.grid.opacity, 0.55)
            library.effects = Setting.LibraryEffects.fluid
            library.reduceMotion = true
            compare(library.grid.scale, 1)
            verify(!library.grid.layer.enabled)

            library.folderOpen = false
            tryCompare(library, "folderAmount", 0)
            compare(library.grid.opacity, 1)
            verify(!library.grid.layer.enabled)
        }
    }
}
