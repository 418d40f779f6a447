import QtQuick
import Orbitdeck.Views

// One of our symbol drawings, coloured at run time.
Image {
    property string name
    property color color: "white"
    property real size: 16

    width: size
    height: size
    sourceSize: LibraryGridMath.pixelSize(size * 2, size * 2)
    source: name ? "image://symbol/" + name + "?" + color.toString() : ""
    // Off the main thread only while the launcher window loads its views (before it shows), so
    // a drawing on screen never gives way to an empty square while its successor decodes.
    asynchronous: ViewHost.loadingViews
    smooth: true
    mipmap: true
    cache: true
}
