import QtQuick
import Qt5Compat.GraphicalEffects

// The grid's blur while a folder is open over it (a layer effect).
FastBlur {
    radius: 22
    transparentBorder: true
}
