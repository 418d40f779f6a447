import QtQuick
import Orbitdeck.Views

// The guide's texts in the interface language, through the lookup the window hands over (the
// key itself without one).
QtObject {
    property TextLookup lookup: null

    function tr(key: string): string { return lookup ? lookup.t(key) : key }
}
