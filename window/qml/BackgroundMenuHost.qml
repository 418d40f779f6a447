import QtQuick
import Orbitdeck.State

// The background menu bound to the background layer that made it on demand.
Item {
    id: host
    property BackgroundLayer owner: null
    readonly property alias menu: bgMenu
    Binding {
        target: host.owner
        property: "menuOpen"
        value: bgMenu.opened
        when: host.owner !== null
    }
    Connections {
        target: host.owner
        function onMenuRequested() { bgMenu.popup() }
    }

    BackgroundMenu {
        id: bgMenu
        arranging: host.owner ? host.owner.arranging : false
        searching: host.owner ? host.owner.searching : false
        fullScreen: host.owner ? host.owner.fullScreen : false
        sort: host.owner ? host.owner.sort : Setting.SortOrder.manual
        labels: host.owner ? host.owner.labels : true
        texts: host.owner ? host.owner.texts : null
        onDone: host.owner.done()
        onEditLayout: host.owner.editLayout()
        onSortChosen: sort => host.owner.sortChosen(sort)
        onLabelsToggled: on => host.owner.labelsToggled(on)
        onFullScreenToggled: host.owner.fullScreenToggled()
        onSettingsChosen: host.owner.settingsChosen()
        onRefreshChosen: host.owner.refreshChosen()
        onRestartChosen: host.owner.restartChosen()
        onCloseChosen: host.owner.closeChosen()
    }
}
