import QtQuick
import Orbitdeck.Views

// The warning that the hot corner, pinch and F4 need access to global input, with the button
// that asks for it.
Row {
    id: notice
    property SheetTheme theme
    signal allowRequested()

    spacing: 6

    Symbol {
        name: "exclamationmark.triangle.fill"
        color: notice.theme.dark ? "#ff9f0a" : "#ff9500"
        size: 13
    }
    Column {
        width: notice.width - 19
        spacing: 4
        Text {
            width: parent.width
            text: notice.theme.tr("Hot corner, pinch and F4 need Accessibility permission.")
            font.pixelSize: 11
            color: notice.theme.secondary
            wrapMode: Text.Wrap
        }
        SmallButton {
            objectName: "shortcuts-allow-accessibility"
            theme: notice.theme
            title: "Allow in System Settings…"
            onClicked: notice.allowRequested()
        }
    }
}
