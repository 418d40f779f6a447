import QtQuick
import Orbitdeck.State

// Stands in for the sheet's model: the settings the tabs bind to, the window's organiser and
// the actions, each call recorded.
QtObject {
    id: model
    property QtObject settings: QtObject {
        property int hotKey: Setting.LibraryHotKey.optionSpace
        property int sort: Setting.SortOrder.manual
    }
    property QtObject sheetSettings: QtObject {
        property string hotCorner: "off"
        property bool pinchToOpen: false
        property bool f4Key: false
    }
    property QtObject window: QtObject {
        property QtObject organizer: null
    }
    property bool accessibilityGranted: false
    property var hiddenApps: []
    property bool confirmUngroup: false
    property var calls: []

    function organize(action) { calls = calls.concat(["organize:" + action]) }
    function unhide(id) { calls = calls.concat(["unhide:" + id]) }
    function close() { calls = calls.concat(["close"]) }
    function refreshAccessibility() { calls = calls.concat(["refreshAccessibility"]) }
}
