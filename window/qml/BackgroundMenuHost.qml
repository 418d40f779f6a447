import QtQuick
import Orbitdeck.State

// The background menu bound to the background layer that made it on demand.
Item {
    id: host
    property Item owner: null
    readonly property alias menu: bgMenu

    BackgroundMenu {
        id: bgMenu
        arranging: host.owner ? host.owner.arranging : false
        searching: host.owner ? host.owner.searching : false
        fullScreen: host.owner ? host.owner.fullScreen : false
        sort: host.owner ? host.owner.sort : Setting.SortOrder.manual
        labels: host.owner ? host.owner.labels : true
        tr: host.owner ? host.owner.tr : (key => key)
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
