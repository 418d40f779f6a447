import QtQuick
import Orbitdeck.State

// The views' texts in the interface language: a component's tr(key) asks the lookup it was
// given (the key itself without one). Reading L.revision makes every text a binding that follows
// a change of language. Tests give their own tables by overriding t.
QtObject {
    property L lang: null
    function t(key: string): string { return lang ? lang.t(key, lang.revision) : key }
}
