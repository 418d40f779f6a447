import QtQuick
import QtTest
import Orbitdeck.Views

// The backdrop without a wallpaper: the skin's gradient under the vignette.
Item {
    width: 800
    height: 600

    LibraryBackdrop {
        id: backdrop
        anchors.fill: parent
        skin: "night"
    }

    TestCase {
        name: "Backdrop"
        when: windowShown

        function near(actual, expected, label) {
            verify(Math.abs(actual - expected) <= 3, label + ": " + actual + " vs " + expected)
        }

        // The vignette is clear within 0.35 x width of the centre: top and bottom of the centre
        // line show the gradient's own end colours; corners lie beyond, darker.
        function checkNight(image, when) {
            const top = image.pixel(400, 0)
            near(top.r * 255, 0.12 * 255, when + " top red")
            near(top.g * 255, 0.17 * 255, when + " top green")
            near(top.b * 255, 0.29 * 255, when + " top blue")
            const bottom = image.pixel(400, 599)
            near(bottom.r * 255, 0.04 * 255, when + " bottom red")
            near(bottom.g * 255, 0.06 * 255, when + " bottom green")
            near(bottom.b * 255, 0.11 * 255, when + " bottom blue")
            const corner = image.pixel(0, 0)
            verify(corner.b < top.b - 0.01, when + " top corner darker: " + corner.b + " vs " + top.b)
            const bottomCorner = image.pixel(799, 599)
            verify(bottomCorner.b < bottom.b, when + " bottom corner darker")
        }

        function test_nightGradientOnTheCentreLineAndDarkerCorners() {
            backdrop.skin = "night"
            waitForRendering(backdrop)
            checkNight(grabImage(backdrop), "small picture")
            // Drawn at full size (from the first input on): the same look.
            const picture = findChild(backdrop, "library-backdrop-gradient")
            backdrop.sharp = true
            tryVerify(() => picture.fullSize, 5000, "drawn at full size once sharp")
            checkNight(grabImage(backdrop), "full-size picture")
        }

        function test_paperIsLightWithALighterVignette() {
            backdrop.skin = "paper"
            waitForRendering(backdrop)
            const image = grabImage(backdrop)
            const top = image.pixel(400, 0)
            near(top.r * 255, 0.95 * 255, "paper top red")
            near(top.b * 255, 0.98 * 255, "paper top blue")
            const corner = image.pixel(0, 0)
            // 0.06 black at most: the corner stays light.
            verify(corner.r > 0.85, "paper corner stays light: " + corner.r)
            backdrop.skin = "night"
        }
    }
}
