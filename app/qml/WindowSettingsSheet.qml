import QtQuick
import Orbitdeck.Settings

// The settings sheet as the window shows it, bound to the overlays that loaded it. Loaded by
// name only when the sheet opens, so the settings module's views are not read at start.
SettingsSheet {
    required property WindowOverlays overlays
    lang: overlays.lang
    win: overlays.win
}
