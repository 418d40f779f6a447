import QtQuick
import QtTest
import Orbitdeck.Views

Item {
    width: 400
    height: 100

    SearchField {
        id: field
        x: 20
        y: 20
        onEdited: text => query = text
        onSubmitted: submits += 1
        property int submits: 0
    }

    TestCase {
        name: "SearchField"
        when: windowShown

        function clearButton() { return findChild(field, "application-search-clear") }

        function test_sizes() {
            field.compact = false
            compare(field.width, 240)
            compare(field.height, 28)
            field.compact = true
            compare(field.width, 230)
            field.compact = false
        }

        function test_typingShowsTheClearButtonAndClearingKeepsFocus() {
            field.query = ""
            mouseClick(field)
            verify(field.focused)
            verify(!clearButton().enabled)
            keyClick(Qt.Key_S)
            keyClick(Qt.Key_A)
            compare(field.query, "sa")
            tryCompare(clearButton(), "opacity", 1)
            mouseClick(clearButton())
            compare(field.query, "")
            verify(field.focused)
        }

        function test_spacesCountAsText() {
            field.query = "  "
            verify(field.active)
            tryCompare(clearButton(), "opacity", 1)
            field.query = ""
        }

        function test_returnSubmits() {
            field.query = "x"
            mouseClick(field)
            const before = field.submits
            keyClick(Qt.Key_Return)
            compare(field.submits, before + 1)
            field.query = ""
        }
    }
}
