import QtQuick
import Orbitdeck.Views

// The backup file dialog as the window shows it, bound to the overlays that loaded it. Loaded by
// name only while the organiser asks for a file: its controls and folder model are not read at
// start.
BackupFileDialog {
    required property WindowOverlays overlays
    lang: overlays.lang
    skin: overlays.skin
    files: overlays.win ? overlays.win.files : null
}
