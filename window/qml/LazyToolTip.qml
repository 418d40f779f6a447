import QtQuick

// A tool tip over its parent, made only while `shown`: the controls' module then loads on the
// first hover instead of at start.
Loader {
    id: tip
    property string text
    property bool shown: false
    property int delay: 700

    anchors.fill: parent
    active: shown && text !== ""
    source: "HoverTip.qml"
    onLoaded: {
        item.delay = Qt.binding(() => tip.delay)
        item.text = Qt.binding(() => tip.text)
    }
}
