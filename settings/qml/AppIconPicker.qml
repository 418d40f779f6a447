pragma ComponentBehavior: Bound
import QtQuick
import Orbitdeck.Settings

// The app's own icon: three columns of icon cells; a tap stores the style and shows it as the
// application's icon at once.
Item {
    id: picker
    required property SettingsSheetModel model
    property SheetTheme theme
    // The sheet's theme, or a stand-in while there is none (before loading, during teardown).
    readonly property SheetTheme look: theme ? theme : fallbackTheme
    readonly property color accent: look.accent

    implicitHeight: grid.height
    width: parent ? parent.width : 0

    AppIconChoice {
        id: choice
        settings: picker.model ? picker.model.settings : null
    }

    Grid {
        id: grid
        width: parent.width
        columns: 3
        columnSpacing: 8
        rowSpacing: 10
        Repeater {
            model: choice.choices
            AppIconCell {
                id: cell
                required property var modelData
                width: Math.max(10, (grid.width - 16) / 3)
                theme: picker.look
                accent: picker.accent
                style: cell.modelData.value
                name: cell.modelData.name
                title: cell.modelData.title
                image: cell.modelData.image
                selected: choice.selection === cell.modelData.value
                onChosen: choice.choose(cell.style)
            }
        }
    }

    SheetTheme { id: fallbackTheme }
}
