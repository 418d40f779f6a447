import QtQuick
import Orbitdeck.Onboarding

// The first-run guide as the window shows it, bound to the overlays that loaded it. Loaded by
// name only while the guide shows, so the onboarding module's views are not read at start.
OnboardingSheet {
    required property WindowOverlays overlays
    guide: overlays.onboarding ? overlays.onboarding.guide : null
    settings: overlays.settings
    texts: overlays.texts
    reduceMotion: overlays.reduceMotion
    hotKeyRefused: overlays.win ? overlays.win.lifecycle.hotKeyRefused : false
    takenHotKeys: overlays.win ? overlays.win.lifecycle.takenHotKeys : []
    waylandSession: overlays.win ? overlays.win.lifecycle.waylandSession : false
}
