import QtQuick
import Qt5Compat.GraphicalEffects

// The grid's blur while a folder is open over it (a layer effect).
FastBlur {
    // The layered grid says how far the folder has opened.
    readonly property real amount: source && source.sourceItem && source.sourceItem.blurAmount !== undefined
                                   ? source.sourceItem.blurAmount : 1
    radius: 22 * amount
    transparentBorder: true
}
