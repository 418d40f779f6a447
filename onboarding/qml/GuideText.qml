import QtQuick

// The guide's texts in the interface language, through the lookup the window hands over
// (a function from a string-table key to its text).
QtObject {
    property var lookup: key => key

    function tr(key: string): string {
        const look = lookup
        return look(key)
    }
}
