import QtQuick
import QtTest
import Orbitdeck.Views

Item {
    width: 600
    height: 100

    PageBar {
        id: bar
        property var requests: []
        onPageRequested: page => requests = requests.concat([page])
    }

    TestCase {
        name: "PageBar"
        when: windowShown

        function dots() {
            const found = []
            for (let page = 1; page <= 20; ++page) {
                const dot = findChild(bar, "library-page-" + page)
                if (dot && dot.visible)
                    found.push(page - 1)
            }
            return found
        }

        function test_onePage() {
            bar.count = 1
            bar.current = 0
            compare(dots(), [0])
            verify(!findChild(bar, "library-page-previous").enabled)
            verify(!findChild(bar, "library-page-next").enabled)
            compare(findChild(bar, "library-page-status").text, "1 / 1")
        }

        function test_atMostSevenDotsAroundTheCurrentPage() {
            bar.count = 10
            bar.current = 0
            compare(dots(), [0, 1, 2, 3])
            bar.current = 5
            compare(dots(), [2, 3, 4, 5, 6, 7, 8])
            bar.current = 9
            compare(dots(), [6, 7, 8, 9])
            compare(findChild(bar, "library-page-status").text, "10 / 10")
        }

        function test_chevronsAndDotsAskForPages() {
            bar.count = 3
            bar.current = 1
            wait(0)
            bar.requests = []
            mouseClick(findChild(bar, "library-page-next"))
            mouseClick(findChild(bar, "library-page-previous"))
            mouseClick(findChild(bar, "library-page-3"))
            compare(bar.requests, [2, 0, 2])
            bar.current = 2
            verify(!findChild(bar, "library-page-next").enabled)
        }
    }
}
