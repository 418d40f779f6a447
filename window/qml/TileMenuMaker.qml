import QtQuick

// Makes tile menus from their file, by name. A type named in a file is read with that file, and
// the menu brings the controls' module and its style: named by the window's files, they would
// load with the window instead of with the first menu.
QtObject {
    property Component component: null

    // A new TileMenu owned by parent, untyped for the same reason.
    function make(parent: QtObject): QtObject {
        if (!component)
            component = Qt.createComponent("TileMenu.qml")
        return component.createObject(parent)
    }
}
