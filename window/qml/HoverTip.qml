import QtQuick
import QtQuick.Controls

// The tool tip a LazyToolTip makes: shown from its creation, after the delay.
Item {
    property alias text: toolTip.text
    property alias delay: toolTip.delay
    ToolTip {
        id: toolTip
        visible: true
    }
}
