import QtQuick

// One of our symbol drawings, coloured at run time.
Image {
    property string name
    property color color: "white"
    property real size: 16

    width: size
    height: size
    sourceSize: Qt.size(Math.ceil(size * 2), Math.ceil(size * 2))
    source: name ? "image://symbol/" + name + "?" + color.toString() : ""
    smooth: true
    mipmap: true
    cache: true
}
